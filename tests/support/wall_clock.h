// The tests' one way to name a wall-clock moment: a date and time in the
// local zone, as the program's dates and file names show it. (The logic
// tests' fixture sets TZ to UTC, so there local time is UTC.)
#pragma once
#include <chrono>

namespace quorrel::test {

std::chrono::system_clock::time_point WallClock(int year, int month, int day, int hour, int minute, int second);

}  // namespace quorrel::test
