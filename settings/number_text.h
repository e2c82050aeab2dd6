// A number text of any length, read piece by piece into a short text that
// StringVal reads as the same Double: the sign, the significant digits (the
// first few hundred, then one digit that stands for any further ones that
// are not zero) and the decimal exponent. What follows the number is dropped.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quorrel {

class NumberText {
public:
    void Take(std::string_view piece);
    std::string Text() const;

private:
    enum class State { Lead, Whole, Fraction, ExponentMark, ExponentSign, ExponentDigits, Done };
    void TakeDigit(char digit, bool inFraction);

    State state_ = State::Lead;
    bool negative_ = false;
    bool anyDigit_ = false;
    std::string significant_;
    bool droppedNonZero_ = false;
    int64_t point_ = 0;  // the value is 0.<significant_> x 10^(point_ + exponent)
    bool exponentNegative_ = false;
    int64_t exponent_ = 0;
};

}  // namespace quorrel
