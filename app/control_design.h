// Runs of design-time properties that many controls of the program share:
// the control's frame and locks, written forwards or backwards, and the push
// button that the Help and Update windows both lay out the same way.
#pragma once

#include "platform/framework.h"

namespace quorrel {
using namespace fw;

struct ControlFrame {
    int32_t left, top, width, height;
};

struct ControlLocks {
    bool left, top, right, bottom;
};

// Left, Top, Width, Height, then LockLeft, LockTop, LockRight, LockBottom.
inline DesignList& FrameAndLocks(DesignList& list, const ControlFrame& f, const ControlLocks& locks) {
    return list.Int("Left", f.left)
        .Int("Top", f.top)
        .Int("Width", f.width)
        .Int("Height", f.height)
        .Bool("LockLeft", locks.left)
        .Bool("LockTop", locks.top)
        .Bool("LockRight", locks.right)
        .Bool("LockBottom", locks.bottom);
}

// The same run the other way round, closed by Index and Name.
inline DesignList& LocksFrameIndexName(DesignList& list, const ControlLocks& locks, const ControlFrame& f,
                                       const std::string& name) {
    return list.Bool("LockBottom", locks.bottom)
        .Bool("LockRight", locks.right)
        .Bool("LockTop", locks.top)
        .Bool("LockLeft", locks.left)
        .Int("Height", f.height)
        .Int("Width", f.width)
        .Int("Top", f.top)
        .Int("Left", f.left)
        .Int("Index", kNoIndex)
        .Str("Name", name);
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
    DesignList list;
    list.Str("InitialParent", "")
        .Bool("Underline", false)
        .Bool("Italic", false)
        .Bool("Bold", false)
        .Str("TextFont", "System")
        .Int("ButtonStyle", 0)
        .Bool("AutoDeactivate", true)
        .Str("HelpTag", "")
        .Bool("Visible", true)
        .Bool("Enabled", true)
        .Bool("Cancel", look.isCancel)
        .Bool("Default", look.isDefault)
        .Str("Caption", look.caption)
        .Bool("TabStop", true)
        .Int("TabIndex", look.tabIndex)
        .Int("TabPanelIndex", 0);
    return LocksFrameIndexName(list, look.locks, look.frame, look.name).Bytes();
}

}  // namespace quorrel
