// Writes 0xRRGGBB pixels as a PNG file: to a temporary file in the target's
// folder, then renamed into place, so that a failed or interrupted write never
// leaves a broken file or destroys the previous one.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace fw::png {

// True only when the whole file is on disk under path.
bool WriteFile(const std::string& path, int32_t width, int32_t height, const std::vector<uint32_t>& pixels);

}  // namespace fw::png
