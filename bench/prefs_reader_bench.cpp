// The preferences reader on a large file: time and peak memory.
//   bench_prefs_reader_bench [megabytes...]     (default: 10 100 300)
// For each size and each shape of file (one long line: a value, a name, a
// comment, a number; or a mass of short directive lines: of a name the
// program applies, and of one it does not) the file "quorrel.txt" is written,
// then a child process runs LoadPrefs on the headless backend and reports the
// time and its peak RSS above what it held before (VmHWM after, minus VmRSS
// before). A line after the large part must still be read.
// Exits 1 when a run fails or its memory exceeds 4 MB, whatever the size.
#include "platform/headless/headless.h"
#include "settings/settings.h"

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr long kGoalKb = 4 * 1024;

// The file: head, then `fill` repeated up to the size, then tail.
struct Shape {
    const char* name;
    std::string head;
    std::string fill;
    std::string tail;
};

long StatusKb(const char* field) {
    std::ifstream in("/proc/self/status");
    std::string line;
    while (std::getline(in, line))
        if (line.rfind(field, 0) == 0) return std::atol(line.c_str() + std::string(field).size());
    return -1;
}

void WriteFile(const fs::path& path, const Shape& shape, size_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << shape.head;
    std::string chunk;
    while (chunk.size() < (1u << 20)) chunk += shape.fill;
    for (size_t left = size; left > 0;) {
        size_t n = left < chunk.size() ? left : chunk.size();
        if (shape.fill.size() > 1) n -= n % shape.fill.size();  // whole lines
        if (n == 0) break;
        out.write(chunk.data(), static_cast<std::streamsize>(n));
        left -= n;
    }
    out << shape.tail << "\n#Sound True\n";
}

// In a child: LoadPrefs, then the figures on one line of stdout.
[[noreturn]] void MeasureInChild(const fs::path& prefsDir, size_t fileSize) {
    auto& backend = fw::headless::InstallNew();
    backend.SetPreferencesPath(prefsDir.string());
    quorrel::InitDirectives();
    long before = StatusKb("VmRSS:");
    auto start = std::chrono::steady_clock::now();
    quorrel::LoadPrefs();
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    long peak = StatusKb("VmHWM:");
    const long used = peak - before;
    std::printf("%8.3f s %7.2f ns/B %8ld kB above the start, peak %ld MB%s\n",
                seconds,
                seconds * 1e9 / static_cast<double>(fileSize),
                used,
                peak / 1024,
                quorrel::SoundOn ? "" : "  (the line after it was lost)");
    std::fflush(stdout);
    std::_Exit(quorrel::SoundOn && used <= kGoalKb ? 0 : 1);
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<size_t> sizesMb;
    for (int i = 1; i < argc; ++i) sizesMb.push_back(std::strtoul(argv[i], nullptr, 10));
    if (sizesMb.empty()) sizesMb = {10, 100, 300};
    const std::vector<Shape> shapes = {
        {"value", "#Colour ", "x", ""},
        {"name", "#", "x", " v"},
        {"comment", "'", "x", ""},
        {"number", "#MyPeriod ", "7", ""},
        {"applied", "", "#Window1Position 150,150\n#MyPeriod 300\n", "#MyPeriod 300"},
        {"other", "", "#Colour red\n", "#Colour red"},
    };
    fs::path dir = fs::temp_directory_path() / ("quorrel-prefs-bench-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    bool ok = true;
    for (size_t mb : sizesMb)
        for (const Shape& shape : shapes) {
            fs::path file = dir / "quorrel.txt";
            WriteFile(file, shape, mb << 20);
            std::printf("%4zu MB %-8s", mb, shape.name);
            std::fflush(stdout);
            pid_t child = ::fork();
            if (child == 0) MeasureInChild(dir, fs::file_size(file));
            int status = 0;
            ::waitpid(child, &status, 0);
            if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
                ok = false;
                if (!WIFEXITED(status)) std::printf(" the child died (signal %d)\n", WTERMSIG(status));
            }
        }
    fs::remove_all(dir);
    std::printf(ok ? "goal met: at most %ld kB of memory whatever the size\n"
                   : "goal missed: more than %ld kB of memory, or a line lost\n",
                kGoalKb);
    return ok ? 0 : 1;
}
