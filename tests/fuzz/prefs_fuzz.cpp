// The preferences file on any bytes: read at start-up as the program reads
// it (a real file in a Preferences folder of its own, read as a stream),
// giving the same settings as the file's lines read whole; and any bytes as a
// number text, whose bounded form reads as the same number.
#include "platform/headless/headless.h"
#include "settings/number_text.h"
#include "settings/settings.h"
#include "tests/fuzz/fuzz_support.h"

#include <bit>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string_view>
#include <vector>

using fuzz::Require;

namespace {
std::filesystem::path folder;

struct Settings {
    int32_t top = 0, left = 0, period = 0;
    bool sound = false;
    bool operator==(const Settings&) const = default;
};

// The file's lines, each whole, read line by line as the program's steps
// describe it: a byte-order mark skipped, the end at the first line that is
// neither a directive nor a comment, the last line of a name winning.
Settings FromWholeLines(std::string_view bytes) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
    Settings s;
    while (!bytes.empty()) {
        const size_t end = bytes.find_first_of("\r\n");
        const std::string line(bytes.substr(0, end));
        if (end == std::string_view::npos) bytes = {};
        else bytes.remove_prefix(end + (bytes.substr(end, 2) == "\r\n" ? 2 : 1));
        if (line.empty() || (line[0] != '#' && line[0] != '\'')) break;
        if (line[0] == '\'') continue;
        const size_t blank = line.find(' ');
        if (blank == std::string::npos) continue;
        const std::string name = line.substr(1, blank - 1), text = line.substr(blank + 1);
        if (fw::RuntimeStringCompare(name, "Window1Position") == 0) {
            s.top = fw::RuntimeCvtReal64ToSInt32(fw::StringVal(fw::StringNthField(text, ",", 1)));
            s.left = fw::RuntimeCvtReal64ToSInt32(fw::StringVal(fw::StringNthField(text, ",", 2)));
        } else if (fw::RuntimeStringCompare(name, "MyPeriod") == 0) {
            s.period = fw::RuntimeCvtReal64ToSInt32(fw::StringVal(text));
        } else if (fw::RuntimeStringCompare(name, "Sound") == 0) {
            s.sound = fw::RuntimeStringCompare(text, "True") == 0;
        }
    }
    return s;
}
}  // namespace

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
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    {
        std::ofstream file(folder / "quorrel.txt", std::ios::binary | std::ios::trunc);
        file.write(bytes.data(), static_cast<std::streamsize>(size));
        Require(file.good(), "the file written");
    }
    quorrel::InitDirectives();
    quorrel::SoundOn = false;
    quorrel::MyPeriod = quorrel::Window1Top = quorrel::Window1Left = 0;
    quorrel::LoadPrefs();
    Require(quorrel::Directives->size() <= 4, "one record at most for each name applied");
    for (size_t i = 1; i < quorrel::Directives->size(); ++i) {
        const auto& record = (*quorrel::Directives)[i];
        Require(record && record->name == fw::StringLCase(record->name), "a directive's name in lower case");
        Require(record->name.find(' ') == std::string::npos, "a directive's name ends at the first blank");
        Require(record->text.find_first_of("\r\n") == std::string::npos, "a directive's value ends with its line");
    }
    const Settings read{quorrel::Window1Top, quorrel::Window1Left, quorrel::MyPeriod, quorrel::SoundOn};
    Require(read == FromWholeLines(bytes), "the settings of the file's lines read whole");
    quorrel::ReleaseDirectives();

    quorrel::NumberText number;
    for (size_t at = 0; at < size; at += 7) number.Take(bytes.substr(at, 7));
    const std::string whole(bytes);
    Require(std::bit_cast<uint64_t>(fw::StringVal(number.Text())) == std::bit_cast<uint64_t>(fw::StringVal(whole)),
            "a number text's bounded form reads as the whole");
    return 0;
}
