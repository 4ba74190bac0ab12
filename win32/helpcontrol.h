#pragma once

// The help control under the instructions: a button of the desktop's own
// look that opens the page of its help context, set once as the game window
// loads.

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

namespace morvane::win32 {

class HelpControl {
public:
    // Shows a topic's page; a message box owned by the game window unless a
    // test says otherwise.
    using PageViewer = std::function<void(HWND owner, const std::wstring& title, const std::wstring& text)>;

    HWND create(HWND parent, int id, int dpi);
    HWND window() const { return window_; }

    // The control's one property; any other dispatch id, or a value that is
    // not a topic number, leaves it as it was.
    void setDispatchProperty(unsigned dispatchId, std::string_view value);
    int helpContext() const { return helpContext_; }

    std::wstring topicTitle() const;
    std::wstring topicText() const;
    void showTopic();
    void setPageViewer(PageViewer viewer) { viewer_ = std::move(viewer); }

private:
    HWND window_ = nullptr;
    int helpContext_ = 0;
    PageViewer viewer_;
};

} // namespace morvane::win32
