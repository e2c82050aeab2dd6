// Reading the capture moment back from a screenshot's file name
// ("YYYY MM DD   HH MM SS.png", local time).
#pragma once
#include <ctime>
#include <optional>
#include <string>

namespace e2e {

std::optional<std::time_t> CaptureMomentOf(const std::string& fileName);

}  // namespace e2e
