#include "platform/desktop/native/x_cardinals.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace native {

std::optional<std::vector<long>> ReadCardinals(_XDisplay* display, unsigned long window, unsigned long property,
                                               long count) {
    Atom type = None;
    int format = 0;
    unsigned long got = 0, after = 0;
    unsigned char* data = nullptr;
    std::optional<std::vector<long>> out;
    if (XGetWindowProperty(
            display, window, property, 0, count, False, XA_CARDINAL, &type, &format, &got, &after, &data) == Success &&
        data && type == XA_CARDINAL && format == 32 && got == static_cast<unsigned long>(count)) {
        const long* v = reinterpret_cast<long*>(data);
        out = std::vector<long>(v, v + count);
    }
    if (data) XFree(data);
    return out;
}

}  // namespace native
