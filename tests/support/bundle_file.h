// The bundle metadata file (bundle.ini) as a test wants it.
#pragma once
#include <filesystem>
#include <map>
#include <string>

namespace quorrel::test {

// Sets each key to its value: the key's line is replaced where the file has
// one, appended where it has none; every other line (comments, other keys)
// is kept as it stands.
void SetBundleKeys(const std::filesystem::path& file, const std::map<std::string, std::string>& keys);

}  // namespace quorrel::test
