#include "app/storyboard.h"

#include "app/view_controller.h"
#ifdef LECTIO_HAVE_READING_SCREEN
#include "reading/bible_view_controller.h"
#endif

namespace app {

platform::Storyboard mainStoryboard() {
    return [](const std::string& identifier, platform::Environment& env) -> std::unique_ptr<platform::Screen> {
        if (identifier == "ViewController") return std::make_unique<ViewController>(env);
#ifdef LECTIO_HAVE_READING_SCREEN
        if (identifier == "BibleViewController") return std::make_unique<reading::BibleViewController>(env);
#endif
        return nullptr;
    };
}

}  // namespace app
