// Reads the CLIPBOARD selection as another client does: asks its owner for
// UTF-8 text and collects it, in pieces when the owner sends it that way.
#pragma once
#include <X11/Xlib.h>

#include <chrono>
#include <optional>
#include <string>

namespace e2e {

// The clipboard's text, or nothing when no owner answers in time.
std::optional<std::string> ReadClipboard(Display* display,
                                         std::chrono::milliseconds timeout = std::chrono::seconds(10));

}  // namespace e2e
