// The framework's one header for the program: every type and operation that
// the program may use, one header per topic beside the core file that
// implements it. Program code includes this header and nothing of Qt, X11 or
// a backend.
//
// Objects are shared: an object reference is std::shared_ptr, a reference that
// must not keep its target alive is std::weak_ptr. Properties are read with
// Name() and set with Name(value). Failures are exceptions derived from
// RuntimeException. Every user-interface operation checks that it runs on the
// main thread.
#pragma once

#include "platform/core/application.h"
#include "platform/core/controls.h"
#include "platform/core/date.h"
#include "platform/core/events.h"
#include "platform/core/files.h"
#include "platform/core/http_socket.h"
#include "platform/core/menus.h"
#include "platform/core/messages.h"
#include "platform/core/objects.h"
#include "platform/core/plugins.h"
#include "platform/core/printing.h"
#include "platform/core/properties.h"
#include "platform/core/screen.h"
#include "platform/core/text_area.h"
#include "platform/core/text_ops.h"
#include "platform/core/timer.h"
#include "platform/core/window.h"

// The program's entry, which the framework's process entry calls.
namespace quorrel {
int main();
}
