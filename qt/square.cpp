#include "qt/square.h"

#include <QPaintEvent>
#include <QPainter>

namespace morvane {

Square::Square(QWidget* parent) : QWidget(parent)
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

} // namespace morvane
