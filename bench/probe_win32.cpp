// The Windows benchmarks' probe, linked into a second copy of the game (the
// game's own wWinMain) and into the bare window it is held against, so that
// both are measured alike; the shipped program never includes it. Under
// MORVANE_PROBE=startup (or unset) it prints "first-paint 1" once the first
// WM_PAINT the program takes has been handled, and ends the program.
// run_bench times the line's arrival: under Wine the program's clocks do not
// read the Linux monotonic clock.

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr UINT kPainted = WM_APP + 0x3F1;
bool painted = false;

// Messages posted to the thread come before the next WM_PAINT, so the marker
// posted on the first paint returns once that paint has been handled.
void onPaint()
{
    if (!painted) {
        painted = true;
        PostThreadMessageW(GetCurrentThreadId(), kPainted, 0, 0);
    }
}

// A paint the message loop takes from the queue, and the marker.
LRESULT CALLBACK taken(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION && wParam == PM_REMOVE) {
        // NOLINTNEXTLINE(performance-no-int-to-ptr): the hook is handed the message's address as an integer.
        const MSG* message = reinterpret_cast<const MSG*>(lParam);
        if (message->message == WM_PAINT) {
            onPaint();
        } else if (message->message == kPainted && message->hwnd == nullptr) {
            std::printf("first-paint 1\n");
            std::fflush(stdout);
            ExitProcess(0);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// A paint sent straight to a window (UpdateWindow), once it has been handled.
LRESULT CALLBACK handled(int code, WPARAM wParam, LPARAM lParam)
{
    // NOLINTNEXTLINE(performance-no-int-to-ptr): the hook is handed the message's address as an integer.
    if (code == HC_ACTION && reinterpret_cast<const CWPRETSTRUCT*>(lParam)->message == WM_PAINT)
        onPaint();
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Installed on the main thread before wWinMain runs.
const bool installed = [] {
    const char* mode = std::getenv("MORVANE_PROBE");
    if (mode && std::strcmp(mode, "startup") != 0)
        return false;
    const DWORD thread = GetCurrentThreadId();
    return SetWindowsHookExW(WH_GETMESSAGE, taken, nullptr, thread)
           && SetWindowsHookExW(WH_CALLWNDPROCRET, handled, nullptr, thread);
}();

} // namespace
