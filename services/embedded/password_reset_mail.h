#pragma once
// The password-reset mail of the embedded service: an RFC 5322 message carrying a one-time
// token, written as one .eml file into the data directory's outbox (docs/AUTH.md). Nothing is
// sent; a mail transfer agent or an operator takes the files from there.
#include <string>

namespace services::embedded {

struct ResetMail {
    std::string to;           // a well-formed address
    std::string token;
    double sentAt = 0;        // seconds since 1970
    double expiresAt = 0;
};

// "Thu, 11 Dec 2025 05:48:20 +0000"
std::string rfc5322Date(double secondsSince1970);
// The whole message, lines ended by CRLF.
std::string composeResetMail(const ResetMail& mail);
// Writes the message under a unique name (written whole, then renamed into place); the
// file's path, or "" with `error` set.
std::string writeToOutbox(const std::string& outboxDirectory, const ResetMail& mail, std::string& error);

}  // namespace services::embedded
