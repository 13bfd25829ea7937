#include <string>

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "platform/qt/assets/images.h"

namespace {

using lectio::qt::renderImage;

const QString kImagesDir = QStringLiteral(LECTIO_RESOURCE_DIR "/images");

const char* const kImageNames[] = {"sun",       "moon",      "person", "cog",         "versions",
                                   "clock",     "lines",     "reference", "play",     "highlighter",
                                   "copy",      "random",    "left",   "right"};

struct PixelCounts {
    int opaqueInColour = 0;  // fully covered pixels of exactly the requested colour
    int painted = 0;         // pixels with any coverage
    int offColour = 0;       // painted pixels whose colour is not the requested one
    int total = 0;
};

PixelCounts countPixels(const QImage& image, QColor colour) {
    PixelCounts counts;
    const QImage pixels = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < pixels.height(); ++y) {
        for (int x = 0; x < pixels.width(); ++x) {
            const QRgb p = pixels.pixel(x, y);
            ++counts.total;
            if (qAlpha(p) == 0) continue;
            ++counts.painted;
            // Unpremultiplying faint edge pixels loses precision; judge colour where coverage is real.
            const bool sameColour = std::abs(qRed(p) - colour.red()) <= 8 && std::abs(qGreen(p) - colour.green()) <= 8 &&
                                    std::abs(qBlue(p) - colour.blue()) <= 8;
            if (qAlpha(p) >= 64 && !sameColour) ++counts.offColour;
            if (qAlpha(p) == 255 && qRgb(qRed(p), qGreen(p), qBlue(p)) == colour.rgb()) ++counts.opaqueInColour;
        }
    }
    return counts;
}

TEST(NamedImages, EveryImageRendersInTheRequestedColourAtEachScale) {
    struct Scale {
        QSize logical;
        qreal ratio;
    };
    const Scale scales[] = {{{24, 24}, 1.0}, {{30, 30}, 2.0}};
    const QColor colours[] = {QColor(Qt::black), QColor(Qt::white)};
    for (const char* name : kImageNames) {
        for (const Scale& scale : scales) {
            for (const QColor& colour : colours) {
                SCOPED_TRACE(std::string(name) + " " + std::to_string(scale.logical.width()) + "@" +
                             std::to_string(scale.ratio) + " " + colour.name().toStdString());
                const QImage image = renderImage(kImagesDir, name, scale.logical, scale.ratio, colour);
                ASSERT_FALSE(image.isNull());
                EXPECT_EQ(image.size(), scale.logical * scale.ratio);  // drawn at physical resolution
                EXPECT_EQ(image.devicePixelRatio(), scale.ratio);
                const PixelCounts counts = countPixels(image, colour);
                EXPECT_GT(counts.opaqueInColour, 0);
                EXPECT_EQ(counts.offColour, 0);
                EXPECT_LT(counts.painted, counts.total) << "an icon is a line drawing, not a filled square";
            }
        }
    }
}

TEST(NamedImages, HigherRatioDrawsMoreDetailNotAnUpscaledCopy) {
    const QImage low = renderImage(kImagesDir, "cog", {24, 24}, 1.0, Qt::black);
    const QImage high = renderImage(kImagesDir, "cog", {24, 24}, 3.0, Qt::black);
    ASSERT_FALSE(low.isNull());
    ASSERT_FALSE(high.isNull());
    // Anti-aliased edges stay about one physical pixel wide, so the share of fully covered
    // pixels grows with resolution; a scaled-up low-resolution image would keep it.
    const double lowShare = double(countPixels(low, Qt::black).opaqueInColour) / countPixels(low, Qt::black).painted;
    const double highShare =
        double(countPixels(high, Qt::black).opaqueInColour) / countPixels(high, Qt::black).painted;
    EXPECT_GT(highShare, lowShare);
}

TEST(NamedImages, TranslucentColourKeepsItsAlpha) {
    const QImage image = renderImage(kImagesDir, "sun", {24, 24}, 1.0, QColor(255, 0, 0, 128));
    ASSERT_FALSE(image.isNull());
    int maxAlpha = 0;
    const QImage pixels = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < pixels.height(); ++y)
        for (int x = 0; x < pixels.width(); ++x) maxAlpha = std::max(maxAlpha, qAlpha(pixels.pixel(x, y)));
    EXPECT_NEAR(maxAlpha, 128, 1);
}

TEST(NamedImages, RequestsThatCannotBeDrawnGiveANullImage) {
    struct Case {
        const char* why;
        QString dir;
        std::string name;
        QSize size;
        qreal ratio;
        QColor colour;
    };
    const Case cases[] = {
        {"unknown name", kImagesDir, "trumpet", {24, 24}, 1.0, Qt::black},
        {"empty name", kImagesDir, "", {24, 24}, 1.0, Qt::black},
        {"name with its extension", kImagesDir, "sun.svg", {24, 24}, 1.0, Qt::black},
        {"path outside the directory", kImagesDir + "/sub", "../sun", {24, 24}, 1.0, Qt::black},
        {"no directory", QString(), "sun", {24, 24}, 1.0, Qt::black},
        {"empty size", kImagesDir, "sun", {0, 24}, 1.0, Qt::black},
        {"negative size", kImagesDir, "sun", {-24, -24}, 1.0, Qt::black},
        {"zero ratio", kImagesDir, "sun", {24, 24}, 0.0, Qt::black},
        {"negative ratio", kImagesDir, "sun", {24, 24}, -2.0, Qt::black},
        {"ratio not a number", kImagesDir, "sun", {24, 24}, std::nan(""), Qt::black},
        {"too large", kImagesDir, "sun", {5000, 5000}, 1.0, Qt::black},
        {"too large by ratio", kImagesDir, "sun", {2048, 2048}, 4.0, Qt::black},
        {"invalid colour", kImagesDir, "sun", {24, 24}, 1.0, QColor()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_TRUE(renderImage(c.dir, c.name, c.size, c.ratio, c.colour).isNull());
    }
}

TEST(NamedImages, DamagedSvgGivesANullImage) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile file(dir.filePath("broken.svg"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 24 24\"><path d=\"M0 0L");
    file.close();
    EXPECT_TRUE(renderImage(dir.path(), "broken", {24, 24}, 1.0, Qt::black).isNull());
}

TEST(NamedImages, RepeatedRequestsShareOneRendering) {
    const QImage first = renderImage(kImagesDir, "moon", {20, 20}, 2.0, Qt::white);
    const QImage again = renderImage(kImagesDir, "moon", {20, 20}, 2.0, Qt::white);
    const QImage otherColour = renderImage(kImagesDir, "moon", {20, 20}, 2.0, Qt::black);
    const QImage otherRatio = renderImage(kImagesDir, "moon", {20, 20}, 1.0, Qt::white);
    ASSERT_FALSE(first.isNull());
    EXPECT_EQ(first.cacheKey(), again.cacheKey());
    EXPECT_NE(first.cacheKey(), otherColour.cacheKey());
    EXPECT_NE(first.cacheKey(), otherRatio.cacheKey());
}

}  // namespace
