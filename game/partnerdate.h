#pragma once

// When the splash window advertises our partner. Up to and including the
// switch date it shows our own banner; from the next day on, Larkfen's. The
// date is kept as the short text the game has always carried, and that text is
// read the way the player's locale reads a short date, so the day the banner
// changes depends on where the player lives.

#include <chrono>
#include <string_view>

namespace morvane {

// The order in which a locale writes the day and the month of a short date.
// The year of the switch date has four digits and can only be a year, so where
// the locale puts the year does not matter: a year-first locale reads the
// other two numbers in its own order of month and day, just as the others do.
enum class DateOrder { MonthFirst, DayFirst };

inline constexpr std::string_view kSwitchDateText = "7/1/2005";

// The order of a short-date pattern in Qt's notation ("M/d/yy", "dd.MM.yyyy",
// "y-MM-dd"), found from whichever of d and M comes first outside quoted
// literal text. A pattern with neither is taken as month first, the way the
// switch date was written.
DateOrder dateOrderOf(std::string_view shortDatePattern);

// The switch date text read under the given order: 1 July 2005 month first,
// 7 January 2005 day first.
std::chrono::year_month_day switchDate(DateOrder order);

// The partner period begins the day after the switch date; the switch date
// itself still shows our own banner.
bool partnerPeriod(std::chrono::year_month_day today, DateOrder order);

// Whether the locale's order decides the partner period on this day: only
// from 8 January to 1 July 2005, after one reading of the switch date and up
// to the other. On every other day both readings agree, and the locale need
// not be asked.
bool orderDecides(std::chrono::year_month_day today);

} // namespace morvane
