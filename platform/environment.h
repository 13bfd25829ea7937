#pragma once
// Everything a screen may reach outside itself, for one device. Tests and the scenario driver
// build one per simulated device; the desktop application builds one for its window.
#include <functional>
#include <memory>
#include <string>

#include "platform/auth.h"
#include "platform/database.h"
#include "platform/device.h"
#include "platform/main_queue.h"
#include "platform/text_measurer.h"

namespace platform {

class Screen;
class Window;
struct Environment;

using Storyboard = std::function<std::unique_ptr<Screen>(const std::string& identifier, Environment& env)>;

struct Environment {
    MainQueue& mainQueue;
    Clock& clock;
    Random& random;
    Pasteboard& pasteboard;
    Browser& browser;
    UserDefaults& userDefaults;
    Haptics& haptics;
    Resources& resources;
    TextMeasurer& textMeasurer;
    Storyboard storyboard;
    // The hosted services, configured once at launch before any screen exists.
    Database* database = nullptr;
    Auth* auth = nullptr;
    Window* window = nullptr;  // the key window, once it exists

    Database& db() const { return *database; }
    Auth& authentication() const { return *auth; }
};

}  // namespace platform
