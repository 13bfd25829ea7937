#pragma once
// A WindowWidget on the offscreen platform showing the probe screen, with a clock the test
// moves by hand, and real mouse, wheel and key events sent to the widget.
#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QWheelEvent>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

#include "common/probe_screen.h"
#include "platform/directory_resources.h"
#include "platform/environment.h"
#include "platform/headless/virtual_time.h"
#include "platform/qt/qt_device_services.h"
#include "platform/qt/qt_main_queue.h"
#include "platform/qt/qt_text_measurer.h"
#include "platform/qt/window_widget.h"

namespace qttest {

using namespace platform;
using probe::ProbeScreen;

inline AlertController makeAlert(std::string title, std::string message, std::vector<AlertAction> actions) {
    AlertController alert;
    alert.title = std::move(title);
    alert.message = std::move(message);
    alert.actions = std::move(actions);
    return alert;
}

inline QString resourceDirectory() { return QString::fromUtf8(LECTIO_RESOURCE_DIR); }

struct QtWindowFixture : ::testing::Test {
    headless::VirtualClock clock;
    lectio::qt::QtMainQueue queue{clock};
    lectio::qt::SystemRandom random;
    lectio::qt::QtPasteboard pasteboard;
    std::vector<QUrl> openedUrls;
    lectio::qt::QtBrowser browser{[this](const QUrl& u) { openedUrls.push_back(u); return true; }};
    QTemporaryDir settingsDir;
    lectio::qt::QtUserDefaults userDefaults{settingsDir.filePath("defaults.ini")};
    lectio::qt::QtHaptics haptics;
    platform::DirectoryResources resources{LECTIO_RESOURCE_DIR};
    lectio::qt::QtTextMeasurer textMeasurer;
    Environment env{queue, clock, random, pasteboard, browser, userDefaults, haptics, resources, textMeasurer, {}};
    std::unique_ptr<lectio::qt::WindowWidget> widget;
    ProbeScreen* screen = nullptr;

    // The probe screen is laid out for a 390 x 844 window.
    void SetUp() override { show(std::make_unique<ProbeScreen>(env)); }

    void show(std::unique_ptr<ProbeScreen> s) {
        widget = std::make_unique<lectio::qt::WindowWidget>(env, QDir(resourceDirectory()).filePath("images"),
                                                            QSize(390, 844));
        screen = s.get();
        widget->window().setRootScreen(std::move(s));
        widget->show();
        QApplication::processEvents();
        runDue();
    }

    void runDue() { queue.runDueBlocks(); }
    void advance(double seconds) {
        // Step through time so that each block runs at its moment, as the event loop would.
        double end = clock.now() + seconds;
        while (clock.now() < end) {
            clock.set(std::min(end, clock.now() + 0.01));
            runDue();
        }
    }

    void mouse(QEvent::Type type, Point p, Qt::MouseButton button, Qt::MouseButtons held) {
        QPointF local(p.x, p.y);
        QMouseEvent event(type, local, widget->mapToGlobal(local), button, held, Qt::NoModifier);
        QApplication::sendEvent(widget.get(), &event);
        runDue();
    }
    void press(Point p, Qt::MouseButton b = Qt::LeftButton) { mouse(QEvent::MouseButtonPress, p, b, b); }
    void move(Point p, Qt::MouseButtons held = Qt::LeftButton) { mouse(QEvent::MouseMove, p, Qt::NoButton, held); }
    void release(Point p, Qt::MouseButton b = Qt::LeftButton) { mouse(QEvent::MouseButtonRelease, p, b, Qt::NoButton); }

    void click(Point p) {
        press(p);
        advance(0.05);
        release(p);
    }
    void drag(Point from, Point to, double seconds = 0.3, int steps = 10) {
        press(from);
        for (int i = 1; i <= steps; ++i) {
            advance(seconds / steps);
            double f = static_cast<double>(i) / steps;
            move({from.x + (to.x - from.x) * f, from.y + (to.y - from.y) * f});
        }
        release(to);
    }
    void wheel(Point p, int angleDeltaY) {
        QPointF local(p.x, p.y);
        QWheelEvent event(local, widget->mapToGlobal(local), QPoint(), QPoint(0, angleDeltaY), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(widget.get(), &event);
        runDue();
    }
    void key(int keyCode, Qt::KeyboardModifiers mods = Qt::NoModifier, const QString& text = {}) {
        QKeyEvent event(QEvent::KeyPress, keyCode, mods, text);
        QApplication::sendEvent(widget.get(), &event);
        runDue();
    }

    QImage grabbed() {
        QApplication::processEvents();
        return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }

    static Point inTable(double x, double y) {
        return {ProbeScreen::kTableFrame.x + x, ProbeScreen::kTableFrame.y + y};
    }
};

}  // namespace qttest
