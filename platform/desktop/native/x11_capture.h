// Screen capture of the main display (the first of X11Monitors), with XShm
// where the server has it, else XGetImage; on any visual, colour-mapped
// ones included.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/desktop/native/x11_monitors.h"

namespace native {

struct Image {
    int32_t width = 0, height = 0;
    std::vector<uint32_t> pixels;  // 0xRRGGBB, row by row
};

class X11Capture {
public:
    static std::unique_ptr<X11Capture> Open(const char* displayName = nullptr);
    virtual ~X11Capture() = default;
    // The main display's area in root-window pixels.
    virtual MonitorRect MainDisplay() = 0;
    // False where the server does not give its clients the screen's pixels:
    // a rootless X server under a Wayland compositor (XWayland), whose
    // shared-memory reads come back black while a plain read of the root
    // window fails. The captures are then empty.
    virtual bool ScreenReadable() = 0;
    // Display index 0 is the main display; other indexes give an empty image.
    virtual Image CaptureDisplay(int32_t index) = 0;
    // A root-window area in device pixels; clipped to the root window; empty
    // when nothing is left. Width and height must be positive here.
    virtual Image CaptureArea(int32_t x, int32_t y, int32_t width, int32_t height) = 0;
};

}  // namespace native
