#include <cmath>
#include <limits>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QRawFont>
#include <QTemporaryDir>

#include "platform/qt/assets/fonts.h"

namespace {

using lectio::qt::fontNamed;
using lectio::qt::fontNameResolves;
using lectio::qt::registerApplicationFonts;

const QString kFontsDir = QStringLiteral(LECTIO_RESOURCE_DIR "/fonts");
const QString kSample = QStringLiteral("In the beginning, God created the heavens and the earth. 0123");

struct ShippedFont {
    std::string name;       // what the reader stores
    QString familyPrefix;   // the family the face belongs to
};

// Each face's own naming: some faces carry a weight word after the family ("Raleway Thin").
const ShippedFont kShippedFonts[] = {
    {"Iceland", "Iceland"},
    {"Lora-Regular", "Lora"},
    {"Oswald-Regular", "Oswald"},
    {"PlayfairDisplay-Regular", "Playfair Display"},
    {"Poppins-Regular", "Poppins"},
    {"Raleway-Regular", "Raleway"},
    {"Roboto-Regular", "Roboto"},
    {"Satisfy-Regular", "Satisfy"},
    {"SourceCodePro-Regular", "Source Code Pro"},
    {"Ubuntu-Regular", "Ubuntu"},
};

class ShippedFonts : public ::testing::Test {
protected:
    static void SetUpTestSuite() { registerApplicationFonts(kFontsDir); }
};

TEST_F(ShippedFonts, EachNameResolvesToItsOwnFaceNotTheFallback) {
    const QFont fallback = QGuiApplication::font();
    const QString fallbackFamily = QFontInfo(fallback).family();
    std::set<QString> families;
    std::set<qreal> widths;
    for (const ShippedFont& shipped : kShippedFonts) {
        SCOPED_TRACE(shipped.name);
        EXPECT_TRUE(fontNameResolves(shipped.name));
        const QFont font = fontNamed(shipped.name, 24);
        const QFontInfo info(font);
        EXPECT_TRUE(info.family().startsWith(shipped.familyPrefix)) << info.family().toStdString();
        EXPECT_NE(info.family(), fallbackFamily);
        // The glyphs drawn come from that face, not from a substitute.
        const QRawFont raw = QRawFont::fromFont(font);
        ASSERT_TRUE(raw.isValid());
        EXPECT_TRUE(raw.familyName().startsWith(shipped.familyPrefix)) << raw.familyName().toStdString();
        EXPECT_EQ(raw.weight(), QFont::Normal);
        EXPECT_EQ(raw.style(), QFont::StyleNormal);
        families.insert(info.family());
        widths.insert(QFontMetricsF(font).horizontalAdvance(kSample));
    }
    EXPECT_EQ(families.size(), std::size(kShippedFonts));
    EXPECT_EQ(widths.size(), std::size(kShippedFonts)) << "two names gave faces with the same metrics";
}

TEST_F(ShippedFonts, SizeIsInLogicalPixels) {
    for (double size : {10.0, 18.0, 32.0}) {
        const QFont font = fontNamed("Poppins-Regular", size);
        EXPECT_EQ(font.pixelSize(), static_cast<int>(size));
        EXPECT_EQ(QFontInfo(font).pixelSize(), static_cast<int>(size));
    }
    // A fractional size rounds to the nearest pixel; a larger size draws wider text.
    EXPECT_EQ(fontNamed("Lora-Regular", 20.6).pixelSize(), 21);
    EXPECT_LT(QFontMetricsF(fontNamed("Lora-Regular", 18)).horizontalAdvance(kSample),
              QFontMetricsF(fontNamed("Lora-Regular", 32)).horizontalAdvance(kSample));
}

TEST_F(ShippedFonts, UnusableSizeKeepsTheFamilyAtItsDefaultSize) {
    const QFont reference = fontNamed("Roboto-Regular", 24);
    for (double size : {0.0, -5.0, std::nan(""), std::numeric_limits<double>::infinity()}) {
        SCOPED_TRACE(size);
        const QFont font = fontNamed("Roboto-Regular", size);
        EXPECT_EQ(font.family(), reference.family());
        EXPECT_EQ(font.pixelSize(), -1);  // still sized in points: the application default
        EXPECT_GT(QFontInfo(font).pixelSize(), 0);
    }
    EXPECT_EQ(fontNamed("Roboto-Regular", 1e9).pixelSize(), 1000);
}

TEST_F(ShippedFonts, UnknownNameGivesTheDefaultFont) {
    for (const std::string name : {"NoSuchFont-Regular", "", "poppins-regular", "Poppins-Bold", "Iceland.ttf"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(fontNameResolves(name));
        EXPECT_EQ(fontNamed(name, 24), QGuiApplication::font());
    }
}

TEST(FontRegistration, DamagedFilesAreSkippedAndTheRestRegistered) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(QFile::copy(kFontsDir + "/Satisfy-Regular.ttf", dir.filePath("Copied-Regular.ttf")));
    QFile damaged(dir.filePath("Damaged-Regular.ttf"));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("\x00\x01\x00\x00not really a font", 24);
    damaged.close();
    QFile notAFont(dir.filePath("Readme-Regular.txt"));
    ASSERT_TRUE(notAFont.open(QIODevice::WriteOnly));
    notAFont.write("text");
    notAFont.close();

    registerApplicationFonts(dir.path());
    registerApplicationFonts(dir.path());  // a second start-up adds nothing and breaks nothing
    registerApplicationFonts(dir.filePath("missing"));
    registerApplicationFonts(QString());

    EXPECT_TRUE(fontNameResolves("Copied-Regular"));
    EXPECT_TRUE(QFontInfo(fontNamed("Copied-Regular", 20)).family().startsWith("Satisfy"));
    EXPECT_FALSE(fontNameResolves("Damaged-Regular"));
    EXPECT_FALSE(fontNameResolves("Readme-Regular"));
    EXPECT_EQ(fontNamed("Damaged-Regular", 20), QGuiApplication::font());
}

}  // namespace
