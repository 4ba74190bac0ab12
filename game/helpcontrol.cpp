#include "game/helpcontrol.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

namespace morvane {

HelpControl::HelpControl(QWidget* parent)
    : QPushButton(tr("Help"), parent)
{
    setToolTip(tr("How to play"));
    connect(this, &QPushButton::clicked, this, &HelpControl::showTopic);
}

void HelpControl::setDispatchProperty(quint32 dispatchId, const QVariant& value)
{
    if (dispatchId != kHelpContextProperty)
        return;
    bool ok = false;
    const int context = value.toString().trimmed().toInt(&ok);
    if (ok)
        helpContext_ = context;
}

QString HelpControl::topicTitle() const
{
    return helpContext_ == kHowToPlayTopic ? tr("How to play") : tr("About Morvane");
}

QString HelpControl::topicText() const
{
    QString howToPlay = tr(
        "<p>Fit the twelve pieces into the 6 x 10 grid. Every piece is used once; "
        "the clock counts the seconds, and when you are done is up to you.</p>"
        "<table cellspacing='4'>"
        "<tr><td><b>Move</b></td><td>Hold the left button on a piece and drag it. "
        "When you let go it settles onto the grid.</td></tr>"
        "<tr><td><b>Turn</b></td><td>Click a piece with the right button: a quarter turn "
        "anticlockwise.</td></tr>"
        "<tr><td><b>Mirror</b></td><td>Shift + right button flips it top to bottom, "
        "Ctrl + right button left to right.</td></tr>"
        "<tr><td><b>Save</b></td><td>Ctrl+S writes the position of every piece and the clock "
        "to a file.</td></tr>"
        "<tr><td><b>Load</b></td><td>Ctrl+O puts the pieces back from such a file.</td></tr>"
        "<tr><td><b>Start again</b></td><td>File &gt; New.</td></tr>"
        "</table>");
    if (helpContext_ == kHowToPlayTopic)
        return howToPlay;
    return tr("<p><b>Morvane</b> 2.00, a pentomino puzzle.</p>") + howToPlay;
}

void HelpControl::showTopic()
{
    // A page beside the game rather than a modal box: the player can keep it
    // open while trying what it says.
    if (!page_) {
        page_ = new QDialog(window());
        page_->setAttribute(Qt::WA_DeleteOnClose);
        auto* text = new QLabel(topicText(), page_);
        text->setWordWrap(true);
        text->setTextFormat(Qt::RichText);
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, page_);
        connect(buttons, &QDialogButtonBox::rejected, page_, &QDialog::close);
        auto* layout = new QVBoxLayout(page_);
        layout->addWidget(text);
        layout->addWidget(buttons);
        page_->setMinimumWidth(380);
    }
    page_->setWindowTitle(topicTitle());
    page_->show();
    page_->raise();
    page_->activateWindow();
}

} // namespace morvane
