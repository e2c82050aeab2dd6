#include "platform/desktop/native/x_connection_loss.h"

#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>

namespace native {
namespace {

int OnConnectionLoss(Display*) {
    std::fputs("quorrel: the connection to the X server was lost\n", stderr);
    std::exit(1);
}

}  // namespace

void ExitOnConnectionLoss() { XSetIOErrorHandler(&OnConnectionLoss); }

}  // namespace native
