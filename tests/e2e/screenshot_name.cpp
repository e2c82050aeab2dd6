#include "tests/e2e/screenshot_name.h"

#include "tests/support/wall_clock.h"

#include <regex>

namespace e2e {

std::optional<std::time_t> CaptureMomentOf(const std::string& fileName) {
    static const std::regex form(R"((\d{4}) (\d{2}) (\d{2})   (\d{2}) (\d{2}) (\d{2})\.png)");
    std::smatch m;
    if (!std::regex_match(fileName, m, form)) return std::nullopt;
    auto field = [&m](int i) { return std::stoi(m[i]); };
    return std::chrono::system_clock::to_time_t(
        quorrel::test::WallClock(field(1), field(2), field(3), field(4), field(5), field(6)));
}

}  // namespace e2e
