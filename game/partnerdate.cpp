#include "game/partnerdate.h"

#include <array>
#include <charconv>
#include <stdexcept>
#include <string>

namespace morvane {

namespace {

// The three numbers of a "a/b/c" text. The switch date is a constant, so a
// text that does not split into three numbers is a mistake in the game.
std::array<unsigned, 3> shortDateNumbers(std::string_view text)
{
    std::array<unsigned, 3> numbers{};
    const char* at = text.data();
    const char* const end = text.data() + text.size();
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        const auto [next, error] = std::from_chars(at, end, numbers[i]);
        const bool separated = i + 1 < numbers.size() ? next != end && *next == '/' : next == end;
        if (error != std::errc() || !separated)
            throw std::invalid_argument("not a short date: " + std::string(text));
        at = next + 1;
    }
    return numbers;
}

} // namespace

DateOrder dateOrderOf(std::string_view shortDatePattern)
{
    bool quoted = false;
    for (const char c : shortDatePattern) {
        if (c == '\'')
            quoted = !quoted;
        else if (!quoted && c == 'd')
            return DateOrder::DayFirst;
        else if (!quoted && c == 'M')
            return DateOrder::MonthFirst;
    }
    return DateOrder::MonthFirst;
}

std::chrono::year_month_day switchDate(DateOrder order)
{
    const auto [first, second, year] = shortDateNumbers(kSwitchDateText);
    const unsigned month = order == DateOrder::MonthFirst ? first : second;
    const unsigned day = order == DateOrder::MonthFirst ? second : first;
    return std::chrono::year_month_day{std::chrono::year{static_cast<int>(year)}, std::chrono::month{month},
                                       std::chrono::day{day}};
}

bool partnerPeriod(std::chrono::year_month_day today, DateOrder order)
{
    return today > switchDate(order);
}

} // namespace morvane
