// The Windows front end's wiring, driven with the window messages a player's
// mouse and keys send: that each message reaches the window's controller and
// that what the controller asks for shows, at the window's DPI. What the
// controllers decide is their own test's. The desktop's seams answer in
// place of dialogs, message boxes, the browser and the end of the program,
// so nothing here waits for a player. Runs on Windows and Wine.

#include <gtest/gtest.h>

#include <windows.h>

#include <oleacc.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
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

void send(HWND window, UINT message, WPARAM keys, POINT point)
{
    SendMessageW(window, message, keys, at(point.x, point.y));
}

// A key as the message loop hands it to a window's translation, with Ctrl
// or Alt held, or neither.
bool translated(auto& window, HWND to, UINT message, WPARAM key, int held = 0)
{
    BYTE keys[256]{};
    if (held)
        keys[held] = 0x80;
    SetKeyboardState(keys);
    MSG sent{to, message, key, 0, 0, {}};
    const bool done = window.translateKeys(sent);
    keys[held] = 0;
    SetKeyboardState(keys);
    return done;
}

// Every seam answers here, and says which window asked.
struct FakeDesktop {
    year_month_day today{2005y / July / 1d};
    std::wstring chosen;
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
                .reportMessage =
                    [this](HWND from, std::wstring_view text) {
                        owner = from;
                        reported.emplace_back(text);
                    },
                .openAddress =
                    [this](HWND from, std::wstring_view url) {
                        owner = from;
                        opened.emplace_back(url);
                    },
                .today = [this] { return today; },
                .dateOrder = [] { return DateOrder::MonthFirst; },
                .endProgram = [this] { ++ends; }};
    }
};

// The middle of the default banner in client pixels.
POINT bannerMiddle(int dpi)
{
    const forms::TwipsRect& banner = forms::Picture1.rect;
    return {twipsToPixels(banner.left + banner.width / 2, dpi), twipsToPixels(banner.top + banner.height / 2, dpi)};
}

// What a screen reader reads of a window's client area as name and role:
// the area itself, the parts it draws with no window of their own, then each
// child window's. Wine's objects hand out no object for a child window, so
// the children are asked for as windows, as a screen reader asks for the one
// with the focus.
std::vector<std::pair<std::wstring, long>> readAloud(HWND window)
{
    const HMODULE oleacc = LoadLibraryW(L"oleacc.dll");
    const auto release = systemCall<decltype(&SysFreeString)>(GetModuleHandleW(L"oleaut32.dll"), "SysFreeString");
    std::vector<std::pair<std::wstring, long>> read;
    IAccessible* object = nullptr;
    long count = 0;
    if (systemCall<decltype(&AccessibleObjectFromWindow)>(oleacc, "AccessibleObjectFromWindow")(
            window, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible), reinterpret_cast<void**>(&object))
        == S_OK)
        object->get_accChildCount(&count);
    for (long id = CHILDID_SELF; object && id <= count; ++id) {
        VARIANT child{};
        child.vt = VT_I4;
        child.lVal = id;
        IDispatch* itsOwn = nullptr;
        BSTR name = nullptr;
        VARIANT role{};
        if (id != CHILDID_SELF && object->get_accChild(child, &itsOwn) == S_OK && itsOwn)
            itsOwn->Release();
        else if (object->get_accName(child, &name) == S_OK && object->get_accRole(child, &role) == S_OK)
            read.emplace_back(name ? name : L"", role.lVal);
        release(name);
    }
    if (object)
        object->Release();
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        for (auto& each : readAloud(child))
            read.push_back(std::move(each));
    return read;
}

// The splash's controls are the game's own, so it reaches the screen before
// the system's controls library has loaded, and the accessibility library
// waits for a screen reader's first question. Written first: tests run in the
// order they are written, and the game window's controls load the library.
TEST(Win32Splash, ComesUpWithoutLoadingTheSystemsControlsLibrary)
{
    FakeDesktop desktop;
    frmSplash splash(desktop.seam(), [] {});
    splash.Show();
    EXPECT_EQ(GetModuleHandleW(L"comctl32.dll"), nullptr);
    EXPECT_EQ(GetModuleHandleW(L"oleacc.dll"), nullptr);
}

// The window holds the pointer from the press, so the release comes back to
// the controller wherever it is, and the controller judges the click.
TEST(Win32Splash, ItsFormSetsItsFrameAndALeftClickOnTheBannerOpensItsAddressWhereTheHandShows)
{
    FakeDesktop desktop;
    frmSplash splash(desktop.seam(), [] {});
    const HWND window = splash.window();
    const int dpi = dpiOf(window);
    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, twipsToPixels(forms::frmSplash.size.width, dpi));
    EXPECT_EQ(client.bottom, twipsToPixels(forms::frmSplash.size.height, dpi));
    EXPECT_EQ(windowText(window), L"");
    EXPECT_TRUE(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(GetWindowLongPtrW(window, GWL_STYLE) & WS_POPUP);

    const POINT banner = bannerMiddle(dpi);
    send(window, WM_LBUTTONDOWN, MK_LBUTTON, banner);
    EXPECT_EQ(GetCapture(), window);
    send(window, WM_LBUTTONUP, 0, banner);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(desktop.opened, std::vector<std::wstring>{L"http://www.morvane.example"});
    EXPECT_EQ(desktop.owner, window);

    POINT over = banner;
    ClientToScreen(window, &over);
    SetCursorPos(over.x, over.y);
    SendMessageW(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HAND));
}

// A screen reader finds the window named for the program, though its caption
// is empty, the banner by what it says, and the button, named by its text
// less the mark. The button answers with the system's push button object;
// Wine's oleacc (8.0) has no such object, and every window reads there as
// ROLE_SYSTEM_CLIENT.
TEST(Win32Splash, AScreenReaderFindsTheWindowTheBannerAndContinueNamed)
{
    FakeDesktop desktop;
    frmSplash splash(desktop.seam(), [] {});
    const bool wine = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
    EXPECT_EQ(readAloud(splash.window()),
              (std::vector<std::pair<std::wstring, long>>{{L"Morvane", ROLE_SYSTEM_CLIENT},
                                                          {L"Morvane, a pentomino puzzle", ROLE_SYSTEM_GRAPHIC},
                                                          {L"Continue", wine ? ROLE_SYSTEM_CLIENT : ROLE_SYSTEM_PUSHBUTTON}}));
}

// Enter, Space and Alt+C go from the message loop to the controller,
// wherever the focus is; a click on the button is the button's own.
TEST(Win32Splash, EnterSpaceAltCAndAClickOnContinueHandOverButAPressLedOffItDoesNot)
{
    FakeDesktop desktop;
    const auto continues = [&desktop](const auto& press) {
        bool splashStillThere = false;
        frmSplash splash(desktop.seam(), [&] { splashStillThere = IsWindow(splash.window()); });
        press(splash, GetDlgItem(splash.window(), IDOK));
        return splashStillThere && splash.window() == nullptr;
    };
    EXPECT_TRUE(continues([](frmSplash& splash, HWND button) { translated(splash, button, WM_KEYDOWN, VK_RETURN); }));
    EXPECT_TRUE(continues([](frmSplash& splash, HWND) { translated(splash, splash.window(), WM_KEYDOWN, VK_SPACE); }));
    EXPECT_TRUE(continues([](frmSplash& splash, HWND button) { translated(splash, button, WM_SYSKEYDOWN, 'C', VK_MENU); }));
    EXPECT_TRUE(continues([](frmSplash&, HWND button) {
        send(button, WM_LBUTTONDOWN, MK_LBUTTON, {5, 5});
        send(button, WM_LBUTTONUP, 0, {5, 5});
    }));
    EXPECT_FALSE(continues([](frmSplash&, HWND button) {
        send(button, WM_LBUTTONDOWN, MK_LBUTTON, {5, 5});
        send(button, WM_MOUSEMOVE, MK_LBUTTON, {-20, 5});
        send(button, WM_LBUTTONUP, 0, {-20, 5});
    }));
    EXPECT_EQ(desktop.ends, 0);

    frmSplash closed(desktop.seam(), [] {});
    SendMessageW(closed.window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(desktop.ends, 1);
}

TEST(Win32Splash, OnADenserMonitorItsButtonAndBannerKeepTheirSizeInTwips)
{
    FakeDesktop desktop;
    frmSplash splash(desktop.seam(), [] {});
    const int dpi = dpiOf(splash.window()) * 2;
    RECT suggested{10, 20, 0, 0};
    SendMessageW(splash.window(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    const RECT button = clientRectOf(GetDlgItem(splash.window(), IDOK));
    const PixelRect expected = pixelRect(forms::Command1.rect, dpi);
    EXPECT_EQ(button.top, expected.top);
    EXPECT_EQ(button.right - button.left, expected.width);
    send(splash.window(), WM_LBUTTONDOWN, MK_LBUTTON, bannerMiddle(dpi));
    send(splash.window(), WM_LBUTTONUP, 0, bannerMiddle(dpi));
    EXPECT_EQ(desktop.opened.size(), 1u);
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

// The squares lie in the window's stacking order, square 0 on top.
HWND cellIn(HWND window, int index)
{
    HWND square = GetWindow(window, GW_CHILD);
    for (int i = 0; i < index; ++i)
        square = GetWindow(square, GW_HWNDNEXT);
    return square;
}

// The top-left corner of every square.
std::vector<std::pair<long, long>> squaresIn(HWND window)
{
    std::vector<std::pair<long, long>> corners;
    for (int i = 0; i < kSquareCount; ++i)
        corners.emplace_back(clientRectOf(cellIn(window, i)).left, clientRectOf(cellIn(window, i)).top);
    return corners;
}

class Win32Game : public testing::Test {
protected:
    HWND cell(int index) const { return cellIn(game.window(), index); }
    HWND control(const forms::Control& definition) const { return GetDlgItem(game.window(), controlId(definition)); }
    POINT cornerOf(int index) const
    {
        const RECT r = clientRectOf(cell(index));
        return {r.left, r.top};
    }
    // The corners of a piece's squares, each less the first's.
    std::vector<std::pair<long, long>> shape(int p) const
    {
        std::vector<std::pair<long, long>> corners;
        for (int i = firstSquareOf(p); i < firstSquareOf(p) + kSquaresPerPiece; ++i)
            corners.emplace_back(cornerOf(i).x - cornerOf(firstSquareOf(p)).x,
                                 cornerOf(i).y - cornerOf(firstSquareOf(p)).y);
        return corners;
    }
    // Pressed a little inside its corner, moved and let go at a client point.
    void drag(int index, POINT to)
    {
        send(cell(index), WM_LBUTTONDOWN, MK_LBUTTON, {3, 3});
        send(game.window(), WM_MOUSEMOVE, MK_LBUTTON, to);
        send(game.window(), WM_LBUTTONUP, 0, to);
    }
    // Every square where the rules start it, at the DPI.
    void expectStart(int dpi) const
    {
        const Puzzle start;
        for (int i = 0; i < kSquareCount; ++i) {
            EXPECT_EQ(cornerOf(i).x, twipsToPixels(start.cell(i).left, dpi)) << i;
            EXPECT_EQ(cornerOf(i).y, twipsToPixels(start.cell(i).top, dpi)) << i;
        }
    }
    std::wstring counter() const { return windowText(control(forms::lblTime)); }

    FakeDesktop desktop;
    frmPuzzle game{desktop.seam()};
    int dpi = dpiOf(game.window());
};

// To a screen reader the client area is the board, and every control and
// square on it has a name, each square its piece's letter and place.
TEST_F(Win32Game, ItsFormSetsTheFrameSizePlaceControlsAndNamesAndTheLoadShowsTheStart)
{
    const std::vector<std::pair<std::wstring, long>> read = readAloud(game.window());
    ASSERT_EQ(read.size(), 1 + forms::kPuzzleControls.size() + kSquareCount);
    EXPECT_EQ(read.front(), (std::pair<std::wstring, long>(L"Board, 6 rows by 10 columns", ROLE_SYSTEM_CLIENT)));
    EXPECT_EQ(std::count(read.begin(), read.end(), std::pair<std::wstring, long>(L"X, off the board", ROLE_SYSTEM_CLIENT)),
              5);
    EXPECT_EQ(std::count_if(read.begin(), read.end(), [](const auto& each) { return each.first.empty(); }), 0);

    RECT frame;
    GetWindowRect(game.window(), &frame);
    EXPECT_EQ(frame.left, 0);
    EXPECT_EQ(frame.top, 0);
    EXPECT_EQ(frame.right, twipsToPixels(forms::frmPuzzle.size.width, dpi));
    EXPECT_EQ(frame.bottom, twipsToPixels(forms::frmPuzzle.size.height, dpi));
    EXPECT_EQ(windowText(game.window()), L"Puzzle !");
    const LONG_PTR style = GetWindowLongPtrW(game.window(), GWL_STYLE);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & (WS_MAXIMIZEBOX | WS_THICKFRAME));
    const HWND help = control(forms::TOLMHelpControl1);
    EXPECT_TRUE(GetWindowLongPtrW(help, GWL_STYLE) & WS_TABSTOP);
    EXPECT_FALSE(GetWindowLongPtrW(control(forms::lblTime), GWL_STYLE) & WS_TABSTOP);
    EXPECT_TRUE(GetWindowLongPtrW(control(forms::lblTime), GWL_STYLE) & WS_BORDER);
    EXPECT_EQ(windowText(help), L"Help");
    EXPECT_EQ(GetWindow(cell(kSquareCount - 1), GW_HWNDNEXT), help);  // under every square
    expectStart(dpi);
    EXPECT_EQ(counter(), L"0");

    const HDC dc = GetDC(game.window());
    SetTextColor(dc, RGB(1, 2, 3));
    SetBkColor(dc, RGB(4, 5, 6));
    SendMessageW(game.window(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                 reinterpret_cast<LPARAM>(control(forms::Label5)));
    EXPECT_EQ(GetTextColor(dc), colourOf(forms::Label5.foreground));
    EXPECT_EQ(GetBkColor(dc), colourOf(forms::Label5.background));
    ReleaseDC(game.window(), dc);
}

// A press on a square is a press on the window at the same point; the
// window then holds the pointer, so every move and release comes to it
// wherever the pointer goes, until the last button is up or someone else
// takes the pointer.
TEST_F(Win32Game, APressOnASquareDragsItsPieceAndTheWindowHoldsThePointerToTheLastButton)
{
    const int index = firstSquareOf(4) + 1;
    const std::vector<std::pair<long, long>> upright = shape(4);
    const POINT before = cornerOf(index);
    send(cell(index), WM_LBUTTONDOWN, MK_LBUTTON, {5, 6});
    ASSERT_EQ(GetCapture(), game.window());
    send(game.window(), WM_MOUSEMOVE, MK_LBUTTON, {before.x + 5 - 130, before.y + 6 - 140});  // far off the square
    EXPECT_NEAR(cornerOf(index).x, before.x - 130, 1);
    EXPECT_NEAR(cornerOf(index).y, before.y - 140, 1);
    EXPECT_EQ(shape(4), upright);

    // Shift comes with a right press in the middle of the drag: the piece is
    // mirrored about the pressed square.
    send(game.window(), WM_RBUTTONDOWN, MK_LBUTTON | MK_RBUTTON | MK_SHIFT, cornerOf(index));
    EXPECT_NE(shape(4), upright);
    send(game.window(), WM_RBUTTONUP, MK_LBUTTON, cornerOf(index));
    EXPECT_EQ(GetCapture(), game.window());
    send(game.window(), WM_LBUTTONUP, 0, cornerOf(index));
    EXPECT_EQ(GetCapture(), nullptr);

    // Taken away, the pointer moves the piece no more.
    send(cell(0), WM_LBUTTONDOWN, MK_LBUTTON, {3, 3});
    ReleaseCapture();
    const POINT left = cornerOf(0);
    send(game.window(), WM_MOUSEMOVE, MK_LBUTTON, {200, 200});
    EXPECT_EQ(cornerOf(0).x, left.x);
}

// Tab runs from Help through square 0 of each piece, in the pieces' order,
// and round to Help. Then a keyboard player and a mouse player each turn the
// T, mirror it both ways and walk it three squares: its squares end where
// they do for both, and the press gave the piece the focus.
TEST_F(Win32Game, TabReachesEachPieceOnceAndItsKeysLeaveItWhereTheSameMouseActionsDo)
{
    const HWND help = control(forms::TOLMHelpControl1);
    game.Show();
    EXPECT_EQ(GetFocus(), help);
    for (int p = 0; p < kPieceCount; ++p) {
        EXPECT_TRUE(translated(game, GetFocus(), WM_KEYDOWN, VK_TAB));
        EXPECT_EQ(GetFocus(), cell(firstSquareOf(p))) << p;
    }
    translated(game, GetFocus(), WM_KEYDOWN, VK_TAB);
    EXPECT_EQ(GetFocus(), help);
    translated(game, help, WM_KEYDOWN, VK_TAB, VK_SHIFT);
    EXPECT_EQ(GetFocus(), cell(firstSquareOf(kPieceCount - 1)));

    const std::vector<std::pair<long, long>> start = squaresIn(game.window());
    SetFocus(cell(15));
    static std::vector<HWND> told;
    const HWINEVENTHOOK hook = SetWinEventHook(
        EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_NAMECHANGE, nullptr,
        [](HWINEVENTHOOK, DWORD, HWND from, LONG object, LONG, DWORD, DWORD) {
            if (object == OBJID_CLIENT)
                told.push_back(from);
        },
        0, 0, WINEVENT_OUTOFCONTEXT);
    for (const WPARAM key : {WPARAM{'R'}, WPARAM{'V'}, WPARAM{'H'}, WPARAM{VK_LEFT}, WPARAM{VK_UP}, WPARAM{VK_UP}, WPARAM{VK_UP}})
        EXPECT_TRUE(translated(game, GetFocus(), WM_KEYDOWN, key));
    for (MSG message; PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);)
        DispatchMessageW(&message);
    UnhookWinEvent(hook);
    EXPECT_EQ(told, std::vector<HWND>(7, cell(15)));  // each settled place told once

    frmPuzzle mouse(desktop.seam());
    mouse.Show();
    const auto square = [&mouse] { return cellIn(mouse.window(), 15); };
    const int middle = twipsToPixels(kSquareTwips / 2, dpi);
    for (const WPARAM held : {0, MK_SHIFT, MK_CONTROL}) {
        send(square(), WM_RBUTTONDOWN, MK_RBUTTON | held, {middle, middle});
        send(square(), WM_RBUTTONUP, held, {middle, middle});
    }
    const int step = twipsToPixels(kSquareTwips, dpi);
    for (const POINT by : {POINT{-step, 0}, POINT{0, -step}, POINT{0, -step}, POINT{0, -step}}) {
        const POINT to{clientRectOf(square()).left + middle + by.x, clientRectOf(square()).top + middle + by.y};
        send(square(), WM_LBUTTONDOWN, MK_LBUTTON, {middle, middle});
        send(mouse.window(), WM_MOUSEMOVE, MK_LBUTTON, to);
        send(mouse.window(), WM_LBUTTONUP, 0, to);
    }
    EXPECT_EQ(squaresIn(game.window()), squaresIn(mouse.window()));
    EXPECT_NE(squaresIn(game.window()), start);
    EXPECT_EQ(GetFocus(), square());
}

// The bytes the rules write go into the chosen file whole, and come back
// from it; a folder can be neither read nor written, and each failure is
// told in a box owned by the game window.
TEST_F(Win32Game, CtrlSAndCtrlOGoThroughTheKeysToTheChosenFile)
{
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("morvane-win32-" + std::to_string(GetCurrentProcessId()) + ".txt");
    desktop.chosen = file.wstring();
    const HWND help = control(forms::TOLMHelpControl1);
    EXPECT_FALSE(translated(game, help, WM_KEYDOWN, 'S'));
    EXPECT_TRUE(translated(game, help, WM_KEYDOWN, 'S', VK_CONTROL));
    std::ifstream saved(file, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(saved), {}), writePositionFile(Puzzle().cell(), "0"));
    saved.close();

    drag(7, {300, 40});
    EXPECT_TRUE(translated(game, game.window(), WM_KEYDOWN, 'O', VK_CONTROL));
    expectStart(dpi);
    std::filesystem::remove(file);
    EXPECT_EQ(desktop.asked, (std::vector<std::string>{"save", "open"}));
    EXPECT_TRUE(desktop.reported.empty());

    desktop.chosen = std::filesystem::temp_directory_path().wstring();
    translated(game, help, WM_KEYDOWN, 'S', VK_CONTROL);
    translated(game, help, WM_KEYDOWN, 'O', VK_CONTROL);
    EXPECT_EQ(desktop.reported.size(), 2u);
    EXPECT_EQ(desktop.owner, game.window());
}

TEST_F(Win32Game, TheTimerAndTheMenuReachTheControllerAndClosingEndsTheProgram)
{
    SendMessageW(game.window(), WM_TIMER, 1, 0);
    SendMessageW(game.window(), WM_TIMER, 1, 0);
    EXPECT_EQ(counter(), L"2");
    const HMENU file = GetSubMenu(GetMenu(game.window()), 0);
    SendMessageW(game.window(), WM_COMMAND, MAKEWPARAM(GetMenuItemID(file, 0), 0), 0);
    EXPECT_EQ(counter(), L"0");
    SendMessageW(game.window(), WM_COMMAND, MAKEWPARAM(GetMenuItemID(file, 1), 0), 0);
    EXPECT_EQ(desktop.ends, 1);
    SendMessageW(game.window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(desktop.ends, 2);
    EXPECT_EQ(game.window(), nullptr);
}

// A modal box would hold the first press until it closed: the page is a
// window of its own beside the game, and the game goes on meanwhile.
TEST_F(Win32Game, HelpOpensOnePageBesideTheGameWhichKeepsPlayingAndEscapeClosesIt)
{
    const HWND help = control(forms::TOLMHelpControl1);
    SendMessageW(help, BM_CLICK, 0, 0);
    const HWND page = FindWindowW(L"MorvaneHelpPage", nullptr);
    ASSERT_NE(page, nullptr);
    EXPECT_TRUE(IsWindowVisible(page));
    EXPECT_EQ(GetWindow(page, GW_OWNER), game.window());
    EXPECT_FALSE(GetWindowLongPtrW(page, GWL_STYLE) & WS_CHILD);
    EXPECT_EQ(windowText(page), L"How to play");
    drag(7, {300, 40});
    EXPECT_NE(cornerOf(7).x, twipsToPixels(Puzzle().cell(7).left, dpi));

    SetActiveWindow(game.window());
    SendMessageW(help, BM_CLICK, 0, 0);
    EXPECT_EQ(GetActiveWindow(), page);
    EXPECT_EQ(FindWindowExW(nullptr, page, L"MorvaneHelpPage", nullptr), nullptr);
    EXPECT_EQ(FindWindowW(L"MorvaneHelpPage", nullptr), page);

    MSG escape{GetWindow(page, GW_CHILD), WM_KEYDOWN, VK_ESCAPE, 0, 0, {}};
    EXPECT_TRUE(game.translateKeys(escape));
    EXPECT_FALSE(IsWindow(page));
}

TEST_F(Win32Game, OnADenserMonitorEverythingKeepsItsSizeInTwips)
{
    const int denser = dpi * 3 / 2;
    RECT suggested{40, 30, 0, 0};
    SendMessageW(game.window(), WM_DPICHANGED, MAKEWPARAM(denser, denser), reinterpret_cast<LPARAM>(&suggested));
    RECT frame;
    GetWindowRect(game.window(), &frame);
    EXPECT_EQ(frame.left, 40);
    EXPECT_EQ(frame.right - frame.left, twipsToPixels(forms::frmPuzzle.size.width, denser));
    const RECT square = clientRectOf(cell(0));
    EXPECT_EQ(square.right - square.left, twipsToPixels(kSquareTwips, denser));
    expectStart(denser);
    const RECT counter = clientRectOf(control(forms::lblTime));
    EXPECT_EQ(counter.left, twipsToPixels(forms::lblTime.rect.left, denser));
}

} // namespace
