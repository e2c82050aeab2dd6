// Files and folders, the special folders, and text streams.
#include "platform/backend.h"
#include "platform/core/atomic_file.h"
#include "platform/framework.h"

#include <sys/stat.h>

#include <exception>
#include <filesystem>
#include <fstream>
#include <sstream>

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
    if (Directory()) return nullptr;
    std::ifstream in(path_, std::ios::binary);
    if (!in) return nullptr;
    std::ostringstream content;
    content << in.rdbuf();
    if (in.bad()) return nullptr;
    return std::make_shared<TextInputStream>(content.str());
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

TextInputStream::TextInputStream(std::string content) : content_(std::move(content)) {}

bool TextInputStream::EOF() const { return closed_ || pos_ >= content_.size(); }

std::string TextInputStream::ReadLine() {
    if (EOF()) return {};
    size_t end = content_.find_first_of("\r\n", pos_);
    if (end == std::string::npos) {
        std::string line = content_.substr(pos_);
        pos_ = content_.size();
        return line;
    }
    std::string line = content_.substr(pos_, end - pos_);
    pos_ = end + 1;
    if (content_[end] == '\r' && pos_ < content_.size() && content_[pos_] == '\n') ++pos_;  // CR LF is one end
    return line;
}

void TextInputStream::Close() { closed_ = true; }

// --- TextOutputStream ---------------------------------------------------------

// The file takes the new text at Close, whole or not at all: a write that
// fails (a full disk, a size limit) leaves the earlier file as it was.
struct TextOutputStream::Impl {
    std::unique_ptr<files::AtomicFile> file;
    int exceptionsAtCreate = 0;
};

std::shared_ptr<TextOutputStream> TextOutputStream::Create(const FolderItemRef& item) {
    const std::string path = NotNil(item)->NativePath();
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return nullptr;
    auto file = files::AtomicFile::Create(path);
    if (!file) return nullptr;
    auto stream = std::make_shared<TextOutputStream>();
    stream->impl_ = std::make_unique<Impl>();
    stream->impl_->file = std::move(file);
    stream->impl_->exceptionsAtCreate = std::uncaught_exceptions();
    return stream;
}

TextOutputStream::~TextOutputStream() {
    // Dropped by an exception part-way through the writing: nothing changes.
    if (impl_ && std::uncaught_exceptions() > impl_->exceptionsAtCreate) impl_->file.reset();
    Close();
}

void TextOutputStream::WriteLine(const std::string& text) {
    if (!impl_ || !impl_->file) return;
    impl_->file->Write(text.data(), text.size());
    impl_->file->Write("\n", 1);
}

void TextOutputStream::Close() {
    if (impl_ && impl_->file) {
        impl_->file->Commit();  // a failure leaves the earlier file; the caller is not told
        impl_->file.reset();
    }
}

// --- Sound --------------------------------------------------------------------

Sound::Sound(std::unique_ptr<SoundPeer> peer) : peer_(std::move(peer)) {}
Sound::~Sound() = default;

void Sound::Play() {
    CheckMainThread();
    if (peer_) peer_->Play();
}

}  // namespace fw
