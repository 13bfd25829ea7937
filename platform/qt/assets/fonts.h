#pragma once
// The shipped font families, asked for by the exact names the reader stores
// ("Poppins-Regular", "SourceCodePro-Regular", "Iceland", ...).
//
// Sizes are the reader's points, which are device-independent pixels (as on a touch device's
// screen, not 1/72 inch): a font of size 18 is 18 logical pixels tall, whatever the DPI.
#include <string>

#include <QFont>
#include <QString>

namespace lectio::qt {

// Registers every TrueType/OpenType file of `fontsDir` with the application. Each file's name
// without extension ("Poppins-Regular.ttf") is the name it answers to; the family names Qt
// reports for it answer too. Unreadable or damaged files are skipped, and a file registered
// before is not registered again. Needs a QGuiApplication.
void registerApplicationFonts(const QString& fontsDir);

// Whether `name` names a registered font or, exactly, an installed family.
bool fontNameResolves(const std::string& name);

// The font `name` at `size` pixels (rounded to whole pixels). An unknown name gives the
// application's default font unchanged, size included, as a label does whose font could not
// be made. A size below 1 or not finite leaves the family's default size.
QFont fontNamed(const std::string& name, double size);

}  // namespace lectio::qt
