#pragma once
// The authentication client: accounts keyed by email address and password. Every completion
// arrives through the main queue, never inside the calling function. The signed-in user is
// remembered on the device across restarts.
#include <functional>
#include <optional>
#include <string>

namespace platform {

struct AuthError {
    std::string description;
};

struct AuthUser {
    std::string uid;    // random, safe to use as one path segment
    std::string email;
};

using AuthCompletion = std::function<void(const std::optional<AuthUser>&, const std::optional<AuthError>&)>;
using AuthErrorCompletion = std::function<void(const std::optional<AuthError>&)>;

class Auth {
public:
    virtual ~Auth() = default;

    virtual std::optional<AuthUser> currentUser() const = 0;
    // On success the new user is signed in on this device.
    virtual void createUser(const std::string& email, const std::string& password, AuthCompletion completion) = 0;
    virtual void signIn(const std::string& email, const std::string& password, AuthCompletion completion) = 0;
    // Synchronous, like the toolkit's client: an error is returned, not delivered.
    virtual std::optional<AuthError> signOut() = 0;
    virtual void updateEmail(const std::string& email, AuthErrorCompletion completion) = 0;
    virtual void sendPasswordReset(const std::string& email, AuthErrorCompletion completion) = 0;
};

}  // namespace platform
