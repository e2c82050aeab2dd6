// The design of a titled, fixed-size window without minimise, maximise or
// full-screen buttons (the Help window and the About box).
#pragma once

#include "platform/framework.h"

namespace quorrel {
using namespace fw;

inline std::string FixedWindowDesign(int32_t width, int32_t height, const std::string& title) {
    return DesignList()
        .Int("Placement", 0)
        .Int("Width", width)
        .Int("Height", height)
        .Int("MinWidth", 64)
        .Int("MinHeight", 64)
        .Int("MaxWidth", 32000)
        .Int("MaxHeight", 32000)
        .Int("Frame", 0)
        .Bool("Composite", false)
        .Bool("HasBackColor", false)
        .Col("BackColor", 255, 255, 255)
        .Str("Title", title)
        .Bool("Visible", true)
        .Bool("FullScreen", false)
        .Bool("MenuBarVisible", true)
        .Bool("CloseButton", true)
        .Bool("Resizeable", false)
        .Bool("LiveResize", false)
        .Bool("MaximizeButton", false)
        .Bool("MinimizeButton", false)
        .Bool("FullScreenButton", false)
        .Int("MacProcID", 0)
        .Bytes();
}

}  // namespace quorrel
