#pragma once

// One square of a piece: a plain coloured widget, with the focus mark along
// whichever of its sides the controller names. Its mouse events are the
// client area's, and go to the window's controller with them. A piece's
// square 0 is its place in the focus order, and what assistive technology
// reads for the piece; the others carry the piece's name too.

#include <QColor>
#include <QWidget>

namespace morvane {

class Square : public QWidget {
    Q_OBJECT
public:
    explicit Square(QWidget* parent);

    void setColour(const QColor& colour);
    // The sides (edge::Left, ...) the focus mark runs along; 0 for none.
    void setMark(int edges);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor colour_;
    int mark_ = 0;
};

// Squares read as pictures to assistive technology, whatever their toolkit
// default; installed once, before the first square is made.
void describeSquaresToAssistiveTechnology();

} // namespace morvane
