#include "tests/support/wall_clock.h"

#include <ctime>

namespace quorrel::test {

std::chrono::system_clock::time_point WallClock(int year, int month, int day, int hour, int minute, int second) {
    std::tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    tm.tm_sec = second;
    tm.tm_isdst = -1;  // whichever the zone has on that day
    return std::chrono::system_clock::from_time_t(std::mktime(&tm));
}

}  // namespace quorrel::test
