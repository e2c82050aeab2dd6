// The design-time list of a program window. Every window of the program sets
// the same properties in the same order; only these few values differ.
#pragma once

#include "platform/framework.h"

namespace quorrel {
using namespace fw;

struct WindowLook {
    std::string title;
    int32_t width, height;
    int32_t frame;  // 0 a titled document window, 1 a movable modal one
    bool minimizeButton;
};

inline std::string WindowDesign(const WindowLook& look) {
    return DesignList()
        .Int("Placement", 0)
        .Int("Width", look.width)
        .Int("Height", look.height)
        .Int("MinWidth", 64)
        .Int("MinHeight", 64)
        .Int("MaxWidth", 32000)
        .Int("MaxHeight", 32000)
        .Int("Frame", look.frame)
        .Bool("Composite", false)
        .Bool("HasBackColor", false)
        .Col("BackColor", 255, 255, 255)
        .Str("Title", look.title)
        .Bool("Visible", true)
        .Bool("FullScreen", false)
        .Bool("MenuBarVisible", true)
        .Bool("CloseButton", true)
        .Bool("Resizeable", false)
        .Bool("LiveResize", false)
        .Bool("MaximizeButton", false)
        .Bool("MinimizeButton", look.minimizeButton)
        .Bool("FullScreenButton", false)
        .Int("MacProcID", 0)
        .Bytes();
}

}  // namespace quorrel
