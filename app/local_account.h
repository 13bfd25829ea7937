#pragma once
// A local account for a reader who has not signed up: made once per device on the first run,
// with the record a new account starts with.
#include <functional>
#include <string>

#include "platform/environment.h"

namespace app {

// Creates the account and writes its initial record; `done` gets the new uid, or an error text.
void createLocalAccount(platform::Environment& env,
                        std::function<void(const std::string& uid, const std::string& error)> done);

}  // namespace app
