// Rewriting a file where no new file can be made beside it (a folder the
// user may not write into) although the file itself may be written: the new
// content is held until Commit, then written over the old from the start.
// Room for it is reserved first and the old bytes it covers are kept, so a
// full disk or a size limit leaves the old content as it was; only a crash
// in the middle of the write itself can leave a mixture.
#pragma once
#include <memory>
#include <string>

namespace fw::files {

class InPlaceFile {
public:
    // Nothing unless `path` is a regular file that we may read and write.
    static std::unique_ptr<InPlaceFile> Open(const std::string& path);
    ~InPlaceFile();
    InPlaceFile(const InPlaceFile&) = delete;
    InPlaceFile& operator=(const InPlaceFile&) = delete;

    void Write(const void* data, size_t size);  // held until Commit
    // The file holds the new content, synced: True; else the old content.
    bool Commit();

private:
    explicit InPlaceFile(int fd) : fd_(fd) {}
    int fd_ = -1;
    std::string content_;
};

}  // namespace fw::files
