#pragma once
// The value model shared by the database client, the user record and the scenario driver.
// JSON's kinds are exactly the kinds a record node can hold: null (a missing node), boolean,
// whole number, floating-point number, text, list and keyed map. Whole and floating-point
// numbers stay distinct (18 stays 18, 24.0 stays 24.0).
#include <nlohmann/json.hpp>

namespace platform {

using Value = nlohmann::json;
using ValueMap = nlohmann::json::object_t;
using ValueList = nlohmann::json::array_t;

}  // namespace platform
