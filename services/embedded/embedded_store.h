#pragma once
// The embedded realtime database: one value tree per data directory, shared by every client of
// that directory in the process (two simulated devices share one store as two devices of one
// reader share the hosted service).
//
// A write is applied to the tree at once; its rows wait in a batch that is committed in one
// SQLite transaction (group commit) before any delivery runs that could tell an observer about
// it, or when the flush block posted on the writer's main queue at the batch's first write runs,
// whichever comes first. Deliveries carry the value as it was right after their write and go
// through each observer's own main queue, in the order of the writes. Everything runs on one
// thread.
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/database.h"
#include "platform/main_queue.h"
#include "services/embedded/data_file.h"
#include "services/embedded/node_table.h"
#include "services/tree/observer_index.h"
#include "services/tree/tree.h"

namespace services::embedded {

// Where one client's deliveries go. Blocks already posted find out through a weak reference
// whether the client still exists.
struct DeliveryChannel {
    explicit DeliveryChannel(platform::MainQueue& q) : queue(q) {}
    platform::MainQueue& queue;
};

class EmbeddedStore : public std::enable_shared_from_this<EmbeddedStore> {
public:
    // With a data file the saved tree is loaded and every write is saved; without one (or when
    // loading fails) the store keeps its tree in memory and reports itself disconnected.
    static std::shared_ptr<EmbeddedStore> create(std::shared_ptr<DataFile> file);
    ~EmbeddedStore();

    bool isConnected() const { return persisting_; }
    // Why the store is disconnected, when it is.
    const std::string& problem() const { return problem_; }

    // Refused writes (a path with an empty key, a value the tree cannot hold) are dropped.
    void set(platform::MainQueue& writer, const std::string& path, const platform::Value& value);
    void update(platform::MainQueue& writer, const std::string& path, const platform::ValueMap& children);
    void remove(platform::MainQueue& writer, const std::string& path);

    platform::ObservationHandle observe(const std::shared_ptr<DeliveryChannel>& channel, const std::string& path,
                                        platform::ValueHandler onValue, platform::CancelHandler onCancel);
    void readOnce(const std::shared_ptr<DeliveryChannel>& channel, const std::string& path,
                  platform::ValueHandler onValue, platform::CancelHandler onCancel);
    void readNewestChild(const std::shared_ptr<DeliveryChannel>& channel, const std::string& path,
                         std::function<void(const platform::NewestChild&)> onValue);
    platform::ObservationHandle observeConnection(const std::shared_ptr<DeliveryChannel>& channel,
                                                  platform::ValueHandler onValue);
    void removeObserver(const DeliveryChannel& channel, platform::ObservationHandle handle);
    void removeObservers(const DeliveryChannel& channel);

    // Commits the pending batch now; false when saving failed (the store is disconnected then).
    bool flush();

    const tree::Tree& tree() const { return tree_; }
    std::size_t pendingWrites() const { return pendingWrites_; }
    std::size_t refusedWrites() const { return refusedWrites_; }
    std::size_t skippedRowsAtLoad() const { return skippedRows_; }

    // A batch never grows beyond this many writes; the next write commits it.
    static constexpr std::size_t kMaxBatch = 4096;

private:
    struct Observer {
        std::weak_ptr<DeliveryChannel> channel;
        const DeliveryChannel* owner = nullptr;
        std::string path;
        tree::Path segments;
        std::shared_ptr<platform::ValueHandler> onValue;
        std::shared_ptr<platform::CancelHandler> onCancel;
        bool connection = false;
    };

    explicit EmbeddedStore(std::shared_ptr<DataFile> file);
    void afterWrite(platform::MainQueue& writer, tree::WriteResult result);
    void post(platform::ObservationHandle handle, const Observer& observer, std::shared_ptr<const platform::Value> value);
    void disconnect(std::string problem);
    platform::ObservationHandle refuse(const std::shared_ptr<DeliveryChannel>& channel, const std::string& path,
                                       platform::CancelHandler onCancel);

    std::shared_ptr<DataFile> file_;
    std::unique_ptr<NodeTable> table_;
    bool persisting_ = false;
    std::string problem_;

    tree::Tree tree_;
    tree::ObserverIndex index_;
    std::map<platform::ObservationHandle, Observer> observers_;
    platform::ObservationHandle nextHandle_ = 1;

    std::vector<RowChange> pending_;
    std::size_t pendingWrites_ = 0;
    bool flushPosted_ = false;
    std::size_t refusedWrites_ = 0;
    std::size_t skippedRows_ = 0;
};

}  // namespace services::embedded
