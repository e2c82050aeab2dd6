#include "tests/e2e/x_screen.h"

#include <X11/Xutil.h>

#include <algorithm>
#include <stdexcept>

namespace e2e {

namespace {

int Shift(unsigned long mask) {
    int s = 0;
    while (mask && !(mask & 1)) {
        mask >>= 1;
        ++s;
    }
    return s;
}

}  // namespace

RgbImage TestPattern(int width, int height) {
    RgbImage out{width, height, {}};
    out.pixels.resize(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            uint32_t r = (x * 7 + y * 3) & 0xff, g = (x * 5 ^ y * 11) & 0xff, b = (x + y * 13) & 0xff;
            out.pixels[static_cast<size_t>(y) * width + x] = r << 16 | g << 8 | b;
        }
    return out;
}

void PaintRootBackground(Display* display, const RgbImage& picture) {
    int screen = DefaultScreen(display);
    ::Window root = RootWindow(display, screen);
    Visual* visual = DefaultVisual(display, screen);
    int depth = DefaultDepth(display, screen);
    XImage* image = XCreateImage(display, visual, depth, ZPixmap, 0, nullptr, picture.width, picture.height, 32, 0);
    if (!image) throw std::runtime_error("XCreateImage failed");
    image->data = static_cast<char*>(malloc(static_cast<size_t>(image->bytes_per_line) * picture.height));
    int rs = Shift(image->red_mask), gs = Shift(image->green_mask), bs = Shift(image->blue_mask);
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x) {
            uint32_t p = picture.At(x, y);
            XPutPixel(image,
                      x,
                      y,
                      (unsigned long)(p >> 16 & 0xff) << rs | (unsigned long)(p >> 8 & 0xff) << gs |
                          (unsigned long)(p & 0xff) << bs);
        }
    Pixmap pixmap = XCreatePixmap(display, root, picture.width, picture.height, depth);
    GC gc = XCreateGC(display, pixmap, 0, nullptr);
    XPutImage(display, pixmap, gc, image, 0, 0, 0, 0, picture.width, picture.height);
    XFreeGC(display, gc);
    XDestroyImage(image);
    // The pixmap stays alive as the background while the test's connection is open.
    XSetWindowBackgroundPixmap(display, root, pixmap);
    XClearWindow(display, root);
    XSync(display, False);
}

RgbImage ReadScreen(Display* display, Rect area) {
    ::Window root = DefaultRootWindow(display);
    // XGetImage fails for any part outside the screen: keep what is on it.
    int screen = DefaultScreen(display);
    int right = std::min(area.x + area.width, DisplayWidth(display, screen));
    int bottom = std::min(area.y + area.height, DisplayHeight(display, screen));
    area.x = std::max(area.x, 0);
    area.y = std::max(area.y, 0);
    area.width = right - area.x;
    area.height = bottom - area.y;
    if (area.width <= 0 || area.height <= 0) return RgbImage{};
    XImage* image = XGetImage(display, root, area.x, area.y, area.width, area.height, AllPlanes, ZPixmap);
    if (!image) throw std::runtime_error("XGetImage failed");
    int rs = Shift(image->red_mask), gs = Shift(image->green_mask), bs = Shift(image->blue_mask);
    RgbImage out{area.width, area.height, {}};
    out.pixels.resize(static_cast<size_t>(area.width) * area.height);
    for (int y = 0; y < area.height; ++y)
        for (int x = 0; x < area.width; ++x) {
            unsigned long p = XGetPixel(image, x, y);
            out.pixels[static_cast<size_t>(y) * area.width + x] =
                uint32_t((p >> rs) & 0xff) << 16 | uint32_t((p >> gs) & 0xff) << 8 | uint32_t((p >> bs) & 0xff);
        }
    XDestroyImage(image);
    return out;
}

RgbImage ReadScreen(Display* display) {
    int screen = DefaultScreen(display);
    return ReadScreen(display, Rect{0, 0, DisplayWidth(display, screen), DisplayHeight(display, screen)});
}

}  // namespace e2e
