#include "platform/qt/assets/fonts.h"

#include <algorithm>
#include <cmath>
#include <mutex>
#include <optional>
#include <set>
#include <unordered_map>

#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGuiApplication>

namespace lectio::qt {
namespace {

// Larger sizes only make the rasteriser allocate huge glyph caches.
constexpr double kMaxPixelSize = 1000;
// Names come from the user record, so any text may arrive; keep the memory of them bounded.
constexpr std::size_t kMaxRememberedNames = 256;

struct FontRegistry {
    std::mutex mutex;
    std::unordered_map<std::string, QString> familyByName;
    std::set<QString> registeredFiles;
    // Answers for names that are not registered: an installed family of that exact name, or
    // none. Listing the installed families is slow and text is measured often.
    std::unordered_map<std::string, std::optional<QString>> installedFamilyByName;
};

FontRegistry& registry() {
    static FontRegistry instance;
    return instance;
}

bool isFontFile(const QFileInfo& file) {
    const QString suffix = file.suffix().toLower();
    return file.isFile() && (suffix == "ttf" || suffix == "otf");
}

std::optional<QString> familyFor(const std::string& name) {
    if (name.empty()) return std::nullopt;
    FontRegistry& r = registry();
    {
        std::lock_guard lock(r.mutex);
        if (auto it = r.familyByName.find(name); it != r.familyByName.end()) return it->second;
        if (auto it = r.installedFamilyByName.find(name); it != r.installedFamilyByName.end()) return it->second;
    }
    if (!qGuiApp) return std::nullopt;
    std::optional<QString> installed;
    const QString family = QString::fromStdString(name);
    if (QFontDatabase::families().contains(family, Qt::CaseSensitive)) installed = family;
    std::lock_guard lock(r.mutex);
    if (r.installedFamilyByName.size() >= kMaxRememberedNames) r.installedFamilyByName.clear();
    r.installedFamilyByName[name] = installed;
    return installed;
}

}  // namespace

void registerApplicationFonts(const QString& fontsDir) {
    if (!qGuiApp || fontsDir.isEmpty()) return;
    const QFileInfoList files = QDir(fontsDir).entryInfoList(QDir::Files | QDir::Readable, QDir::Name);
    FontRegistry& r = registry();
    for (const QFileInfo& file : files) {
        if (!isFontFile(file)) continue;
        const QString path = file.canonicalFilePath();
        {
            std::lock_guard lock(r.mutex);
            if (!r.registeredFiles.insert(path).second) continue;
        }
        const int id = QFontDatabase::addApplicationFont(path);
        if (id < 0) continue;  // not a font Qt can read
        const QStringList families = QFontDatabase::applicationFontFamilies(id);
        if (families.isEmpty()) continue;
        std::lock_guard lock(r.mutex);
        r.installedFamilyByName.clear();
        // The file name is the exact name the reader asks for; it wins over a family name
        // that happens to be spelled the same.
        r.familyByName[file.completeBaseName().toStdString()] = families.first();
        for (const QString& family : families) r.familyByName.try_emplace(family.toStdString(), family);
    }
}

bool fontNameResolves(const std::string& name) {
    return familyFor(name).has_value();
}

QFont fontNamed(const std::string& name, double size) {
    const std::optional<QString> family = familyFor(name);
    if (!family) return QGuiApplication::font();
    QFont font(*family);
    font.setWeight(QFont::Normal);
    font.setStyle(QFont::StyleNormal);
    if (std::isfinite(size) && size >= 1) font.setPixelSize(static_cast<int>(std::lround(std::min(size, kMaxPixelSize))));
    return font;
}

}  // namespace lectio::qt
