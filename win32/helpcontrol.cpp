#include "win32/helpcontrol.h"

#include <optional>

#include "game/forms.h"
#include "game/helptopics.h"
#include "win32/controls.h"
#include "win32/desktop.h"

namespace morvane::win32 {

HWND HelpControl::create(HWND parent, int id, int dpi)
{
    window_ = makeControl(parent, L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, forms::TOLMHelpControl1, id, dpi);
    return window_;
}

void HelpControl::setDispatchProperty(unsigned dispatchId, std::string_view value)
{
    if (dispatchId != forms::kHelpContextProperty)
        return;
    if (const std::optional<int> context = helpContextOf(value))
        helpContext_ = *context;
}

std::wstring HelpControl::topicTitle() const
{
    return wide(helpTopicTitle(helpContext_));
}

std::wstring HelpControl::topicText() const
{
    std::wstring page;
    if (const std::optional<AboutLine> about = helpAboutLine(helpContext_))
        page += wide(about->name) + wide(about->rest) + L"\n\n";
    page += wide(kHelpIntroduction) + L"\n";
    for (const HelpRow& row : kHelpRows)
        page += L"\n" + wide(row.action) + L": " + wide(row.description);
    return page;
}

// A message box beside the game: the player reads it and carries on.
void HelpControl::showTopic()
{
    const HWND owner = GetAncestor(window_, GA_ROOT);
    if (viewer_) {
        viewer_(owner, topicTitle(), topicText());
        return;
    }
    MessageBoxW(owner, topicText().c_str(), topicTitle().c_str(), MB_OK);
}

} // namespace morvane::win32
