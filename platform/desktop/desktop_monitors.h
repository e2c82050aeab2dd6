// The monitors as the capture sees them (native::X11Monitors), in Qt's
// coordinates: Qt's own list is empty or wrong where RandR names no monitor.
#pragma once

#include <QPoint>
#include <QRect>

#include "platform/core/window_placement.h"

namespace desktop {

struct Desktop {
    fw::placement::Screens screens;   // work areas, the main display's first
    fw::placement::Point mainOrigin;  // where the program's positions count from
};

Desktop CurrentDesktop();

// The work area of the monitor that holds `point`, else the main display's.
QRect WorkAreaAt(QPoint point);

}  // namespace desktop
