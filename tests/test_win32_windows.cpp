// The Windows front end's two windows, driven with the window messages a
// player's mouse and keys send: the splash's layouts, links and hand-over,
// and on the game window dragging, turning, the counter, the menu, saving
// and loading, the stacking of the squares and a move to a denser monitor.
// The desktop's seams answer in place of dialogs, message boxes and the
// browser, so nothing here waits for a player. Runs on Windows and Wine.

#include <gtest/gtest.h>

#include <windows.h>

#include <oleacc.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "game/forms.h"
#include "game/positionfile.h"
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

std::string bytesOf(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

struct FakeDesktop {
    year_month_day today{2005y / July / 1d};
    DateOrder order = DateOrder::MonthFirst;
    std::vector<std::wstring> opened;

    SplashDesktop seam()
    {
        return {[this] { return today; }, [this] { return order; },
                [this](HWND, std::wstring_view url) { opened.emplace_back(url); }};
    }
};

// The splash's controls are the game's own, so it reaches the screen before
// the system's controls library has loaded, and the accessibility library
// waits for a screen reader's first question. Written first: tests run in the
// order they are written, and the game window's labels load the library.
TEST(Win32Splash, ComesUpWithoutLoadingTheSystemsControlsLibrary)
{
    FakeDesktop desktop;
    frmSplash splash(desktop.seam());
    splash.setProgramEnd([] {});
    splash.Show();
    EXPECT_EQ(GetModuleHandleW(L"comctl32.dll"), nullptr);
    EXPECT_EQ(GetModuleHandleW(L"oleacc.dll"), nullptr);
}

TEST(Win32Splash, OnTheSwitchDateTheDefaultBannerStandsWhereItWasDefined)
{
    FakeDesktop desktop;
    frmSplash splash(desktop.seam());
    const int dpi = splash.dpi();
    EXPECT_FALSE(splash.label1Visible());
    const RECT banner = splash.Picture1();
    EXPECT_EQ(banner.left, twipsToPixels(forms::Picture1.rect.left, dpi));
    EXPECT_EQ(banner.top, twipsToPixels(forms::Picture1.rect.top, dpi));
    EXPECT_EQ(banner.right - banner.left, bannerPixels(forms::kDefaultBanner.widthPixels, dpi));
    EXPECT_EQ(banner.bottom - banner.top, bannerPixels(forms::kDefaultBanner.heightPixels, dpi));
    RECT client;
    GetClientRect(splash.window(), &client);
    EXPECT_EQ(client.right, twipsToPixels(forms::frmSplash.width, dpi));
    EXPECT_EQ(client.bottom, twipsToPixels(forms::frmSplash.height, dpi));
    EXPECT_EQ(windowText(splash.window()), L"");
    EXPECT_TRUE(GetWindowLongPtrW(splash.window(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
}

TEST(Win32Splash, DayFirstThePartnerBannerIsCentredUnderTheLinkAndBothShowTheHandAndOpenThePartner)
{
    FakeDesktop desktop;
    desktop.today = 2005y / January / 8d;
    desktop.order = DateOrder::DayFirst;
    frmSplash splash(desktop.seam());
    EXPECT_TRUE(splash.label1Visible());
    EXPECT_FLOAT_EQ(splash.picture1Left(), 1890.0f);
    const RECT banner = splash.Picture1();
    EXPECT_EQ(banner.left, twipsToPixels(1890.0, splash.dpi()));
    EXPECT_EQ(banner.right - banner.left, bannerPixels(forms::kPartnerBanner.widthPixels, splash.dpi()));

    const RECT link = splash.Label1();
    POINT over{(link.left + link.right) / 2, (link.top + link.bottom) / 2};
    ClientToScreen(splash.window(), &over);
    SetCursorPos(over.x, over.y);
    SendMessageW(splash.window(), WM_SETCURSOR, reinterpret_cast<WPARAM>(splash.window()),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HAND));

    SendMessageW(splash.window(), WM_LBUTTONDOWN, MK_LBUTTON, middleOf(link));
    SendMessageW(splash.window(), WM_LBUTTONUP, 0, middleOf(link));
    SendMessageW(splash.window(), WM_LBUTTONDOWN, MK_LBUTTON, middleOf(banner));
    SendMessageW(splash.window(), WM_LBUTTONUP, 0, middleOf(banner));
    ASSERT_EQ(desktop.opened.size(), 2u);
    EXPECT_EQ(desktop.opened[0], L"http://www.larkfen.example");
    EXPECT_EQ(desktop.opened[1], L"http://www.larkfen.example");
}

// The layout is fixed at load; where the banner leads is asked at the click.
// The hidden link opens nothing.
TEST(Win32Splash, ABannerClickAfterMidnightOpensThePartnerInTheDefaultLayout)
{
    FakeDesktop desktop;
    frmSplash splash(desktop.seam());
    SendMessageW(splash.window(), WM_LBUTTONDOWN, MK_LBUTTON, middleOf(splash.Picture1()));
    desktop.today = 2005y / July / 2d;
    SendMessageW(splash.window(), WM_LBUTTONDOWN, MK_LBUTTON, middleOf(splash.Picture1()));
    SendMessageW(splash.window(), WM_LBUTTONDOWN, MK_LBUTTON, middleOf(splash.Label1()));
    ASSERT_EQ(desktop.opened.size(), 2u);
    EXPECT_EQ(desktop.opened[0], L"http://www.morvane.example");
    EXPECT_EQ(desktop.opened[1], L"http://www.larkfen.example");
    EXPECT_FALSE(splash.label1Visible());
}

TEST(Win32Splash, ContinueOpensTheGameBeforeTheSplashGoesAndOnlyClosingEndsTheProgram)
{
    FakeDesktop desktop;
    frmSplash splash(desktop.seam());
    int ended = 0;
    bool splashStillThere = false;
    splash.setProgramEnd([&] { ++ended; });
    splash.setGameWindowFactory([&] { splashStillThere = IsWindow(splash.window()); });
    SendMessageW(splash.Command1(), BM_CLICK, 0, 0);
    EXPECT_TRUE(splashStillThere);
    EXPECT_EQ(splash.window(), nullptr);
    EXPECT_EQ(ended, 0);

    frmSplash closed(desktop.seam());
    closed.setProgramEnd([&] { ++ended; });
    SendMessageW(closed.window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(ended, 1);
}

TEST(Win32Splash, ContinueIsTheDefaultButtonAndHoldsTheFocus)
{
    FakeDesktop desktop;
    frmSplash splash(desktop.seam());
    EXPECT_EQ(LOWORD(SendMessageW(splash.window(), DM_GETDEFID, 0, 0)), GetDlgCtrlID(splash.Command1()));
    EXPECT_EQ(windowText(splash.Command1()), L"&Continue");
    EXPECT_EQ(GetNextDlgTabItem(splash.window(), nullptr, FALSE), splash.Command1());
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

TEST(Win32Splash, EnterSpaceAltCAndAClickEachPressContinueButAPressLedOffItDoesNot)
{
    FakeDesktop desktop;
    const auto continues = [&desktop](const auto& press) {
        frmSplash splash(desktop.seam());
        bool opened = false;
        splash.setGameWindowFactory([&opened] { opened = true; });
        splash.setProgramEnd([] {});
        press(splash.Command1());
        return opened;
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

TEST(Win32Labels, WhereTheDesktopsFontWouldCutATextShortItsGroupIsSetSmaller)
{
    const HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 600, 200, nullptr, nullptr,
                                        GetModuleHandleW(nullptr), nullptr);
    const int dpi = dpiOf(parent);
    forms::Control narrow = forms::Label4;
    narrow.rect.width /= 2;
    const HWND cut[] = {makeLabel(parent, forms::Label3, 1, dpi), makeLabel(parent, narrow, 2, dpi)};
    const HWND whole[] = {makeLabel(parent, forms::Label3, 3, dpi), makeLabel(parent, forms::Label4, 4, dpi)};
    const FontHandle smaller = fittingFont({}, cut, dpi);
    const FontHandle desktop = fittingFont({}, whole, dpi);
    LOGFONTW made{};
    LOGFONTW own{};
    GetObjectW(smaller.get(), sizeof made, &made);
    GetObjectW(makeFont({}, dpi).get(), sizeof own, &own);
    EXPECT_LT(std::abs(made.lfHeight), std::abs(own.lfHeight));
    GetObjectW(desktop.get(), sizeof made, &made);
    EXPECT_EQ(made.lfHeight, own.lfHeight);
    DestroyWindow(parent);
}

class Win32Game : public testing::Test {
protected:
    Win32Game()
    {
        game.setMessageReporter([this](HWND, std::wstring_view text) { reported.emplace_back(text); });
        game.setCommonDialog({[this](HWND) { return chosen; }, [this](HWND) { return chosen; }});
        game.setProgramExit([this] { ++exits; });
    }

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

    frmPuzzle game;
    std::filesystem::path chosen;
    std::vector<std::wstring> reported;
    int exits = 0;
};

TEST_F(Win32Game, TheWindowIsItsSizeInTwipsAtTheScreensTopLeftWithTheStartingLayout)
{
    RECT frame;
    GetWindowRect(game.window(), &frame);
    EXPECT_EQ(frame.left, 0);
    EXPECT_EQ(frame.top, 0);
    EXPECT_EQ(frame.right, twipsToPixels(forms::frmPuzzle.width, game.dpi()));
    EXPECT_EQ(frame.bottom, twipsToPixels(forms::frmPuzzle.height, game.dpi()));
    EXPECT_EQ(windowText(game.window()), L"Puzzle !");
    const LONG_PTR style = GetWindowLongPtrW(game.window(), GWL_STYLE);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & (WS_MAXIMIZEBOX | WS_THICKFRAME));
    for (int p = 0; p < kPieceCount; ++p)
        expectShown(p);
    EXPECT_EQ(windowText(game.lblTime()), L"0");
}

TEST_F(Win32Game, TheHelpControlLiesUnderTheSquaresAndSquareZeroOnTop)
{
    HWND child = GetWindow(game.window(), GW_CHILD);
    for (int i = 0; i < kSquareCount; ++i, child = GetWindow(child, GW_HWNDNEXT))
        ASSERT_EQ(child, game.cell(i)) << i;
    EXPECT_EQ(child, game.helpControl().window());
    EXPECT_EQ(game.helpControl().helpContext(), 25);
}

TEST_F(Win32Game, ADragMovesTheWholePieceAndTheReleaseSnapsItToTheLattice)
{
    const int index = firstSquareOf(4) + 1;
    send(index, WM_LBUTTONDOWN, MK_LBUTTON, 5, 6);
    send(index, WM_MOUSEMOVE, MK_LBUTTON, -120, -130);  // far outside the square
    expectShown(4);
    send(index, WM_LBUTTONUP, 0, -120, -130);
    expectShown(4);
    EXPECT_EQ(GetCapture(), nullptr);
    for (int i = firstSquareOf(4); i < firstSquareOf(4) + kSquaresPerPiece; ++i)
        EXPECT_EQ(static_cast<int>(game.puzzle().cell(i).left) % kSquareTwips, 0);
}

TEST_F(Win32Game, AReleaseTooFarOutForTheLatticeIsRefusedAndThePieceStaysAsDragged)
{
    send(50, WM_LBUTTONDOWN, MK_LBUTTON, 1, 1);
    send(50, WM_MOUSEMOVE, MK_LBUTTON, 30000, 1);
    const Positions dragged = game.puzzle().cell();
    send(50, WM_LBUTTONUP, 0, 30000, 1);
    EXPECT_EQ(game.puzzle().cell(), dragged);
    expectShown(10);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(Win32Game, ARightPressTurnsShiftMirrorsAndDuringADragTheCaptureStaysToTheLastButton)
{
    const PieceShape start = game.puzzle().tables().shape(0);
    send(0, WM_RBUTTONDOWN, MK_RBUTTON, 2, 2);
    send(0, WM_RBUTTONUP, 0, 2, 2);
    EXPECT_EQ(game.puzzle().tables().shape(0), reoriented(start, Reorientation::QuarterTurn));
    expectShown(0);

    send(25, WM_RBUTTONDOWN, MK_RBUTTON | MK_SHIFT, 2, 2);
    EXPECT_EQ(game.puzzle().tables().shape(5),
              reoriented(kStartingShapes[5], Reorientation::MirrorTopToBottom));

    send(10, WM_LBUTTONDOWN, MK_LBUTTON, 4, 4);
    send(10, WM_RBUTTONDOWN, MK_LBUTTON | MK_RBUTTON, 4, 4);
    EXPECT_EQ(game.puzzle().tables().shape(2), reoriented(kStartingShapes[2], Reorientation::QuarterTurn));
    send(10, WM_RBUTTONUP, MK_LBUTTON, 4, 4);
    EXPECT_EQ(GetCapture(), game.cell(10));
    send(10, WM_LBUTTONUP, 0, 4, 4);
    EXPECT_EQ(GetCapture(), nullptr);
    expectShown(2);
}

TEST_F(Win32Game, TheTimerCountsAndFileNewStartsAgain)
{
    SendMessageW(game.window(), WM_TIMER, 1, 0);
    SendMessageW(game.window(), WM_TIMER, 1, 0);
    EXPECT_EQ(windowText(game.lblTime()), L"2");
    send(0, WM_RBUTTONDOWN, MK_RBUTTON, 2, 2);
    SendMessageW(game.window(), WM_COMMAND, MAKEWPARAM(kNewCommand, 0), 0);
    EXPECT_EQ(windowText(game.lblTime()), L"0");
    EXPECT_EQ(game.puzzle().tables().shape(0), kStartingShapes[0]);
    expectShown(0);
    EXPECT_EQ(exits, 0);
    SendMessageW(game.window(), WM_COMMAND, MAKEWPARAM(kExitCommand, 0), 0);
    EXPECT_EQ(exits, 1);
}

TEST_F(Win32Game, SavingWritesThePositionFileAndLoadingPutsItBack)
{
    send(7, WM_LBUTTONDOWN, MK_LBUTTON, 3, 3);
    send(7, WM_MOUSEMOVE, MK_LBUTTON, -200, 40);
    send(7, WM_LBUTTONUP, 0, -200, 40);
    SendMessageW(game.window(), WM_TIMER, 1, 0);
    const Positions played = game.puzzle().cell();
    chosen = std::filesystem::temp_directory_path() / L"morvane-win32-\u00f6.txt";
    SendMessageW(game.window(), WM_COMMAND, MAKEWPARAM(kSaveCommand, 1), 0);
    EXPECT_EQ(bytesOf(chosen), writePositionFile(played, "1"));

    SendMessageW(game.window(), WM_COMMAND, MAKEWPARAM(kNewCommand, 0), 0);
    SendMessageW(game.window(), WM_COMMAND, MAKEWPARAM(kLoadCommand, 1), 0);
    EXPECT_EQ(game.puzzle().cell(), played);
    EXPECT_EQ(windowText(game.lblTime()), L"1");
    expectShown(1);
    EXPECT_TRUE(reported.empty());
    std::filesystem::remove(chosen);
}

TEST_F(Win32Game, AFolderIsRefusedAtOnceAndACancelDoesNothing)
{
    chosen = std::filesystem::temp_directory_path();
    SendMessageW(game.window(), WM_COMMAND, MAKEWPARAM(kLoadCommand, 1), 0);
    SendMessageW(game.window(), WM_COMMAND, MAKEWPARAM(kSaveCommand, 1), 0);
    ASSERT_EQ(reported.size(), 2u);
    EXPECT_EQ(reported[0], L"An error occured, can not read data file !");
    EXPECT_EQ(reported[1], L"An error occured, can not save !");
    chosen.clear();
    SendMessageW(game.window(), WM_COMMAND, MAKEWPARAM(kLoadCommand, 1), 0);
    SendMessageW(game.window(), WM_COMMAND, MAKEWPARAM(kSaveCommand, 1), 0);
    EXPECT_EQ(reported.size(), 2u);
}

TEST_F(Win32Game, OnADenserMonitorEverythingKeepsItsSizeInTwips)
{
    const int dpi = game.dpi() * 3 / 2;
    RECT suggested{40, 30, 0, 0};
    SendMessageW(game.window(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(game.dpi(), dpi);
    RECT frame;
    GetWindowRect(game.window(), &frame);
    EXPECT_EQ(frame.left, 40);
    EXPECT_EQ(frame.right - frame.left, twipsToPixels(forms::frmPuzzle.width, dpi));
    const RECT square = clientRectOf(game.cell(0));
    EXPECT_EQ(square.right - square.left, twipsToPixels(kSquareTwips, dpi));
    for (int p = 0; p < kPieceCount; ++p)
        expectShown(p);
    const RECT counter = clientRectOf(game.lblTime());
    EXPECT_EQ(counter.left, twipsToPixels(forms::lblTime.rect.left, dpi));
}

} // namespace
