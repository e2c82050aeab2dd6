// The pictures of a screenshots folder once the program has finished writing
// them: holding the chord captures on every tick, and the last capture may
// still be on its way to the disk when the chord is released.
#pragma once
#include <sys/types.h>

#include <filesystem>
#include <optional>
#include <vector>

namespace e2e {

// The folder's entries, sorted, at a moment when process `pid` holds no file
// open in it and no temporary (hidden) name stands there; nullopt while a
// write is under way.
std::optional<std::vector<std::filesystem::path>> PicturesInPlace(pid_t pid, const std::filesystem::path& folder);

}  // namespace e2e
