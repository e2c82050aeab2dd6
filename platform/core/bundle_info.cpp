// The bundle metadata: key=value lines of bundle.ini in the resources folder.
#include "platform/core/runtime_state.h"
#include "platform/framework.h"

#include "platform/core/read_file.h"

#include <charconv>
#include <sstream>

namespace fw {
namespace {

constexpr size_t kMaxBundleBytes = 1 << 20;  // a dozen lines as made by the build

std::string Trim(const std::string& s) {
    size_t b = s.find_first_not_of(" \t\r");
    if (b == std::string::npos) return {};
    size_t e = s.find_last_not_of(" \t\r");
    return s.substr(b, e - b + 1);
}

int32_t ToInt(const std::string& s) {
    int32_t v = 0;
    std::from_chars(s.data(), s.data() + s.size(), v);
    return v;  // a bad number stays 0, as a missing key does
}

BundleInfo ReadBundle() {
    BundleInfo info;
    auto folder = ResourcesFolder();
    if (!folder) return info;
    const auto content = files::ReadRegularFile(folder->Child("bundle.ini")->NativePath(), kMaxBundleBytes);
    if (!content) return info;
    std::istringstream in(*content);
    std::string line;
    while (std::getline(in, line)) {
        line = Trim(line);
        if (line.empty() || line[0] == '#') continue;
        size_t eq = line.find('=');
        if (eq == std::string::npos) continue;
        std::string key = Trim(line.substr(0, eq)), value = Trim(line.substr(eq + 1));
        if (key == "MajorVersion") info.majorVersion = ToInt(value);
        else if (key == "MinorVersion") info.minorVersion = ToInt(value);
        else if (key == "BugVersion") info.bugVersion = ToInt(value);
        else if (key == "ShortVersion") info.shortVersion = value;
        else if (key == "LongVersion") info.longVersion = value;
        else if (key == "UpdateHost") info.updateHost = value;
        else if (key == "UpdatePort") info.updatePort = ToInt(value);
        else if (key == "HomePage") info.homePage = value;
        else if (key == "MailAddress") info.mailAddress = value;
    }
    return info;
}

}  // namespace

const BundleInfo& GetBundleInfo() {
    auto& cached = detail::State().bundle;
    if (!cached) cached = ReadBundle();
    return *cached;
}

}  // namespace fw
