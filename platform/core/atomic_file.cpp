#include "platform/core/atomic_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <random>
#include <string>
#include <string_view>

namespace fw::files {

namespace {

constexpr size_t kMaxNameKept = 200;  // leaves room for the suffix in a 255-byte name
constexpr time_t kStaleSeconds = 60;

// The writer's own temporary form, ".<name>.writing-<hex>": the process id,
// a count and a random part, eight hex digits each. No user names a file so,
// which lets a start remove what a killed writer left without touching a
// file of the user's.
constexpr std::string_view kTemporaryMark = ".writing-";
constexpr size_t kNameHexDigits = 24;

std::string TemporaryPath(const std::string& target) {
    static std::atomic<unsigned> counter{0};
    // Never destroyed: a write may come from an exit handler (the session's
    // end), after the static destructors ran.
    static auto* random = new std::random_device;
    char suffix[48];
    std::snprintf(suffix,
                  sizeof suffix,
                  "%s%08x%08x%08x",
                  kTemporaryMark.data(),
                  static_cast<unsigned>(getpid()),
                  counter++,
                  (*random)());
    const std::filesystem::path path(target);
    std::string name = ".";
    name += path.filename().string().substr(0, kMaxNameKept);
    name += suffix;
    return (std::filesystem::path(FolderOf(target)) / name).string();
}

// Where the filesystem has no unnamed files: a new hidden file, created with
// the usual mode so that the umask applies.
int CreateNamed(const std::string& target, std::string& tempPath) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = TemporaryPath(target);
        const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) return fd;
        if (errno != EEXIST) break;
    }
    tempPath.clear();
    return -1;
}

// The new name itself reaches the disk with the folder's entry. The file is
// in place whatever this gives, so a failure here changes nothing.
void SyncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

bool IsHex(std::string_view s) { return s.find_first_not_of("0123456789abcdef") == std::string_view::npos; }

bool IsTemporaryName(std::string_view name) {
    if (name.size() < 1 + 1 + kTemporaryMark.size() + kNameHexDigits || name[0] != '.') return false;
    const std::string_view hex = name.substr(name.size() - kNameHexDigits);
    const std::string_view mark =
        name.substr(name.size() - kNameHexDigits - kTemporaryMark.size(), kTemporaryMark.size());
    return mark == kTemporaryMark && IsHex(hex);
}

// Whether a leftover temporary can go. A writer holds a lock on its file
// until the file has its final name, so a file we can lock has no writer
// left (on this host or, over NFS, another). Where locks are not to be had,
// only a file untouched for a while goes.
void RemoveIfAbandoned(int dirFd, const char* name, time_t staleBefore) {
    const int fd = ::openat(dirFd, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return;
    struct stat st {};
    bool gone = false;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) gone = true;
        else gone = errno != EWOULDBLOCK && st.st_mtime < staleBefore;
    }
    // Removed while the lock is held, so that no writer can take it meanwhile.
    if (gone) ::unlinkat(dirFd, name, 0);
    ::close(fd);
}

}  // namespace

std::string FolderOf(const std::string& path) {
    const std::filesystem::path parent = std::filesystem::path(path).parent_path();
    return parent.empty() ? "." : parent.string();
}

AtomicFile::AtomicFile(std::string target, int fd, std::string tempPath)
    : target_(std::move(target)), fd_(fd), tempPath_(std::move(tempPath)) {}

std::unique_ptr<AtomicFile> AtomicFile::Create(const std::string& path, Links links) {
    if (std::filesystem::path(path).filename().empty()) return nullptr;
    // A symbolic link followed stays one: the file it leads to is replaced.
    std::error_code error;
    std::string targetPath = path;
    if (links == Links::Follow && std::filesystem::is_symlink(path, error)) {
        const auto resolved = std::filesystem::canonical(path, error);
        if (!error) targetPath = resolved.string();
    }
    // A file its own permissions keep from being written is not replaced (the
    // rename would go round them), and one that is keeps its permissions. Not
    // so for a file whose links are replaced (a picture): it mostly goes
    // beside what holds its name, which says nothing of the new file.
    struct stat old {};
    const bool replacing =
        links == Links::Follow && ::stat(targetPath.c_str(), &old) == 0 && S_ISREG(old.st_mode);
    if (replacing && ::faccessat(AT_FDCWD, targetPath.c_str(), W_OK, AT_EACCESS) != 0) return nullptr;
    std::string tempPath;
    int fd = ::open(FolderOf(targetPath).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    // Unnamed files unknown to the kernel or the filesystem.
    if (fd < 0 && (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL)) fd = CreateNamed(targetPath, tempPath);
    if (fd < 0) return nullptr;
    // Held until the file has its final name: a start that finds the file
    // under its temporary name leaves it alone meanwhile. Without locks (an
    // NFS mount without its lock service) the cleaner waits for staleness.
    ::flock(fd, LOCK_EX | LOCK_NB);
    // A file that is replaced keeps its permissions.
    if (replacing) ::fchmod(fd, old.st_mode & 0777);
    return std::unique_ptr<AtomicFile>(new AtomicFile(targetPath, fd, std::move(tempPath)));
}

AtomicFile::~AtomicFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!tempPath_.empty()) ::unlink(tempPath_.c_str());
}

bool AtomicFile::Write(const void* data, size_t size) {
    const char* p = static_cast<const char*>(data);
    while (size > 0 && !failed_ && fd_ >= 0) {
        const ssize_t n = ::write(fd_, p, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            failed_ = true;
            break;
        }
        p += n;
        size -= static_cast<size_t>(n);
    }
    return !failed_;
}

// A name for the unnamed file, just before the rename: the rename replaces
// the target in one step, which linking to the target itself cannot.
bool AtomicFile::NameUnnamed() {
    char self[64];
    std::snprintf(self, sizeof self, "/proc/self/fd/%d", fd_);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string path = TemporaryPath(target_);
        int rc = ::linkat(AT_FDCWD, self, AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW);
        // Without /proc, the descriptor itself (allowed to fewer processes).
        if (rc != 0 && errno == ENOENT) rc = ::linkat(fd_, "", AT_FDCWD, path.c_str(), AT_EMPTY_PATH);
        if (rc == 0) {
            tempPath_ = path;
            return true;
        }
        if (errno != EEXIST) return false;
    }
    return false;
}

bool AtomicFile::Commit() {
    if (fd_ < 0) return false;
    bool ok = !failed_ && ::fsync(fd_) == 0;
    ok = ok && (!tempPath_.empty() || NameUnnamed());
    ok = ok && ::rename(tempPath_.c_str(), target_.c_str()) == 0;
    // Closed only now, so that the lock lasts until the final name. All a
    // close could still report, the fsync above has asked: the file in place
    // is whole whatever the close says.
    ::close(fd_);
    fd_ = -1;
    failed_ = !ok;
    if (!ok) return false;  // the destructor removes the temporary name
    tempPath_.clear();
    SyncFolder(FolderOf(target_));
    return true;
}

bool AtomicFile::CommitOver(const std::string& path) {
    target_ = path;
    return Commit();
}

bool AtomicFile::Identity(dev_t& device, ino_t& inode) const {
    struct stat st {};
    if (fd_ < 0 || ::fstat(fd_, &st) != 0) return false;
    device = st.st_dev;
    inode = st.st_ino;
    return true;
}

// A new name that replaces nothing: a link to the unnamed file, or the
// hidden name moved without replacing (linked and unlinked where the
// filesystem cannot move so).
Placement AtomicFile::LinkUnreplacing(const std::string& path) {
    int rc;
    if (tempPath_.empty()) {
        char self[64];
        std::snprintf(self, sizeof self, "/proc/self/fd/%d", fd_);
        rc = ::linkat(AT_FDCWD, self, AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW);
        if (rc != 0 && errno == ENOENT) rc = ::linkat(fd_, "", AT_FDCWD, path.c_str(), AT_EMPTY_PATH);
    } else {
        rc = ::renameat2(AT_FDCWD, tempPath_.c_str(), AT_FDCWD, path.c_str(), RENAME_NOREPLACE);
        if (rc != 0 && (errno == EINVAL || errno == ENOSYS)) {
            rc = ::link(tempPath_.c_str(), path.c_str());
            if (rc == 0) ::unlink(tempPath_.c_str());
        }
        if (rc == 0) tempPath_.clear();
    }
    if (rc == 0) return Placement::Placed;
    return errno == EEXIST ? Placement::Taken : Placement::Failed;
}

Placement AtomicFile::CommitNew(const std::string& path) {
    if (fd_ < 0) return Placement::Failed;
    Placement placed = !failed_ && ::fsync(fd_) == 0 ? LinkUnreplacing(path) : Placement::Failed;
    if (placed == Placement::Taken) return placed;  // still unnamed and locked: another name may follow
    ::close(fd_);
    fd_ = -1;
    failed_ = placed != Placement::Placed;
    if (failed_) return placed;  // the destructor removes the temporary name
    target_ = path;
    SyncFolder(FolderOf(target_));
    return placed;
}

void RemoveLeftoverTemporaries(const std::string& folder) {
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return;
    const time_t staleBefore = std::time(nullptr) - kStaleSeconds;
    while (const dirent* entry = ::readdir(dir))
        if (IsTemporaryName(entry->d_name)) RemoveIfAbandoned(::dirfd(dir), entry->d_name, staleBefore);
    ::closedir(dir);
}

}  // namespace fw::files
