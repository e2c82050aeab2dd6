// The preferences file on any bytes: read at start-up as the program reads
// it (a real file in a Preferences folder of its own), giving the settings.
#include "platform/headless/headless.h"
#include "settings/settings.h"
#include "tests/fuzz/fuzz_support.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

using fuzz::Require;

namespace {
std::filesystem::path folder;
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // In memory where there is such a folder: a file rewritten in place on
    // disk is flushed each time, and the fuzzer would mostly wait for the disk.
    const std::filesystem::path base =
        std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : std::filesystem::temp_directory_path();
    std::string pattern = (base / "quorrel-fuzz-XXXXXX").string();
    Require(mkdtemp(pattern.data()) != nullptr, "a temporary folder");
    folder = pattern;
    std::atexit([] {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    });
    fw::headless::InstallNew().SetPreferencesPath(folder.string());
    quorrel::directiveClassDefiner();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    {
        std::ofstream file(folder / "quorrel.txt", std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
        Require(file.good(), "the file written");
    }
    quorrel::InitDirectives();
    quorrel::LoadPrefs();
    Require(quorrel::Directives->size() <= size / 2 + 1, "no more directives than lines");
    for (size_t i = 1; i < quorrel::Directives->size(); ++i) {
        const auto& record = (*quorrel::Directives)[i];
        Require(record && record->name == fw::StringLCase(record->name), "a directive's name in lower case");
        Require(record->name.find(' ') == std::string::npos, "a directive's name ends at the first blank");
        Require(record->text.find_first_of("\r\n") == std::string::npos, "a directive's value ends with its line");
    }
    quorrel::ReleaseDirectives();
    return 0;
}
