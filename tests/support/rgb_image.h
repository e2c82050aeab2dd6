// Pixels as 0xRRGGBB, the common ground for the screen, captures and PNG
// files, and the one PNG reader of the tests.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quorrel::test {

struct RgbImage {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;  // row by row

    uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    RgbImage Crop(int x, int y, int w, int h) const;
};

// Where two images first differ, for a message that helps; nullopt when equal.
// A tolerance lets each channel differ by that many steps.
std::optional<std::string> FirstDifference(const RgbImage& a, const RgbImage& b, int tolerance = 0);
// How many pixels differ between two images of one size (all of them when
// the sizes differ).
size_t CountDifferent(const RgbImage& a, const RgbImage& b);

// Reads a PNG file with libpng; nullopt when it is missing or not a PNG.
std::optional<RgbImage> ReadPng(const std::string& path);
// Writes one, to keep what a failing test saw.
bool WritePng(const RgbImage& image, const std::string& path);

}  // namespace quorrel::test
