#include "platform/qt/qt_device_services.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <utility>

namespace lectio::qt {

void QtPasteboard::setString(const std::string& text) {
    QGuiApplication::clipboard()->setText(QString::fromStdString(text));
}

std::string QtPasteboard::string() const { return QGuiApplication::clipboard()->text().toStdString(); }

QtBrowser::QtBrowser(Opener opener) : opener_(std::move(opener)) {
    if (!opener_) opener_ = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
}

bool QtBrowser::isOpenable(const QUrl& url) {
    const QString scheme = url.scheme().toLower();
    return url.isValid() && (scheme == "http" || scheme == "https") && !url.host().isEmpty();
}

void QtBrowser::open(const std::string& url) {
    QUrl parsed(QString::fromStdString(url), QUrl::StrictMode);
    if (isOpenable(parsed)) opener_(parsed);
}

// Keys are percent-encoded so that "/" and "\" in a key never open a settings group.
static QString settingsKey(const char* group, const std::string& key) {
    return QString::fromLatin1(group) + '/' +
           QString::fromLatin1(QUrl::toPercentEncoding(QString::fromStdString(key)));
}

QtUserDefaults::QtUserDefaults()
    : settings_(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, "Lectio", "Lectio")) {}

QtUserDefaults::QtUserDefaults(const QString& path)
    : settings_(std::make_unique<QSettings>(path, QSettings::IniFormat)) {}

bool QtUserDefaults::boolForKey(const std::string& key) const {
    QVariant v = settings_->value(settingsKey("bool", key));
    if (v.typeId() == QMetaType::Bool) return v.toBool();
    // The INI format hands booleans back as text; anything but "true" is false.
    return v.typeId() == QMetaType::QString && v.toString() == "true";
}

void QtUserDefaults::setBool(const std::string& key, bool value) {
    settings_->remove(settingsKey("text", key));
    settings_->setValue(settingsKey("bool", key), value);
    settings_->sync();
}

std::optional<std::string> QtUserDefaults::stringForKey(const std::string& key) const {
    QVariant v = settings_->value(settingsKey("text", key));
    if (v.typeId() != QMetaType::QString) return std::nullopt;
    return v.toString().toStdString();
}

void QtUserDefaults::setString(const std::string& key, const std::string& value) {
    settings_->remove(settingsKey("bool", key));
    settings_->setValue(settingsKey("text", key), QString::fromStdString(value));
    settings_->sync();
}

void QtUserDefaults::removeKey(const std::string& key) {
    settings_->remove(settingsKey("bool", key));
    settings_->remove(settingsKey("text", key));
    settings_->sync();
}

SystemRandom::SystemRandom() : engine_(std::random_device{}()) {}

int SystemRandom::uniform(int low, int high) {
    if (low > high) std::swap(low, high);
    return std::uniform_int_distribution<int>(low, high)(engine_);
}

std::string locateResourceDirectory() {
    QStringList candidates;
    if (QCoreApplication::instance()) {
        QDir exeDir(QCoreApplication::applicationDirPath());
        candidates << exeDir.filePath("resources") << exeDir.filePath("../resources");
    }
#ifdef LECTIO_RESOURCE_DIR
    candidates << QString::fromUtf8(LECTIO_RESOURCE_DIR);
#endif
    for (const QString& c : candidates) {
        QFileInfo info(c);
        if (info.isDir()) return QDir(info.absoluteFilePath()).canonicalPath().toStdString();
    }
    return {};
}

}  // namespace lectio::qt
