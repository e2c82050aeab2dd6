#include "tests/support/bundle_file.h"

#include <fstream>
#include <sstream>

namespace quorrel::test {

void SetBundleKeys(const std::filesystem::path& file, const std::map<std::string, std::string>& keys) {
    std::ifstream in(file);
    std::ostringstream edited;
    std::map<std::string, std::string> pending = keys;
    for (std::string line; std::getline(in, line);) {
        auto eq = line.find('=');
        if (eq != std::string::npos && line[0] != '#') {
            auto it = pending.find(line.substr(0, eq));
            if (it != pending.end()) {
                line = it->first + "=" + it->second;
                pending.erase(it);
            }
        }
        edited << line << "\n";
    }
    for (const auto& [key, value] : pending) edited << key << "=" << value << "\n";
    in.close();
    std::ofstream(file, std::ios::trunc) << edited.str();
}

}  // namespace quorrel::test
