#pragma once

// What the splash window does, written once for every front end: which
// banner it shows, where a click on the banner or the link leads, and the
// hand-over to the game window. Its front end turns each event into one call
// here and does only what SplashFrontEnd asks of it.

#include <chrono>
#include <string_view>

#include "game/forms.h"
#include "game/input.h"
#include "game/partnerdate.h"

namespace morvane {

// What the splash asks of the desktop it runs on.
class SplashFrontEnd {
public:
    // The local date, without a time of day, and the order in which the
    // player's locale writes the day and the month of a short date.
    virtual std::chrono::year_month_day today() = 0;
    virtual DateOrder dateOrder() = 0;
    // Picture1 takes the layout's banner at its place, and Label1 shows or
    // stays hidden.
    virtual void showLayout(const forms::SplashLayout& layout) = 0;
    // Lets the window handle whatever events are pending, once.
    virtual void processPendingEvents() = 0;
    // Asks the desktop to open a web address, owned by the splash window;
    // whatever the desktop makes of it, the splash stays as it is.
    virtual void openAddress(std::string_view url) = 0;
    // Makes the game window, loads it and shows it, non-modal and without
    // an owner.
    virtual void showGameWindow() = 0;
    // Closes the splash window for good.
    virtual void closeSplash() = 0;
    // Leaves the program's event loop at once.
    virtual void endProgram() = 0;

protected:
    ~SplashFrontEnd() = default;
};

class SplashController {
public:
    explicit SplashController(SplashFrontEnd& frontEnd) : frontEnd_(frontEnd) {}

    // The load step, before the window is first shown: the layout the date
    // chooses, fixed from then on.
    void Form_Load();

    // A pointer on the window's client area, anywhere but on "&Continue",
    // which the toolkit presses by itself.
    void pointer(const PointerEvent& event);
    // A key pressed or released anywhere in the window: true when it was the
    // splash's, and the toolkit should do nothing more with it. Enter, Space
    // and Alt+C press "&Continue", the window's one button.
    bool key(const KeyEvent& event);

    // The left button, or another, pressed and released on the window, at a
    // point of its client area in twips. A click is a left release over the
    // link or the banner that the press went down on.
    void Form_MouseDown(int button, float x, float y);
    void Form_MouseUp(int button, float x, float y);
    // Whether a click at this point would open an address, for the hand
    // the pointer shows there.
    bool opensAddressAt(float x, float y) const { return partAt(x, y) != Part::None; }

    // "&Continue", by mouse, Enter, Space or Alt+C.
    void Command1_Click();
    // The window was closed, by "&Continue" or any other way.
    void Form_Unload();

    const forms::SplashLayout& layout() const { return layout_; }

private:
    enum class Part { None, Label1, Picture1 };
    Part partAt(float x, float y) const;
    bool partnerTest();
    void Picture1_Click();
    void Label1_Click();
    void UrlTo(std::string_view szURL);

    SplashFrontEnd& frontEnd_;
    forms::SplashLayout layout_ = forms::splashLayout(false);
    Part pressed_ = Part::None;
    bool handedOver_ = false;
};

} // namespace morvane
