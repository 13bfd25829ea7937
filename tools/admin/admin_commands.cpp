#include "tools/admin/admin_commands.h"

#include "platform/headless/virtual_time.h"
#include "services/embedded/credentials.h"
#include "services/embedded/email_address.h"
#include "services/embedded/password_reset_mail.h"
#include "services/tree/node.h"
#include "services/tree/path.h"

namespace lectio_admin {

using services::embedded::Account;
using services::embedded::AccountTable;
using services::embedded::EmbeddedServices;
using Value = platform::Value;

namespace {

AccountTable* accountsOrComplain(EmbeddedServices& services, std::ostream& err) {
    AccountTable* accounts = services.auth().accounts();
    if (!accounts) err << "lectio-admin: cannot use the accounts: " << services.problem() << "\n";
    return accounts;
}

}  // namespace

int listAccounts(EmbeddedServices& services, std::ostream& out, std::ostream& err) {
    AccountTable* accounts = accountsOrComplain(services, err);
    if (!accounts) return kFailed;
    std::vector<Account> all;
    if (accounts->list(all) != AccountTable::Status::ok) {
        err << "lectio-admin: cannot read the accounts\n";
        return kFailed;
    }
    for (const auto& a : all) out << a.uid << '\t' << a.email << '\t' << services::embedded::rfc5322Date(a.created) << '\n';
    return kOk;
}

int showUser(EmbeddedServices& services, const std::string& uidOrEmail, std::ostream& out, std::ostream& err) {
    AccountTable* accounts = accountsOrComplain(services, err);
    if (!accounts) return kFailed;
    Account account;
    auto status = accounts->findByUid(uidOrEmail, account);
    if (status == AccountTable::Status::notFound && uidOrEmail.find('@') != std::string::npos)
        status = accounts->findByEmail(uidOrEmail, account);
    if (status == AccountTable::Status::failed) {
        err << "lectio-admin: cannot read the accounts\n";
        return kFailed;
    }
    const std::string uid = status == AccountTable::Status::ok ? account.uid : uidOrEmail;
    if (!services::embedded::isSafeUid(uid)) {
        err << "lectio-admin: no account " << uidOrEmail << "\n";
        return kFailed;
    }
    Value record = services.store().tree().valueAt({"users", uid});
    if (status != AccountTable::Status::ok && record.is_null()) {
        err << "lectio-admin: no account or record " << uidOrEmail << "\n";
        return kFailed;
    }
    Value user = {{"uid", uid}, {"account", nullptr}, {"record", std::move(record)}};
    if (status == AccountTable::Status::ok)
        user["account"] = {{"email", account.email}, {"passwordHash", account.passwordHash}, {"created", account.created}};
    out << user.dump(2) << '\n';
    return kOk;
}

int importUser(EmbeddedServices& services, const std::string& json, std::ostream& out, std::ostream& err) {
    const Value user = Value::parse(json, nullptr, /*allow_exceptions=*/false);
    if (user.is_discarded() || !user.is_object()) {
        err << "lectio-admin: the input is not a JSON object\n";
        return kFailed;
    }
    const auto uid = user.value("uid", Value()).is_string() ? user["uid"].get<std::string>() : std::string();
    if (!services::embedded::isSafeUid(uid)) {
        err << "lectio-admin: \"uid\" must be 1 to 128 letters, digits, \"-\" or \"_\"\n";
        return kFailed;
    }

    std::optional<Account> account;
    if (auto it = user.find("account"); it != user.end() && !it->is_null()) {
        const Value& a = *it;
        if (!a.is_object() || !a.value("email", Value()).is_string() || !a.value("passwordHash", Value()).is_string()) {
            err << "lectio-admin: \"account\" needs \"email\" and \"passwordHash\" texts\n";
            return kFailed;
        }
        account = Account{uid, services::embedded::trimmed(a["email"].get<std::string>()),
                          a["passwordHash"].get<std::string>(), 0};
        if (auto created = a.find("created"); created != a.end() && created->is_number())
            account->created = created->get<double>();
        if (!services::embedded::isWellFormedEmail(account->email)) {
            err << "lectio-admin: the account's email address is badly formatted\n";
            return kFailed;
        }
        if (!services::embedded::isArgon2idHash(account->passwordHash)) {
            err << "lectio-admin: \"passwordHash\" is not an Argon2id hash\n";
            return kFailed;
        }
    }
    const auto recordIt = user.find("record");
    if (recordIt != user.end() && !recordIt->is_null() && !recordIt->is_object()) {
        err << "lectio-admin: \"record\" must be an object or null\n";
        return kFailed;
    }
    if (recordIt != user.end()) {
        auto conversion = services::tree::nodeFromValue(*recordIt, services::tree::kMaxDepth - 2);
        if (!conversion.ok) {
            err << "lectio-admin: the record holds " << conversion.problem << "\n";
            return kFailed;
        }
    }

    if (account) {
        AccountTable* accounts = accountsOrComplain(services, err);
        if (!accounts) return kFailed;
        switch (accounts->put(*account)) {
            case AccountTable::Status::ok: break;
            case AccountTable::Status::conflict:
                err << "lectio-admin: " << account->email << " belongs to another account\n";
                return kFailed;
            default: err << "lectio-admin: cannot write the account\n"; return kFailed;
        }
    }
    if (recordIt != user.end()) {
        if (!services.isConnected()) {
            err << "lectio-admin: cannot write the record: " << services.problem() << "\n";
            return kFailed;
        }
        platform::headless::VirtualClock clock;
        platform::headless::VirtualMainQueue queue(clock);
        auto& store = services.store();
        store.set(queue, "users/" + uid, *recordIt);
        if (!store.flush()) {
            err << "lectio-admin: cannot save the record: " << services.problem() << "\n";
            return kFailed;
        }
    }
    out << "imported " << uid << "\n";
    return kOk;
}

int resetPassword(EmbeddedServices& services, const std::string& token, const std::string& newPassword, double now,
                  std::ostream& out, std::ostream& err) {
    if (auto error = services.auth().resetPassword(token, newPassword, now)) {
        err << "lectio-admin: " << error->description << "\n";
        return kFailed;
    }
    out << "password changed\n";
    return kOk;
}

}  // namespace lectio_admin
