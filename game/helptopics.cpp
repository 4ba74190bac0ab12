#include "game/helptopics.h"

#include <charconv>
#include <utility>

#include "game/forms.h"
#include "game/version.h"

namespace morvane {

std::optional<int> helpContextOf(std::string_view value)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
    while (!value.empty() && blank(value.front()))
        value.remove_prefix(1);
    while (!value.empty() && blank(value.back()))
        value.remove_suffix(1);
    if (!value.empty() && value.front() == '+')
        value.remove_prefix(1);
    int context = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), context);
    if (value.empty() || error != std::errc() || end != value.data() + value.size())
        return std::nullopt;
    return context;
}

std::string_view helpTopicTitle(int context)
{
    return context == kHowToPlayTopic ? "How to play" : "About Morvane";
}

std::optional<AboutLine> helpAboutLine(int context)
{
    if (context == kHowToPlayTopic)
        return std::nullopt;
    std::string rest = " ";
    rest += kVersionText;
    rest += ", a pentomino puzzle.";
    return AboutLine{"Morvane", std::move(rest)};
}

void HelpControl::setDispatchProperty(unsigned dispatchId, std::string_view value)
{
    if (dispatchId != forms::kHelpContextProperty)
        return;
    if (const std::optional<int> context = helpContextOf(value))
        helpContext_ = *context;
}

HelpPage HelpControl::page() const
{
    return {.title = helpTopicTitle(helpContext_), .about = helpAboutLine(helpContext_)};
}

} // namespace morvane
