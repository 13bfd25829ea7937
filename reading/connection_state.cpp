// The reading screen's online indicator: the statusBar strip shows while the database client is
// not connected, and `online` decides whether a chapter waits for its highlights.
#include "reading/bible_view_controller.h"

namespace reading {

void BibleViewController::checkIfOnline() {
    // Every layout pass asks; one observation answers them all, since each would set the same
    // flag and alpha from the same value.
    if (connectionObservation_ || !env().database) return;
    connectionObservation_ = env().database->observeConnectionState(whileAlive([this](const platform::Value& value) {
        online = value.is_boolean() && value.get<bool>();
        if (statusBar) statusBar->alpha = online ? 0 : 1;
    }));
}

}  // namespace reading
