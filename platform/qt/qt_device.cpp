#include "platform/qt/qt_device.h"

#include <QDir>

#include "platform/qt/assets/fonts.h"

namespace lectio::qt {

QtDevice::QtDevice(platform::Storyboard storyboard, std::string resourceDirectory)
    : resources(std::move(resourceDirectory)),
      env_{mainQueue, clock,     random,       pasteboard, browser, userDefaults,
           haptics,   resources, textMeasurer, std::move(storyboard)} {
    QDir dir(QString::fromStdString(resources.directory()));
    // Fonts first: the window's first layout already measures text.
    if (!resources.directory().empty()) registerApplicationFonts(dir.filePath("fonts"));
    widget_ = std::make_unique<WindowWidget>(env_, resources.directory().empty() ? QString() : dir.filePath("images"));
    widget_->setWindowTitle("Lectio");
    mainQueue.setAfterBlocksHandler([this] { widget_->update(); });
}

QtDevice::~QtDevice() {
    mainQueue.setAfterBlocksHandler({});
}

void QtDevice::show() {
    widget_->resize(WindowWidget::kDefaultSize);
    widget_->show();
    widget_->raise();
    widget_->activateWindow();
}

}  // namespace lectio::qt
