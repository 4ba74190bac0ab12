#include "game/splashcontroller.h"

#include "game/puzzle.h"

namespace morvane {

namespace {

bool inside(const forms::TwipsRect& r, float x, float y)
{
    return x >= static_cast<float>(r.left) && x < static_cast<float>(r.left + r.width)
           && y >= static_cast<float>(r.top) && y < static_cast<float>(r.top + r.height);
}

} // namespace

// Taking in the partner banner lets the window handle what is pending before
// it goes on; the default banner is the one the window was defined with.
void SplashController::Form_Load()
{
    layout_ = forms::splashLayout(partnerTest());
    frontEnd_.showLayout(layout_);
    if (layout_.label1Visible)
        frontEnd_.processPendingEvents();
}

// The locale's order is asked for only on the days it decides: reading it
// can take a desktop or a browser a while (a page's first date format loads
// the browser's locale data), and the splash is waiting.
bool SplashController::partnerTest()
{
    const std::chrono::year_month_day today = frontEnd_.today();
    return partnerPeriod(today, orderDecides(today) ? frontEnd_.dateOrder() : DateOrder::MonthFirst);
}

// The link where it shows, else the banner: the link is drawn above it.
SplashController::Part SplashController::partAt(float x, float y) const
{
    if (layout_.label1Visible && inside(forms::SplashLabel1.rect, x, y))
        return Part::Label1;
    const forms::Banner& banner = layout_.banner;
    const float left = layout_.picture1Left;
    const float top = layout_.picture1Top;
    if (x >= left && x < left + static_cast<float>(banner.widthTwips()) && y >= top
        && y < top + static_cast<float>(banner.heightTwips()))
        return Part::Picture1;
    return Part::None;
}

void SplashController::pointer(const PointerEvent& event)
{
    if (event.action == PointerAction::Press)
        Form_MouseDown(event.button, event.x, event.y);
    else if (event.action == PointerAction::Release)
        Form_MouseUp(event.button, event.x, event.y);
    else if (event.action == PointerAction::Cancel)
        pressed_ = Part::None;
}

bool SplashController::key(const KeyEvent& event)
{
    const bool pressesContinue = event.shift == 0 ? event.key == key::Enter || event.key == key::Space
                                                  : event.shift == modifier::Alt && event.key == key::letter(forms::accessKeyOf(forms::Command1.text));
    if (!pressesContinue)
        return false;
    if (event.pressed)
        Command1_Click();
    return true;
}

void SplashController::Form_MouseDown(int button, float x, float y)
{
    if (button == button::Left)
        pressed_ = partAt(x, y);
}

void SplashController::Form_MouseUp(int button, float x, float y)
{
    if (button != button::Left)
        return;
    const Part released = partAt(x, y);
    const Part pressed = pressed_;
    pressed_ = Part::None;
    if (released != pressed)
        return;
    if (released == Part::Label1)
        Label1_Click();
    else if (released == Part::Picture1)
        Picture1_Click();
}

void SplashController::Picture1_Click()
{
    UrlTo(partnerTest() ? forms::kPartnerAddress : forms::kMakerAddress);
}

void SplashController::Label1_Click()
{
    UrlTo(forms::kPartnerAddress);
}

void SplashController::UrlTo(std::string_view szURL)
{
    frontEnd_.openAddress(szURL);
}

// The game window is on screen before the splash goes, so there is never a
// moment without a window. A second press, queued behind the first, finds
// the hand-over done.
void SplashController::Command1_Click()
{
    if (handedOver_)
        return;
    frontEnd_.showGameWindow();
    handedOver_ = true;
    frontEnd_.closeSplash();
}

// Closed any other way than by "&Continue", the splash leaves no window
// open, and the program ends.
void SplashController::Form_Unload()
{
    if (!handedOver_)
        frontEnd_.endProgram();
}

} // namespace morvane
