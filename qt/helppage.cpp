#include "qt/helppage.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

#include "qt/controls.h"

namespace morvane {

QString helpPageText(const HelpPage& page)
{
    QString text;
    if (page.about)
        text += "<p><b>" + qtText(page.about->name) + "</b>" + qtText(page.about->rest).toHtmlEscaped() + "</p>";
    text += "<p>" + qtText(page.introduction).toHtmlEscaped() + "</p><table cellspacing='4'>";
    for (const HelpRow& row : page.rows)
        text += "<tr><td><b>" + qtText(row.action).toHtmlEscaped() + "</b></td><td>"
                + qtText(row.description).toHtmlEscaped() + "</td></tr>";
    return text + "</table>";
}

void showHelpPage(QPointer<QDialog>& window, QWidget* owner, const HelpPage& page)
{
    if (!window) {
        window = new QDialog(owner);
        window->setObjectName(QStringLiteral("helpPage"));
        window->setAttribute(Qt::WA_DeleteOnClose);
        auto* label = new QLabel(helpPageText(page), window);
        label->setWordWrap(true);
        label->setTextFormat(Qt::RichText);
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, window);
        QObject::connect(buttons, &QDialogButtonBox::rejected, window, &QDialog::close);
        auto* layout = new QVBoxLayout(window);
        layout->addWidget(label);
        layout->addWidget(buttons);
        window->setMinimumWidth(380);
        // Beside the game rather than over the board, where the screen has
        // room for it; elsewhere the desktop places it.
        window->adjustSize();
        const QRect game = owner->window()->frameGeometry();
        const QRect beside(game.topRight() + QPoint(1, 0), window->frameGeometry().size());
        if (owner->screen()->availableGeometry().contains(beside))
            window->move(beside.topLeft());
    }
    window->setWindowTitle(qtText(page.title));
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace morvane
