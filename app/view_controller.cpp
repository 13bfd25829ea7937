#include "app/view_controller.h"

#include "app/local_account.h"
#include "platform/environment.h"
#include "platform/view.h"
#include "platform/window.h"

namespace app {

void ViewController::viewDidLoad() {
    view()->backgroundColor = platform::Color::white();
    onlineIndicatorView = view()->addNew<platform::View>("onlineIndicatorView");
    onlineIndicatorView->backgroundColor = platform::Color::rgba(0.85, 0.2, 0.2, 1);
}

void ViewController::viewDidLayoutSubviews() {
    if (onlineIndicatorView) onlineIndicatorView->frame = {0, 0, view()->frame.width, 3};
}

void ViewController::viewDidAppear(bool) { openReadingScreen(); }

// Until sign-in and routing arrive, the reader goes straight to the reading screen, signed in
// to a local account made on the first run.
void ViewController::openReadingScreen() {
    if (presentedScreen() || creatingLocalAccount_) return;
    platform::Auth* auth = env().auth;
    if (!auth || auth->currentUser()) {
        uid = auth && auth->currentUser() ? auth->currentUser()->uid : "";
        presentScreen("BibleViewController");
        return;
    }
    creatingLocalAccount_ = true;
    createLocalAccount(env(), [this](const std::string& newUid, const std::string& error) {
        creatingLocalAccount_ = false;
        if (!error.empty()) {
            presentAlert({"!", error, platform::AlertStyle::alert, {{"OK", platform::AlertActionStyle::defaultStyle, {}}}});
            return;
        }
        uid = newUid;
        presentScreen("BibleViewController");
    });
}

void ViewController::presentScreen(const std::string& id) {
    identifier = id;
    auto screen = instantiateScreen(id);
    if (!screen) return;  // that screen is not part of this build yet: the root stays bare
    screen->modalPresentationStyle = platform::ModalPresentationStyle::fullScreen;
    screen->isModalInPresentation = true;
    present(std::move(screen), false);
}

}  // namespace app
