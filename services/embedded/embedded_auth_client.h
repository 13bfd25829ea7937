#pragma once
// One device's client of the embedded authentication service. The signed-in user is kept in
// the device's user defaults, so it survives restarts; every completion is delivered through
// the device's main queue, and none after the client is destroyed.
#include <memory>

#include "platform/auth.h"
#include "platform/device.h"
#include "platform/main_queue.h"
#include "services/embedded/embedded_auth_service.h"

namespace services::embedded {

class EmbeddedAuthClient final : public platform::Auth {
public:
    static constexpr const char* kUidKey = "auth.uid";
    static constexpr const char* kEmailKey = "auth.email";

    EmbeddedAuthClient(std::shared_ptr<EmbeddedAuthService> service, platform::MainQueue& mainQueue,
                       platform::Clock& clock, platform::UserDefaults& userDefaults,
                       std::shared_ptr<const void> owner = nullptr);
    EmbeddedAuthClient(const EmbeddedAuthClient&) = delete;
    EmbeddedAuthClient& operator=(const EmbeddedAuthClient&) = delete;

    // The remembered user, while the account exists. When the account store cannot be read
    // the remembered user is trusted as it is.
    std::optional<platform::AuthUser> currentUser() const override;
    void createUser(const std::string& email, const std::string& password, platform::AuthCompletion completion) override;
    void signIn(const std::string& email, const std::string& password, platform::AuthCompletion completion) override;
    std::optional<platform::AuthError> signOut() override;
    void updateEmail(const std::string& email, platform::AuthErrorCompletion completion) override;
    void sendPasswordReset(const std::string& email, platform::AuthErrorCompletion completion) override;

private:
    void remember(const platform::AuthUser& user);
    // Runs `work` on the main queue unless this client is gone by then.
    void later(std::function<void()> work);

    std::shared_ptr<const void> owner_;
    std::shared_ptr<EmbeddedAuthService> service_;
    platform::MainQueue& mainQueue_;
    platform::Clock& clock_;
    platform::UserDefaults& userDefaults_;
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);
};

}  // namespace services::embedded
