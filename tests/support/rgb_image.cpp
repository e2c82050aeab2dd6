#include "tests/support/rgb_image.h"

#include <png.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace quorrel::test {

RgbImage RgbImage::Crop(int x, int y, int w, int h) const {
    RgbImage out{w, h, {}};
    out.pixels.reserve(static_cast<size_t>(w) * h);
    for (int row = y; row < y + h; ++row)
        for (int col = x; col < x + w; ++col) out.pixels.push_back(At(col, row));
    return out;
}

namespace {

bool Near(uint32_t a, uint32_t b, int tolerance) {
    for (int shift : {16, 8, 0})
        if (std::abs(int(a >> shift & 0xff) - int(b >> shift & 0xff)) > tolerance) return false;
    return true;
}

}  // namespace

std::optional<std::string> FirstDifference(const RgbImage& a, const RgbImage& b, int tolerance) {
    if (a.width != b.width || a.height != b.height)
        return "size " + std::to_string(a.width) + "x" + std::to_string(a.height) + " vs " + std::to_string(b.width) +
               "x" + std::to_string(b.height);
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x)
            if (!Near(a.At(x, y), b.At(x, y), tolerance)) {
                char text[96];
                std::snprintf(text, sizeof text, "pixel %d,%d: %06x vs %06x", x, y, a.At(x, y), b.At(x, y));
                return std::string(text);
            }
    return std::nullopt;
}

size_t CountDifferent(const RgbImage& a, const RgbImage& b) {
    if (a.width != b.width || a.height != b.height) return std::max(a.pixels.size(), b.pixels.size());
    size_t count = 0;
    for (size_t i = 0; i < a.pixels.size(); ++i) count += a.pixels[i] != b.pixels[i];
    return count;
}

std::optional<RgbImage> ReadPng(const std::string& path) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return std::nullopt;
    image.format = PNG_FORMAT_RGB;
    std::vector<png_byte> buffer(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, buffer.data(), 0, nullptr)) {
        png_image_free(&image);
        return std::nullopt;
    }
    RgbImage out{static_cast<int>(image.width), static_cast<int>(image.height), {}};
    out.pixels.resize(static_cast<size_t>(out.width) * out.height);
    for (size_t i = 0; i < out.pixels.size(); ++i)
        out.pixels[i] = uint32_t(buffer[3 * i]) << 16 | uint32_t(buffer[3 * i + 1]) << 8 | buffer[3 * i + 2];
    return out;
}

bool WritePng(const RgbImage& image, const std::string& path) {
    std::vector<png_byte> buffer(image.pixels.size() * 3);
    for (size_t i = 0; i < image.pixels.size(); ++i) {
        buffer[3 * i] = png_byte(image.pixels[i] >> 16);
        buffer[3 * i + 1] = png_byte(image.pixels[i] >> 8);
        buffer[3 * i + 2] = png_byte(image.pixels[i]);
    }
    png_image out{};
    out.version = PNG_IMAGE_VERSION;
    out.width = static_cast<png_uint_32>(image.width);
    out.height = static_cast<png_uint_32>(image.height);
    out.format = PNG_FORMAT_RGB;
    return png_image_write_to_file(&out, path.c_str(), 0, buffer.data(), 0, nullptr) != 0;
}

}  // namespace quorrel::test
