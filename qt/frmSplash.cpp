#include "qt/frmSplash.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QLabel>
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
// it leaves the focus on "&Continue".
void makeClickable(QLabel* label)
{
    label->setAutoFillBackground(true);
    label->setCursor(Qt::PointingHandCursor);
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
    void openAddress(std::string_view url) override { window_.desktop_.openAddress(window_.winId(), qtText(url)); }
    void showGameWindow() override
    {
        QWidget* game = new frmPuzzle;
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
      controller_(*frontEnd_)
{
    setAttribute(Qt::WA_DeleteOnClose);
    buildControls();
    controller_.Form_Load();
    // The window's presses and releases, and its keys before any control
    // takes them, go to the controller.
    for (QWidget* part : {static_cast<QWidget*>(this), static_cast<QWidget*>(Label1_), static_cast<QWidget*>(Picture1_),
                          static_cast<QWidget*>(Command1_)})
        part->installEventFilter(this);
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
            Command1_->setObjectName(QStringLiteral("Command1"));
            useStandardButtonFace(Command1_, *control);
            // Its marked letter is the controller's key, as are Enter and Space.
            Command1_->setShortcut({});
            connect(Command1_, &QPushButton::clicked, this, [this] { controller_.Command1_Click(); });
        } else if (control == &forms::Picture2) {
            // Only a store for the partner banner: never shown.
            Picture2_ = makeLabel(this, *control);
            Picture2_->setObjectName(QStringLiteral("Picture2"));
            showPicture(Picture2_, bannerPicture(forms::kPartnerBanner));
        } else if (control == &forms::SplashLabel1) {
            Label1_ = makeLabel(this, *control);
            Label1_->setObjectName(QStringLiteral("Label1"));
            // Where the link's own face is not installed, Arial stands in for
            // it; the game window's title needs Arial anyway, so one line of
            // text loads no third face.
            QFont linkFont = Label1_->font();
            if (!QFontDatabase::families().contains(linkFont.family()))
                linkFont.setFamily(qtText(forms::kTitleFont.face));
            linkFont.setStyleHint(QFont::SansSerif);
            Label1_->setFont(linkFont);
            makeClickable(Label1_);
        } else if (control == &forms::Picture1) {
            Picture1_ = makeLabel(this, *control);
            Picture1_->setObjectName(QStringLiteral("Picture1"));
            Picture1_->setFocusPolicy(Qt::TabFocus);
            makeClickable(Picture1_);
        }
    }
    Command1_->setFocus();
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

bool frmSplash::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
        if (controller_.key(keyEventOf(*static_cast<QKeyEvent*>(event))))
            return true;
    } else if (watched != Command1_ && watched->isWidgetType()) {
        if (const std::optional<PointerEvent> pointer = pointerEventOf(*event, *static_cast<QWidget*>(watched), *this)) {
            controller_.pointer(*pointer);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace morvane
