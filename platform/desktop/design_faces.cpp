#include "platform/desktop/design_faces.h"

#include "platform/desktop/qt_conversions.h"

#include <QFontDatabase>

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

namespace desktop {

void LoadDesignFaces(const std::string& resources) {
    static bool loaded = false;
    if (loaded || resources.empty()) return;
    loaded = true;
    namespace fs = std::filesystem;
    std::error_code ec;
    std::vector<fs::path> faces;
    for (fs::directory_iterator it(fs::path(resources) / "fonts", ec), end; !ec && it != end; it.increment(ec)) {
        const fs::path& path = it->path();
        if (path.extension() == ".ttf" && it->is_regular_file(ec)) faces.push_back(path);
    }
    // In a fixed order, so that every start registers the same faces alike.
    std::sort(faces.begin(), faces.end());
    for (const fs::path& face : faces) QFontDatabase::addApplicationFont(ToQ(face.string()));
}

}  // namespace desktop
