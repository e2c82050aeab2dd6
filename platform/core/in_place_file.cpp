#include "platform/core/in_place_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace fw::files {

namespace {
bool WriteAllAt(int fd, const char* data, size_t size, off_t at) {
    while (size > 0) {
        const ssize_t n = ::pwrite(fd, data, size, at);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        data += n;
        size -= static_cast<size_t>(n);
        at += n;
    }
    return true;
}

bool ReadAllAt(int fd, std::string& into, size_t size) {
    into.resize(size);
    size_t done = 0;
    while (done < size) {
        const ssize_t n = ::pread(fd, into.data() + done, size - done, static_cast<off_t>(done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}
}  // namespace

std::unique_ptr<InPlaceFile> InPlaceFile::Open(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return nullptr;
    // Read too: the old bytes are put back when the write fails.
    const int fd = ::open(path.c_str(), O_RDWR | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return nullptr;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return nullptr;
    }
    return std::unique_ptr<InPlaceFile>(new InPlaceFile(fd));
}

InPlaceFile::~InPlaceFile() {
    if (fd_ >= 0) ::close(fd_);
}

void InPlaceFile::Write(const void* data, size_t size) { content_.append(static_cast<const char*>(data), size); }

bool InPlaceFile::Commit() {
    if (fd_ < 0) return false;
    const int fd = fd_;
    fd_ = -1;
    struct stat st {};
    bool ok = ::fstat(fd, &st) == 0;
    const size_t oldSize = ok ? static_cast<size_t>(st.st_size) : 0;
    const off_t newSize = static_cast<off_t>(content_.size());
    // Where the filesystem can reserve blocks, no room means no change.
    if (ok && content_.size() > oldSize && ::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, newSize) != 0)
        ok = errno == EOPNOTSUPP || errno == ENOSYS;
    std::string old;
    ok = ok && ReadAllAt(fd, old, content_.size() < oldSize ? content_.size() : oldSize);
    if (ok && !WriteAllAt(fd, content_.data(), content_.size(), 0)) {
        // Put back what was covered, and the old length.
        static_cast<void>(WriteAllAt(fd, old.data(), old.size(), 0) &&
                          ::ftruncate(fd, static_cast<off_t>(oldSize)) == 0);
        ok = false;
    }
    ok = ok && (content_.size() >= oldSize || ::ftruncate(fd, newSize) == 0);
    ok = ok && ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

}  // namespace fw::files
