#include "platform/core/read_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace fw::files {

int OpenRegularForReading(const std::string& path) {
    // Looked at before the open, so that a device is never opened at all
    // (opening some has effects of its own).
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return -1;
    // Non-blocking in case the name changed to a FIFO meanwhile; on a
    // regular file the flag changes nothing.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return -1;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return -1;
    }
    return fd;
}

std::optional<std::string> ReadRegularFile(const std::string& path, size_t maxBytes) {
    const int fd = OpenRegularForReading(path);
    if (fd < 0) return std::nullopt;
    std::string content;
    char buffer[65536];
    bool ok = true;
    while (true) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            ok = n == 0;
            break;
        }
        if (static_cast<size_t>(n) > maxBytes - content.size()) {
            ok = false;
            break;
        }
        content.append(buffer, static_cast<size_t>(n));
    }
    ::close(fd);
    if (!ok) return std::nullopt;
    return content;
}

}  // namespace fw::files
