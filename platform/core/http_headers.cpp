#include "platform/framework.h"

#include <strings.h>

namespace fw {

void InternetHeaders::AppendHeader(const std::string& name, const std::string& value) {
    entries_.emplace_back(name, value);
}

std::string InternetHeaders::Value(const std::string& name) const {
    for (const auto& [n, v] : entries_)
        if (strcasecmp(n.c_str(), name.c_str()) == 0) return v;
    return "";
}

}  // namespace fw
