#pragma once
// Blocks an address for a while after repeated failed sign-ins, so a password cannot be
// guessed at speed. Times come from the caller's clock (virtual in tests).
#include <cstddef>
#include <string>
#include <unordered_map>

namespace services::embedded {

class SignInThrottle {
public:
    static constexpr int kMaxFailures = 5;              // within kWindowSeconds ...
    static constexpr double kWindowSeconds = 15 * 60;
    static constexpr double kBlockSeconds = 5 * 60;     // ... block the address this long
    static constexpr std::size_t kMaxTracked = 10000;  // addresses remembered at most

    bool isBlocked(const std::string& key, double now) const;
    void recordFailure(const std::string& key, double now);
    void recordSuccess(const std::string& key) { entries_.erase(key); }

private:
    struct Entry {
        int failures = 0;
        double windowStart = 0;
        double blockedUntil = 0;
    };
    void forgetStale(double now);

    std::unordered_map<std::string, Entry> entries_;
};

}  // namespace services::embedded
