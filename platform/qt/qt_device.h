#pragma once
// The desktop device: the Qt facilities behind one platform::Environment and the window that
// shows it. Needs a QApplication; build it after the application object and before any screen.
//
//     QApplication app(argc, argv);
//     lectio::qt::QtDevice device(storyboard);
//     device.env().database = ...; device.env().auth = ...;
//     device.window().setRootScreen(...);
//     device.show();
//     return app.exec();
#include <memory>
#include <string>

#include "platform/directory_resources.h"
#include "platform/environment.h"
#include "platform/qt/qt_device_services.h"
#include "platform/qt/qt_main_queue.h"
#include "platform/qt/qt_text_measurer.h"
#include "platform/qt/window_widget.h"

namespace lectio::qt {

class QtDevice {
public:
    // Registers the fonts of `resourceDirectory` ("<dir>/fonts") and creates the window.
    explicit QtDevice(platform::Storyboard storyboard, std::string resourceDirectory = locateResourceDirectory());
    ~QtDevice();
    QtDevice(const QtDevice&) = delete;
    QtDevice& operator=(const QtDevice&) = delete;

    platform::Environment& env() { return env_; }
    platform::Window& window() { return widget_->window(); }
    WindowWidget& widget() { return *widget_; }
    const std::string& resourceDirectory() const { return resources.directory(); }

    // Shows the window at its phone-like size.
    void show();

    SystemClock clock;
    QtMainQueue mainQueue{clock};
    SystemRandom random;
    QtPasteboard pasteboard;
    QtBrowser browser;
    QtUserDefaults userDefaults;
    QtHaptics haptics;
    platform::DirectoryResources resources;
    QtTextMeasurer textMeasurer;

private:
    platform::Environment env_;
    std::unique_ptr<WindowWidget> widget_;
};

}  // namespace lectio::qt
