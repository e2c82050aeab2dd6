#include "platform/desktop/native/x_pixel_format.h"

#include <X11/Xutil.h>

#include <bit>
#include <cstring>
#include <new>

#include "platform/desktop/native/x_error_trap.h"

namespace native {

namespace {

bool HostIsLittleEndian() { return std::endian::native == std::endian::little; }

uint8_t Round16To8(unsigned short value) { return static_cast<uint8_t>((uint32_t{value} * 255 + 32767) / 65535); }

}  // namespace

uint32_t PixelFormat::Channel::To8(unsigned long pixel) const {
    if (bits == 0) return 0;
    const auto value = static_cast<uint32_t>((pixel & mask) >> shift);
    if (!levels.empty()) return value < levels.size() ? levels[value] : 0;
    if (bits >= 8) return value >> (bits - 8);
    // Spread a narrow channel over 0..255 so that its maximum is white, in
    // the steps the X server itself reports for such a channel.
    const uint32_t maximum = (1u << bits) - 1u;
    return (value * 65535u / maximum) >> 8;
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
    switch (visual->c_class) {
        case TrueColor: break;
        case DirectColor:
            // Each channel indexes a colormap of its own.
            format.entries_ = visual->map_entries;
            break;
        default:
            // PseudoColor, StaticColor, GrayScale, StaticGray: the whole pixel
            // is one colormap index, whatever masks the server reports.
            format.red_ = format.green_ = format.blue_ = channel(~0UL);
            format.entries_ = visual->map_entries;
            return format;
    }
    format.red_ = channel(visual->red_mask);
    format.green_ = channel(visual->green_mask);
    format.blue_ = channel(visual->blue_mask);
    return format;
}

bool PixelFormat::ReadColormap(Display* display, Colormap colormap) {
    if (entries_ <= 0) return true;
    // Entry i of each channel at once: for one index the three channels
    // coincide; for DirectColor each channel's field holds i.
    std::vector<XColor> cells(static_cast<size_t>(entries_));
    for (int i = 0; i < entries_; ++i) {
        const auto index = static_cast<unsigned long>(i);
        XColor& cell = cells[static_cast<size_t>(i)];
        cell.pixel = (index << red_.shift & red_.mask) | (index << green_.shift & green_.mask) |
                     (index << blue_.shift & blue_.mask);
    }
    XErrorTrap trap(display);
    XQueryColors(display, colormap, cells.data(), entries_);
    if (trap.Caught()) return false;
    for (Channel* c : {&red_, &green_, &blue_}) c->levels.resize(cells.size());
    for (size_t i = 0; i < cells.size(); ++i) {
        red_.levels[i] = Round16To8(cells[i].red);
        green_.levels[i] = Round16To8(cells[i].green);
        blue_.levels[i] = Round16To8(cells[i].blue);
    }
    return true;
}

bool PixelFormat::IsPlainRgb32(const XImage* image) const {
    const int hostOrder = HostIsLittleEndian() ? LSBFirst : MSBFirst;
    return entries_ == 0 && image->bits_per_pixel == 32 && image->byte_order == hostOrder && red_.mask == 0xFF0000 &&
           green_.mask == 0x00FF00 && blue_.mask == 0x0000FF;
}

Image PixelFormat::Convert(const XImage* image) const {
    Image out;
    // Without the memory for the picture the capture got nothing; the caller
    // still owns the X image and frees it.
    try {
        out.pixels.resize(static_cast<size_t>(image->width) * static_cast<size_t>(image->height));
    } catch (const std::bad_alloc&) {
        return {};
    }
    out.width = image->width;
    out.height = image->height;
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
    // Any other layout: Xlib reads the pixel, the channels place its colour.
    XImage* readable = const_cast<XImage*>(image);
    for (int y = 0; y < image->height; ++y)
        for (int x = 0; x < image->width; ++x) {
            const unsigned long p = XGetPixel(readable, x, y);
            *dst++ = red_.To8(p) << 16 | green_.To8(p) << 8 | blue_.To8(p);
        }
    return out;
}

}  // namespace native
