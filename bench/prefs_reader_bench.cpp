// The preferences reader on one long line: time and peak memory per byte.
//   bench_prefs_reader_bench [megabytes...]     (default: 10 50 100)
// For each size and each shape of line (a long value, a long name, a long
// comment, a long number) the file "quorrel.txt" is written, then a child
// process runs LoadPrefs on the headless backend and reports the time and its
// peak RSS above what it held before (VmHWM after, minus VmRSS before), per
// byte of the file. A line after the long one must still be read.
// Exits 1 when a run fails or costs more than 3.5 bytes of memory per byte.
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

constexpr double kGoalBytesPerByte = 3.5;

struct Shape {
    const char* name;
    std::string head;
    char fill;
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
    const std::string chunk(1 << 20, shape.fill);
    for (size_t left = size; left > 0;) {
        size_t n = left < chunk.size() ? left : chunk.size();
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
    double perByte = (peak - before) * 1024.0 / static_cast<double>(fileSize);
    std::printf("%8.3f s %7.1f ns/B %6.2f B/B peak %ld MB%s\n",
                seconds,
                seconds * 1e9 / static_cast<double>(fileSize),
                perByte,
                peak / 1024,
                quorrel::SoundOn ? "" : "  (the line after it was lost)");
    std::fflush(stdout);
    std::_Exit(quorrel::SoundOn && perByte <= kGoalBytesPerByte ? 0 : 1);
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<size_t> sizesMb;
    for (int i = 1; i < argc; ++i) sizesMb.push_back(std::strtoul(argv[i], nullptr, 10));
    if (sizesMb.empty()) sizesMb = {10, 50, 100};
    const std::vector<Shape> shapes = {
        {"value", "#Colour ", 'x', ""},
        {"name", "#", 'x', " v"},
        {"comment", "'", 'x', ""},
        {"number", "#MyPeriod ", '7', ""},
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
    std::printf(ok ? "goal met: at most %.1f bytes of memory per byte of the line\n"
                   : "goal missed: more than %.1f bytes of memory per byte, or a line lost\n",
                kGoalBytesPerByte);
    return ok ? 0 : 1;
}
