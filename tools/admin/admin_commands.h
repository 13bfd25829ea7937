#pragma once
// The commands of lectio-admin, apart from argument parsing so that tests can run them.
// Each writes its answer to `out`, its complaint to `err`, and returns the exit status.
#include <ostream>
#include <string>

#include "services/embedded/embedded_services.h"

namespace lectio_admin {

enum ExitStatus { kOk = 0, kFailed = 1, kUsage = 2 };

// Lines of "<uid>\t<email>\t<created, UTC>", by address.
int listAccounts(services::embedded::EmbeddedServices& services, std::ostream& out, std::ostream& err);
// One user, found by uid or by address, as the JSON that importUser reads:
//   {"uid": ..., "account": {"email", "passwordHash", "created"} or null, "record": {...} or null}
int showUser(services::embedded::EmbeddedServices& services, const std::string& uidOrEmail, std::ostream& out,
             std::ostream& err);
// Restores a user from that JSON: the account (when present) and the record (when the key is
// present; null removes it) replace what the data directory holds for that uid.
int importUser(services::embedded::EmbeddedServices& services, const std::string& json, std::ostream& out,
               std::ostream& err);
// Redeems the one-time code of a password-reset mail.
int resetPassword(services::embedded::EmbeddedServices& services, const std::string& token,
                  const std::string& newPassword, double now, std::ostream& out, std::ostream& err);

}  // namespace lectio_admin
