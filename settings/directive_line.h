// One line of the preferences file, taken piece by piece, keeping of it only
// what LoadPrefs can use: the name and value of the directives it applies.
// The line itself is never held: a value stays whole while it is short, and
// a longer one is kept in a bounded form that gives LoadPrefs the same
// setting. Names LoadPrefs does not apply are not kept at all.
#pragma once

#include "settings/number_text.h"
#include "settings/settings.h"

#include <memory>
#include <string>
#include <string_view>

namespace quorrel {

class DirectiveLine {
public:
    // Takes the next piece; False once the rest of the line cannot matter.
    bool Take(std::string_view piece);
    // The line starts with neither "#" nor "'" (or is empty): reading ends.
    bool EndsReading() const { return kind_ == Kind::Empty || kind_ == Kind::Other; }
    // The record of a directive that LoadPrefs applies, else nil.
    std::shared_ptr<directiveClass> Record() const;

private:
    enum class Kind { Empty, Directive, Comment, Other };
    enum class Value { Unused, Text, Number, NumberPair };
    bool TakeName(std::string_view& piece);
    void TakeValue(std::string_view piece);

    Kind kind_ = Kind::Empty;
    std::string name_;
    Value value_ = Value::Unused;  // settled at the blank after the name
    std::string head_;             // the value's first bytes
    bool cut_ = false;             // the value is longer than head_
    NumberText numbers_[2];        // the value's first two comma-separated fields
    int commas_ = 0;
};

}  // namespace quorrel
