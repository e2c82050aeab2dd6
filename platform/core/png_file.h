// Writes 0xRRGGBB pixels as a PNG file: to a temporary file in the target's
// folder, then renamed into place, so that a failed or interrupted write never
// leaves a broken file or destroys the previous one (see atomic_file.h).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace fw::png {

// True only when the whole file is on disk under path. Any failure, low
// memory included, gives false and leaves the earlier file as it was.
bool WriteFile(const std::string& path, int32_t width, int32_t height, const std::vector<uint32_t>& pixels);

// Clears what writes into `folder` that were interrupted left behind (hidden
// temporary files over a minute old). Once per folder in a process: the
// first write into a folder does it, and so does the first look at it.
void RemoveStaleTemporaries(const std::string& folder);

}  // namespace fw::png
