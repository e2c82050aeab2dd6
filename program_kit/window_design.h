// The design-time list of a program window. Every window of the program sets
// the same properties in the same order; only these few values differ.
#pragma once

#include "program_kit/design_rows.h"

namespace quorrel {

struct WindowLook {
    std::string title;
    int32_t width, height;
    int32_t frame;  // 0 a titled document window, 1 a movable modal one
    bool minimizeButton;
};

inline std::string WindowDesign(const WindowLook& look) {
    return Encode({
        {"Placement", 0},
        {"Width", look.width},
        {"Height", look.height},
        {"MinWidth", 64},
        {"MinHeight", 64},
        {"MaxWidth", 32000},
        {"MaxHeight", 32000},
        {"Frame", look.frame},
        {"Composite", false},
        {"HasBackColor", false},
        {"BackColor", kWhite},
        {"Title", look.title},
        {"Visible", true},
        {"FullScreen", false},
        {"MenuBarVisible", true},
        {"CloseButton", true},
        {"Resizeable", false},
        {"LiveResize", false},
        {"MaximizeButton", false},
        {"MinimizeButton", look.minimizeButton},
        {"FullScreenButton", false},
        {"MacProcID", 0},
    });
}

}  // namespace quorrel
