// Writing a picture as a PNG file (the PNG writer does the work).
#include "platform/core/png_file.h"
#include "platform/framework.h"

namespace fw {

bool FolderItem::SaveAsPNG(const std::shared_ptr<Picture>& pic, float /*gamma*/) const {
    const PixelImage& image = NotNil(pic)->Image();
    return png::WriteFile(path_, image.width, image.height, image.pixels);
}

}  // namespace fw
