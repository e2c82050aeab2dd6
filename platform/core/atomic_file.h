// A file that is whole or absent under its name: written unnamed in the
// target's folder (under a hidden temporary name where the filesystem has no
// unnamed files), every write checked, synced, and only then renamed over the
// target. Whatever fails, the earlier file stays as it was and no temporary
// file stays beside it; a process killed part-way leaves nothing, or at worst
// a hidden file of the writer's own form that RemoveLeftoverTemporaries
// clears.
#pragma once
#include <sys/types.h>

#include <cstddef>
#include <memory>
#include <string>

namespace fw::files {

// What becomes of a symbolic link at the target: the file it leads to is
// replaced (a dotfile kept as a link stays one), or the link itself is.
enum class Links { Follow, Replace };

// Where CommitNew left the file: under the name, or still unnamed because
// something stands under that name (another name may be tried), or nowhere.
enum class Placement { Placed, Taken, Failed };

class AtomicFile {
public:
    // Nothing when no file can be made in the target's folder.
    static std::unique_ptr<AtomicFile> Create(const std::string& path, Links links = Links::Follow);
    ~AtomicFile();  // never committed: gone without a trace
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // False from the first write that fails on; later writes do nothing.
    bool Write(const void* data, size_t size);
    // Syncs the file and puts it in place of the target. False when anything
    // failed, the earlier writes included; the target is then untouched.
    bool Commit();
    // Commit, over another name in the same folder.
    bool CommitOver(const std::string& path);
    // Syncs the file and gives it that name (in the same folder) only where
    // nothing stands under it yet, in one step: no check-then-rename race
    // with another writer.
    Placement CommitNew(const std::string& path);
    // The file's device and inode, while it is not committed.
    bool Identity(dev_t& device, ino_t& inode) const;

private:
    AtomicFile(std::string target, int fd, std::string tempPath);
    bool NameUnnamed();
    Placement LinkUnreplacing(const std::string& path);

    std::string target_;
    int fd_ = -1;
    std::string tempPath_;  // empty while the file has no name
    bool failed_ = false;
};

// The folder a path names a file in ("." for a bare name).
std::string FolderOf(const std::string& path);

// Removes from `folder` what interrupted writes left there: regular files
// under the writer's own temporary form ("." + name + ".writing-" + 24 hex
// digits, a form no user picks) that no writer holds locked (a live writer
// keeps its file locked until it has its final name); where the filesystem
// has no locks, only once untouched for over a minute. Nothing else in the
// folder is looked at.
void RemoveLeftoverTemporaries(const std::string& folder);

}  // namespace fw::files
