#include "services/embedded/embedded_database_client.h"

namespace services::embedded {

EmbeddedDatabaseClient::EmbeddedDatabaseClient(std::shared_ptr<EmbeddedStore> store, platform::MainQueue& mainQueue,
                                               std::shared_ptr<const void> owner)
    : owner_(std::move(owner)),
      store_(std::move(store)), mainQueue_(mainQueue), channel_(std::make_shared<DeliveryChannel>(mainQueue)) {}

EmbeddedDatabaseClient::~EmbeddedDatabaseClient() { store_->removeObservers(*channel_); }

void EmbeddedDatabaseClient::setValue(const std::string& path, platform::Value value) {
    store_->set(mainQueue_, path, value);
}

void EmbeddedDatabaseClient::updateChildValues(const std::string& path, const platform::ValueMap& children) {
    store_->update(mainQueue_, path, children);
}

void EmbeddedDatabaseClient::removeValue(const std::string& path) { store_->remove(mainQueue_, path); }

platform::ObservationHandle EmbeddedDatabaseClient::observe(const std::string& path, platform::ValueHandler onValue,
                                                            platform::CancelHandler onCancel) {
    return store_->observe(channel_, path, std::move(onValue), std::move(onCancel));
}

void EmbeddedDatabaseClient::observeSingleEvent(const std::string& path, platform::ValueHandler onValue,
                                                platform::CancelHandler onCancel) {
    store_->readOnce(channel_, path, std::move(onValue), std::move(onCancel));
}

void EmbeddedDatabaseClient::readNewestChild(const std::string& path,
                                             std::function<void(const platform::NewestChild&)> onValue) {
    store_->readNewestChild(channel_, path, std::move(onValue));
}

void EmbeddedDatabaseClient::removeObserver(platform::ObservationHandle handle) {
    store_->removeObserver(*channel_, handle);
}

platform::ObservationHandle EmbeddedDatabaseClient::observeConnectionState(platform::ValueHandler onValue) {
    return store_->observeConnection(channel_, std::move(onValue));
}

}  // namespace services::embedded
