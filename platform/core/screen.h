// Pictures, screens and capture; the global key and mouse state.
#pragma once

#include "platform/core/objects.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace fw {

// Pixels as 0xRRGGBB per pixel, row by row.
struct PixelImage {
    int32_t width = 0, height = 0;
    std::vector<uint32_t> pixels;
};

class Picture : public Object {
public:
    explicit Picture(PixelImage image, std::chrono::system_clock::time_point takenAt = {})
        : image_(std::move(image)), takenAt_(takenAt) {}
    int32_t Width() const { return image_.width; }
    int32_t Height() const { return image_.height; }
    const PixelImage& Image() const { return image_; }
    // The wall-clock moment of the capture (the epoch for a picture made otherwise).
    std::chrono::system_clock::time_point TakenAt() const { return takenAt_; }
    std::string ClassName() const override { return "Picture"; }

private:
    PixelImage image_;
    std::chrono::system_clock::time_point takenAt_;
};

class ScreenInfo : public Object {
public:
    static std::shared_ptr<ScreenInfo> mainScreen();
    double backingScaleFactor() const;
    std::string ClassName() const override { return "ScreenInfo"; }
};

// The whole display with that index (0 the main one), nil when nothing was captured.
std::shared_ptr<Picture> ScreenshotDisplay(int32_t index);
// That area in global points, clipped to the screen; a negative width or
// height extends to the left or up from the corner; nil when nothing is left.
std::shared_ptr<Picture> ScreenshotRect(int32_t left, int32_t top, int32_t width, int32_t height);

// ---------------------------------------------------------------------------
// Global input
// ---------------------------------------------------------------------------

class _Keyboard : public Object {
public:
    bool AsyncOptionKey() const;
    bool AsyncOSKey() const;
};
class _SystemClass : public Object {
public:
    bool MouseDown() const;
    int32_t MouseX() const;
    int32_t MouseY() const;
};
std::shared_ptr<_Keyboard> getKeyboardObject();
std::shared_ptr<_SystemClass> getSystemObject();

}  // namespace fw
