#pragma once
// The realtime database client as the screens use it: a tree of keyed maps, lists, texts,
// booleans and numbers addressed by "/"-separated paths, with live observation.
//
// Guarantees every implementation gives (the embedded store and the network client alike):
// - Deliveries (observations, once-reads, connection state) arrive asynchronously through the
//   main queue, in the order of the writes that caused them, never inside the calling function.
// - A continuous observation delivers the node's current value at once (asynchronously), then
//   after every change at or below the node, from any client. A write that leaves the node's
//   value as it was delivers nothing to that node's observers.
// - Shapes: a node with keyed children comes back as a keyed map even when all keys are decimal
//   numbers; a list written as a list comes back as a list, and writing a value at ".../0" under
//   a missing node creates the same one-element list; whole numbers stay whole and floating-point
//   numbers stay floating-point; the key `""` (two double-quote characters) is an ordinary key;
//   a map or list whose last child is removed disappears; a missing node is delivered as null.
// - A path with an empty segment ("users//x") is refused: writes to it are dropped and
//   observations of it are cancelled with an error.
// - Once removeObserver(handle) has returned, that handler is never called again.
#include <cstdint>
#include <functional>
#include <string>

#include "platform/value.h"

namespace platform {

struct DatabaseError {
    std::string description;
};

using ObservationHandle = std::uint64_t;  // 0 never names an observation

using ValueHandler = std::function<void(const Value&)>;
using CancelHandler = std::function<void(const DatabaseError&)>;

// The newest child of a keyed map by key order (keys compared as text, greatest wins), as the
// place storage needs it, answered without reading the whole map.
struct NewestChild {
    bool isMap = false;     // the node exists and is a keyed map (or list) with children
    bool allText = false;   // every child's value is text
    std::string key;        // greatest key, when isMap
    Value value;            // that child's value, when isMap
};

class Database {
public:
    virtual ~Database() = default;

    virtual void setValue(const std::string& path, Value value) = 0;
    // Only the named children of `path` change; `children` keys are single keys, not paths.
    virtual void updateChildValues(const std::string& path, const ValueMap& children) = 0;
    virtual void removeValue(const std::string& path) = 0;

    virtual ObservationHandle observe(const std::string& path, ValueHandler onValue,
                                      CancelHandler onCancel = {}) = 0;
    virtual void observeSingleEvent(const std::string& path, ValueHandler onValue,
                                    CancelHandler onCancel = {}) = 0;
    virtual void readNewestChild(const std::string& path,
                                 std::function<void(const NewestChild&)> onValue) = 0;
    virtual void removeObserver(ObservationHandle handle) = 0;

    // The client's connection state, delivered as a boolean Value: at once, then on change.
    virtual ObservationHandle observeConnectionState(ValueHandler onValue) = 0;
};

// A path within a database: what the screens hold as `ref` and derive child paths from.
class DatabaseReference {
public:
    DatabaseReference() = default;
    DatabaseReference(Database& database, std::string path = {})
        : database_(&database), path_(std::move(path)) {}

    // A "/"-separated path or one key, appended to this reference's path.
    DatabaseReference child(const std::string& pathOrKey) const {
        return {*database_, path_.empty() ? pathOrKey : path_ + "/" + pathOrKey};
    }
    const std::string& path() const { return path_; }
    Database& database() const { return *database_; }
    bool isValid() const { return database_ != nullptr; }

    void setValue(Value value) const { database_->setValue(path_, std::move(value)); }
    void updateChildValues(const ValueMap& children) const { database_->updateChildValues(path_, children); }
    void removeValue() const { database_->removeValue(path_); }
    ObservationHandle observe(ValueHandler onValue, CancelHandler onCancel = {}) const {
        return database_->observe(path_, std::move(onValue), std::move(onCancel));
    }
    void observeSingleEvent(ValueHandler onValue, CancelHandler onCancel = {}) const {
        database_->observeSingleEvent(path_, std::move(onValue), std::move(onCancel));
    }
    void readNewestChild(std::function<void(const NewestChild&)> onValue) const {
        database_->readNewestChild(path_, std::move(onValue));
    }

private:
    Database* database_ = nullptr;
    std::string path_;
};

}  // namespace platform
