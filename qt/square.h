#pragma once

// One square of a piece: a plain coloured widget. Its mouse events are the
// client area's, and go to the window's controller with them.

#include <QColor>
#include <QWidget>

namespace morvane {

class Square : public QWidget {
    Q_OBJECT
public:
    explicit Square(QWidget* parent);

    void setColour(const QColor& colour);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor colour_;
};

} // namespace morvane
