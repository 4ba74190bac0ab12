#pragma once

// Qt controls made from the shared window definitions: their rectangles
// from twips, their texts, fonts, alignments, borders and colours.

#include <QColor>
#include <QFont>
#include <QLabel>
#include <QRect>
#include <QString>

#include <string_view>

#include "game/forms.h"
#include "game/pieces.h"

namespace morvane {

inline QString qtText(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline QColor qtColour(Rgb c)
{
    return {c.red, c.green, c.blue};
}

QRect pixelRect(const forms::TwipsRect& rect);

// The definition's font; the desktop's own where the definition names none.
QFont qtFont(const forms::Font& font, const QFont& desktop);

// A label as defined, on `parent`: text at the top of its rectangle,
// aligned as defined, with its border.
QLabel* makeLabel(QWidget* parent, const forms::Control& control);

} // namespace morvane
