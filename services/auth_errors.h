#pragma once
// The descriptions of authentication errors as the account flows show them. The first five
// are the texts the screens' users know from the hosted service; the rest are this system's
// own, for conditions the screens do not show.
namespace services::auth_errors {

inline constexpr const char* kInvalidEmail = "The email address is badly formatted.";
inline constexpr const char* kEmailAlreadyInUse = "The email address is already in use by another account.";
inline constexpr const char* kWeakPassword = "The password must be 6 characters long or more.";
inline constexpr const char* kTooManyRequests =
    "We have blocked all requests from this device due to unusual activity. Try again later.";
inline constexpr const char* kInternalError =
    "An internal error has occurred, print and inspect the error details for more information.";

inline constexpr const char* kWrongPassword = "The password is invalid or the user does not have a password.";
inline constexpr const char* kUserNotFound =
    "There is no user record corresponding to this identifier. The user may have been deleted.";
inline constexpr const char* kPasswordTooLong = "The password must be 1024 characters long or fewer.";
inline constexpr const char* kNoCurrentUser = "No user is signed in on this device.";
inline constexpr const char* kInvalidResetToken = "The password reset code is invalid, used or expired.";

}  // namespace services::auth_errors
