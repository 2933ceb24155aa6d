#include "date_rules.hpp"

namespace dok {

int day_of_year(int year, int month, int day) {
    static const int kLengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    int d = day;
    for (int m = 1; m < month && m <= 12; ++m) d += kLengths[m - 1];
    if (month > 2 && year % 4 == 0) ++d;
    return d;
}

int week_number(int year, int month, int day) {
    // Weekday of January 1st: 1 = Monday ... 7 = Sunday. The leap days since
    // 1969 are counted with floor division, so earlier years come out right.
    int since = year - 1969;
    int leap_days = since >= 0 ? since / 4 : -((3 - since) / 4);
    int jan1 = ((leap_days + 365 * year - 719046) % 7 + 7) % 7;
    if (jan1 == 0) jan1 = 7;
    int yday = day_of_year(year, month, day);
    int weekday = (jan1 - 1 + yday - 1) % 7 + 1;
    if (month == 12 && ((day == 29 && weekday == 1) || (day == 30 && weekday <= 2) || (day == 31 && weekday <= 3)))
        return 1;
    int week = (yday - weekday + 10) / 7;
    if (week >= 1) return week;
    if (jan1 == 5) return 53;                                  // Friday
    if (jan1 == 6) return (year % 4 == 1) ? 53 : 52;           // Saturday
    return 52;                                                 // Sunday
}

}  // namespace dok
