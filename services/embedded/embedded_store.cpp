#include "services/embedded/embedded_store.h"

#include <unordered_map>

namespace services::embedded {

using platform::ObservationHandle;
using platform::Value;

std::shared_ptr<EmbeddedStore> EmbeddedStore::create(std::shared_ptr<DataFile> file) {
    return std::shared_ptr<EmbeddedStore>(new EmbeddedStore(std::move(file)));
}

EmbeddedStore::EmbeddedStore(std::shared_ptr<DataFile> file) : file_(std::move(file)) {
    if (!file_) {
        problem_ = "no data file";
        return;
    }
    table_ = std::make_unique<NodeTable>(file_->connection());
    NodeTable::Loaded loaded = table_->load();
    if (!loaded.ok) {
        problem_ = "cannot read the saved tree: " + loaded.error;
        table_.reset();
        return;
    }
    tree_.reset(std::move(loaded.node));
    skippedRows_ = loaded.skippedRows;
    persisting_ = true;
}

EmbeddedStore::~EmbeddedStore() { flush(); }

void EmbeddedStore::set(platform::MainQueue& writer, const std::string& path, const Value& value) {
    auto segments = tree::parsePath(path);
    if (!segments) {
        ++refusedWrites_;
        return;
    }
    afterWrite(writer, tree_.set(*segments, value));
}

void EmbeddedStore::update(platform::MainQueue& writer, const std::string& path, const platform::ValueMap& children) {
    auto segments = tree::parsePath(path);
    if (!segments) {
        ++refusedWrites_;
        return;
    }
    afterWrite(writer, tree_.update(*segments, children));
}

void EmbeddedStore::remove(platform::MainQueue& writer, const std::string& path) {
    auto segments = tree::parsePath(path);
    if (!segments) {
        ++refusedWrites_;
        return;
    }
    afterWrite(writer, tree_.remove(*segments));
}

void EmbeddedStore::afterWrite(platform::MainQueue& writer, tree::WriteResult result) {
    if (result.refused) {
        ++refusedWrites_;
        return;
    }
    const tree::WriteEffects& effects = result.effects;
    if (!effects.changed()) return;

    if (persisting_) {
        NodeTable::rowChangesFor(tree_, effects, pending_);
        ++pendingWrites_;
        if (!flushPosted_) {
            flushPosted_ = true;
            writer.async([weak = weak_from_this()] {
                if (auto store = weak.lock()) store->flush();
            });
        }
        if (pendingWrites_ >= kMaxBatch) flush();
    }

    // One snapshot per observed path, shared by the observers of that path.
    std::unordered_map<std::string, std::shared_ptr<const Value>> snapshots;
    for (ObservationHandle handle : index_.affected(tree_, effects)) {
        const Observer& observer = observers_.at(handle);
        auto& snapshot = snapshots[observer.path];
        if (!snapshot) snapshot = std::make_shared<const Value>(tree_.valueAt(observer.segments));
        post(handle, observer, snapshot);
    }
}

void EmbeddedStore::post(ObservationHandle handle, const Observer& observer, std::shared_ptr<const Value> value) {
    auto channel = observer.channel.lock();
    if (!channel) return;
    channel->queue.async([weakStore = weak_from_this(), weakChannel = observer.channel, handle, value] {
        auto store = weakStore.lock();
        if (!store) return;
        // Nobody hears of a write before it is saved.
        store->flush();
        if (weakChannel.expired()) return;
        auto it = store->observers_.find(handle);
        if (it == store->observers_.end()) return;
        auto onValue = it->second.onValue;  // the handler may remove its own observation
        if (onValue && *onValue) (*onValue)(*value);
    });
}

bool EmbeddedStore::flush() {
    flushPosted_ = false;
    if (pending_.empty()) {
        pendingWrites_ = 0;
        return persisting_;
    }
    std::vector<RowChange> batch = std::move(pending_);
    pending_.clear();
    pendingWrites_ = 0;
    if (!persisting_) return false;

    SqliteTransaction transaction(file_->connection());
    if (!transaction.began() || !table_->apply(batch) || !transaction.commit()) {
        disconnect("saving failed: " + file_->connection().lastError());
        return false;
    }
    return true;
}

void EmbeddedStore::disconnect(std::string problem) {
    // The saved state no longer follows the tree, so nothing more is saved: the reader keeps
    // working in memory and every connection observer hears "false".
    persisting_ = false;
    problem_ = std::move(problem);
    pending_.clear();
    pendingWrites_ = 0;
    auto value = std::make_shared<const Value>(false);
    for (const auto& [handle, observer] : observers_)
        if (observer.connection) post(handle, observer, value);
}

ObservationHandle EmbeddedStore::refuse(const std::shared_ptr<DeliveryChannel>& channel, const std::string& path,
                                        platform::CancelHandler onCancel) {
    const ObservationHandle handle = nextHandle_++;
    Observer& observer = observers_[handle];
    observer.channel = channel;
    observer.owner = channel.get();
    observer.path = path;
    observer.onCancel = std::make_shared<platform::CancelHandler>(std::move(onCancel));
    channel->queue.async([weakStore = weak_from_this(), weakChannel = std::weak_ptr(channel), handle, path] {
        auto store = weakStore.lock();
        if (!store || weakChannel.expired()) return;
        auto it = store->observers_.find(handle);
        if (it == store->observers_.end()) return;
        auto onCancel = it->second.onCancel;
        store->observers_.erase(it);
        if (onCancel && *onCancel)
            (*onCancel)({"Invalid path \"" + path + "\": keys must be non-empty UTF-8 text without \"/\"."});
    });
    return handle;
}

ObservationHandle EmbeddedStore::observe(const std::shared_ptr<DeliveryChannel>& channel, const std::string& path,
                                         platform::ValueHandler onValue, platform::CancelHandler onCancel) {
    auto segments = tree::parsePath(path);
    if (!segments) return refuse(channel, path, std::move(onCancel));

    const ObservationHandle handle = nextHandle_++;
    Observer& observer = observers_[handle];
    observer.channel = channel;
    observer.owner = channel.get();
    observer.path = tree::joinPath(*segments);
    observer.segments = std::move(*segments);
    observer.onValue = std::make_shared<platform::ValueHandler>(std::move(onValue));
    observer.onCancel = std::make_shared<platform::CancelHandler>(std::move(onCancel));
    index_.add(handle, observer.path);
    post(handle, observer, std::make_shared<const Value>(tree_.valueAt(observer.segments)));
    return handle;
}

void EmbeddedStore::readOnce(const std::shared_ptr<DeliveryChannel>& channel, const std::string& path,
                             platform::ValueHandler onValue, platform::CancelHandler onCancel) {
    auto segments = tree::parsePath(path);
    if (!segments) {
        refuse(channel, path, std::move(onCancel));
        return;
    }
    channel->queue.async([weakStore = weak_from_this(), weakChannel = std::weak_ptr(channel),
                          value = tree_.valueAt(*segments), onValue = std::move(onValue)] {
        auto store = weakStore.lock();
        if (!store) return;
        store->flush();
        if (!weakChannel.expired() && onValue) onValue(value);
    });
}

void EmbeddedStore::readNewestChild(const std::shared_ptr<DeliveryChannel>& channel, const std::string& path,
                                    std::function<void(const platform::NewestChild&)> onValue) {
    auto segments = tree::parsePath(path);
    platform::NewestChild newest = segments ? tree_.newestChild(*segments) : platform::NewestChild{};
    channel->queue.async([weakStore = weak_from_this(), weakChannel = std::weak_ptr(channel),
                          newest = std::move(newest), onValue = std::move(onValue)] {
        auto store = weakStore.lock();
        if (!store) return;
        store->flush();
        if (!weakChannel.expired() && onValue) onValue(newest);
    });
}

ObservationHandle EmbeddedStore::observeConnection(const std::shared_ptr<DeliveryChannel>& channel,
                                                   platform::ValueHandler onValue) {
    const ObservationHandle handle = nextHandle_++;
    Observer& observer = observers_[handle];
    observer.channel = channel;
    observer.owner = channel.get();
    observer.onValue = std::make_shared<platform::ValueHandler>(std::move(onValue));
    observer.connection = true;
    post(handle, observer, std::make_shared<const Value>(persisting_));
    return handle;
}

void EmbeddedStore::removeObserver(const DeliveryChannel& channel, ObservationHandle handle) {
    auto it = observers_.find(handle);
    if (it == observers_.end() || it->second.owner != &channel) return;
    index_.remove(handle);
    observers_.erase(it);
}

void EmbeddedStore::removeObservers(const DeliveryChannel& channel) {
    for (auto it = observers_.begin(); it != observers_.end();) {
        if (it->second.owner == &channel) {
            index_.remove(it->first);
            it = observers_.erase(it);
        } else {
            ++it;
        }
    }
}

}  // namespace services::embedded
