#include "game/partnerdate.h"

#include <array>
#include <cstddef>

namespace morvane {

namespace {

// The three numbers of a "a/b/c" text, read as the game is compiled: a
// switch date that does not split into three numbers does not compile.
consteval std::array<unsigned, 3> shortDateNumbers(std::string_view text)
{
    std::array<unsigned, 3> numbers{};
    std::size_t i = 0;
    bool digits = false;
    for (const char c : text) {
        if (c >= '0' && c <= '9') {
            numbers[i] = numbers[i] * 10 + static_cast<unsigned>(c - '0');
            digits = true;
        } else if (c == '/' && digits && i + 1 < numbers.size()) {
            ++i;
            digits = false;
        } else {
            throw "not a short date";
        }
    }
    if (!digits || i + 1 != numbers.size())
        throw "not a short date";
    return numbers;
}

constexpr std::array<unsigned, 3> kSwitchDateNumbers = shortDateNumbers(kSwitchDateText);

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
    const auto [first, second, year] = kSwitchDateNumbers;
    const unsigned month = order == DateOrder::MonthFirst ? first : second;
    const unsigned day = order == DateOrder::MonthFirst ? second : first;
    return std::chrono::year_month_day{std::chrono::year{static_cast<int>(year)}, std::chrono::month{month},
                                       std::chrono::day{day}};
}

bool partnerPeriod(std::chrono::year_month_day today, DateOrder order)
{
    return today > switchDate(order);
}

bool orderDecides(std::chrono::year_month_day today)
{
    return partnerPeriod(today, DateOrder::MonthFirst) != partnerPeriod(today, DateOrder::DayFirst);
}

} // namespace morvane
