// The switch date of the splash window: how its text reads under a locale's
// date order, and which days belong to the partner period.

#include <gtest/gtest.h>

#include "game/partnerdate.h"

using namespace morvane;
using namespace std::chrono;

struct PartnerDay {
    year_month_day today;
    DateOrder order;
    bool partner;
};

class PartnerPeriod : public testing::TestWithParam<PartnerDay> {};

TEST_P(PartnerPeriod, BeginsTheDayAfterTheSwitchDate)
{
    EXPECT_EQ(partnerPeriod(GetParam().today, GetParam().order), GetParam().partner);
}

INSTANTIATE_TEST_SUITE_P(
    SwitchDate, PartnerPeriod,
    testing::Values(PartnerDay{2005y / July / 1d, DateOrder::MonthFirst, false},
                    PartnerDay{2005y / July / 2d, DateOrder::MonthFirst, true},
                    PartnerDay{2005y / January / 8d, DateOrder::MonthFirst, false},
                    PartnerDay{2004y / December / 31d, DateOrder::MonthFirst, false},
                    PartnerDay{2006y / January / 1d, DateOrder::MonthFirst, true},
                    PartnerDay{2005y / January / 7d, DateOrder::DayFirst, false},
                    PartnerDay{2005y / January / 8d, DateOrder::DayFirst, true},
                    PartnerDay{2005y / July / 1d, DateOrder::DayFirst, true},
                    PartnerDay{2004y / July / 9d, DateOrder::DayFirst, false},
                    PartnerDay{2026y / December / 7d, DateOrder::DayFirst, true}));

TEST(SwitchDate, ReadsMonthAndDayInTheLocalesOrder)
{
    EXPECT_EQ(switchDate(DateOrder::MonthFirst), 2005y / July / 1d);
    EXPECT_EQ(switchDate(DateOrder::DayFirst), 2005y / January / 7d);
}

TEST(SwitchDate, TakesTheOrderFromWhicheverOfDayAndMonthComesFirst)
{
    EXPECT_EQ(dateOrderOf("M/d/yy"), DateOrder::MonthFirst);
    EXPECT_EQ(dateOrderOf("dd/MM/yyyy"), DateOrder::DayFirst);
    EXPECT_EQ(dateOrderOf("yyyy-MM-dd"), DateOrder::MonthFirst);
    EXPECT_EQ(dateOrderOf("yyyy.dd.MM"), DateOrder::DayFirst);
    // Quoted text is literal: its letters are not fields.
    EXPECT_EQ(dateOrderOf("'day' M/d"), DateOrder::MonthFirst);
    EXPECT_EQ(dateOrderOf("'Mon''s' dd/MM"), DateOrder::DayFirst);
    EXPECT_EQ(dateOrderOf("yyyy"), DateOrder::MonthFirst);
}
