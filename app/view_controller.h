#pragma once
// The root screen: the window's first screen, which presents the other screens.
#include <string>

#include "platform/screen.h"

namespace platform { class View; }

namespace app {

class ViewController : public platform::Screen {
public:
    explicit ViewController(platform::Environment& env) : Screen(env) {}

    platform::View* onlineIndicatorView = nullptr;
    std::string uid;
    std::string identifier = "ProfileViewController";

    void viewDidLoad() override;
    void viewDidLayoutSubviews() override;
    void viewDidAppear(bool animated) override;
    std::string storyboardIdentifier() const override { return "ViewController"; }

private:
    void openReadingScreen();
    void presentScreen(const std::string& id);
    bool creatingLocalAccount_ = false;
};

}  // namespace app
