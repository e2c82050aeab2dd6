// Design rows to the design-time list's bytes.
#include "program_kit/design_rows.h"

namespace quorrel {

static_assert(!std::is_constructible_v<DesignValue, double>, "a Double would be written as another type");
static_assert(!std::is_constructible_v<DesignValue, uint8_t>, "a byte would be written as another type");
static_assert(!std::is_constructible_v<DesignValue, uint32_t>, "an unsigned would be written as another type");

DesignRows operator+(DesignRows first, const DesignRows& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

std::string Encode(const DesignRows& rows) {
    DesignList list;
    for (const DesignRow& row : rows) {
        std::visit(
            [&](const auto& v) {
                using V = std::decay_t<decltype(v)>;
                if constexpr (std::is_same_v<V, int32_t>) list.Int(row.name, v);
                else if constexpr (std::is_same_v<V, bool>) list.Bool(row.name, v);
                else if constexpr (std::is_same_v<V, std::string>) list.Str(row.name, v);
                else list.Col(row.name, v.red, v.green, v.blue);
            },
            row.value.Value());
    }
    return list.Bytes();
}

}  // namespace quorrel
