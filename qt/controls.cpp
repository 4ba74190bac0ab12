#include "qt/controls.h"

#include "qt/twips.h"

namespace morvane {

QRect pixelRect(const forms::TwipsRect& rect)
{
    return twipsRect(rect.left, rect.top, rect.width, rect.height);
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
    label->setFont(qtFont(control.font, label->font()));
    if (!control.visible)
        label->hide();
    return label;
}

} // namespace morvane
