// The help text that the Help window shows, and the passages it styles.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace quorrel {

// One styled passage: characters from start (0-based, a CR counts as one)
// for length characters, bold, in blue (headings) or red (warnings).
struct HelpRun {
    enum class Tint { Blue, Red };
    int32_t start;
    int32_t length;
    Tint tint;
};

// The design-time help text: 39 lines joined by CR alone.
std::string_view HelpText();
// The thirteen passages in text order, derived from the text itself.
const std::array<HelpRun, 13>& HelpRuns();

}  // namespace quorrel
