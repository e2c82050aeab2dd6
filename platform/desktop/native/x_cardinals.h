// One read of a window property made of 32-bit CARDINALs.
#pragma once
#include <optional>
#include <vector>

struct _XDisplay;

namespace native {

// Exactly `count` values (held in longs, as Xlib gives them), or nothing
// when the property is missing, of another type or of another length.
std::optional<std::vector<long>> ReadCardinals(_XDisplay* display, unsigned long window, unsigned long property,
                                               long count);

}  // namespace native
