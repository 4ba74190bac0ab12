#include "qt/frmSplash.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFontDatabase>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

#include "qt/controls.h"
#include "qt/emptycaption.h"
#include "qt/frmPuzzle.h"
#include "qt/standardcolours.h"
#include "qt/twips.h"

namespace morvane {

namespace {

QPixmap bannerPicture(const forms::Banner& banner)
{
    return QPixmap(":/" + qtText(banner.resource));
}

// A picture box sizes itself to its picture; its border, if any, comes on top.
void showPicture(QLabel* box, const QPixmap& picture)
{
    box->setPixmap(picture);
    const int border = 2 * box->frameWidth();
    box->resize(picture.width() + border, picture.height() + border);
}

// The banner and the link open their address from a click, so they ask for
// the hand; the banner takes the focus only from the keyboard, so a click on
// it leaves Enter with "&Continue".
void makeClickable(QLabel* label, QObject* filter)
{
    label->setAutoFillBackground(true);
    label->setCursor(Qt::PointingHandCursor);
    label->installEventFilter(filter);
}

} // namespace

class frmSplash::FrontEnd final : public SplashFrontEnd {
public:
    explicit FrontEnd(frmSplash& window) : window_(window) {}

    std::chrono::year_month_day today() override { return window_.desktop_.today(); }
    DateOrder dateOrder() override { return window_.desktop_.dateOrder(); }
    // The default layout keeps the banner the window was defined with; the
    // partner layout takes Picture2's. Centring can put the banner between
    // two pixels: the widget sits on the nearest one.
    void showLayout(const forms::SplashLayout& layout) override
    {
        const bool partner = layout.banner == forms::kPartnerBanner;
        showPicture(window_.Picture1_, partner ? window_.Picture2_->pixmap() : bannerPicture(layout.banner));
        window_.Picture1_->move(twipsToPixels(layout.picture1Left), twipsToPixels(layout.picture1Top));
        window_.Label1_->setVisible(layout.label1Visible);
    }
    void processPendingEvents() override { QCoreApplication::processEvents(); }
    void openAddress(std::string_view url) override { window_.desktop_.openUrl(window_.winId(), qtText(url)); }
    void showGameWindow() override
    {
        QWidget* game = window_.makeGameWindow_();
        game->setAttribute(Qt::WA_DeleteOnClose);
        game->show();
    }
    void closeSplash() override { window_.close(); }
    void endProgram() override { window_.desktop_.endProgram(); }

private:
    frmSplash& window_;
};

frmSplash::frmSplash(Desktop desktop)
    : QWidget(nullptr, windowFlagsOf(forms::frmSplash.frame)),
      desktop_(std::move(desktop)),
      frontEnd_(std::make_unique<FrontEnd>(*this)),
      controller_(*frontEnd_),
      makeGameWindow_([] { return new frmPuzzle; })
{
    setAttribute(Qt::WA_DeleteOnClose);
    buildControls();
    controller_.Form_Load();
}

frmSplash::~frmSplash() = default;

// The window as it is defined, before it loads. The controls are made in
// their tab order, so the focus chain follows it and "&Continue" comes first.
void frmSplash::buildControls()
{
    setWindowTitle(qtText(forms::frmSplash.caption));
    const forms::TwipsSize client = forms::clientSize(forms::frmSplash);
    setFixedSize(twipsToPixels(client.width), twipsToPixels(client.height));
    setAutoFillBackground(true);
    useStandardSurface(this, forms::frmSplash.background);

    for (const forms::Control* control : forms::kSplashControls) {
        if (control == &forms::Command1) {
            Command1_ = makeButton(this, *control);
            useStandardButtonFace(Command1_, *control);
            // Enter presses the button that has the focus, as it would in a dialog.
            Command1_->setAutoDefault(true);
            // The window's definition leaves a placeholder as the button's
            // tooltip; a player is better off without it, so it has none.
            connect(Command1_, &QPushButton::clicked, this, [this] { controller_.Command1_Click(); });
        } else if (control == &forms::Picture2) {
            // Only a store for the partner banner: never shown.
            Picture2_ = makeLabel(this, *control);
            showPicture(Picture2_, bannerPicture(forms::kPartnerBanner));
        } else if (control == &forms::SplashLabel1) {
            Label1_ = makeLabel(this, *control);
            // Where the old bitmap face is not installed, Arial stands in for
            // it, as on the desktops that still have both; the game window's
            // title needs Arial anyway, so one line of text loads no third face.
            QFont linkFont = Label1_->font();
            if (!QFontDatabase::families().contains(linkFont.family()))
                linkFont.setFamily(qtText(forms::kTitleFont.face));
            linkFont.setStyleHint(QFont::SansSerif);
            Label1_->setFont(linkFont);
            makeClickable(Label1_, this);
        } else if (control == &forms::Picture1) {
            Picture1_ = makeLabel(this, *control);
            Picture1_->setFocusPolicy(Qt::TabFocus);
            makeClickable(Picture1_, this);
        }
    }
    Command1_->setFocus();
}

void frmSplash::setGameWindowFactory(std::function<QWidget*()> factory)
{
    makeGameWindow_ = std::move(factory);
}

void frmSplash::setVisible(bool visible)
{
    if (visible && !isVisible()) {
        placeOnScreen(this, forms::frmSplash.placement);
        // The native window takes a caption as it is made; the empty one goes
        // back before the window manager ever sees it.
        winId();
        clearPlatformCaption(this);
    }
    QWidget::setVisible(visible);
}

void frmSplash::closeEvent(QCloseEvent* event)
{
    event->accept();
    controller_.Form_Unload();
}

// The label's and the banner's presses and releases, in the window's twips.
bool frmSplash::eventFilter(QObject* watched, QEvent* event)
{
    const bool press = event->type() == QEvent::MouseButtonPress;
    if ((watched != Picture1_ && watched != Label1_) || (!press && event->type() != QEvent::MouseButtonRelease))
        return QWidget::eventFilter(watched, event);
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const QPointF at = pixelsToTwips(static_cast<QWidget*>(watched)->mapTo(this, mouse->position()));
    const auto x = static_cast<float>(at.x());
    const auto y = static_cast<float>(at.y());
    if (press)
        controller_.Form_MouseDown(buttonCode(mouse->button()), x, y);
    else
        controller_.Form_MouseUp(buttonCode(mouse->button()), x, y);
    return true;
}

} // namespace morvane
