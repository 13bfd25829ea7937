#pragma once
// Alerts and action sheets with titled actions.
#include <functional>
#include <string>
#include <vector>

#include "platform/geometry.h"

namespace platform {

enum class AlertStyle { alert, actionSheet };
enum class AlertActionStyle { defaultStyle, cancel, destructive };

struct AlertAction {
    std::string title;
    AlertActionStyle style = AlertActionStyle::defaultStyle;
    std::function<void()> handler;  // may be empty: the action only closes the alert
};

struct AlertController {
    std::string title;
    std::string message;
    AlertStyle style = AlertStyle::alert;
    std::vector<AlertAction> actions;
    Rect popoverSourceRect;  // where a sheet is anchored on platforms that show popovers
    bool animated = true;
};

}  // namespace platform
