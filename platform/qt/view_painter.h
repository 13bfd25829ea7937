#pragma once
// Paints a retained view tree with QPainter: views and their layers, labels, buttons, images,
// text fields, text views and tables.
#include <QColor>
#include <QFont>
#include <QHash>
#include <QRectF>
#include <QString>

#include "platform/geometry.h"
#include "platform/qt/text_layout.h"

class QPainter;

namespace platform {
class View;
class Label;
class Button;
class ImageView;
class TextField;
class TextView;
class TableView;
class TableCell;
}  // namespace platform

namespace lectio::qt {

QColor toQColor(const platform::Color& c);

// Laid-out text kept between paints: the same rows and labels are drawn again and again.
class TextLayoutCache {
public:
    const TextLines& get(const QString& text, const QFont& font, double maxWidth, int numberOfLines);

private:
    QHash<QString, TextLines> entries_;
};

class ViewPainter {
public:
    ViewPainter(QPainter& painter, const QString& imagesDirectory, TextLayoutCache& cache);

    // Paints `view` at its frame in the painter's current coordinates, with its subviews.
    void paint(platform::View& view, double inheritedAlpha = 1.0);

    // The focused text field gets a caret.
    const platform::TextField* focusedField = nullptr;

private:
    void paintContents(platform::View& view, double alpha);
    void paintLayer(const platform::View& view, const QRectF& bounds, double alpha);
    void paintBorder(const platform::View& view, const QRectF& bounds, double alpha);
    void paintLabelText(const platform::Label& label, const QRectF& box, const platform::Color& color,
                        double alpha);
    void paintButton(const platform::Button& button, double alpha);
    void paintImage(const platform::ImageView& image, double alpha);
    void paintTextField(const platform::TextField& field, double alpha);
    void paintTextView(const platform::TextView& textView, double alpha);
    void paintTable(platform::TableView& table, double alpha);
    void paintCell(const platform::TableView& table, platform::TableCell& cell, const QRectF& rect, double alpha);
    void paintRowActions(const platform::TableView& table, const QRectF& rowRect, double alpha);

    QPainter& painter_;
    QString imagesDirectory_;
    TextLayoutCache& cache_;
};

}  // namespace lectio::qt
