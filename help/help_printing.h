// Printing the Help window's text, page by page with page numbers and the
// moment the print was asked for.
#pragma once

#include "platform/framework.h"

namespace quorrel {
using namespace fw;

// Prints the styled help text through the printer dialog, then closes the
// Help window (also when the dialog is cancelled). A print that fails is
// reported, and the Help window then stays open.
void PrintHelpText();

}  // namespace quorrel
