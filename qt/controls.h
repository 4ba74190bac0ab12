#pragma once

// Qt widgets made from the shared window definitions: frames, placements,
// rectangles from twips, texts, fonts, alignments, borders, colours and
// places in the focus order.

#include <QColor>
#include <QKeyEvent>
#include <QFont>
#include <QLabel>
#include <QPushButton>
#include <QRect>
#include <QString>

#include <map>
#include <optional>
#include <span>
#include <string_view>

#include "game/forms.h"
#include "game/input.h"
#include "game/pieces.h"

namespace morvane {

inline QString qtText(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline QColor colourOf(Rgb c)
{
    return {c.red, c.green, c.blue};
}

QRect pixelRect(const forms::TwipsRect& rect);

// Qt's events in the game's terms: the button that changed, the buttons
// held, the modifier keys, a key, and a pointer event on `target` placed in
// the client area `client` (the target itself, or a widget inside it).
int buttonCode(Qt::MouseButton button);
int buttonsCode(Qt::MouseButtons buttons);
int shiftCode(Qt::KeyboardModifiers modifiers);
int keyCode(int qtKey);
std::optional<PointerEvent> pointerEventOf(const QEvent& event, const QWidget& target, const QWidget& client);
KeyEvent keyEventOf(const QKeyEvent& event);

Qt::WindowFlags windowFlagsOf(forms::Frame frame);

// Puts a window where its definition places it, on the screen it is on.
void placeOnScreen(QWidget* window, forms::Placement placement);

// The definition's font; the desktop's own where the definition names none.
QFont qtFont(const forms::Font& font, const QFont& desktop);

// A label as defined, on `parent`: text at the top of its rectangle,
// aligned as defined, with its border and colours.
QLabel* makeLabel(QWidget* parent, const forms::Control& control);

// A button as defined, on `parent`; it takes the focus only where the
// definition gives it a place in the focus order.
QPushButton* makeButton(QWidget* parent, const forms::Control& control);

// Sets a group of labels in one font size at which every text fits its
// label, by the game's rule; each label's font is measured as Qt draws it.
using LabelsOf = std::map<const forms::Control*, QLabel*>;
void fitTextInside(std::span<const forms::Control* const> group, const LabelsOf& labels);

} // namespace morvane
