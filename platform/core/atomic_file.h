// A file that is whole or absent under its name: written unnamed in the
// target's folder (under a hidden temporary name where the filesystem has no
// unnamed files), every write checked, synced, and only then renamed over the
// target. Whatever fails, the earlier file stays as it was and no temporary
// file stays beside it; a process killed part-way leaves nothing, or at worst
// a hidden file of the pattern that RemoveStaleTemporaries clears.
#pragma once
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace fw::files {

class AtomicFile {
public:
    // Nothing when no file can be made in the target's folder.
    static std::unique_ptr<AtomicFile> Create(const std::string& path);
    ~AtomicFile();  // never committed: gone without a trace
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // False from the first write that fails on; later writes do nothing.
    bool Write(const void* data, size_t size);
    // Syncs the file and puts it in place of the target. False when anything
    // failed, the earlier writes included; the target is then untouched.
    bool Commit();

private:
    AtomicFile(std::string target, int fd, std::string tempPath);
    bool NameUnnamed();

    std::string target_;
    int fd_ = -1;
    std::string tempPath_;  // empty while the file has no name
    bool failed_ = false;
};

// The folder a path names a file in ("." for a bare name).
std::string FolderOf(const std::string& path);

// Removes from `folder` what interrupted writes left there: regular files
// named "." + name + "." + at least three hex digits, for a target name that
// `ours` accepts, that no writer holds locked (a live writer keeps its file
// locked until it has its final name): at once when the name is of the
// writers that lock, else once untouched for over a minute. Done once per
// folder and `kind` in a process.
void RemoveStaleTemporaries(const std::string& folder, std::string_view kind,
                            const std::function<bool(std::string_view name)>& ours);

}  // namespace fw::files
