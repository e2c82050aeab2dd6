#include "settings/number_text.h"

#include <algorithm>

namespace quorrel {

namespace {
// More than the 767 significant digits of the longest decimal that lies
// exactly halfway between two Doubles: with one digit more for the rest,
// the rounding is the one of the whole text.
constexpr size_t kSignificantDigits = 800;
// StringVal's own bound on the exponent, far past any Double.
constexpr int64_t kExponentBound = int64_t{1} << 40;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
}  // namespace

void NumberText::TakeDigit(char digit, bool inFraction) {
    anyDigit_ = true;
    if (significant_.empty() && digit == '0') {
        if (inFraction) --point_;  // a zero between the point and the first digit
        return;
    }
    if (significant_.size() < kSignificantDigits) significant_ += digit;
    else if (digit != '0') droppedNonZero_ = true;
    if (!inFraction) ++point_;
}

// The same grammar as StringVal: blanks, a sign, digits, a point and digits,
// an exponent; the first character that does not fit ends the number.
void NumberText::Take(std::string_view piece) {
    for (const char c : piece) {
        switch (state_) {
            case State::Lead:
                if (c == ' ' || c == '\t') break;
                state_ = State::Whole;
                if (c == '+' || c == '-') {
                    negative_ = c == '-';
                    break;
                }
                [[fallthrough]];
            case State::Whole:
                if (IsDigit(c)) TakeDigit(c, false);
                else if (c == '.') state_ = State::Fraction;
                else state_ = anyDigit_ && (c == 'e' || c == 'E') ? State::ExponentMark : State::Done;
                break;
            case State::Fraction:
                if (IsDigit(c)) TakeDigit(c, true);
                else state_ = anyDigit_ && (c == 'e' || c == 'E') ? State::ExponentMark : State::Done;
                break;
            case State::ExponentMark:
                if (c == '+' || c == '-') {
                    exponentNegative_ = c == '-';
                    state_ = State::ExponentSign;
                    break;
                }
                [[fallthrough]];
            case State::ExponentSign:
            case State::ExponentDigits:
                if (!IsDigit(c)) {
                    state_ = State::Done;
                    break;
                }
                state_ = State::ExponentDigits;
                exponent_ = std::min(exponent_ * 10 + (c - '0'), kExponentBound);
                break;
            case State::Done: return;
        }
    }
}

std::string NumberText::Text() const {
    if (!anyDigit_) return {};
    const std::string sign = negative_ ? "-" : "";
    if (significant_.empty()) return sign + "0";
    // An exponent mark without digits left exponent_ at 0.
    const int64_t exponent = point_ + (exponentNegative_ ? -exponent_ : exponent_);
    return sign + "0." + significant_ + (droppedNonZero_ ? "1" : "") + "e" + std::to_string(exponent);
}

}  // namespace quorrel
