#include "reading/bible_view_controller.h"

#include "platform/alert.h"
#include "platform/window.h"
#include "userdata/place_storage.h"

namespace reading {

BibleViewController::BibleViewController(platform::Environment& env)
    : Screen(env), touchesBeganTime(env.clock.now()) {
    if (env.database) ref = platform::DatabaseReference(*env.database);
}

BibleViewController::~BibleViewController() {
    if (!env().database) return;
    for (auto handle : {connectionObservation_, highlightsObservation_})
        if (handle) env().database->removeObserver(handle);
}

void BibleViewController::setScreenSize() {
    platform::Window* w = window() ? window() : env().window;
    platform::Size size = w ? w->size() : platform::Size{};
    screenWidth = size.width;
    screenHeight = size.height;
}

void BibleViewController::alert(const std::string& alertText) {
    platform::AlertController alertController;
    alertController.title = "!";
    alertController.message = alertText;
    alertController.style = platform::AlertStyle::alert;
    alertController.actions.push_back({"OK", platform::AlertActionStyle::defaultStyle, {}});
    presentAlert(std::move(alertController), true);
}

// Each pulse makes a fresh generator of its strength, keeps it as the last one, and fires it.
static void pulse(std::optional<ImpactFeedbackGenerator>& generator, platform::Haptics& haptics,
                  platform::ImpactStyle style) {
    generator = ImpactFeedbackGenerator{style};
    generator->prepare();
    generator->impactOccurred(haptics);
}

// Every move ends here; the record work (place keys, history entry) is userdata's.
void BibleViewController::storeLocation() {
    userdata::storeLocation(ref, uid, currentBook, currentChapter, currentVerse, env().clock.now());
}

void BibleViewController::lightFeedback() { pulse(feedbackGenerator, env().haptics, platform::ImpactStyle::light); }
void BibleViewController::mediumFeedback() { pulse(feedbackGenerator, env().haptics, platform::ImpactStyle::medium); }
void BibleViewController::heavyFeedback() { pulse(feedbackGenerator, env().haptics, platform::ImpactStyle::heavy); }

}  // namespace reading
