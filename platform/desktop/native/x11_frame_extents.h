// What the window manager will draw around a window: asked before the window
// is mapped (_NET_REQUEST_FRAME_EXTENTS), so that it can be placed whole on
// the screen from the start.
#pragma once
#include <chrono>
#include <optional>

struct _XDisplay;

namespace native {

struct FrameExtents {
    int left = 0, right = 0, top = 0, bottom = 0;
};

// Zero extents when no window manager runs; nullopt when one runs but does
// not answer within the time-out. `window` need not be mapped yet.
std::optional<FrameExtents> AskFrameExtents(_XDisplay* display, unsigned long window,
                                            std::chrono::milliseconds timeout);

}  // namespace native
