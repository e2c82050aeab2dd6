// Dates: always the US forms.
#pragma once

#include "platform/core/objects.h"

#include <string>

namespace fw {

class Date : public Object {
public:
    void Constructor();             // now
    std::string ShortDate() const;  // M/D/YY
    std::string LongTime() const;   // h:mm:ss AM
    std::string ShortTime() const;  // h:mm AM
    std::string ClassName() const override { return "Date"; }

private:
    int year_ = 0, month_ = 0, day_ = 0, hour_ = 0, minute_ = 0, second_ = 0;
};

}  // namespace fw
