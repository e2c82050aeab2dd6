#include "platform/desktop/native/x_pixel_format.h"

#include <X11/Xutil.h>

#include <bit>
#include <cstring>

namespace native {

namespace {

bool HostIsLittleEndian() { return std::endian::native == std::endian::little; }

}  // namespace

uint32_t PixelFormat::Channel::To8(unsigned long pixel) const {
    if (bits == 0) return 0;
    const auto value = static_cast<uint32_t>((pixel & mask) >> shift);
    if (bits >= 8) return value >> (bits - 8);
    // Spread a narrow channel over 0..255 so that its maximum is white.
    return value * 255u / ((1u << bits) - 1u);
}

PixelFormat PixelFormat::ForVisual(const Visual* visual) {
    auto channel = [](unsigned long mask) {
        Channel c;
        c.mask = mask;
        if (mask != 0) {
            c.shift = std::countr_zero(mask);
            c.bits = std::popcount(mask);
        }
        return c;
    };
    PixelFormat format;
    format.red_ = channel(visual->red_mask);
    format.green_ = channel(visual->green_mask);
    format.blue_ = channel(visual->blue_mask);
    return format;
}

bool PixelFormat::IsPlainRgb32(const XImage* image) const {
    const int hostOrder = HostIsLittleEndian() ? LSBFirst : MSBFirst;
    return image->bits_per_pixel == 32 && image->byte_order == hostOrder && red_.mask == 0xFF0000 &&
           green_.mask == 0x00FF00 && blue_.mask == 0x0000FF;
}

Image PixelFormat::Convert(const XImage* image) const {
    Image out;
    out.width = image->width;
    out.height = image->height;
    out.pixels.resize(static_cast<size_t>(out.width) * static_cast<size_t>(out.height));
    uint32_t* dst = out.pixels.data();
    if (IsPlainRgb32(image)) {
        // The common case: each pixel already is 0x??RRGGBB in host order.
        for (int y = 0; y < image->height; ++y) {
            const char* row = image->data + static_cast<size_t>(y) * image->bytes_per_line;
            std::memcpy(dst, row, static_cast<size_t>(image->width) * 4);
            for (int x = 0; x < image->width; ++x) dst[x] &= 0xFFFFFF;
            dst += image->width;
        }
        return out;
    }
    // Any other layout: Xlib reads the pixel, the masks place the channels.
    XImage* readable = const_cast<XImage*>(image);
    for (int y = 0; y < image->height; ++y)
        for (int x = 0; x < image->width; ++x) {
            const unsigned long p = XGetPixel(readable, x, y);
            *dst++ = red_.To8(p) << 16 | green_.To8(p) << 8 | blue_.To8(p);
        }
    return out;
}

}  // namespace native
