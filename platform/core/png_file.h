// Writes 0xRRGGBB pixels as a PNG file: to a temporary file in the target's
// folder, then renamed into place, so that a failed or interrupted write never
// leaves a broken file or destroys the previous one (see atomic_file.h).
#pragma once
#include <sys/stat.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace fw::png {

// True only when the whole file is on disk under path, in place of what was
// there (a symbolic link is replaced, not written through). Any failure, low
// memory included, gives false and leaves the earlier file as it was.
bool WriteFile(const std::string& path, int32_t width, int32_t height, const std::vector<uint32_t>& pixels);

// Where WriteNewFile put a picture: the path, and the file's identity there
// (its inode's change time tells it from a later file on a reused inode, and
// from the same file changed since).
struct PlacedFile {
    std::string path;
    dev_t device = 0;
    ino_t inode = 0;
    timespec changed{};

    bool Is(const struct stat& st) const {
        return st.st_dev == device && st.st_ino == inode && st.st_ctim.tv_sec == changed.tv_sec &&
               st.st_ctim.tv_nsec == changed.tv_nsec;
    }
};

// Decides whether what stands under a name (lstat of it) may be replaced.
using ReplacePolicy = std::function<bool(const std::string& path, const struct stat& existing)>;

// Writes a new file under `path`, or, when something stands there that
// `mayReplace` refuses, under the first free of "name (2).png",
// "name (3).png"... in the same folder. Each name is taken in one step that
// replaces nothing, so two writers never take the same one. A symbolic link
// is never written through: where the policy lets it go, the picture takes
// the link's place and the file it led to stays as it was. Nothing on
// failure, and then nothing changed.
std::optional<PlacedFile> WriteNewFile(const std::string& path, int32_t width, int32_t height,
                                       const std::vector<uint32_t>& pixels, const ReplacePolicy& mayReplace);

}  // namespace fw::png
