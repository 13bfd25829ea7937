#include "services/embedded/embedded_auth_client.h"

#include "services/auth_errors.h"

namespace services::embedded {

EmbeddedAuthClient::EmbeddedAuthClient(std::shared_ptr<EmbeddedAuthService> service, platform::MainQueue& mainQueue,
                                       platform::Clock& clock, platform::UserDefaults& userDefaults,
                                       std::shared_ptr<const void> owner)
    : owner_(std::move(owner)),
      service_(std::move(service)), mainQueue_(mainQueue), clock_(clock), userDefaults_(userDefaults) {}

std::optional<platform::AuthUser> EmbeddedAuthClient::currentUser() const {
    auto uid = userDefaults_.stringForKey(kUidKey);
    if (!uid || uid->empty()) return std::nullopt;
    platform::AuthUser user;
    switch (service_->lookUp(*uid, user)) {
        case EmbeddedAuthService::Lookup::found: return user;
        case EmbeddedAuthService::Lookup::missing: return std::nullopt;
        case EmbeddedAuthService::Lookup::unavailable: break;
    }
    return platform::AuthUser{*uid, userDefaults_.stringForKey(kEmailKey).value_or("")};
}

void EmbeddedAuthClient::remember(const platform::AuthUser& user) {
    userDefaults_.setString(kUidKey, user.uid);
    userDefaults_.setString(kEmailKey, user.email);
}

void EmbeddedAuthClient::later(std::function<void()> work) {
    mainQueue_.async([alive = std::weak_ptr(alive_), work = std::move(work)] {
        if (!alive.expired()) work();
    });
}

void EmbeddedAuthClient::createUser(const std::string& email, const std::string& password,
                                    platform::AuthCompletion completion) {
    later([this, email, password, completion = std::move(completion)] {
        AuthOutcome outcome = service_->createUser(email, password, clock_.now());
        if (outcome.user) remember(*outcome.user);
        if (completion) completion(outcome.user, outcome.error);
    });
}

void EmbeddedAuthClient::signIn(const std::string& email, const std::string& password,
                                platform::AuthCompletion completion) {
    later([this, email, password, completion = std::move(completion)] {
        AuthOutcome outcome = service_->signIn(email, password, clock_.now());
        if (outcome.user) remember(*outcome.user);
        if (completion) completion(outcome.user, outcome.error);
    });
}

std::optional<platform::AuthError> EmbeddedAuthClient::signOut() {
    userDefaults_.removeKey(kUidKey);
    userDefaults_.removeKey(kEmailKey);
    return std::nullopt;
}

void EmbeddedAuthClient::updateEmail(const std::string& email, platform::AuthErrorCompletion completion) {
    later([this, email, completion = std::move(completion)] {
        std::optional<platform::AuthError> error;
        if (auto user = currentUser()) {
            error = service_->changeEmail(user->uid, email);
            if (!error) {
                if (auto updated = currentUser()) remember(*updated);
            }
        } else {
            error = platform::AuthError{auth_errors::kNoCurrentUser};
        }
        if (completion) completion(error);
    });
}

void EmbeddedAuthClient::sendPasswordReset(const std::string& email, platform::AuthErrorCompletion completion) {
    later([this, email, completion = std::move(completion)] {
        auto error = service_->sendPasswordReset(email, clock_.now());
        if (completion) completion(error);
    });
}

}  // namespace services::embedded
