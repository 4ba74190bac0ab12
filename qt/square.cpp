#include "qt/square.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPaintEvent>
#include <QPainter>

#include "game/pieceplaces.h"

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

void Square::setMark(int edges)
{
    if (edges == mark_)
        return;
    mark_ = edges;
    update();
}

// The mark is a black line along the edge with a white one inside it, so
// one of the two stands out against any piece's colour; the rest of the
// square keeps its colour. Lines across the piece run on into the next
// square's, and the top and bottom ones are drawn over the sides' white.
void Square::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), colour_);
    if (mark_ == 0)
        return;
    const QRect r = rect();
    const auto side = [&](int edgeBit, QRect outer, QRect inner) {
        if (mark_ & edgeBit) {
            painter.fillRect(outer, Qt::black);
            painter.fillRect(inner, Qt::white);
        }
    };
    side(edge::Left, {0, 0, 1, r.height()}, {1, 0, 1, r.height()});
    side(edge::Right, {r.width() - 1, 0, 1, r.height()}, {r.width() - 2, 0, 1, r.height()});
    side(edge::Top, {0, 0, r.width(), 1}, {0, 1, r.width(), 1});
    side(edge::Bottom, {0, r.height() - 1, r.width(), 1}, {0, r.height() - 2, r.width(), 1});
}

void describeSquaresToAssistiveTechnology()
{
    static const bool installed = [] {
        QAccessible::installFactory([](const QString& className, QObject* object) -> QAccessibleInterface* {
            if (className == QLatin1String("morvane::Square") && object->isWidgetType())
                return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Graphic);
            return nullptr;
        });
        return true;
    }();
    (void)installed;
}

} // namespace morvane
