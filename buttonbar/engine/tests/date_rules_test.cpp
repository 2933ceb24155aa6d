#include <gtest/gtest.h>

#include "engine/date_rules.hpp"

using namespace dok;

TEST(DateRules, WeekNumbers) {
    EXPECT_EQ(week_number(2026, 1, 4), 1);    // Sunday
    EXPECT_EQ(week_number(2026, 1, 5), 2);    // Monday
    EXPECT_EQ(week_number(2026, 1, 1), 1);    // Thursday
    EXPECT_EQ(week_number(2027, 1, 1), 53);   // Friday
    EXPECT_EQ(week_number(2025, 12, 29), 1);  // Monday
    EXPECT_EQ(week_number(2022, 1, 1), 52);   // Saturday after a common year
    EXPECT_EQ(week_number(2005, 1, 1), 53);   // Saturday after a leap year
    EXPECT_EQ(week_number(2023, 1, 1), 52);   // Sunday
    EXPECT_EQ(week_number(2020, 12, 31), 53); // Thursday
    EXPECT_EQ(week_number(2024, 12, 31), 1);  // Tuesday
    // Before 1969 the leap days since then are counted downwards.
    EXPECT_EQ(week_number(1902, 1, 5), 1);    // Sunday
    EXPECT_EQ(week_number(1950, 1, 1), 52);   // Sunday
    EXPECT_EQ(week_number(1960, 1, 1), 53);   // Friday
    EXPECT_EQ(week_number(1968, 12, 30), 1);  // Monday
}

TEST(DateRules, DayOfYear) {
    EXPECT_EQ(day_of_year(2026, 1, 1), 1);
    EXPECT_EQ(day_of_year(2024, 3, 1), 61);
    EXPECT_EQ(day_of_year(2023, 12, 31), 365);
    EXPECT_EQ(day_of_year(2024, 12, 31), 366);
}
