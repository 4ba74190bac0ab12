// The game window and the splash on desktops other than the plain one. On a
// dark colour scheme what the game draws on its own white surfaces keeps the
// standard scheme's black ink, while the desktop's own surfaces (the menu bar,
// the help page) follow the desktop and stay readable in it. With a large
// desktop font the labels still show their whole text.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QImage>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

#include <array>
#include <functional>
#include <memory>

#include "qt/frmSplash.h"
#include "game/board.h"
#include "qt/frmPuzzle.h"
#include "qt/helppage.h"
#include "qt/twips.h"
#include "qtapp.h"

using namespace morvane;
using namespace std::chrono;

namespace {

// A dark scheme with light text, of the kind desktop theme tools ship, in
// the order of the palette's colour roles.
QPalette darkScheme()
{
    constexpr std::array<QRgb, 21> colours{
        0xffffffff, 0xff424245, 0xff979797, 0xff5e5c5b, 0xff302f2e, 0xff4a4947, 0xffffffff,
        0xffffffff, 0xffffffff, 0xff3d3d3d, 0xff222020, 0xffe7e4e0, 0xff12608a, 0xfff9f9f9,
        0xff0986d3, 0xffa70b06, 0xff5c5b5a, 0xffffffff, 0xff3f3f36, 0xffffffff, 0x80ffffff,
    };
    QPalette palette;
    for (std::size_t role = 0; role < colours.size(); ++role)
        palette.setColor(static_cast<QPalette::ColorRole>(role), QColor::fromRgba(colours[role]));
    return palette;
}

bool isDark(const QColor& c)
{
    return c.lightness() < 100;
}

int countPixels(const QImage& image, QRect area, const std::function<bool(const QColor&)>& test)
{
    int n = 0;
    area = area.intersected(image.rect());
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += test(image.pixelColor(x, y)) ? 1 : 0;
    return n;
}

// A widget as drawn, at one image pixel per logical pixel.
QImage drawn(QWidget* widget)
{
    QPixmap pixmap = widget->grab();
    return pixmap.toImage().scaled(widget->size()).convertToFormat(QImage::Format_RGB32);
}

class DarkDesktop : public ::testing::Test {
protected:
    void SetUp() override
    {
        desktopPalette = QApplication::palette();
        QApplication::setPalette(darkScheme());
    }
    void TearDown() override { QApplication::setPalette(desktopPalette); }

    QPalette desktopPalette;
};

} // namespace

TEST_F(DarkDesktop, TheBoardAndEveryTextOnTheWhiteClientAreaStayBlack)
{
    frmPuzzle window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const QImage image = drawn(window.centralWidget());
    ASSERT_EQ(image.pixelColor(2, 100), QColor(Qt::white));

    for (const Line& l : boardLines()) {
        // The middle of each line lies clear of the pieces and the labels.
        const QPoint middle(twipsToPixels((l.x1 + std::min(l.x2, 7300)) / 2), twipsToPixels((l.y1 + l.y2) / 2));
        EXPECT_TRUE(isDark(image.pixelColor(middle))) << "line through " << middle.x() << "," << middle.y();
    }

    const QList<QLabel*> labels = window.centralWidget()->findChildren<QLabel*>();
    ASSERT_EQ(labels.size(), 6);
    for (QLabel* label : labels)
        EXPECT_GT(countPixels(image, label->geometry(), isDark), 4) << label->text().toStdString();

    // The counter's frame is dark all round.
    const QRect frame = partOf<QLabel>(window, "lblTime")->geometry();
    for (const QPoint corner : {frame.topLeft(), frame.topRight(), frame.bottomLeft(), frame.bottomRight()})
        EXPECT_TRUE(isDark(image.pixelColor(corner))) << corner.x() << "," << corner.y();
}

TEST_F(DarkDesktop, TheDesktopsOwnSurfacesFollowItAndStayReadable)
{
    frmPuzzle window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const auto readable = [](QWidget* surface) {
        const QColor background = surface->palette().color(surface->backgroundRole());
        const QImage image = drawn(surface);
        return countPixels(image, image.rect(), [&](const QColor& c) {
            return std::abs(c.lightness() - background.lightness()) > 100;
        });
    };

    EXPECT_TRUE(isDark(window.menuBar()->palette().color(QPalette::Window)));
    EXPECT_GT(readable(window.menuBar()), 4);

    QTest::mouseClick(partOf<QPushButton>(window, "TOLMHelpControl1"), Qt::LeftButton);
    const QList<QDialog*> pages = window.findChildren<QDialog*>();
    ASSERT_EQ(pages.size(), 1);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(pages[0]));
    QLabel* text = pages[0]->findChild<QLabel*>();
    ASSERT_NE(text, nullptr);
    EXPECT_TRUE(isDark(text->palette().color(QPalette::Window)));
    EXPECT_GT(readable(text), 100);
    pages[0]->close();
}

TEST_F(DarkDesktop, TheSplashKeepsItsBlackCaptionAndBlueLinkOnWhite)
{
    Desktop desktop = systemDesktop();
    desktop.today = [] { return year_month_day{2026y / December / 8d}; };
    desktop.dateOrder = [] { return DateOrder::MonthFirst; };
    desktop.openAddress = [](WId, const QString&) {};
    desktop.endProgram = [] {};
    auto* splash = new frmSplash(desktop);
    splash->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(splash));
    const QImage image = drawn(splash);
    EXPECT_EQ(image.pixelColor(2, 2), QColor(Qt::white));

    // The caption sits well inside the button, clear of any focus frame.
    const QRect button = partOf(*splash, "Command1")->geometry();
    const QRect caption = button.adjusted(button.width() / 3, 6, -button.width() / 3, -6);
    EXPECT_GT(countPixels(image, caption, isDark), 10);
    EXPECT_GT(countPixels(image, caption, [](const QColor& c) { return c.lightness() > 200; }), caption.width() * caption.height() / 2)
        << "the face is light";

    const auto blue = [](const QColor& c) { return c.blue() > 200 && c.red() < 100 && c.green() < 100; };
    EXPECT_GT(countPixels(image, partOf(*splash, "Label1")->geometry(), blue), 10);
    delete splash;
}

TEST(LargeDesktopFont, EveryLabelShowsItsWholeTextInOneSizePerColumn)
{
    const QFont desktopFont = QApplication::font();
    QFont large = desktopFont;
    large.setPointSize(16);
    QApplication::setFont(large);
    frmPuzzle window;
    QApplication::setFont(desktopFont);

    const QList<QLabel*> labels = window.centralWidget()->findChildren<QLabel*>();
    for (const QLabel* label : labels) {
        const QFontMetrics metrics(label->font());
        const QRect ink = metrics.tightBoundingRect(label->text());
        EXPECT_LE(ink.width(), label->contentsRect().width()) << label->text().toStdString();
        EXPECT_LE(metrics.ascent() + ink.bottom() + 1, label->contentsRect().height()) << label->text().toStdString();
    }
    const auto sizeOf = [&](const char* text) {
        for (const QLabel* label : labels)
            if (label->text() == QLatin1String(text))
                return label->font().pointSizeF();
        return -1.0;
    };
    EXPECT_LT(sizeOf("Rotate : Right button"), 16.0);
    EXPECT_EQ(sizeOf("Rotate : Right button"), sizeOf("MOVE : Left button + Movement"));
    EXPECT_EQ(sizeOf("Rotate : Right button"), sizeOf("Mirror : Shift or Ctrl + Right button"));
    EXPECT_EQ(sizeOf("Arrange shapes into the grid!"), 12.0);

    // A font that fits is left as the desktop has it.
    frmPuzzle plain;
    for (const QLabel* label : plain.centralWidget()->findChildren<QLabel*>()) {
        if (label->text().contains(" : ")) {
            EXPECT_EQ(label->font(), desktopFont) << label->text().toStdString();
        }
    }
}
