#pragma once
// The embedded authentication service: accounts of one data directory, shared by every device
// in the process. Answers synchronously; the per-device client (EmbeddedAuthClient) delivers
// the answers through the main queue. docs/AUTH.md describes the rules and the tables.
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/auth.h"
#include "services/embedded/account_table.h"
#include "services/embedded/credentials.h"
#include "services/embedded/data_file.h"
#include "services/embedded/sign_in_throttle.h"

namespace services::embedded {

struct AuthOutcome {
    std::optional<platform::AuthUser> user;
    std::optional<platform::AuthError> error;
};

class EmbeddedAuthService {
public:
    static constexpr std::size_t kMinPasswordLength = 6;     // characters
    static constexpr std::size_t kMaxPasswordBytes = 1024;
    static constexpr double kResetTokenLifetime = 60 * 60;  // seconds

    // Without a data file (or without libsodium) every operation answers the internal error.
    EmbeddedAuthService(std::shared_ptr<DataFile> file, PasswordHashCost cost);

    bool isAvailable() const { return table_ != nullptr; }

    AuthOutcome createUser(std::string_view email, std::string_view password, double now);
    AuthOutcome signIn(std::string_view email, std::string_view password, double now);

    enum class Lookup { found, missing, unavailable };
    Lookup lookUp(const std::string& uid, platform::AuthUser& out);

    std::optional<platform::AuthError> changeEmail(const std::string& uid, std::string_view email);
    // An address without an account gets no mail and the same answer as one with an account.
    std::optional<platform::AuthError> sendPasswordReset(std::string_view email, double now);
    // Redeems a reset token from the mail: sets a new password and uses the token up.
    std::optional<platform::AuthError> resetPassword(std::string_view token, std::string_view newPassword, double now);

    // For support tools; null when unavailable.
    AccountTable* accounts() { return table_.get(); }
    // The path of the last reset mail written, for tests and tools.
    const std::string& lastMailPath() const { return lastMailPath_; }

private:
    std::optional<platform::AuthError> checkNewPassword(std::string_view password) const;

    std::shared_ptr<DataFile> file_;
    std::unique_ptr<AccountTable> table_;
    PasswordHashCost cost_;
    SignInThrottle throttle_;
    std::string lastMailPath_;
};

}  // namespace services::embedded
