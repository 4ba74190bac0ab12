#include "qt/frmSplash.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDate>
#include <QDesktopServices>
#include <QFontDatabase>
#include <QLabel>
#include <QLocale>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QUrl>

#include "game/forms.h"
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

} // namespace

SplashDesktop systemDesktop()
{
    return {
        [] {
            const QDate today = QDate::currentDate();
            return std::chrono::year_month_day{std::chrono::year{today.year()},
                                               std::chrono::month{static_cast<unsigned>(today.month())},
                                               std::chrono::day{static_cast<unsigned>(today.day())}};
        },
        [] { return dateOrderOf(QLocale::system().dateFormat(QLocale::ShortFormat).toStdString()); },
        // The desktop reports failure in its own way, if at all; the splash
        // window stays as it is whatever happens.
        [](WId, const QString& url) { QDesktopServices::openUrl(QUrl(url)); },
    };
}

frmSplash::frmSplash(SplashDesktop desktop)
    : QWidget(nullptr, Qt::Tool | Qt::CustomizeWindowHint),
      desktop_(std::move(desktop)),
      makeGameWindow_([] { return new frmPuzzle; }),
      // Queued, so that a close made while the program is already ending
      // does not start ending it a second time.
      endProgram_([] { QMetaObject::invokeMethod(QCoreApplication::instance(), "quit", Qt::QueuedConnection); })
{
    setAttribute(Qt::WA_DeleteOnClose);
    buildControls();
    Form_Load();
}

frmSplash::~frmSplash() = default;

// The window as it is defined, before it loads. The controls are made in
// their tab order, so the focus chain follows it and "&Continue" comes first.
void frmSplash::buildControls()
{
    // A tool window keeps the splash off the taskbar. Without a close box or
    // a caption it needs no title bar at all.
    setWindowTitle(qtText(forms::frmSplash.caption));
    setFixedSize(twipsToPixels(forms::frmSplash.width), twipsToPixels(forms::frmSplash.height));
    setAutoFillBackground(true);
    useStandardSurface(this);

    Command1_ = new QPushButton(qtText(forms::Command1.text), this);
    Command1_->setGeometry(pixelRect(forms::Command1.rect));
    useStandardButtonFace(Command1_);
    // Enter presses the button that has the focus, as it would in a dialog.
    Command1_->setAutoDefault(true);
    // The window's definition leaves a placeholder as the button's tooltip;
    // a player is better off without it, so the button has none.
    connect(Command1_, &QPushButton::clicked, this, &frmSplash::Command1_Click);

    // Only a store for the partner banner: never shown.
    Picture2_ = new QLabel(this);
    Picture2_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Picture2_->setLineWidth(2);
    Picture2_->move(pixelRect(forms::Picture2.rect).topLeft());
    showPicture(Picture2_, bannerPicture(forms::kPartnerBanner));
    Picture2_->hide();

    Label1_ = makeLabel(this, forms::SplashLabel1);
    // Where the old bitmap face is not installed, Arial stands in for it, as
    // on the desktops that still have both; the game window's title needs
    // Arial anyway, so one line of text loads no third face.
    QFont linkFont = Label1_->font();
    if (!QFontDatabase::families().contains(linkFont.family()))
        linkFont.setFamily(qtText(forms::kTitleFont.face));
    linkFont.setStyleHint(QFont::SansSerif);
    Label1_->setFont(linkFont);
    Label1_->setAutoFillBackground(true);
    QPalette link = Label1_->palette();
    link.setColor(QPalette::WindowText, qtColour(forms::SplashLabel1.foreground));
    Label1_->setPalette(link);
    Label1_->setCursor(Qt::PointingHandCursor);
    Label1_->installEventFilter(this);

    // The banner takes the focus only from the keyboard, so a click on it
    // leaves Enter with "&Continue".
    Picture1_ = new QLabel(this);
    Picture1_->setFocusPolicy(Qt::TabFocus);
    // Its background and ink are the window's: the standard scheme's window
    // colours, white and black, whatever the desktop's scheme.
    Picture1_->setAutoFillBackground(true);
    Picture1_->setCursor(Qt::PointingHandCursor);
    Picture1_->installEventFilter(this);
    movePicture1(static_cast<float>(forms::Picture1.rect.left), static_cast<float>(forms::Picture1.rect.top));

    Command1_->setFocus();
}

void frmSplash::Form_Load()
{
    // Picture1 is defined with the default banner; it is decoded only where it
    // stays, since the partner layout replaces it before it is ever seen.
    const forms::SplashLayout layout = forms::splashLayout(partnerTest());
    if (!layout.label1Visible) {
        showPicture(Picture1_, bannerPicture(layout.banner));
        return;
    }
    setPicture1(Picture2_->pixmap());
    movePicture1(layout.picture1Left, layout.picture1Top);
    Label1_->show();
}

void frmSplash::Picture1_Change()
{
    QCoreApplication::processEvents();
}

void frmSplash::Picture1_Click()
{
    UrlTo(winId(), qtText(partnerTest() ? forms::kPartnerAddress : forms::kMakerAddress));
}

void frmSplash::Label1_Click()
{
    UrlTo(winId(), qtText(forms::kPartnerAddress));
}

// The game window is on screen before the splash goes, so there is never a
// moment without a window.
void frmSplash::Command1_Click()
{
    if (handedOver_)
        return;
    QWidget* game = makeGameWindow_();
    game->setAttribute(Qt::WA_DeleteOnClose);
    game->show();
    handedOver_ = true;
    close();
}

void frmSplash::UrlTo(const WId& windowHandle, const QString& szURL)
{
    desktop_.openUrl(windowHandle, szURL);
}

bool frmSplash::partnerTest() const
{
    return partnerPeriod(desktop_.today(), desktop_.dateOrder());
}

void frmSplash::setPicture1(const QPixmap& picture)
{
    showPicture(Picture1_, picture);
    Picture1_Change();
}

void frmSplash::movePicture1(float left, float top)
{
    picture1Left_ = left;
    picture1Top_ = top;
    Picture1_->move(twipsToPixels(left), twipsToPixels(top));
}

void frmSplash::setGameWindowFactory(std::function<QWidget*()> factory)
{
    makeGameWindow_ = std::move(factory);
}

void frmSplash::setProgramEnd(std::function<void()> end)
{
    endProgram_ = std::move(end);
}

void frmSplash::setVisible(bool visible)
{
    if (visible && !isVisible()) {
        QRect centred = rect();
        centred.moveCenter(screen()->geometry().center());
        setGeometry(centred);
        // The native window takes a caption as it is made; the empty one goes
        // back before the window manager ever sees it.
        winId();
        clearPlatformCaption(this);
    }
    QWidget::setVisible(visible);
}

// A tool window does not count as the program's last window, so closing the
// splash would leave the program running with nothing on screen.
void frmSplash::closeEvent(QCloseEvent* event)
{
    if (!handedOver_)
        endProgram_();
    event->accept();
}

// The label and the banner report a click when the left button comes up over
// the control it went down on.
bool frmSplash::eventFilter(QObject* watched, QEvent* event)
{
    const bool press = event->type() == QEvent::MouseButtonPress;
    const bool release = event->type() == QEvent::MouseButtonRelease;
    if ((watched != Picture1_ && watched != Label1_) || (!press && !release))
        return QWidget::eventFilter(watched, event);
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() != Qt::LeftButton)
        return false;
    if (release && static_cast<QWidget*>(watched)->rect().contains(mouse->position().toPoint())) {
        if (watched == Picture1_)
            Picture1_Click();
        else
            Label1_Click();
    }
    return true;
}

} // namespace morvane
