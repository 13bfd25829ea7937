#include "platform/qt/assets/images.h"

#include <cmath>
#include <map>
#include <mutex>
#include <tuple>

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgRenderer>

namespace lectio::qt {
namespace {

// Beyond this many physical pixels a side, a request is a fault, not an icon.
constexpr int kMaxPhysicalSide = 4096;
// Icons are drawn at a handful of sizes; past this many the cache starts afresh.
constexpr std::size_t kMaxCachedImages = 512;

using CacheKey = std::tuple<QString, std::string, int, int, qreal, QRgb>;

struct ImageCache {
    std::mutex mutex;
    std::map<CacheKey, QImage> images;
};

ImageCache& cache() {
    static ImageCache instance;
    return instance;
}

// Only plain names: a name must not reach outside the images directory.
bool isPlainName(const std::string& name) {
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9_-]+$"));
    return plain.match(QString::fromStdString(name)).hasMatch();
}

QImage render(const QString& path, QSize physical, QColor color) {
    if (!QFileInfo(path).isFile()) return {};  // an image the assets do not contain
    QSvgRenderer renderer(path);
    if (!renderer.isValid()) return {};
    renderer.setAspectRatioMode(Qt::KeepAspectRatio);

    QImage image(physical, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) return {};
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(physical)));
    // Template rendering: keep the artwork's coverage, take the requested colour.
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(image.rect(), color);
    painter.end();
    return image;
}

}  // namespace

QImage renderImage(const QString& imagesDir, const std::string& name, QSize logicalSize, qreal devicePixelRatio,
                   QColor color) {
    if (imagesDir.isEmpty() || !isPlainName(name) || !color.isValid()) return {};
    if (logicalSize.isEmpty() || !std::isfinite(devicePixelRatio) || devicePixelRatio <= 0) return {};
    const double width = std::round(logicalSize.width() * devicePixelRatio);
    const double height = std::round(logicalSize.height() * devicePixelRatio);
    if (width < 1 || height < 1 || width > kMaxPhysicalSide || height > kMaxPhysicalSide) return {};
    const QSize physical(static_cast<int>(width), static_cast<int>(height));

    const CacheKey key{imagesDir, name, logicalSize.width(), logicalSize.height(), devicePixelRatio, color.rgba()};
    ImageCache& c = cache();
    {
        std::lock_guard lock(c.mutex);
        if (auto it = c.images.find(key); it != c.images.end()) return it->second;
    }

    const QString path = QDir(imagesDir).filePath(QString::fromStdString(name) + QStringLiteral(".svg"));
    QImage image = render(path, physical, color);
    if (image.isNull()) return {};  // not cached: nothing is drawn, and a later fix of the file shows
    image.setDevicePixelRatio(devicePixelRatio);

    std::lock_guard lock(c.mutex);
    if (c.images.size() >= kMaxCachedImages) c.images.clear();
    c.images.emplace(key, image);
    return image;
}

}  // namespace lectio::qt
