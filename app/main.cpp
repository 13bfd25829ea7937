// The process entry: runs the toolkit's main loop with AppDelegate, which configures the hosted
// services before the root screen exists.
#include <QApplication>

#include "app/app_delegate.h"
#include "app/storyboard.h"
#include "platform/qt/qt_device.h"
#include "platform/window.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("Lectio");
    QApplication::setOrganizationName("Lectio");

    lectio::qt::QtDevice device(app::mainStoryboard());
    app::AppDelegate delegate(device.env());
    if (!delegate.application()) return 1;
    delegate.window = &device.window();

    // The main interface: the root screen first.
    device.window().setRootScreen(device.env().storyboard("ViewController", device.env()));
    device.show();
    int status = application.exec();
    delegate.applicationWillTerminate();
    return status;
}
