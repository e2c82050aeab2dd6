#include "tests/e2e/pictures_in_place.h"

#include <algorithm>
#include <string>

namespace e2e {

namespace fs = std::filesystem;

namespace {

// A file the process has open in the folder: a picture being written (its
// unnamed temporary file shows there as "#<inode> (deleted)").
bool WritingIn(pid_t pid, const fs::path& folder) {
    std::error_code ec;
    for (const auto& fd : fs::directory_iterator("/proc/" + std::to_string(pid) + "/fd", ec)) {
        std::error_code linkError;
        const fs::path target = fs::read_symlink(fd.path(), linkError);
        if (!linkError && target.parent_path() == folder) return true;
    }
    return false;
}

}  // namespace

std::optional<std::vector<fs::path>> PicturesInPlace(pid_t pid, const fs::path& folder) {
    std::error_code ec;
    const fs::path real = fs::weakly_canonical(folder, ec);
    if (ec || WritingIn(pid, real)) return std::nullopt;
    std::vector<fs::path> files;
    for (const auto& e : fs::directory_iterator(folder, ec)) {
        if (e.path().filename().string().front() == '.') return std::nullopt;
        files.push_back(e.path());
    }
    // A write that began while the folder was read: read it again once that has landed.
    if (WritingIn(pid, real)) return std::nullopt;
    std::sort(files.begin(), files.end());
    return files;
}

}  // namespace e2e
