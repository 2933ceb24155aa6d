// Calendar rules of the date words.
#pragma once

namespace dok {

// Day of the year from 1, with a leap day in every year divisible by 4.
int day_of_year(int year, int month, int day);

// ISO 8601 week number (valid for the years 1901 to 2099).
int week_number(int year, int month, int day);

}  // namespace dok
