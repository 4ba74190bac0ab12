#pragma once

// The splash window on Qt: the banner, the link label that only the partner
// layout shows, and "&Continue", named "Picture1", "Label1" and "Command1". Each event is one call into the window's
// controller, which decides the layout, where a click leads and the
// hand-over to the game window.

#include <QWidget>

#include <memory>

#include "game/splashcontroller.h"
#include "qt/desktop.h"

class QLabel;
class QPushButton;

namespace morvane {

class frmSplash : public QWidget {
    Q_OBJECT
public:
    // Loads the window at once, so the layout is chosen before it is first
    // shown. The window deletes itself when it closes: create it with new.
    explicit frmSplash(Desktop desktop = systemDesktop());
    ~frmSplash() override;

    void setVisible(bool visible) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // What the controller asks of this window, answered with Qt's calls.
    class FrontEnd;

    void buildControls();

    Desktop desktop_;
    std::unique_ptr<FrontEnd> frontEnd_;
    SplashController controller_;

    QPushButton* Command1_ = nullptr;
    QLabel* Picture2_ = nullptr;
    QLabel* Label1_ = nullptr;
    QLabel* Picture1_ = nullptr;
};

} // namespace morvane
