#include "qt/helpcontrol.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

#include "game/forms.h"
#include "qt/controls.h"

namespace morvane {

HelpControl::HelpControl(QWidget* parent)
    : QPushButton(qtText(forms::TOLMHelpControl1.text), parent)
{
    setToolTip(qtText(helpTopicTitle(kHowToPlayTopic)));
    connect(this, &QPushButton::clicked, this, &HelpControl::showTopic);
}

void HelpControl::setDispatchProperty(quint32 dispatchId, const QVariant& value)
{
    if (dispatchId != forms::kHelpContextProperty)
        return;
    if (const std::optional<int> context = helpContextOf(value.toString().toStdString()))
        helpContext_ = *context;
}

QString HelpControl::topicTitle() const
{
    return qtText(helpTopicTitle(helpContext_));
}

QString HelpControl::topicText() const
{
    QString page;
    if (const std::optional<AboutLine> about = helpAboutLine(helpContext_))
        page += "<p><b>" + qtText(about->name) + "</b>" + qtText(about->rest).toHtmlEscaped() + "</p>";
    page += "<p>" + qtText(kHelpIntroduction).toHtmlEscaped() + "</p><table cellspacing='4'>";
    for (const HelpRow& row : kHelpRows)
        page += "<tr><td><b>" + qtText(row.action).toHtmlEscaped() + "</b></td><td>"
                + qtText(row.description).toHtmlEscaped() + "</td></tr>";
    return page + "</table>";
}

void HelpControl::showTopic()
{
    // A page beside the game rather than a modal box: the player can keep it
    // open while trying what it says.
    if (!page_) {
        page_ = new QDialog(window());
        page_->setAttribute(Qt::WA_DeleteOnClose);
        auto* label = new QLabel(topicText(), page_);
        label->setWordWrap(true);
        label->setTextFormat(Qt::RichText);
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, page_);
        connect(buttons, &QDialogButtonBox::rejected, page_, &QDialog::close);
        auto* layout = new QVBoxLayout(page_);
        layout->addWidget(label);
        layout->addWidget(buttons);
        page_->setMinimumWidth(380);
    }
    page_->setWindowTitle(topicTitle());
    page_->show();
    page_->raise();
    page_->activateWindow();
}

} // namespace morvane
