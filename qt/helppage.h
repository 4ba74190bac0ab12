#pragma once

// The help page, beside the game window and never modal: the player can keep
// it open while trying what it says. Its face and text are the desktop's.

#include <QDialog>
#include <QPointer>

#include "game/helptopics.h"

namespace morvane {

// Shows `page` in `window`, made on first use as a page of `owner`'s; an open
// page comes forward instead of a second one opening.
void showHelpPage(QPointer<QDialog>& window, QWidget* owner, const HelpPage& page);

// The page as rich text: the About line, the introduction and a table of rows.
QString helpPageText(const HelpPage& page);

} // namespace morvane
