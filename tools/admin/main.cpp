// lectio-admin: support and backup for the embedded services' data directory.
//   lectio-admin [--data-dir DIR] list
//   lectio-admin [--data-dir DIR] show UID|EMAIL
//   lectio-admin [--data-dir DIR] import FILE|-
//   lectio-admin [--data-dir DIR] reset-password CODE   (new password read from standard input)
// The data directory is locked while the application runs; close it first.
#include <chrono>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "services/configuration.h"
#include "tools/admin/admin_commands.h"

namespace {

constexpr const char* kUsage =
    "usage: lectio-admin [--data-dir DIR] COMMAND\n"
    "  list                   the accounts: uid, email address, creation time\n"
    "  show UID|EMAIL         one user's account and record as JSON\n"
    "  import FILE|-          restore a user from the JSON that show prints\n"
    "  reset-password CODE    set a new password (read from standard input) with a reset code\n"
    "DIR defaults to the user's data directory ($XDG_DATA_HOME/lectio or ~/.local/share/lectio).\n";

std::string readAll(std::istream& in) {
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

int main(int argc, char** argv) {
    std::string dataDirectory;
    std::vector<std::string> words;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--data-dir" && i + 1 < argc) {
            dataDirectory = argv[++i];
        } else if (arg.rfind("--data-dir=", 0) == 0) {
            dataDirectory = arg.substr(11);
        } else if (arg == "-h" || arg == "--help") {
            std::cout << kUsage;
            return lectio_admin::kOk;
        } else {
            words.push_back(arg);
        }
    }
    const auto needs = [&](std::size_t count) { return words.size() == count; };
    if (words.empty() || !((words[0] == "list" && needs(1)) || (words[0] == "show" && needs(2)) ||
                           (words[0] == "import" && needs(2)) || (words[0] == "reset-password" && needs(2)))) {
        std::cerr << kUsage;
        return lectio_admin::kUsage;
    }
    if (dataDirectory.empty()) dataDirectory = services::defaultDataDirectory();
    if (dataDirectory.empty()) {
        std::cerr << "lectio-admin: no data directory: pass --data-dir\n";
        return lectio_admin::kUsage;
    }

    auto services = services::embedded::EmbeddedServices::open({dataDirectory});
    if (!services->isConnected()) {
        std::cerr << "lectio-admin: cannot open " << dataDirectory << ": " << services->problem() << "\n";
        return lectio_admin::kFailed;
    }

    const std::string& command = words[0];
    if (command == "list") return lectio_admin::listAccounts(*services, std::cout, std::cerr);
    if (command == "show") return lectio_admin::showUser(*services, words[1], std::cout, std::cerr);
    if (command == "import") {
        std::string json;
        if (words[1] == "-") {
            json = readAll(std::cin);
        } else {
            std::ifstream in(words[1], std::ios::binary);
            if (!in) {
                std::cerr << "lectio-admin: cannot read " << words[1] << "\n";
                return lectio_admin::kFailed;
            }
            json = readAll(in);
        }
        return lectio_admin::importUser(*services, json, std::cout, std::cerr);
    }
    std::string password;
    std::getline(std::cin, password);
    const double now = std::chrono::duration<double>(std::chrono::system_clock::now().time_since_epoch()).count();
    return lectio_admin::resetPassword(*services, words[1], password, now, std::cout, std::cerr);
}
