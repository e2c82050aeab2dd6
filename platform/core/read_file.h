// Files read: regular files only, opened so that nothing can block. A FIFO
// would hang the open until a writer came, a device may never answer, and
// neither is a file the user gave us to read.
#pragma once
#include <cstddef>
#include <optional>
#include <string>

namespace fw::files {

// A descriptor for reading a regular file (the caller closes it); -1 for a
// FIFO, a socket, a device or a folder, or a file that cannot be opened.
int OpenRegularForReading(const std::string& path);

// The whole of a regular file of at most `maxBytes`; nothing when it cannot
// be read or is larger.
std::optional<std::string> ReadRegularFile(const std::string& path, size_t maxBytes);

}  // namespace fw::files
