#pragma once
// One device's client of the embedded store. Its deliveries go through the device's main
// queue; when the client is destroyed its observations go with it and nothing it had posted
// reaches a handler any more.
#include <memory>

#include "platform/database.h"
#include "platform/main_queue.h"
#include "services/embedded/embedded_store.h"

namespace services::embedded {

class EmbeddedDatabaseClient final : public platform::Database {
public:
    // `owner` is kept alive as long as the client (the services the store belongs to).
    EmbeddedDatabaseClient(std::shared_ptr<EmbeddedStore> store, platform::MainQueue& mainQueue,
                           std::shared_ptr<const void> owner = nullptr);
    ~EmbeddedDatabaseClient() override;
    EmbeddedDatabaseClient(const EmbeddedDatabaseClient&) = delete;
    EmbeddedDatabaseClient& operator=(const EmbeddedDatabaseClient&) = delete;

    void setValue(const std::string& path, platform::Value value) override;
    void updateChildValues(const std::string& path, const platform::ValueMap& children) override;
    void removeValue(const std::string& path) override;

    platform::ObservationHandle observe(const std::string& path, platform::ValueHandler onValue,
                                        platform::CancelHandler onCancel = {}) override;
    void observeSingleEvent(const std::string& path, platform::ValueHandler onValue,
                            platform::CancelHandler onCancel = {}) override;
    void readNewestChild(const std::string& path, std::function<void(const platform::NewestChild&)> onValue) override;
    void removeObserver(platform::ObservationHandle handle) override;
    platform::ObservationHandle observeConnectionState(platform::ValueHandler onValue) override;

    EmbeddedStore& store() const { return *store_; }

private:
    std::shared_ptr<const void> owner_;
    std::shared_ptr<EmbeddedStore> store_;
    platform::MainQueue& mainQueue_;
    std::shared_ptr<DeliveryChannel> channel_;
};

}  // namespace services::embedded
