#include "services/embedded/password_reset_mail.h"

#include <cmath>
#include <ctime>
#include <filesystem>
#include <fstream>

#include "services/embedded/credentials.h"

namespace services::embedded {

std::string rfc5322Date(double secondsSince1970) {
    static constexpr const char* kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                              "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const std::time_t t = static_cast<std::time_t>(std::floor(secondsSince1970));
    std::tm tm{};
    gmtime_r(&t, &tm);
    char out[64];
    std::snprintf(out, sizeof out, "%s, %02d %s %04d %02d:%02d:%02d +0000", kDays[tm.tm_wday % 7], tm.tm_mday,
                  kMonths[tm.tm_mon % 12], tm.tm_year + 1900, tm.tm_hour, tm.tm_min, tm.tm_sec);
    return out;
}

std::string composeResetMail(const ResetMail& mail) {
    const std::string messageId = randomToken().substr(0, 32) + "@lectio.invalid";
    std::string m;
    auto line = [&m](const std::string& text) { m += text + "\r\n"; };
    line("From: Lectio <no-reply@lectio.invalid>");
    line("To: <" + mail.to + ">");
    line("Subject: Reset your Lectio password");
    line("Date: " + rfc5322Date(mail.sentAt));
    line("Message-ID: <" + messageId + ">");
    line("MIME-Version: 1.0");
    line("Content-Type: text/plain; charset=utf-8");
    line("Content-Transfer-Encoding: 7bit");
    line("X-Lectio-Reset-Token: " + mail.token);
    line("");
    line("Hello,");
    line("");
    line("Someone asked to reset the password of the Lectio account of " + mail.to + ".");
    line("Your one-time reset code is:");
    line("");
    line("    " + mail.token);
    line("");
    line("To choose a new password, give this code to support or run:");
    line("");
    line("    lectio-admin reset-password " + mail.token);
    line("");
    line("The code works once and expires on " + rfc5322Date(mail.expiresAt) + ".");
    line("If you did not ask for this, ignore this message: your password stays as it is.");
    return m;
}

std::string writeToOutbox(const std::string& outboxDirectory, const ResetMail& mail, std::string& error) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::create_directories(outboxDirectory, ec);
    if (ec) {
        error = "cannot create " + outboxDirectory + ": " + ec.message();
        return {};
    }
    const std::string name = std::to_string(static_cast<long long>(std::floor(mail.sentAt))) + "-" +
                             randomToken().substr(0, 12) + ".eml";
    const fs::path finalPath = fs::path(outboxDirectory) / name;
    const fs::path partPath = fs::path(outboxDirectory) / ("." + name + ".part");
    {
        std::ofstream out(partPath, std::ios::binary | std::ios::trunc);
        out << composeResetMail(mail);
        out.flush();
        if (!out) {
            error = "cannot write " + partPath.string();
            fs::remove(partPath, ec);
            return {};
        }
    }
    fs::permissions(partPath, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::replace, ec);
    fs::rename(partPath, finalPath, ec);
    if (ec) {
        error = "cannot move the mail into " + outboxDirectory + ": " + ec.message();
        fs::remove(partPath, ec);
        return {};
    }
    return finalPath.string();
}

}  // namespace services::embedded
