// Runs of design-time rows that many controls of the program share: the
// control's frame and locks, written forwards or backwards, and the push
// button that the Help and Update windows both lay out the same way.
#pragma once

#include "program_kit/design_rows.h"

namespace quorrel {

struct ControlFrame {
    int32_t left, top, width, height;
};

struct ControlLocks {
    bool left, top, right, bottom;
};
// Locked to the window's left and top edges only.
inline constexpr ControlLocks kLockedLeftTop{true, true, false, false};

// Left, Top, Width, Height, then LockLeft, LockTop, LockRight, LockBottom.
inline DesignRows FrameAndLocks(const ControlFrame& f, const ControlLocks& locks) {
    return {
        {"Left", f.left},
        {"Top", f.top},
        {"Width", f.width},
        {"Height", f.height},
        {"LockLeft", locks.left},
        {"LockTop", locks.top},
        {"LockRight", locks.right},
        {"LockBottom", locks.bottom},
    };
}

// The same run the other way round, closed by Index and Name.
inline DesignRows LocksFrameIndexName(const ControlLocks& locks, const ControlFrame& f, const std::string& name) {
    return {
        {"LockBottom", locks.bottom},
        {"LockRight", locks.right},
        {"LockTop", locks.top},
        {"LockLeft", locks.left},
        {"Height", f.height},
        {"Width", f.width},
        {"Top", f.top},
        {"Left", f.left},
        {"Index", kNoIndex},
        {"Name", name},
    };
}

struct PushButtonLook {
    std::string name, caption;
    ControlFrame frame;
    ControlLocks locks;
    int32_t tabIndex;
    bool isDefault, isCancel;
};

// A plain push button in the bold-less "System" font.
inline std::string PushButtonDesign(const PushButtonLook& look) {
    const DesignRows own = {
        {"InitialParent", ""},
        {"Underline", false},
        {"Italic", false},
        {"Bold", false},
        {"TextFont", "System"},
        {"ButtonStyle", 0},
        {"AutoDeactivate", true},
        {"HelpTag", ""},
        {"Visible", true},
        {"Enabled", true},
        {"Cancel", look.isCancel},
        {"Default", look.isDefault},
        {"Caption", look.caption},
        {"TabStop", true},
        {"TabIndex", look.tabIndex},
        {"TabPanelIndex", 0},
    };
    return Encode(own + LocksFrameIndexName(look.locks, look.frame, look.name));
}

}  // namespace quorrel
