// A design-time list written as data: rows of a property name and its value,
// where the value's type picks the encoding (Integer, Boolean, String or
// Color), in the order the rows stand.
#pragma once

#include "platform/framework.h"

#include <variant>
#include <vector>

namespace quorrel {
using namespace fw;

struct Rgb {
    uint8_t red, green, blue;
};
inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kWhite{255, 255, 255};

class DesignValue {
public:
    DesignValue(int32_t v) : value_(v) {}
    DesignValue(bool v) : value_(v) {}
    DesignValue(const char* v) : value_(std::string(v)) {}
    DesignValue(std::string v) : value_(std::move(v)) {}
    DesignValue(Rgb v) : value_(v) {}
    // Any other type (a double, an unsigned) would be converted silently to
    // one of the above and so change the encoding: it does not compile.
    template <class T>
    DesignValue(T) = delete;

    const std::variant<int32_t, bool, std::string, Rgb>& Value() const { return value_; }

private:
    std::variant<int32_t, bool, std::string, Rgb> value_;
};

struct DesignRow {
    std::string name;
    DesignValue value;
};
using DesignRows = std::vector<DesignRow>;

// The rows of first, then those of second.
DesignRows operator+(DesignRows first, const DesignRows& second);
// The list's bytes, row by row.
std::string Encode(const DesignRows& rows);

}  // namespace quorrel
