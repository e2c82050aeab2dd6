#include "tests/e2e/screenshot_name.h"

#include <regex>

namespace e2e {

std::optional<std::time_t> CaptureMomentOf(const std::string& fileName) {
    static const std::regex form(R"((\d{4}) (\d{2}) (\d{2})   (\d{2}) (\d{2}) (\d{2})\.png)");
    std::smatch m;
    if (!std::regex_match(fileName, m, form)) return std::nullopt;
    std::tm t{};
    t.tm_year = std::stoi(m[1]) - 1900;
    t.tm_mon = std::stoi(m[2]) - 1;
    t.tm_mday = std::stoi(m[3]);
    t.tm_hour = std::stoi(m[4]);
    t.tm_min = std::stoi(m[5]);
    t.tm_sec = std::stoi(m[6]);
    t.tm_isdst = -1;
    return std::mktime(&t);
}

}  // namespace e2e
