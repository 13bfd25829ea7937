// The window paints the retained views: colours, alpha, clipping, borders, text, table rows,
// row actions, images and the alert, checked on the pixels of a grabbed frame.
#include <QFile>
#include <cmath>

#include "platform/qt/alert_box.h"
#include "qt_window_fixture.h"

namespace qttest {
namespace {

// Pixels of `image` inside `r` (window coordinates) that satisfy `test`.
template <class Test>
int countPixels(const QImage& image, Rect r, Test test) {
    int n = 0;
    for (int y = static_cast<int>(r.y); y < static_cast<int>(r.maxY()) && y < image.height(); ++y)
        for (int x = static_cast<int>(r.x); x < static_cast<int>(r.maxX()) && x < image.width(); ++x)
            if (test(QColor(image.pixel(x, y)))) ++n;
    return n;
}
bool isDark(const QColor& c) { return qGray(c.rgb()) < 110; }
auto near(QColor want, int tolerance = 3) {
    return [=](const QColor& c) {
        return std::abs(c.red() - want.red()) <= tolerance && std::abs(c.green() - want.green()) <= tolerance &&
               std::abs(c.blue() - want.blue()) <= tolerance;
    };
}
QColor at(const QImage& image, double x, double y) { return QColor(image.pixel(static_cast<int>(x), static_cast<int>(y))); }

// The vertical extent of dark pixels in `r`: first and last rows holding any.
std::pair<int, int> darkRows(const QImage& image, Rect r) {
    int first = -1, last = -1;
    for (int y = static_cast<int>(r.y); y < static_cast<int>(r.maxY()); ++y)
        if (countPixels(image, {r.x, static_cast<double>(y), r.width, 1}, isDark) > 0) {
            if (first < 0) first = y;
            last = y;
        }
    return {first, last};
}

using QtPainting = QtWindowFixture;

TEST_F(QtPainting, ViewsAreFilledWithTheirColoursAndAlphaMultipliesDownTheChain) {
    View* parent = screen->view()->addNew<View>("parent");
    parent->frame = {20, 700, 100, 100};
    parent->alpha = 0.5;
    parent->backgroundColor = Color::rgba(0, 0, 0, 0.5);
    View* child = parent->addNew<View>("child");
    child->frame = {50, 0, 50, 50};
    child->backgroundColor = Color::rgba(1, 0, 0, 1);
    View* hidden = screen->view()->addNew<View>("hidden");
    hidden->frame = {300, 700, 50, 50};
    hidden->backgroundColor = Color::black();
    hidden->hidden = true;

    QImage image = grabbed();
    EXPECT_TRUE(near(Qt::white)(at(image, 5, 5)));
    EXPECT_TRUE(near(QColor(0, 0, 255))(at(image, 102, 22))) << "the button's background";
    EXPECT_TRUE(near(QColor(191, 191, 191))(at(image, 30, 780))) << "half-black at half alpha over white";
    // Red at alpha 0.5 over the parent's own grey.
    EXPECT_TRUE(near(QColor(223, 96, 96), 4)(at(image, 100, 720))) << at(image, 100, 720).name().toStdString();
    EXPECT_TRUE(near(Qt::white)(at(image, 320, 720))) << "hidden views are not drawn";
}

TEST_F(QtPainting, MasksToBoundsClipsSubviewsAndCornersAreRounded) {
    View* clipped = screen->view()->addNew<View>("clipped");
    clipped->frame = {20, 700, 40, 40};
    clipped->layer.masksToBounds = true;
    clipped->addNew<View>()->frame = {20, 20, 60, 60};
    clipped->subviews().back()->backgroundColor = Color::rgba(0, 1, 0, 1);
    View* open = screen->view()->addNew<View>("open");
    open->frame = {200, 700, 40, 40};
    open->addNew<View>()->frame = {20, 20, 60, 60};
    open->subviews().back()->backgroundColor = Color::rgba(0, 1, 0, 1);
    View* round = screen->view()->addNew<View>("round");
    round->frame = {300, 700, 60, 60};
    round->layer.cornerRadius = 30;
    round->backgroundColor = Color::rgba(0, 0, 1, 1);

    QImage image = grabbed();
    EXPECT_TRUE(near(QColor(0, 255, 0))(at(image, 50, 730)));
    EXPECT_TRUE(near(Qt::white)(at(image, 70, 750))) << "clipped to the parent";
    EXPECT_TRUE(near(QColor(0, 255, 0))(at(image, 250, 750))) << "not clipped without masksToBounds";
    EXPECT_TRUE(near(Qt::white)(at(image, 302, 702))) << "the corner is cut";
    EXPECT_TRUE(near(QColor(0, 0, 255))(at(image, 330, 730)));
}

TEST_F(QtPainting, BordersAreDrawnInsideTheBoundsOverTheSubviews) {
    View* boxed = screen->view()->addNew<View>("boxed");
    boxed->frame = {20, 700, 80, 80};
    boxed->backgroundColor = Color::rgba(0, 0, 1, 1);
    boxed->layer.borderWidth = 6;
    boxed->layer.borderColor = Color::rgba(1, 0, 0, 1);
    boxed->addNew<View>()->frame = {0, 0, 80, 80};
    boxed->subviews().back()->backgroundColor = Color::rgba(0, 1, 0, 1);

    QImage image = grabbed();
    EXPECT_TRUE(near(QColor(255, 0, 0))(at(image, 22, 740)));
    EXPECT_TRUE(near(QColor(255, 0, 0))(at(image, 97, 740)));
    EXPECT_TRUE(near(Qt::white)(at(image, 18, 740))) << "nothing outside the bounds";
    EXPECT_TRUE(near(QColor(0, 255, 0))(at(image, 60, 740)));
}

TEST_F(QtPainting, LabelsDrawTheirTextDarkAndAligned) {
    struct Case {
        TextAlignment alignment;
        double expectedLeftMin, expectedRightMax;  // where the ink may be, in the label
    };
    for (auto [alignment, leftMin, rightMax] :
         {Case{TextAlignment::left, 0, 120}, Case{TextAlignment::right, 180, 300}, Case{TextAlignment::center, 90, 210}}) {
        Label* label = screen->view()->addNew<Label>("label");
        label->frame = {40, 700, 300, 40};
        label->text = "Hello";
        label->font = {"", 20};
        label->textAlignment = alignment;
        QImage image = grabbed();
        Rect frame = label->frame;
        EXPECT_GT(countPixels(image, frame, isDark), 20);
        EXPECT_EQ(countPixels(image, {frame.x, frame.y, leftMin, frame.height}, isDark), 0);
        EXPECT_EQ(countPixels(image, {frame.x + rightMax, frame.y, frame.width - rightMax, frame.height}, isDark), 0);
        label->hidden = true;
    }
}

TEST_F(QtPainting, AOneLineLabelShrinksToFitOnlyWhenAllowed) {
    Label* label = screen->view()->addNew<Label>("label");
    label->frame = {20, 700, 120, 40};
    label->text = "Wide text that cannot fit";
    label->font = {"", 20};
    auto inkHeight = [&] {
        auto [top, bottom] = darkRows(grabbed(), label->frame);
        return bottom - top;
    };
    int plain = inkHeight();
    label->adjustsFontSizeToFitWidth = true;
    label->minimumScaleFactor = 0;  // no smallest size given: the font keeps its size
    EXPECT_EQ(inkHeight(), plain);
    label->minimumScaleFactor = 0.1;
    EXPECT_LT(inkHeight(), plain * 0.8) << "smaller glyphs";
    label->text = "Fits";
    int shrinkable = inkHeight();
    label->adjustsFontSizeToFitWidth = false;
    EXPECT_EQ(inkHeight(), shrinkable) << "text that fits keeps its size";
}

TEST_F(QtPainting, TableRowsAreTallEnoughForTheirWrappedText) {
    struct LongRowScreen : ProbeScreen {
        using ProbeScreen::ProbeScreen;
        TableCell& cellForRowAt(TableView& t, int row) override {
            TableCell& cell = ProbeScreen::cellForRowAt(t, row);
            if (row == 0)
                cell.textLabel.text = "In the beginning God created the heavens and the earth. The earth was "
                                      "formless and empty, and darkness was on the surface of the deep.";
            return cell;
        }
    };
    show(std::make_unique<LongRowScreen>(env));
    TableView* table = screen->table;
    QImage image = grabbed();

    Rect row0 = table->rectForRow(0);
    const Label& label = table->cells()[0]->textLabel;
    Size text = textMeasurer.measure(label.text, label.font, table->frame.width - 32, 0);
    double lineHeight = textMeasurer.measure("M", label.font, 1000, 1).height;
    ASSERT_GT(text.height, 2.5 * lineHeight) << "the text wraps onto several lines";

    Rect row0InWindow{table->frame.x, table->frame.y + row0.y, table->frame.width, row0.height};
    auto [top, bottom] = darkRows(image, row0InWindow);
    ASSERT_GE(top, 0);
    EXPECT_GE(bottom - top + 1, text.height - lineHeight / 2) << "every measured line is drawn";
    EXPECT_GE(top, row0InWindow.y + 4) << "the text keeps clear of the row's top";
    EXPECT_LE(bottom, row0InWindow.maxY() - 4) << "and of its bottom";
    // Wrapped within the width the table measured with: the cell less 16 on each side.
    EXPECT_EQ(countPixels(image, {row0InWindow.x, row0InWindow.y, 15, row0InWindow.height}, isDark), 0);
    EXPECT_EQ(countPixels(image, {row0InWindow.maxX() - 15, row0InWindow.y, 15, row0InWindow.height}, isDark), 0);
    Rect row1 = table->rectForRow(1);
    EXPECT_GT(countPixels(image, {table->frame.x, table->frame.y + row1.y, table->frame.width, row1.height}, isDark), 10)
        << "the next row shows its own text";
}

TEST_F(QtPainting, ScrolledTablesDrawTheirRowsOffsetAndClipped) {
    TableView* table = screen->table;
    table->backgroundViewColor = Color::rgba(1, 1, 0, 1);
    table->layoutIfNeeded();
    table->setContentOffset({0, table->rectForRow(3).y});
    QImage image = grabbed();
    Rect row = table->rectForRow(3);
    // Row 3 now sits at the table's top; nothing is drawn above the table.
    EXPECT_GT(countPixels(image, {table->frame.x, table->frame.y, table->frame.width, row.height}, isDark), 10);
    EXPECT_EQ(countPixels(image, {0, 66, 390, table->frame.y - 66}, isDark), 0);
    EXPECT_TRUE(near(QColor(255, 255, 0))(at(image, table->frame.maxX() - 5, table->frame.y + 5)));
}

TEST_F(QtPainting, SelectedRowsShowTheSelectedBackgroundAndRevealedActionsShowOnTheRight) {
    TableView* table = screen->table;
    for (auto& cell : table->cells()) cell->selectedBackgroundViewColor = Color::rgba(0, 0.5, 0, 1);
    click(inTable(100, table->rectForRow(1).y + 5));
    ASSERT_EQ(table->selectedRows(), std::set<int>{1});
    ASSERT_TRUE(table->revealActions(0));
    QImage image = grabbed();

    Rect row0 = table->rectForRow(0), row1 = table->rectForRow(1);
    double right = table->frame.maxX() - 3;
    EXPECT_TRUE(near(QColor(0, 128, 0), 3)(at(image, right, table->frame.y + row1.y + row1.height / 2)));
    EXPECT_TRUE(near(QColor(255, 59, 48))(at(image, right, table->frame.y + row0.y + 3))) << "the action's button";
    EXPECT_TRUE(near(Qt::white)(at(image, right - TableView::kActionWidth - 3, table->frame.y + row0.y + 3)))
        << "one action is one button wide";
}

TEST_F(QtPainting, ACellsOwnBackgroundTintShowsOverItsBackgroundView) {
    TableView* table = screen->table;
    TableCell& cell = *table->cells()[2];
    cell.backgroundViewColor = Color::white();
    cell.backgroundColor = Color::white();
    cell.layer.backgroundColor = Color::rgba(0, 0, 1, 1);
    QImage image = grabbed();
    Rect row = table->rectForRow(2);
    EXPECT_TRUE(near(QColor(0, 0, 255), 3)(at(image, table->frame.maxX() - 3, table->frame.y + row.y + row.height / 2)))
        << "a highlighted row is tinted, not hidden behind its white background view";
}

TEST_F(QtPainting, ImageViewsDrawTheNamedImageInTheirTintColour) {
    ASSERT_TRUE(QFile::exists(QDir(resourceDirectory()).filePath("images/sun.svg"))) << "build the resources first";
    ImageView* sun = screen->view()->addNew<ImageView>("sun");
    sun->frame = {20, 700, 48, 48};
    sun->imageName = "sun";
    sun->tintColor = Color::rgba(1, 0, 0, 1);
    ImageView* unknown = screen->view()->addNew<ImageView>("unknown");
    unknown->frame = {100, 700, 48, 48};
    unknown->imageName = "no-such-image";

    QImage image = grabbed();
    auto reddish = [](const QColor& c) { return c.red() > 200 && c.green() < 120 && c.blue() < 120; };
    EXPECT_GT(countPixels(image, sun->frame, reddish), 20);
    EXPECT_EQ(countPixels(image, unknown->frame, [](const QColor& c) { return c != Qt::white; }), 0);
}

TEST_F(QtPainting, TextFieldsShowPlaceholderDotsAndTheCaret) {
    TextField* field = screen->view()->addNew<TextField>("field");
    field->frame = {20, 700, 300, 40};
    field->placeholder = "Email";
    field->placeholderColor = Color::rgba(0, 0, 1, 1);
    field->tintColor = Color::rgba(1, 0, 0, 1);
    auto blue = [](const QColor& c) { return c.blue() > 150 && c.red() < 100 && c.green() < 100; };
    auto red = [](const QColor& c) { return c.red() > 200 && c.green() < 80 && c.blue() < 80; };

    QImage empty = grabbed();
    EXPECT_GT(countPixels(empty, field->frame, blue), 10) << "the placeholder in its colour";
    EXPECT_EQ(countPixels(empty, field->frame, red), 0) << "no caret without focus";

    field->text = "secret";
    field->secureTextEntry = true;
    ASSERT_TRUE(field->becomeFirstResponder());
    QImage typed = grabbed();
    EXPECT_EQ(countPixels(typed, field->frame, blue), 0);
    EXPECT_GT(countPixels(typed, field->frame, isDark), 10) << "dots for the secret text";
    EXPECT_GT(countPixels(typed, field->frame, red), 10) << "the caret in the tint colour";
}

TEST_F(QtPainting, TheAlertIsDrawnOverADimmedWindow) {
    screen->presentAlert(makeAlert("!", "Something went wrong", {{"OK", AlertActionStyle::defaultStyle, {}}}));
    QImage image = grabbed();
    EXPECT_LT(at(image, 5, 5).lightness(), 230) << "the screen is dimmed";
    auto layout = lectio::qt::layoutAlertBox(*widget->window().currentAlert(), QSizeF(widget->size()));
    Rect box{layout.box.x(), layout.box.y(), layout.box.width(), layout.box.height()};
    EXPECT_GT(countPixels(image, box, isDark), 20) << "title and message";
    QRectF ok = layout.buttons.at(0);
    EXPECT_GT(countPixels(image, {ok.x(), ok.y(), ok.width(), ok.height()},
                          [](const QColor& c) { return c.blue() > 180 && c.red() < 120; }),
              10)
        << "the button's title in the tint colour";
}

}  // namespace
}  // namespace qttest
