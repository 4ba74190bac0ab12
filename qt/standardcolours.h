#pragma once

// Where the game fixes a surface to the standard scheme's white (the game
// window's client area, the splash window, its button face), the ink on that
// surface is the standard scheme's black as well. Left to the desktop, a dark
// scheme's light text and lines would land on the white and vanish. Surfaces
// that are the desktop's own (the menu bar, dialogs, the help page, the Help
// button's face) keep the desktop's palette throughout.

#include <QPalette>
#include <QWidget>

#include "game/forms.h"
#include "qt/controls.h"

namespace morvane {

// A surface of the given colour with black text, lines and frames. The roles
// pass down to the controls on it; a button's face and caption are roles of
// their own and stay the desktop's.
inline void useStandardSurface(QWidget* surface, Rgb colour)
{
    QPalette palette = surface->palette();
    palette.setColor(QPalette::Window, colourOf(colour));
    palette.setColor(QPalette::WindowText, colourOf(forms::kBlack));
    surface->setPalette(palette);
}

// A button face of the definition's colours.
inline void useStandardButtonFace(QWidget* button, const forms::Control& control)
{
    QPalette palette = button->palette();
    palette.setColor(QPalette::Button, colourOf(control.background));
    palette.setColor(QPalette::ButtonText, colourOf(control.foreground));
    button->setPalette(palette);
}

} // namespace morvane
