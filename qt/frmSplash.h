#pragma once

// The splash window the game opens with: a banner, a link label that only the
// partner layout shows, and "&Continue", which opens the game window and then
// closes the splash for good. Which banner it shows is settled once, when it
// loads; where a banner click leads is decided afresh at every click.

#include <QString>
#include <QWidget>

#include <chrono>
#include <functional>

#include "game/partnerdate.h"

class QLabel;
class QPushButton;

namespace morvane {

// What the splash window takes from the desktop: the local date, the order
// of the locale's short dates, and a browser. Tests answer in their place.
struct SplashDesktop {
    std::function<std::chrono::year_month_day()> today;
    std::function<DateOrder()> dateOrder;
    std::function<void(WId owner, const QString& url)> openUrl;
};

// Today from the system clock, the order of QLocale::system()'s short date,
// and QDesktopServices::openUrl.
SplashDesktop systemDesktop();

class frmSplash : public QWidget {
    Q_OBJECT
public:
    // Loads the window at once, so the layout is chosen before it is first
    // shown. The window deletes itself when it closes: create it with new.
    explicit frmSplash(SplashDesktop desktop = systemDesktop());
    ~frmSplash() override;

    QLabel* Label1() const { return Label1_; }
    QLabel* Picture1() const { return Picture1_; }
    QLabel* Picture2() const { return Picture2_; }
    QPushButton* Command1() const { return Command1_; }

    // The banner's corner in twips. Centring can put it between two pixels;
    // the widget sits on the nearest one.
    float picture1Left() const { return picture1Left_; }
    float picture1Top() const { return picture1Top_; }

    // What "&Continue" opens; the game window unless a test says otherwise.
    void setGameWindowFactory(std::function<QWidget*()> factory);
    // What closing the splash without continuing does; ends the program
    // unless a test says otherwise.
    void setProgramEnd(std::function<void()> end);

    void Picture1_Click();
    void Label1_Click();
    void Command1_Click();
    void UrlTo(const WId& windowHandle, const QString& szURL);

    void setVisible(bool visible) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void Form_Load();
    void Picture1_Change();
    bool partnerTest() const;
    void setPicture1(const QPixmap& picture);
    void movePicture1(float left, float top);

    SplashDesktop desktop_;
    std::function<QWidget*()> makeGameWindow_;
    std::function<void()> endProgram_;
    bool handedOver_ = false;

    QPushButton* Command1_ = nullptr;
    QLabel* Picture2_ = nullptr;
    QLabel* Label1_ = nullptr;
    QLabel* Picture1_ = nullptr;
    float picture1Left_ = 0;
    float picture1Top_ = 0;
};

} // namespace morvane
