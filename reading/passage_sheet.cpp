// Interim: until the touch menu arrives, a long press on the text opens a small sheet that
// reaches the two passage actions. The touch menu's gesture replaces this one.
#include "reading/bible_view_controller.h"

namespace reading {

void BibleViewController::contentLongPressed(const platform::GestureRecognizer& gesture) {
    if (gesture.state() != platform::GestureState::began || contentMode != "Verses") return;
    heavyFeedback();
    platform::AlertController sheet;
    sheet.title = "Passage";
    sheet.style = platform::AlertStyle::actionSheet;
    sheet.actions = {
        {"Highlight", platform::AlertActionStyle::defaultStyle, whileAlive([this] {
             lightFeedback();
             highlightPassage();
         })},
        {"Copy", platform::AlertActionStyle::defaultStyle, whileAlive([this] {
             lightFeedback();
             copyPassage();
         })},
        {"Cancel", platform::AlertActionStyle::cancel, whileAlive([this] { lightFeedback(); })},
    };
    presentAlert(std::move(sheet), false);
}

}  // namespace reading
