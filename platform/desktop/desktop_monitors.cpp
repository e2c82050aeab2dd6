#include "platform/desktop/desktop_monitors.h"

#include "platform/desktop/native/x11_monitors.h"

#include <QGuiApplication>
#include <QScreen>
#include <QtGui/qguiapplication_platform.h>

#include <algorithm>
#include <cmath>
#include <optional>

namespace desktop {
namespace {

namespace placement = fw::placement;

// Qt's coordinates are the root window's pixels over the scale.
placement::Box InPoints(const native::MonitorRect& r, double scale) {
    auto points = [scale](int32_t v) { return static_cast<int64_t>(std::floor(v / scale)); };
    return {points(r.x), points(r.y), points(r.width), points(r.height)};
}

}  // namespace

Desktop CurrentDesktop() {
    Desktop d;
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->display()) return d;
    const QScreen* primary = QGuiApplication::primaryScreen();
    const double scale = primary && primary->devicePixelRatio() > 0 ? primary->devicePixelRatio() : 1.0;
    // Qt's one connection lives as long as the program.
    static native::X11Monitors monitors(x11->display());
    const std::optional<native::MonitorRect> workArea = monitors.WorkArea();
    for (const native::MonitorRect& m : monitors.List()) {
        const placement::Box monitor = InPoints(m, scale);
        // What the desktop leaves free of panels on this monitor, as Qt has it.
        placement::Box free = monitor;
        if (workArea) {
            const placement::Box area = InPoints(*workArea, scale);
            const int64_t left = std::max(monitor.x, area.x), top = std::max(monitor.y, area.y);
            const int64_t right = std::min(monitor.Right(), area.Right());
            const int64_t bottom = std::min(monitor.Bottom(), area.Bottom());
            if (right > left && bottom > top) free = {left, top, right - left, bottom - top};
        }
        if (d.screens.workAreas.empty()) {
            d.screens.mainWorkArea = free;
            d.mainOrigin = {monitor.x, monitor.y};
        }
        d.screens.workAreas.push_back(free);
    }
    return d;
}

QRect WorkAreaAt(QPoint point) {
    const Desktop d = CurrentDesktop();
    if (d.screens.workAreas.empty()) return QRect(0, 0, 1024, 768);
    placement::Box chosen = d.screens.mainWorkArea;
    for (const placement::Box& area : d.screens.workAreas)
        if (point.x() >= area.x && point.x() < area.Right() && point.y() >= area.y && point.y() < area.Bottom()) {
            chosen = area;
            break;
        }
    return QRect(static_cast<int>(chosen.x),
                 static_cast<int>(chosen.y),
                 static_cast<int>(chosen.width),
                 static_cast<int>(chosen.height));
}

}  // namespace desktop
