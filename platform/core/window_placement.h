// Where a top-level window goes on the screens, as plain arithmetic: the
// desktop backend feeds it the work areas, the window manager's frame and the
// frames of the program's other windows. 64-bit throughout, so that any
// Integer position the program asks for is safe.
#pragma once

#include <cstdint>
#include <vector>

namespace fw::placement {

struct Box {
    int64_t x = 0, y = 0, width = 0, height = 0;
    int64_t Right() const { return x + width; }
    int64_t Bottom() const { return y + height; }
    bool operator==(const Box&) const = default;
};

// The window manager's decoration around the client window.
struct Margins {
    int64_t left = 0, top = 0, right = 0, bottom = 0;
};

struct Point {
    int64_t x = 0, y = 0;
    bool operator==(const Point&) const = default;
};

struct WindowShape {
    int64_t clientWidth = 0, clientHeight = 0;  // the content and the menu bar above it
    Point contentOffset;                        // the content's top-left inside the client
    Margins frame;
};

struct Screens {
    Box mainWorkArea;            // the main display less its panels
    std::vector<Box> workAreas;  // every monitor's, the main one included
};

// X11 keeps window positions in 16 bits.
inline constexpr int64_t kMinCoordinate = -32768, kMaxCoordinate = 32767;
// How far a window steps down and right from one it would cover, when the
// window manager draws no title bar to measure.
inline constexpr int64_t kFallbackTitleBarHeight = 24;

// The content origin of a window that the program never positioned: its frame
// centred on the main work area, stepped down and right by a title bar's
// height from any of `others` (frames of the program's open windows) that
// stands at the same place, and kept on the work area.
Point PlaceUnpositioned(const WindowShape& shape, const Screens& screens, const std::vector<Box>& others);

// The content origin for a position the program set: as asked, unless the
// title bar and the menu bar would not lie wholly on the monitors' work areas;
// then moved the least distance that puts them on one of them.
Point KeepReachable(Point content, const WindowShape& shape, const Screens& screens);

}  // namespace fw::placement
