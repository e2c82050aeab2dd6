#include "platform/core/standard_paths.h"

#include "platform/core/read_file.h"

#include <cstdlib>
#include <sstream>

namespace fw::paths {
namespace {

// A few lines by the rules; anything larger is not that file.
constexpr size_t kMaxUserDirsBytes = 1 << 20;

std::string Env(const char* name) {
    const char* v = std::getenv(name);
    return v ? std::string(v) : std::string();
}

std::string ConfigHome() {
    std::string xdg = Env("XDG_CONFIG_HOME");
    if (!xdg.empty() && xdg.front() == '/') return xdg;  // relative values are invalid by the XDG rules
    std::string home = Env("HOME");
    return home.empty() ? std::string() : home + "/.config";
}

// The value of XDG_DOCUMENTS_DIR="..." with $HOME expanded, or empty. As the
// shell that sources the file, the last line that sets it counts.
std::string UserDirsDocuments(const std::string& home) {
    std::string config = ConfigHome();
    if (config.empty()) return {};
    const auto content = files::ReadRegularFile(config + "/user-dirs.dirs", kMaxUserDirsBytes);
    if (!content) return {};
    std::istringstream in(*content);
    std::string line, documents;
    const std::string key = "XDG_DOCUMENTS_DIR=";
    while (std::getline(in, line)) {
        size_t start = line.find_first_not_of(" \t");
        if (start == std::string::npos || line.compare(start, key.size(), key) != 0) continue;
        std::string value = line.substr(start + key.size());
        while (!value.empty() && (value.back() == '\r' || value.back() == ' ' || value.back() == '\t'))
            value.pop_back();
        documents.clear();  // a value we cannot use leaves none
        if (value.size() < 2 || value.front() != '"' || value.back() != '"') continue;
        value = value.substr(1, value.size() - 2);
        if (value.rfind("$HOME", 0) == 0) value = home + value.substr(5);
        if (!value.empty() && value.front() == '/') documents = value;
    }
    return documents;
}

}  // namespace

std::string DocumentsPath() {
    std::string home = Env("HOME");
    if (home.empty()) return {};
    std::string fromUserDirs = UserDirsDocuments(home);
    return fromUserDirs.empty() ? home + "/Documents" : fromUserDirs;
}

std::string PreferencesPath() { return ConfigHome(); }

}  // namespace fw::paths
