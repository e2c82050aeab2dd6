// Files and folders, the special folders, and text streams.
#include "platform/backend.h"
#include "platform/core/atomic_file.h"
#include "platform/core/in_place_file.h"
#include "platform/core/read_file.h"
#include "platform/framework.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <exception>
#include <filesystem>

namespace fw {

FolderItem::FolderItem(std::string path) : path_(std::move(path)) {}

std::shared_ptr<FolderItem> FolderItem::Child(const std::string& name) const {
    std::string base = path_;
    if (!base.empty() && base.back() == '/') base.pop_back();
    return std::make_shared<FolderItem>(base + "/" + name);
}

bool FolderItem::Exists() const {
    struct stat st {};
    return ::stat(path_.c_str(), &st) == 0;
}

bool FolderItem::Directory() const {
    struct stat st {};
    return ::stat(path_.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

void FolderItem::RemoveLeftoverTemporaries() const { files::RemoveLeftoverTemporaries(path_); }

void FolderItem::CreateAsFolder() const { ::mkdir(path_.c_str(), 0777); }

std::string FolderItem::Name() const {
    std::string p = path_;
    while (p.size() > 1 && p.back() == '/') p.pop_back();
    size_t slash = p.rfind('/');
    return slash == std::string::npos ? p : p.substr(slash + 1);
}

std::shared_ptr<TextInputStream> FolderItem::OpenAsTextFile() const {
    const int fd = files::OpenRegularForReading(path_);
    if (fd < 0) return nullptr;
    return std::make_shared<TextInputStream>(fd);
}

std::shared_ptr<Sound> FolderItem::OpenAsSound() const {
    auto peer = CurrentBackend().OpenSound(path_);
    if (!peer) return nullptr;
    return std::make_shared<Sound>(std::move(peer));
}

namespace {
FolderItemRef FolderAt(const std::string& path) { return path.empty() ? nullptr : std::make_shared<FolderItem>(path); }

// The user's own standard folders always exist on a desktop; a fresh account
// may lack them, and then nothing could be saved into them. Make them.
FolderItemRef UserFolderAt(const std::string& path) {
    if (!path.empty()) {
        std::error_code ignored;
        std::filesystem::create_directories(path, ignored);
    }
    return FolderAt(path);
}
}  // namespace

FolderItemRef DocumentsFolder() { return UserFolderAt(CurrentBackend().DocumentsPath()); }
FolderItemRef PreferencesFolder() { return UserFolderAt(CurrentBackend().PreferencesPath()); }
FolderItemRef ResourcesFolder() { return FolderAt(CurrentBackend().ResourcesPath()); }

// --- TextInputStream ----------------------------------------------------------

namespace {
constexpr size_t kReadChunk = 64 * 1024;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
}  // namespace

TextInputStream::TextInputStream(int fd) : fd_(fd) {}

TextInputStream::~TextInputStream() { CloseFile(); }

bool TextInputStream::Fill() {
    if (pos_ < buffer_.size()) return true;
    buffer_.clear();
    pos_ = 0;
    // At the start, enough bytes to tell a byte-order mark.
    const size_t wanted = started_ ? 1 : kByteOrderMark.size();
    while (fd_ >= 0 && buffer_.size() < wanted) {
        const size_t had = buffer_.size();
        buffer_.resize(had + kReadChunk);
        const ssize_t n = ::read(fd_, buffer_.data() + had, kReadChunk);
        buffer_.resize(had + (n > 0 ? static_cast<size_t>(n) : 0));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) CloseFile();  // the end, or a read error: the file ends here
    }
    if (!started_) {
        started_ = true;
        if (std::string_view(buffer_).substr(0, kByteOrderMark.size()) == kByteOrderMark) pos_ = kByteOrderMark.size();
    }
    return pos_ < buffer_.size();
}

bool TextInputStream::EOF() { return !Fill(); }

void TextInputStream::ReadLine(const std::function<bool(std::string_view piece)>& take) {
    bool taking = true;
    while (Fill()) {
        const std::string_view rest = std::string_view(buffer_).substr(pos_);
        const size_t end = rest.find_first_of("\r\n");
        const size_t length = end == std::string_view::npos ? rest.size() : end;
        if (taking && length > 0) taking = take(rest.substr(0, length));
        pos_ += length;
        if (end == std::string_view::npos) continue;
        const char lineEnd = buffer_[pos_++];
        if (lineEnd == '\r' && Fill() && buffer_[pos_] == '\n') ++pos_;  // CR LF is one end
        return;
    }
}

std::string TextInputStream::ReadLine() {
    std::string line;
    ReadLine([&](std::string_view piece) {
        line += piece;
        return true;
    });
    return line;
}

void TextInputStream::CloseFile() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

void TextInputStream::Close() {
    CloseFile();
    buffer_.clear();
    pos_ = 0;
}

// --- TextOutputStream ---------------------------------------------------------

// The file takes the new text at Close, whole or not at all: a write that
// fails (a full disk, a size limit) leaves the earlier file as it was.
struct TextOutputStream::Impl {
    std::unique_ptr<files::AtomicFile> file;
    std::unique_ptr<files::InPlaceFile> inPlace;  // where no file can be made beside it
    int exceptionsAtCreate = 0;
};

std::shared_ptr<TextOutputStream> TextOutputStream::Create(const FolderItemRef& item) {
    const std::string path = NotNil(item)->NativePath();
    // A FIFO, a socket, a device or a folder under the name is not ours to replace.
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) return nullptr;
    auto impl = std::make_unique<Impl>();
    impl->file = files::AtomicFile::Create(path);
    // The folder takes no new file, yet the file itself may be written.
    if (!impl->file) impl->inPlace = files::InPlaceFile::Open(path);
    if (!impl->file && !impl->inPlace) return nullptr;
    impl->exceptionsAtCreate = std::uncaught_exceptions();
    auto stream = std::make_shared<TextOutputStream>();
    stream->impl_ = std::move(impl);
    return stream;
}

TextOutputStream::~TextOutputStream() {
    // Dropped by an exception part-way through the writing: nothing changes.
    if (impl_ && std::uncaught_exceptions() > impl_->exceptionsAtCreate) {
        impl_->file.reset();
        impl_->inPlace.reset();
    }
    Close();
}

void TextOutputStream::WriteLine(const std::string& text) {
    if (!impl_) return;
    const std::string line = text + "\n";
    if (impl_->file) impl_->file->Write(line.data(), line.size());
    if (impl_->inPlace) impl_->inPlace->Write(line.data(), line.size());
}

void TextOutputStream::Close() {
    if (!impl_) return;
    // A failure leaves the earlier file; the caller is not told.
    if (impl_->file) impl_->file->Commit();
    if (impl_->inPlace) impl_->inPlace->Commit();
    impl_->file.reset();
    impl_->inPlace.reset();
}

// --- Sound --------------------------------------------------------------------

Sound::Sound(std::unique_ptr<SoundPeer> peer) : peer_(std::move(peer)) {}
Sound::~Sound() = default;

void Sound::Play() {
    CheckMainThread();
    if (peer_) peer_->Play();
}

}  // namespace fw
