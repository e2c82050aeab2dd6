#include "platform/core/window_placement.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <set>

namespace fw::placement {
namespace {

// The start of a span of `size` kept within [start, start + length); a span
// longer than that starts where it does.
int64_t Fit(int64_t pos, int64_t size, int64_t start, int64_t length) {
    if (size >= length) return start;
    return std::clamp(pos, start, start + length - size);
}

int64_t Centre(int64_t size, int64_t start, int64_t length) {
    if (size >= length) return start;
    return start + (length - size) / 2;
}

bool Contains(const Box& b, int64_t x, int64_t y) { return x >= b.x && x < b.Right() && y >= b.y && y < b.Bottom(); }

// Every point of `strip` lies on one area or another: cut the strip along all
// the areas' edges and look at one point of each cell.
bool Covered(const Box& strip, const std::vector<Box>& areas) {
    std::set<int64_t> xs{strip.x, strip.Right()}, ys{strip.y, strip.Bottom()};
    for (const Box& a : areas) {
        for (int64_t v : {a.x, a.Right()})
            if (v > strip.x && v < strip.Right()) xs.insert(v);
        for (int64_t v : {a.y, a.Bottom()})
            if (v > strip.y && v < strip.Bottom()) ys.insert(v);
    }
    for (auto x = xs.begin(); std::next(x) != xs.end(); ++x) {
        for (auto y = ys.begin(); std::next(y) != ys.end(); ++y) {
            const bool on = std::any_of(areas.begin(), areas.end(), [&](const Box& a) { return Contains(a, *x, *y); });
            if (!on) return false;
        }
    }
    return true;
}

// Two frames at the same place: the same top-left, or the same centre (two
// windows that were both centred).
bool SamePlace(const Box& a, const Box& b) {
    auto near = [](int64_t u, int64_t v, int64_t slack) { return std::abs(u - v) <= slack; };
    const bool sameCorner = near(a.x, b.x, 1) && near(a.y, b.y, 1);
    const bool sameCentre =
        near(2 * a.x + a.width, 2 * b.x + b.width, 2) && near(2 * a.y + a.height, 2 * b.y + b.height, 2);
    return sameCorner || sameCentre;
}

int64_t FrameWidth(const WindowShape& s) { return std::max<int64_t>(0, s.clientWidth) + s.frame.left + s.frame.right; }
int64_t FrameHeight(const WindowShape& s) {
    return std::max<int64_t>(0, s.clientHeight) + s.frame.top + s.frame.bottom;
}

// The client window's corner within what X11 can hold.
Point ClampToX11(Point content, const WindowShape& s) {
    return {std::clamp(content.x - s.contentOffset.x, kMinCoordinate, kMaxCoordinate) + s.contentOffset.x,
            std::clamp(content.y - s.contentOffset.y, kMinCoordinate, kMaxCoordinate) + s.contentOffset.y};
}

}  // namespace

Point PlaceUnpositioned(const WindowShape& shape, const Screens& screens, const std::vector<Box>& others) {
    const Box& area = screens.mainWorkArea;
    Box frame{0, 0, FrameWidth(shape), FrameHeight(shape)};
    frame.x = Centre(frame.width, area.x, area.width);
    frame.y = Centre(frame.height, area.y, area.height);
    const int64_t step = shape.frame.top > 0 ? shape.frame.top : kFallbackTitleBarHeight;
    for (size_t i = 0; i <= others.size(); ++i) {
        auto under = std::find_if(others.begin(), others.end(), [&](const Box& o) { return SamePlace(o, frame); });
        if (under == others.end()) break;
        frame.x = under->x + step;
        frame.y = under->y + step;
    }
    frame.x = Fit(frame.x, frame.width, area.x, area.width);
    frame.y = Fit(frame.y, frame.height, area.y, area.height);
    const Point content{frame.x + shape.frame.left + shape.contentOffset.x,
                        frame.y + shape.frame.top + shape.contentOffset.y};
    return ClampToX11(content, shape);
}

Point KeepReachable(Point content, const WindowShape& shape, const Screens& screens) {
    // The title bar and the menu bar: from the frame's top down to the content.
    const Box strip{content.x - shape.contentOffset.x - shape.frame.left,
                    content.y - shape.contentOffset.y - shape.frame.top,
                    FrameWidth(shape),
                    std::max<int64_t>(1, shape.frame.top + shape.contentOffset.y)};
    if (screens.workAreas.empty() || Covered(strip, screens.workAreas)) return ClampToX11(content, shape);
    Point best = content;
    double bestDistance = std::numeric_limits<double>::infinity();
    for (const Box& a : screens.workAreas) {
        const int64_t dx = Fit(strip.x, strip.width, a.x, a.width) - strip.x;
        const int64_t dy = Fit(strip.y, strip.height, a.y, a.height) - strip.y;
        const double distance = std::hypot(static_cast<double>(dx), static_cast<double>(dy));
        if (distance < bestDistance) {
            bestDistance = distance;
            best = {content.x + dx, content.y + dy};
        }
    }
    return ClampToX11(best, shape);
}

}  // namespace fw::placement
