// The peer of a framework window: a top-level QWidget whose content area is
// exactly the design's width and height, with the window's menu bar above it.
// Top and Left of the model are the content area's top-left on the screen.
#pragma once

#include "platform/backend.h"
#include "platform/framework.h"

#include <memory>

namespace desktop {

std::unique_ptr<fw::WindowPeer> MakeWindowPeer(fw::Window& window);

// Lets go of every window widget while Qt still runs (at the end of the
// process); peers destroyed later touch no widget.
void ReleaseAllWindowWidgets();
// The display is gone: the peers touch their widgets no more and answer
// with the positions they last saw.
void AbandonAllWindowWidgets();

}  // namespace desktop
