// The screen's pixels: a known picture put on the root window and the screen
// read back as it stands.
#pragma once
#include <X11/Xlib.h>

#include "tests/e2e/rgb_image.h"
#include "tests/e2e/x_windows.h"

namespace e2e {

// A picture where every pixel differs from its neighbours, so that an offset,
// a swapped channel or a scaled capture shows at once.
RgbImage TestPattern(int width, int height);

// Makes the picture the root window's background, so that the server draws
// it again wherever a window closes or moves.
void PaintRootBackground(Display* display, const RgbImage& picture);

// The part of `area` that lies on the screen.
RgbImage ReadScreen(Display* display, Rect area);
RgbImage ReadScreen(Display* display);

}  // namespace e2e
