#include "services/embedded/sign_in_throttle.h"

namespace services::embedded {

bool SignInThrottle::isBlocked(const std::string& key, double now) const {
    auto it = entries_.find(key);
    return it != entries_.end() && now < it->second.blockedUntil;
}

void SignInThrottle::recordFailure(const std::string& key, double now) {
    if (entries_.size() >= kMaxTracked && !entries_.count(key)) forgetStale(now);
    Entry& entry = entries_[key];
    if (now < entry.blockedUntil) return;
    if (entry.failures == 0 || now - entry.windowStart > kWindowSeconds) {
        entry.failures = 0;
        entry.windowStart = now;
    }
    if (++entry.failures >= kMaxFailures) {
        entry.blockedUntil = now + kBlockSeconds;
        entry.failures = 0;
    }
}

void SignInThrottle::forgetStale(double now) {
    std::erase_if(entries_, [now](const auto& item) {
        const Entry& e = item.second;
        return now >= e.blockedUntil && now - e.windowStart > kWindowSeconds;
    });
    // Still full: an address that floods the table cannot push out a block forever, but the
    // oldest windows go so that the table stays bounded.
    if (entries_.size() >= kMaxTracked) {
        std::erase_if(entries_, [now](const auto& item) { return now >= item.second.blockedUntil; });
    }
}

}  // namespace services::embedded
