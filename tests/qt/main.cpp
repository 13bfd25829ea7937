// The Qt tests need one application object with the shipped fonts registered; the offscreen
// platform needs no display.
#include <QApplication>
#include <QDir>
#include <gtest/gtest.h>

#include "platform/qt/assets/fonts.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    lectio::qt::registerApplicationFonts(QDir(QString::fromUtf8(LECTIO_RESOURCE_DIR)).filePath("fonts"));
    return RUN_ALL_TESTS();
}
