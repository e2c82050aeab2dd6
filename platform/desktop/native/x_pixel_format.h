// Turns the server's pixels into 0xRRGGBB, whatever the TrueColor layout.
#pragma once
#include <X11/Xlib.h>

#include <cstdint>

#include "platform/desktop/native/x11_capture.h"

namespace native {

class PixelFormat {
public:
    static PixelFormat ForVisual(const Visual* visual);
    Image Convert(const XImage* image) const;

private:
    struct Channel {
        unsigned long mask = 0;
        int shift = 0;  // of the mask's lowest bit
        int bits = 0;
        uint32_t To8(unsigned long pixel) const;
    };
    bool IsPlainRgb32(const XImage* image) const;
    Channel red_, green_, blue_;
};

}  // namespace native
