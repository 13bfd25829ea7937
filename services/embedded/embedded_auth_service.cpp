#include "services/embedded/embedded_auth_service.h"

#include "services/auth_errors.h"
#include "services/embedded/email_address.h"
#include "services/embedded/password_reset_mail.h"

namespace services::embedded {

namespace {

platform::AuthError error(const char* description) { return {description}; }

std::size_t characterCount(std::string_view text) {
    std::size_t count = 0;
    for (char c : text)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;
    return count;
}

}  // namespace

EmbeddedAuthService::EmbeddedAuthService(std::shared_ptr<DataFile> file, PasswordHashCost cost)
    : file_(std::move(file)), cost_(cost) {
    if (file_ && credentialsAvailable()) table_ = std::make_unique<AccountTable>(file_->connection());
}

std::optional<platform::AuthError> EmbeddedAuthService::checkNewPassword(std::string_view password) const {
    if (characterCount(password) < kMinPasswordLength) return error(auth_errors::kWeakPassword);
    if (password.size() > kMaxPasswordBytes) return error(auth_errors::kPasswordTooLong);
    return std::nullopt;
}

AuthOutcome EmbeddedAuthService::createUser(std::string_view emailText, std::string_view password, double now) {
    const std::string email = trimmed(emailText);
    if (!isWellFormedEmail(email)) return {std::nullopt, error(auth_errors::kInvalidEmail)};
    if (!table_) return {std::nullopt, error(auth_errors::kInternalError)};
    if (throttle_.isBlocked(emailKey(email), now)) return {std::nullopt, error(auth_errors::kTooManyRequests)};

    Account existing;
    switch (table_->findByEmail(email, existing)) {
        case AccountTable::Status::ok: return {std::nullopt, error(auth_errors::kEmailAlreadyInUse)};
        case AccountTable::Status::notFound: break;
        default: return {std::nullopt, error(auth_errors::kInternalError)};
    }
    if (auto problem = checkNewPassword(password)) return {std::nullopt, problem};

    auto hash = hashPassword(password, cost_);
    if (!hash) return {std::nullopt, error(auth_errors::kInternalError)};
    Account account{randomUid(), email, *hash, now};
    // A uid collision is astronomically unlikely; one retry covers it.
    for (int attempt = 0; attempt < 2; ++attempt) {
        switch (table_->insert(account)) {
            case AccountTable::Status::ok: return {platform::AuthUser{account.uid, account.email}, std::nullopt};
            case AccountTable::Status::conflict:
                if (table_->findByEmail(email, existing) == AccountTable::Status::ok)
                    return {std::nullopt, error(auth_errors::kEmailAlreadyInUse)};
                account.uid = randomUid();
                break;
            default: return {std::nullopt, error(auth_errors::kInternalError)};
        }
    }
    return {std::nullopt, error(auth_errors::kInternalError)};
}

AuthOutcome EmbeddedAuthService::signIn(std::string_view emailText, std::string_view password, double now) {
    const std::string email = trimmed(emailText);
    if (!isWellFormedEmail(email)) return {std::nullopt, error(auth_errors::kInvalidEmail)};
    if (!table_) return {std::nullopt, error(auth_errors::kInternalError)};
    const std::string key = emailKey(email);
    if (throttle_.isBlocked(key, now)) return {std::nullopt, error(auth_errors::kTooManyRequests)};

    Account account;
    switch (table_->findByEmail(email, account)) {
        case AccountTable::Status::ok: break;
        case AccountTable::Status::notFound:
            throttle_.recordFailure(key, now);
            return {std::nullopt, error(auth_errors::kUserNotFound)};
        default: return {std::nullopt, error(auth_errors::kInternalError)};
    }
    if (!passwordMatches(password, account.passwordHash)) {
        throttle_.recordFailure(key, now);
        return {std::nullopt, error(auth_errors::kWrongPassword)};
    }
    throttle_.recordSuccess(key);
    return {platform::AuthUser{account.uid, account.email}, std::nullopt};
}

EmbeddedAuthService::Lookup EmbeddedAuthService::lookUp(const std::string& uid, platform::AuthUser& out) {
    if (!table_) return Lookup::unavailable;
    Account account;
    switch (table_->findByUid(uid, account)) {
        case AccountTable::Status::ok: out = {account.uid, account.email}; return Lookup::found;
        case AccountTable::Status::notFound: return Lookup::missing;
        default: return Lookup::unavailable;
    }
}

std::optional<platform::AuthError> EmbeddedAuthService::changeEmail(const std::string& uid, std::string_view emailText) {
    const std::string email = trimmed(emailText);
    if (!isWellFormedEmail(email)) return error(auth_errors::kInvalidEmail);
    if (!table_) return error(auth_errors::kInternalError);
    switch (table_->changeEmail(uid, email)) {
        case AccountTable::Status::ok: return std::nullopt;
        case AccountTable::Status::conflict: return error(auth_errors::kEmailAlreadyInUse);
        case AccountTable::Status::notFound: return error(auth_errors::kUserNotFound);
        default: return error(auth_errors::kInternalError);
    }
}

std::optional<platform::AuthError> EmbeddedAuthService::sendPasswordReset(std::string_view emailText, double now) {
    const std::string email = trimmed(emailText);
    if (!isWellFormedEmail(email)) return error(auth_errors::kInvalidEmail);
    if (!table_) return error(auth_errors::kInternalError);
    Account account;
    switch (table_->findByEmail(email, account)) {
        case AccountTable::Status::ok: break;
        case AccountTable::Status::notFound: return std::nullopt;  // no mail, same answer
        default: return error(auth_errors::kInternalError);
    }
    const std::string token = randomToken();
    const double expires = now + kResetTokenLifetime;
    if (table_->addResetToken(tokenHash(token), account.uid, expires, now) != AccountTable::Status::ok)
        return error(auth_errors::kInternalError);
    std::string problem;
    const std::string path = writeToOutbox(file_->outboxDirectory(), {account.email, token, now, expires}, problem);
    if (path.empty()) return error(auth_errors::kInternalError);
    lastMailPath_ = path;
    return std::nullopt;
}

std::optional<platform::AuthError> EmbeddedAuthService::resetPassword(std::string_view token,
                                                                      std::string_view newPassword, double now) {
    if (!table_) return error(auth_errors::kInternalError);
    if (auto problem = checkNewPassword(newPassword)) return problem;
    std::string uid;
    switch (table_->takeResetToken(tokenHash(trimmed(token)), now, uid)) {
        case AccountTable::Status::ok: break;
        case AccountTable::Status::notFound: return error(auth_errors::kInvalidResetToken);
        default: return error(auth_errors::kInternalError);
    }
    auto hash = hashPassword(newPassword, cost_);
    if (!hash) return error(auth_errors::kInternalError);
    switch (table_->changePasswordHash(uid, *hash)) {
        case AccountTable::Status::ok: return std::nullopt;
        case AccountTable::Status::notFound: return error(auth_errors::kUserNotFound);
        default: return error(auth_errors::kInternalError);
    }
}

}  // namespace services::embedded
