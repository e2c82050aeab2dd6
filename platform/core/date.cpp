// Dates in local time, in the US short forms.
#include "platform/backend.h"
#include "platform/framework.h"

#include <ctime>

namespace fw {
namespace {

std::string Two(int v) {
    std::string digits = std::to_string(v);
    if (v >= 0 && v < 10) digits.insert(digits.begin(), '0');
    return digits;
}

std::string Hour12(int hour) { return std::to_string(hour % 12 == 0 ? 12 : hour % 12); }

const char* Meridiem(int hour) { return hour < 12 ? " AM" : " PM"; }

}  // namespace

void Date::Constructor() {
    std::time_t t = std::chrono::system_clock::to_time_t(CurrentBackend().Now());
    std::tm local{};
    localtime_r(&t, &local);
    year_ = local.tm_year + 1900;
    month_ = local.tm_mon + 1;
    day_ = local.tm_mday;
    hour_ = local.tm_hour;
    minute_ = local.tm_min;
    second_ = local.tm_sec;
}

std::string Date::ShortDate() const {
    return std::to_string(month_) + "/" + std::to_string(day_) + "/" + Two(year_ % 100);
}

std::string Date::LongTime() const { return Hour12(hour_) + ":" + Two(minute_) + ":" + Two(second_) + Meridiem(hour_); }

std::string Date::ShortTime() const { return Hour12(hour_) + ":" + Two(minute_) + Meridiem(hour_); }

}  // namespace fw
