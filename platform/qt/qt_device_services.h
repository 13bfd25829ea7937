#pragma once
// The device facilities of the desktop window: the system clipboard, the default browser, a
// settings file, randomness, haptics (a desktop has none) and the resource directory.
#include <QSettings>
#include <QUrl>
#include <functional>
#include <memory>
#include <random>
#include <string>

#include "platform/device.h"

namespace lectio::qt {

class QtPasteboard final : public platform::Pasteboard {
public:
    void setString(const std::string& text) override;
    std::string string() const override;
};

// Opens web addresses in the default browser. Only http and https addresses with a host are
// passed on; anything else (file:, javascript:, mailto:, garbage) is refused, so a bad address
// built from data can never launch a local program.
class QtBrowser final : public platform::Browser {
public:
    using Opener = std::function<bool(const QUrl&)>;
    // `opener` defaults to QDesktopServices::openUrl; tests record instead.
    explicit QtBrowser(Opener opener = {});
    void open(const std::string& url) override;
    static bool isOpenable(const QUrl& url);

private:
    Opener opener_;
};

// User defaults in an INI file. Booleans and texts live in separate groups so that each key
// keeps its type across restarts, as the in-memory defaults do: a key written as text reads
// as false, one written as a boolean has no text. Values of the wrong shape in a hand-edited
// file read as never written.
class QtUserDefaults final : public platform::UserDefaults {
public:
    // The user's settings file: <config dir>/Lectio/Lectio.ini.
    QtUserDefaults();
    // A settings file at `path` (tests use a temporary one).
    explicit QtUserDefaults(const QString& path);

    bool boolForKey(const std::string& key) const override;
    void setBool(const std::string& key, bool value) override;
    std::optional<std::string> stringForKey(const std::string& key) const override;
    void setString(const std::string& key, const std::string& value) override;
    void removeKey(const std::string& key) override;

    QString fileName() const { return settings_->fileName(); }

private:
    std::unique_ptr<QSettings> settings_;
};

// Desktops have no impact feedback; pulses are accepted and counted, nothing more.
class QtHaptics final : public platform::Haptics {
public:
    void impact(platform::ImpactStyle) override { ++pulses_; }
    int pulseCount() const { return pulses_; }

private:
    int pulses_ = 0;
};

class SystemRandom final : public platform::Random {
public:
    SystemRandom();
    // A reversed range is read the right way round rather than trusted.
    int uniform(int low, int high) override;

private:
    std::mt19937 engine_;
};

// The resource directory of the running program: "resources" next to the executable or one
// level up, else the build tree's resources; empty when none exists.
std::string locateResourceDirectory();

}  // namespace lectio::qt
