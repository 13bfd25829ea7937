// Text wrapping and measuring with the real fonts.
#include <gtest/gtest.h>

#include <QFontMetricsF>
#include <cmath>
#include <limits>

#include "platform/qt/qt_text_measurer.h"
#include "platform/qt/text_layout.h"

namespace {

using namespace lectio::qt;

const QString kVerse = "In the beginning God created the heavens and the earth.";

TEST(QtTextLayout, WrapsAtWordBoundariesWithinTheWidth) {
    QFont font = qtFont({"", 18});
    TextLines one = layoutText(kVerse, font, 0, 0);
    ASSERT_EQ(one.lines.size(), 1u) << "no width: no wrapping";
    double natural = one.width();

    for (double width : {natural / 2.5, natural / 1.5, natural + 1}) {
        TextLines wrapped = layoutText(kVerse, font, width, 0);
        const auto fewest = static_cast<std::size_t>(std::ceil(natural / width));
        EXPECT_GE(wrapped.lines.size(), fewest) << width;
        EXPECT_LE(wrapped.lines.size(), fewest + 1) << width;
        QString joined;
        for (std::size_t i = 0; i < wrapped.lines.size(); ++i) {
            EXPECT_LE(wrapped.widths[i], width + 0.5) << wrapped.lines[i].toStdString();
            EXPECT_FALSE(wrapped.lines[i].startsWith(' '));
            joined += (i ? " " : "") + wrapped.lines[i];
        }
        EXPECT_EQ(joined, kVerse) << "breaks fall between words, and every word stays";
    }
}

TEST(QtTextLayout, LimitsLinesWithAnEllipsisAndKeepsExplicitBreaks) {
    QFont font = qtFont({"", 18});
    double width = layoutText(kVerse, font, 0, 0).width() / 3;
    TextLines two = layoutText(kVerse, font, width, 2);
    ASSERT_EQ(two.lines.size(), 2u);
    EXPECT_TRUE(two.truncated);
    EXPECT_TRUE(two.lines[1].endsWith(QChar(0x2026))) << two.lines[1].toStdString();
    EXPECT_LE(two.widths[1], width + 0.5);

    TextLines exact = layoutText("short", font, width, 1);
    EXPECT_FALSE(exact.truncated);
    EXPECT_EQ(exact.lines.at(0), "short");

    TextLines breaks = layoutText("one\n\nthree", font, 1000, 0);
    EXPECT_EQ(breaks.lines, (std::vector<QString>{"one", "", "three"}));

    TextLines unbreakable = layoutText(QString(200, 'W'), font, 100, 0);
    EXPECT_GT(unbreakable.lines.size(), 5u) << "a word wider than the line breaks inside";
    for (double w : unbreakable.widths) EXPECT_LE(w, 100.5);

    EXPECT_TRUE(layoutText("", font, 100, 0).lines.empty());
}

TEST(QtTextMeasurer, MeasuresWholeLinesOfTheFontAndRefusesNothing) {
    QtTextMeasurer measurer;
    platform::Font font{"Poppins-Regular", 20};
    double lineHeight = QFontMetricsF(qtFont(font)).lineSpacing();

    platform::Size one = measurer.measure("Genesis", font, 1000, 0);
    EXPECT_EQ(one.height, std::ceil(lineHeight));
    EXPECT_GT(one.width, 20);
    EXPECT_EQ(one.width, std::ceil(one.width));

    platform::Size wrapped = measurer.measure(kVerse.toStdString(), font, 120, 0);
    EXPECT_LE(wrapped.width, 120);
    EXPECT_GE(wrapped.height, 4 * lineHeight);
    platform::Size limited = measurer.measure(kVerse.toStdString(), font, 120, 2);
    EXPECT_EQ(limited.height, std::ceil(2 * lineHeight));
    EXPECT_GT(measurer.measure("Genesis", {"Poppins-Regular", 40}, 1000, 0).height, 1.8 * one.height);

    EXPECT_EQ(measurer.measure("", font, 100, 0).height, 0);
    // Nonsense input is measured with defaults, never crashes.
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_GT(measurer.measure("x", {"", nan}, 100, 0).height, 0);
    EXPECT_GT(measurer.measure("x", {"", -5}, nan, -3).height, 0);
    EXPECT_GT(measurer.measure("x", {"", 1e300}, 100, 0).height, 0);
    EXPECT_GT(measurer.measure("\xff\xfe broken utf-8", font, 100, 0).height, 0);
}

}  // namespace
