// The Windows front end's wiring, driven with the window messages a player's
// mouse and keys send: that each message reaches the window's controller and
// that what the controller asks for shows, at the window's DPI. What the
// controllers decide is their own test's. The desktop's seams answer in
// place of dialogs, message boxes, the browser and the end of the program,
// so nothing here waits for a player. Runs on Windows and Wine.

#include <gtest/gtest.h>

#include <windows.h>

#include <oleacc.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "game/forms.h"
#include "win32/controls.h"
#include "win32/desktop.h"
#include "win32/frmPuzzle.h"
#include "win32/frmSplash.h"
#include "win32/twips.h"

using namespace morvane;
using namespace morvane::win32;
using namespace std::chrono;

namespace {

RECT clientRectOf(HWND child)
{
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

LPARAM at(int x, int y)
{
    return MAKELPARAM(static_cast<WORD>(static_cast<SHORT>(x)), static_cast<WORD>(static_cast<SHORT>(y)));
}

LPARAM middleOf(const RECT& r)
{
    return at((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

// Every seam answers here, and says which window asked.
struct FakeDesktop {
    year_month_day today{2005y / July / 1d};
    std::filesystem::path chosen;
    std::vector<std::string> asked;
    std::vector<std::wstring> reported;
    std::vector<std::wstring> opened;
    HWND owner = nullptr;
    int ends = 0;

    Desktop seam()
    {
        const auto choose = [this](const char* form) {
            return [this, form](HWND from) {
                owner = from;
                asked.emplace_back(form);
                return chosen;
            };
        };
        return {.chooseFileToOpen = choose("open"),
                .chooseFileToSave = choose("save"),
                .report =
                    [this](HWND from, std::wstring_view text) {
                        owner = from;
                        reported.emplace_back(text);
                    },
                .openUrl =
                    [this](HWND from, std::wstring_view url) {
                        owner = from;
                        opened.emplace_back(url);
                    },
                .today = [this] { return today; },
                .dateOrder = [] { return DateOrder::MonthFirst; },
                .endProgram = [this] { ++ends; }};
    }
};

// The splash's controls are the game's own, so it reaches the screen before
// the system's controls library has loaded, and the accessibility library
// waits for a screen reader's first question. Written first: tests run in the
// order they are written, and the game window's controls load the library.
TEST(Win32Splash, ComesUpWithoutLoadingTheSystemsControlsLibrary)
{
    FakeDesktop desktop;
    frmSplash splash(desktop.seam());
    splash.Show();
    EXPECT_EQ(GetModuleHandleW(L"comctl32.dll"), nullptr);
    EXPECT_EQ(GetModuleHandleW(L"oleacc.dll"), nullptr);
}

TEST(Win32Splash, ItsFormSetsItsFrameAndSizeAndTheBannerIsDrawnWhereTheLayoutPutsIt)
{
    FakeDesktop desktop;
    desktop.today = 2005y / July / 2d;
    frmSplash splash(desktop.seam());
    const int dpi = splash.dpi();
    RECT client;
    GetClientRect(splash.window(), &client);
    EXPECT_EQ(client.right, twipsToPixels(forms::frmSplash.size.width, dpi));
    EXPECT_EQ(client.bottom, twipsToPixels(forms::frmSplash.size.height, dpi));
    EXPECT_EQ(windowText(splash.window()), L"");
    EXPECT_TRUE(GetWindowLongPtrW(splash.window(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(GetWindowLongPtrW(splash.window(), GWL_STYLE) & WS_POPUP);
    const RECT banner = splash.Picture1();
    EXPECT_EQ(banner.left, twipsToPixels(forms::splashLayout(true).picture1Left, dpi));
    EXPECT_EQ(banner.top, twipsToPixels(forms::Picture1.rect.top, dpi));
    EXPECT_EQ(banner.right - banner.left, bannerPixels(forms::kPartnerBanner.widthPixels, dpi));
    EXPECT_EQ(banner.bottom - banner.top, bannerPixels(forms::kPartnerBanner.heightPixels, dpi));
}

// The window holds the pointer from the press, so a release away from it
// still comes back to the controller, which judges the click.
TEST(Win32Splash, ALeftPressAndReleaseOverTheBannerOpenItsAddressWhereTheHandShows)
{
    FakeDesktop desktop;
    frmSplash splash(desktop.seam());
    const RECT banner = splash.Picture1();
    SendMessageW(splash.window(), WM_LBUTTONDOWN, MK_LBUTTON, middleOf(banner));
    EXPECT_EQ(GetCapture(), splash.window());
    EXPECT_TRUE(desktop.opened.empty());
    SendMessageW(splash.window(), WM_LBUTTONUP, 0, middleOf(banner));
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(desktop.opened, std::vector<std::wstring>{L"http://www.morvane.example"});
    EXPECT_EQ(desktop.owner, splash.window());

    POINT over{banner.left + 1, banner.bottom - 1};
    ClientToScreen(splash.window(), &over);
    SetCursorPos(over.x, over.y);
    SendMessageW(splash.window(), WM_SETCURSOR, reinterpret_cast<WPARAM>(splash.window()),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HAND));
}

// Asked as a screen reader asks, the button answers with the system's push
// button object. Wine's oleacc (8.0) has no such object, and the button gives
// Wine's plain one, so there the role reads ROLE_SYSTEM_CLIENT; the name is
// the text less the mark everywhere.
TEST(Win32Splash, ToAScreenReaderContinueIsAPushButtonNamedContinue)
{
    FakeDesktop desktop;
    frmSplash splash(desktop.seam());
    const LRESULT answer = SendMessageW(splash.Command1(), WM_GETOBJECT, 0, OBJID_CLIENT);
    ASSERT_NE(answer, 0);
    const HMODULE oleacc = GetModuleHandleW(L"oleacc.dll");
    void* object = nullptr;
    ASSERT_EQ(systemCall<decltype(&ObjectFromLresult)>(oleacc, "ObjectFromLresult")(answer, __uuidof(IAccessible), 0,
                                                                                     &object),
              S_OK);
    auto* button = static_cast<IAccessible*>(object);
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    VARIANT role{};
    EXPECT_EQ(button->get_accName(self, &name), S_OK);
    EXPECT_EQ(std::wstring(name ? name : L""), L"Continue");
    EXPECT_EQ(button->get_accRole(self, &role), S_OK);
    const bool wine = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
    EXPECT_EQ(role.lVal, wine ? ROLE_SYSTEM_CLIENT : ROLE_SYSTEM_PUSHBUTTON);
    systemCall<decltype(&SysFreeString)>(GetModuleHandleW(L"oleaut32.dll"), "SysFreeString")(name);
    button->Release();
}

TEST(Win32Splash, EnterSpaceAltCAndAClickOnContinueHandOverButAPressLedOffItDoesNot)
{
    FakeDesktop desktop;
    const auto continues = [&desktop](const auto& press) {
        frmSplash splash(desktop.seam());
        bool splashStillThere = false;
        splash.setGameWindowFactory([&] { splashStillThere = IsWindow(splash.window()); });
        EXPECT_EQ(GetNextDlgTabItem(splash.window(), nullptr, FALSE), splash.Command1());
        press(splash.Command1());
        return splashStillThere && splash.window() == nullptr;
    };
    const auto dialogKey = [](HWND button, UINT message, WPARAM key) {
        MSG sent{button, message, key, 0, 0, {}};
        IsDialogMessageW(GetParent(button), &sent);
    };
    const auto mouse = [](HWND button, UINT message, WPARAM keys, int x) {
        SendMessageW(button, message, keys, at(x, 5));
    };
    EXPECT_TRUE(continues([&](HWND button) { dialogKey(button, WM_KEYDOWN, VK_RETURN); }));
    EXPECT_TRUE(continues([&](HWND button) { dialogKey(button, WM_SYSCHAR, 'c'); }));
    EXPECT_TRUE(continues([&](HWND button) {
        dialogKey(button, WM_KEYDOWN, VK_SPACE);
        dialogKey(button, WM_KEYUP, VK_SPACE);
    }));
    EXPECT_TRUE(continues([&](HWND button) {
        mouse(button, WM_LBUTTONDOWN, MK_LBUTTON, 5);
        mouse(button, WM_LBUTTONUP, 0, 5);
    }));
    EXPECT_FALSE(continues([&](HWND button) {
        mouse(button, WM_LBUTTONDOWN, MK_LBUTTON, 5);
        mouse(button, WM_MOUSEMOVE, MK_LBUTTON, -20);
        mouse(button, WM_LBUTTONUP, 0, -20);
    }));
    EXPECT_EQ(desktop.ends, 0);

    frmSplash closed(desktop.seam());
    SendMessageW(closed.window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(desktop.ends, 1);
}

TEST(Win32Splash, OnADenserMonitorItsControlsAndBannerKeepTheirSizeInTwips)
{
    FakeDesktop desktop;
    frmSplash splash(desktop.seam());
    const int dpi = splash.dpi() * 2;
    RECT suggested{10, 20, 0, 0};
    SendMessageW(splash.window(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    const RECT banner = splash.Picture1();
    EXPECT_EQ(banner.left, twipsToPixels(forms::Picture1.rect.left, dpi));
    EXPECT_EQ(banner.right - banner.left, bannerPixels(forms::kDefaultBanner.widthPixels, dpi));
    EXPECT_EQ(banner.bottom - banner.top, bannerPixels(forms::kDefaultBanner.heightPixels, dpi));
    const RECT button = clientRectOf(splash.Command1());
    const PixelRect expected = pixelRect(forms::Command1.rect, dpi);
    EXPECT_EQ(button.top, expected.top);
    EXPECT_EQ(button.right - button.left, expected.width);
    RECT frame;
    GetWindowRect(splash.window(), &frame);
    EXPECT_EQ(frame.left, 10);
    EXPECT_EQ(frame.top, 20);
}

// The fitting rule asks the front end only how far a text reaches at a
// size: in twips, whatever the DPI.
TEST(Win32Labels, TheMeasureIsInTwipsAtAnyDpiAndAGroupTheDesktopsFontCutsShortIsSetSmaller)
{
    const int dpi = dpiOf(nullptr);
    const LOGFONTW desktop = messageFont(dpi);
    const double points = -desktop.lfHeight * 72.0 / dpi;
    const TextExtent seconds = messageFontMeasure(dpi)("Seconds", points);
    const TextExtent denser = messageFontMeasure(2 * dpi)("Seconds", points);
    EXPECT_NEAR(denser.width / seconds.width, 1.0, 0.15);
    EXPECT_NEAR(denser.height / seconds.height, 1.0, 0.15);
    EXPECT_GE(seconds.height, points * 20);  // a line is at least its size tall, at 20 twips a point
    EXPECT_GT(messageFontMeasure(dpi)("Seconds", 2 * points).width, 1.8 * seconds.width);

    forms::Control narrow = forms::Label4;
    narrow.rect.width /= 2;
    const forms::Control* cut[] = {&forms::Label3, &narrow};
    LOGFONTW made{};
    GetObjectW(fittingFont(cut, dpi).get(), sizeof made, &made);
    EXPECT_LT(std::abs(made.lfHeight), std::abs(desktop.lfHeight));
    GetObjectW(fittingFont(forms::kInstructionLabels, dpi).get(), sizeof made, &made);
    EXPECT_EQ(made.lfHeight, desktop.lfHeight);
}

class Win32Game : public testing::Test {
protected:
    // The square's corner in client pixels, and the rules' view of it.
    POINT cornerOf(int index) const
    {
        const RECT r = clientRectOf(game.cell(index));
        return {r.left, r.top};
    }
    POINT expectedCorner(int index) const
    {
        const SquarePosition p = game.puzzle().cell(index);
        return {twipsToPixels(p.left, game.dpi()), twipsToPixels(p.top, game.dpi())};
    }
    void expectShown(int piece) const
    {
        for (int i = firstSquareOf(piece); i < firstSquareOf(piece) + kSquaresPerPiece; ++i) {
            EXPECT_EQ(cornerOf(i).x, expectedCorner(i).x) << i;
            EXPECT_EQ(cornerOf(i).y, expectedCorner(i).y) << i;
        }
    }
    void send(int index, UINT message, WPARAM keys, int x, int y)
    {
        SendMessageW(game.cell(index), message, keys, at(x, y));
    }
    // A drag of square `index` by (dx, dy) pixels: the piece has moved.
    void drag(int index, int dx, int dy)
    {
        const SquarePosition before = game.puzzle().cell(index);
        send(index, WM_LBUTTONDOWN, MK_LBUTTON, 3, 3);
        send(index, WM_MOUSEMOVE, MK_LBUTTON, 3 + dx, 3 + dy);
        send(index, WM_LBUTTONUP, 0, 3 + dx, 3 + dy);
        EXPECT_NE(game.puzzle().cell(index), before);
        expectShown(pieceOf(index));
    }
    std::wstring counter() const { return windowText(game.control(forms::lblTime)); }

    FakeDesktop desktop;
    frmPuzzle game{desktop.seam()};
};

TEST_F(Win32Game, ItsFormSetsTheFrameSizePlaceAndControlsAndTheLoadShowsTheStart)
{
    RECT frame;
    GetWindowRect(game.window(), &frame);
    EXPECT_EQ(frame.left, 0);
    EXPECT_EQ(frame.top, 0);
    EXPECT_EQ(frame.right, twipsToPixels(forms::frmPuzzle.size.width, game.dpi()));
    EXPECT_EQ(frame.bottom, twipsToPixels(forms::frmPuzzle.size.height, game.dpi()));
    EXPECT_EQ(windowText(game.window()), L"Puzzle !");
    const LONG_PTR style = GetWindowLongPtrW(game.window(), GWL_STYLE);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & (WS_MAXIMIZEBOX | WS_THICKFRAME));
    const HWND help = game.control(forms::TOLMHelpControl1);
    EXPECT_TRUE(GetWindowLongPtrW(help, GWL_STYLE) & WS_TABSTOP);
    EXPECT_FALSE(GetWindowLongPtrW(game.control(forms::lblTime), GWL_STYLE) & WS_TABSTOP);
    EXPECT_TRUE(GetWindowLongPtrW(game.control(forms::lblTime), GWL_STYLE) & WS_BORDER);
    EXPECT_EQ(windowText(help), L"Help");
    for (int p = 0; p < kPieceCount; ++p)
        expectShown(p);
    EXPECT_EQ(counter(), L"0");

    const HDC dc = GetDC(game.window());
    SetTextColor(dc, RGB(1, 2, 3));
    SetBkColor(dc, RGB(4, 5, 6));
    SendMessageW(game.window(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                 reinterpret_cast<LPARAM>(game.control(forms::Label5)));
    EXPECT_EQ(GetTextColor(dc), colorOf(forms::Label5.foreground));
    EXPECT_EQ(GetBkColor(dc), colorOf(forms::Label5.background));
    ReleaseDC(game.window(), dc);
}

TEST_F(Win32Game, TheHelpControlLiesUnderTheSquaresAndSquareZeroOnTop)
{
    HWND child = GetWindow(game.window(), GW_CHILD);
    for (int i = 0; i < kSquareCount; ++i, child = GetWindow(child, GW_HWNDNEXT))
        ASSERT_EQ(child, game.cell(i)) << i;
    EXPECT_EQ(child, game.control(forms::TOLMHelpControl1));
}

TEST_F(Win32Game, ASquaresMouseMessagesMoveItsPieceAndThePressedSquareHoldsThePointerToTheLastButton)
{
    const int index = firstSquareOf(4) + 1;
    send(index, WM_LBUTTONDOWN, MK_LBUTTON, 5, 6);
    EXPECT_EQ(GetCapture(), game.cell(index));
    send(index, WM_MOUSEMOVE, MK_LBUTTON, -120, -130);  // far outside the square
    EXPECT_EQ(twipsToPixels(game.puzzle().cell(index).left, game.dpi()), cornerOf(index).x);
    send(index, WM_LBUTTONUP, 0, -120, -130);
    EXPECT_EQ(GetCapture(), nullptr);
    expectShown(4);
    EXPECT_NE(game.puzzle().cell(index), Puzzle().cell(index));

    // Shift comes with a right press in the middle of a drag.
    send(10, WM_LBUTTONDOWN, MK_LBUTTON, 4, 4);
    send(10, WM_RBUTTONDOWN, MK_LBUTTON | MK_RBUTTON | MK_SHIFT, 4, 4);
    EXPECT_EQ(game.puzzle().tables().shape(2),
              reoriented(kStartingShapes[2], Reorientation::MirrorTopToBottom));
    send(10, WM_RBUTTONUP, MK_LBUTTON, 4, 4);
    EXPECT_EQ(GetCapture(), game.cell(10));
    send(10, WM_LBUTTONUP, 0, 4, 4);
    EXPECT_EQ(GetCapture(), nullptr);
    expectShown(2);
}

// A folder can be neither read nor written: each key asks for a file, and
// each failure is told in a box owned by the game window.
TEST_F(Win32Game, TheTimerTheMenuAndTheKeysReachTheControllerAndClosingEndsTheProgram)
{
    SendMessageW(game.window(), WM_TIMER, 1, 0);
    SendMessageW(game.window(), WM_TIMER, 1, 0);
    EXPECT_EQ(counter(), L"2");
    SendMessageW(game.window(), WM_COMMAND, MAKEWPARAM(kNewCommand, 0), 0);
    EXPECT_EQ(counter(), L"0");

    desktop.chosen = std::filesystem::temp_directory_path();
    BYTE keys[256]{};
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    for (const WPARAM key : {'S', 'O'}) {
        MSG pressed{game.window(), WM_KEYDOWN, key, 0, 0, {}};
        EXPECT_TRUE(game.translateKeys(pressed));
    }
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(desktop.asked, (std::vector<std::string>{"save", "open"}));
    EXPECT_EQ(desktop.reported.size(), 2u);
    EXPECT_EQ(desktop.owner, game.window());

    SendMessageW(game.window(), WM_COMMAND, MAKEWPARAM(kExitCommand, 0), 0);
    EXPECT_EQ(desktop.ends, 1);
    SendMessageW(game.window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(desktop.ends, 2);
    EXPECT_EQ(game.window(), nullptr);
}

// A modal box would hold the first press until it closed: the page is a
// window of its own beside the game, and the game goes on meanwhile.
TEST_F(Win32Game, HelpOpensOnePageBesideTheGameWhichKeepsPlayingAndEscapeClosesIt)
{
    const HWND help = game.control(forms::TOLMHelpControl1);
    SendMessageW(help, BM_CLICK, 0, 0);
    const HWND page = game.helpPage();
    ASSERT_NE(page, nullptr);
    EXPECT_TRUE(IsWindowVisible(page));
    EXPECT_EQ(GetWindow(page, GW_OWNER), game.window());
    EXPECT_FALSE(GetWindowLongPtrW(page, GWL_STYLE) & WS_CHILD);
    EXPECT_EQ(windowText(page), L"How to play");
    drag(7, -200, 40);

    SetActiveWindow(game.window());
    SendMessageW(help, BM_CLICK, 0, 0);
    EXPECT_EQ(game.helpPage(), page);
    EXPECT_EQ(GetActiveWindow(), page);
    wchar_t pageClass[64]{};
    GetClassNameW(page, pageClass, 64);
    EXPECT_EQ(FindWindowExW(nullptr, page, pageClass, nullptr), nullptr);
    EXPECT_EQ(FindWindowExW(nullptr, nullptr, pageClass, nullptr), page);

    MSG escape{GetWindow(page, GW_CHILD), WM_KEYDOWN, VK_ESCAPE, 0, 0, {}};
    EXPECT_TRUE(game.translateKeys(escape));
    EXPECT_FALSE(IsWindow(page));
    EXPECT_EQ(game.helpPage(), nullptr);
}

TEST_F(Win32Game, OnADenserMonitorEverythingKeepsItsSizeInTwips)
{
    drag(7, -200, 40);
    const int dpi = game.dpi() * 3 / 2;
    RECT suggested{40, 30, 0, 0};
    SendMessageW(game.window(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(game.dpi(), dpi);
    RECT frame;
    GetWindowRect(game.window(), &frame);
    EXPECT_EQ(frame.left, 40);
    EXPECT_EQ(frame.right - frame.left, twipsToPixels(forms::frmPuzzle.size.width, dpi));
    const RECT square = clientRectOf(game.cell(0));
    EXPECT_EQ(square.right - square.left, twipsToPixels(kSquareTwips, dpi));
    for (int p = 0; p < kPieceCount; ++p)
        expectShown(p);
    const RECT counter = clientRectOf(game.control(forms::lblTime));
    EXPECT_EQ(counter.left, twipsToPixels(forms::lblTime.rect.left, dpi));
}

} // namespace
