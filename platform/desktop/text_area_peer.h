// The styled text area: a QTextEdit showing the model's styled text, with
// the selection in characters pushed both ways and the user's edits reported.
#pragma once

#include "platform/desktop/control_peer.h"

#include <memory>
#include <string>

namespace desktop {

std::unique_ptr<ControlPeer> MakeTextAreaPeer(fw::TextArea& area, QWidget* parent);

// The Edit menu's standard commands (EditUndo, EditCut, EditCopy, EditPaste,
// EditClear, EditSelectAll) on the text area that has the keyboard focus;
// false when the item is not one of them or no text area has the focus.
bool EditFocusedText(const std::string& itemName);

}  // namespace desktop
