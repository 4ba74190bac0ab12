#include "qt/controls.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QScreen>

#include "game/puzzle.h"
#include "game/textfitting.h"
#include "qt/twips.h"

namespace morvane {

QRect pixelRect(const forms::TwipsRect& rect)
{
    return twipsRect(rect.left, rect.top, rect.width, rect.height);
}

Qt::WindowFlags windowFlagsOf(forms::Frame frame)
{
    switch (frame) {
    case forms::Frame::FixedSingle:
        // No maximize button; File > Exit always ends the game.
        return Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
               | Qt::WindowCloseButtonHint;
    case forms::Frame::ToolWindow:
        // Off the taskbar; without a close box or a caption it needs no
        // title bar at all.
        return Qt::Tool | Qt::CustomizeWindowHint;
    }
    return Qt::Window;
}

void placeOnScreen(QWidget* window, forms::Placement placement)
{
    switch (placement) {
    case forms::Placement::TopLeftOfScreen:
        window->move(0, 0);
        break;
    case forms::Placement::CentreOfScreen: {
        QRect centred = window->rect();
        centred.moveCenter(window->screen()->geometry().center());
        window->setGeometry(centred);
        break;
    }
    }
}

QFont qtFont(const forms::Font& font, const QFont& desktop)
{
    if (font.face.empty())
        return desktop;
    QFont made(qtText(font.face), font.points, font.bold ? QFont::Bold : QFont::Normal);
    made.setUnderline(font.underline);
    return made;
}

QLabel* makeLabel(QWidget* parent, const forms::Control& control)
{
    auto* label = new QLabel(qtText(control.text), parent);
    label->setGeometry(pixelRect(control.rect));
    const Qt::Alignment alignment = control.alignment == forms::Alignment::Centre ? Qt::AlignHCenter : Qt::AlignLeft;
    label->setAlignment(alignment | Qt::AlignTop);
    if (control.border == forms::Border::Single)
        label->setFrameStyle(QFrame::Box | QFrame::Plain);
    else if (control.border == forms::Border::Sunken)
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setLineWidth(forms::borderPixels(control.border));
    label->setFont(qtFont(control.font, label->font()));
    QPalette colours = label->palette();
    colours.setColor(QPalette::WindowText, colourOf(control.foreground));
    colours.setColor(QPalette::Window, colourOf(control.background));
    label->setPalette(colours);
    if (!control.visible)
        label->hide();
    return label;
}

QPushButton* makeButton(QWidget* parent, const forms::Control& control)
{
    auto* button = new QPushButton(qtText(control.text), parent);
    button->setGeometry(pixelRect(control.rect));
    button->setFont(qtFont(control.font, button->font()));
    button->setFocusPolicy(control.tabIndex == forms::kNoTabStop ? Qt::NoFocus : Qt::StrongFocus);
    if (!control.visible)
        button->hide();
    return button;
}

void fitTextInside(std::span<const forms::Control* const> group, const LabelsOf& labels)
{
    const QFont desktop = labels.at(group.front())->font();
    const double points = fittingPointSize(group, desktop.pointSizeF(), forms::kTwipsPerPixel,
                                           [&](std::string_view text, double size) {
                                               QFont font = desktop;
                                               font.setPointSizeF(size);
                                               const QFontMetrics metrics(font);
                                               // Where the ink of the text ends, from the top left of
                                               // the label, not the space the font leaves around it.
                                               const QRect ink = metrics.tightBoundingRect(qtText(text));
                                               return TextExtent{double(ink.right() + 1) * forms::kTwipsPerPixel,
                                                                 double(metrics.ascent() + ink.bottom() + 1) * forms::kTwipsPerPixel};
                                           });
    if (points == desktop.pointSizeF())
        return;
    QFont fitted = desktop;
    fitted.setPointSizeF(points);
    for (const forms::Control* control : group)
        labels.at(control)->setFont(fitted);
}

int buttonCode(Qt::MouseButton button)
{
    return buttonsCode(button);
}

int buttonsCode(Qt::MouseButtons buttons)
{
    return ((buttons & Qt::LeftButton) ? button::Left : 0) + ((buttons & Qt::RightButton) ? button::Right : 0)
           + ((buttons & Qt::MiddleButton) ? button::Middle : 0);
}

int shiftCode(Qt::KeyboardModifiers modifiers)
{
    return ((modifiers & Qt::ShiftModifier) ? modifier::Shift : 0)
           + ((modifiers & Qt::ControlModifier) ? modifier::Ctrl : 0)
           + ((modifiers & Qt::AltModifier) ? modifier::Alt : 0);
}

int keyCode(int qtKey)
{
    // Qt numbers letters, digits and Space as the game does.
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) || qtKey == Qt::Key_Space)
        return qtKey;
    switch (qtKey) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return key::Enter;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return key::Tab;
    case Qt::Key_Escape:
        return key::Escape;
    case Qt::Key_Left:
        return key::Left;
    case Qt::Key_Up:
        return key::Up;
    case Qt::Key_Right:
        return key::Right;
    case Qt::Key_Down:
        return key::Down;
    case Qt::Key_F1:
        return key::F1;
    default:
        return 0;
    }
}

KeyEvent keyEventOf(const QKeyEvent& event)
{
    return {.key = keyCode(event.key()),
            .shift = shiftCode(event.modifiers()),
            .pressed = event.type() == QEvent::KeyPress};
}

// Qt turns a double click into a press of its own, as the game wants. A
// touch reaches the widgets as the mouse events Qt makes of it, and is
// reported as the mouse, as a pen is.
std::optional<PointerEvent> pointerEventOf(const QEvent& event, const QWidget& target, const QWidget& client)
{
    PointerAction action = PointerAction::Move;
    switch (event.type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        action = PointerAction::Press;
        break;
    case QEvent::MouseButtonRelease:
        action = PointerAction::Release;
        break;
    case QEvent::MouseMove:
        break;
    default:
        return std::nullopt;
    }
    const auto& mouse = static_cast<const QMouseEvent&>(event);
    const QPointF at = pixelsToTwips(&target == &client ? mouse.position() : target.mapTo(&client, mouse.position()));
    return PointerEvent{.action = action,
                        .button = buttonCode(mouse.button()),
                        .buttons = buttonsCode(mouse.buttons()),
                        .shift = shiftCode(mouse.modifiers()),
                        .x = static_cast<float>(at.x()),
                        .y = static_cast<float>(at.y())};
}

} // namespace morvane
