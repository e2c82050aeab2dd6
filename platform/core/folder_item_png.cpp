// Writing a picture as a PNG file (the PNG writer does the work): a new file
// that replaces no picture of another moment.
#include "platform/core/png_file.h"
#include "platform/framework.h"

#include <chrono>
#include <optional>

namespace fw {

namespace {

// The picture this process wrote last. The names tell seconds apart, so the
// one file a picture may replace is this one, under its name, from a
// capture less than two seconds earlier: the held chord's repeats within a
// second. The same name at another moment (the hour repeated when summer
// time ends, a clock set back) or a file of anyone else gets a name of its
// own beside it.
struct LastWrite {
    png::PlacedFile file;
    std::chrono::system_clock::time_point takenAt;
};
std::optional<LastWrite> lastWrite;

constexpr auto kSameSecondSpan = std::chrono::seconds(2);

bool IsRepeatOfLastWrite(const std::string& path, const struct stat& existing,
                         std::chrono::system_clock::time_point takenAt) {
    if (!lastWrite || lastWrite->file.path != path || !lastWrite->file.Is(existing)) return false;
    const auto since = takenAt - lastWrite->takenAt;
    return since >= std::chrono::system_clock::duration::zero() && since < kSameSecondSpan;
}

}  // namespace

bool FolderItem::SaveAsPNG(const std::shared_ptr<Picture>& pic, float /*gamma*/) const {
    CheckMainThread();
    const Picture& picture = *NotNil(pic);
    const PixelImage& image = picture.Image();
    // A symbolic link under the name goes and the picture takes its place:
    // what the link led to is never written.
    auto mayReplace = [&](const std::string& path, const struct stat& existing) {
        return S_ISLNK(existing.st_mode) || IsRepeatOfLastWrite(path, existing, picture.TakenAt());
    };
    auto placed = png::WriteNewFile(path_, image.width, image.height, image.pixels, mayReplace);
    if (!placed) return false;
    lastWrite = LastWrite{std::move(*placed), picture.TakenAt()};
    return true;
}

}  // namespace fw
