#pragma once

// One square of a piece: a plain coloured widget that turns Qt's mouse events
// into the square handlers' arguments (button and modifier codes, the pointer
// in twips from the square's own corner).

#include <QColor>
#include <QWidget>

namespace morvane {

class Square : public QWidget {
    Q_OBJECT
public:
    Square(int index, QWidget* parent);

    int index() const { return index_; }
    QColor colour() const { return colour_; }
    void setColour(const QColor& colour);

signals:
    void mouseDown(int index, int button, int shift, float x, float y);
    void mouseMove(int index, int button, int shift, float x, float y);
    void mouseUp(int index, int button, int shift, float x, float y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int index_;
    QColor colour_;
};

} // namespace morvane
