#include "qt/square.h"

#include <QMouseEvent>
#include <QPainter>

#include "game/puzzle.h"
#include "qt/controls.h"
#include "qt/twips.h"

namespace morvane {

Square::Square(int index, QWidget* parent)
    : QWidget(parent), index_(index)
{
    // Not marked opaque on purpose: Qt then unites the rectangles of all
    // opaque siblings after every move, which costs a drag step more than
    // painting the little board underneath a square ever does.
}

void Square::setColour(const QColor& colour)
{
    colour_ = colour;
    update();
}

void Square::paintEvent(QPaintEvent* event)
{
    QPainter(this).fillRect(event->rect(), colour_);
}

// Qt keeps sending moves and the release to the pressed square until every
// button is up, wherever the pointer goes, and measures them from this
// square's corner: the capture a drag needs.
void Square::mousePressEvent(QMouseEvent* event)
{
    const QPointF at = pixelsToTwips(event->position());
    emit mouseDown(index_, buttonCode(event->button()), shiftCode(event->modifiers()), float(at.x()), float(at.y()));
}

void Square::mouseMoveEvent(QMouseEvent* event)
{
    const QPointF at = pixelsToTwips(event->position());
    emit mouseMove(index_, buttonCode(event->buttons()), shiftCode(event->modifiers()), float(at.x()), float(at.y()));
}

void Square::mouseReleaseEvent(QMouseEvent* event)
{
    const QPointF at = pixelsToTwips(event->position());
    emit mouseUp(index_, buttonCode(event->button()), shiftCode(event->modifiers()), float(at.x()), float(at.y()));
}

} // namespace morvane
