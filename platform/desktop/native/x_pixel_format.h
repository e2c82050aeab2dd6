// Turns the server's pixels into 0xRRGGBB, whatever the visual: TrueColor
// through its channel masks, the colour-mapped classes through the colormap.
#pragma once
#include <X11/Xlib.h>

#include <cstdint>
#include <vector>

#include "platform/desktop/native/x11_capture.h"

namespace native {

class PixelFormat {
public:
    static PixelFormat ForVisual(const Visual* visual);
    // Reads the colours a colour-mapped visual shows now: other clients may
    // store new ones at any moment, so once per capture. Nothing to do for
    // TrueColor. False when the server would not give them.
    bool ReadColormap(Display* display, Colormap colormap);
    // For a colour-mapped visual, after ReadColormap. An empty image when the
    // memory for it cannot be had.
    Image Convert(const XImage* image) const;

private:
    struct Channel {
        unsigned long mask = 0;
        int shift = 0;  // of the mask's lowest bit
        int bits = 0;
        // Colour-mapped: the 8-bit value of each colormap index.
        std::vector<uint8_t> levels;
        uint32_t To8(unsigned long pixel) const;
    };
    bool IsPlainRgb32(const XImage* image) const;
    Channel red_, green_, blue_;
    // Colormap entries to read (per channel for DirectColor); 0 for TrueColor.
    int entries_ = 0;
};

}  // namespace native
