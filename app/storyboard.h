#pragma once
// The main storyboard: the screens the application creates by identifier.
#include "platform/environment.h"

namespace app {

// "ViewController" (the root screen), "BibleViewController", "ProfileViewController".
platform::Storyboard mainStoryboard();

}  // namespace app
