// Idle cost of the Control Panel: the real quorrel binary (its 10 ms poll
// running) beside a bare Qt program with a 10 ms timer, on the same X display
// at the same time. Reports CPU time over the measured window (from the
// scheduler's per-thread counters) and peak RSS (VmHWM), and whether the goals hold:
// CPU at most 1.2 times the bare program's, peak RSS at most 60 MB.
//
//   bench_idle_bench <quorrel binary> <bare_qt_timer binary> [seconds]
// DISPLAY must name a running X server (run_idle_bench.sh starts Xvfb).
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace {

pid_t Start(const std::string& binary, const std::string& home) {
    const pid_t pid = fork();
    if (pid == 0) {
        setenv("HOME", home.c_str(), 1);
        unsetenv("XDG_CONFIG_HOME");
        execl(binary.c_str(), binary.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    return pid;
}

// Time on the CPU in seconds, summed over the process's threads, from the
// scheduler's nanosecond counters (/proc/<pid>/task/*/schedstat): the 10 ms
// clock ticks of /proc/<pid>/stat are too coarse for a cost this small.
// Negative when the process is gone.
double CpuSeconds(pid_t pid) {
    std::error_code ec;
    const std::filesystem::path tasks = "/proc/" + std::to_string(pid) + "/task";
    double ns = 0;
    bool any = false;
    for (const auto& task : std::filesystem::directory_iterator(tasks, ec)) {
        std::ifstream in(task.path() / "schedstat");
        double onCpu = 0;
        if (in >> onCpu) {
            ns += onCpu;
            any = true;
        }
    }
    return any ? ns / 1e9 : -1;
}

double PeakRssMb(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(in, line))
        if (line.rfind("VmHWM:", 0) == 0) return std::stod(line.substr(6)) / 1024.0;
    return -1;
}

void Stop(pid_t pid) {
    kill(pid, SIGTERM);
    for (int i = 0; i < 50; ++i) {
        if (waitpid(pid, nullptr, WNOHANG) == pid) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <quorrel> <bare_qt_timer> [seconds]\n", argv[0]);
        return 2;
    }
    if (!std::getenv("DISPLAY")) {
        std::fprintf(stderr, "DISPLAY is not set: start an X server first (run_idle_bench.sh does)\n");
        return 2;
    }
    const int seconds = argc > 3 ? std::atoi(argv[3]) : 30;
    char pattern[] = "/tmp/quorrel-idle-XXXXXX";
    const char* home = mkdtemp(pattern);
    if (!home) return 2;

    const pid_t quorrel = Start(argv[1], home);
    const pid_t bare = Start(argv[2], home);
    // Start-up is not idling: let both settle first.
    std::this_thread::sleep_for(std::chrono::seconds(3));
    const double q0 = CpuSeconds(quorrel), b0 = CpuSeconds(bare);
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    const double q1 = CpuSeconds(quorrel), b1 = CpuSeconds(bare);
    const double qRss = PeakRssMb(quorrel), bRss = PeakRssMb(bare);
    Stop(quorrel);
    Stop(bare);
    std::filesystem::remove_all(home);

    if (q0 < 0 || q1 < 0 || b0 < 0 || b1 < 0) {
        std::fprintf(stderr, "a process ended during the measurement\n");
        return 2;
    }
    const double qCpu = q1 - q0, bCpu = b1 - b0;
    const double ratio = bCpu > 0 ? qCpu / bCpu : 0;
    std::printf("idle over %d s        CPU s   CPU %%   peak RSS MB\n", seconds);
    std::printf("quorrel (idle panel)  %7.3f  %6.2f  %8.1f\n", qCpu, 100.0 * qCpu / seconds, qRss);
    std::printf("bare Qt 10 ms timer   %7.3f  %6.2f  %8.1f\n", bCpu, 100.0 * bCpu / seconds, bRss);
    std::printf("CPU ratio %.2f (goal <= 1.20), peak RSS %.1f MB (goal <= 60)\n", ratio, qRss);
    const bool ok = ratio <= 1.2 && qRss <= 60.0;
    std::printf("%s\n", ok ? "goals met" : "GOALS MISSED");
    return ok ? 0 : 1;
}
