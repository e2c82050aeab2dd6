// A child process started with fork/exec in its own process group, its
// output going to files, its exit collected with a time-out.
#pragma once
#include <sys/types.h>

#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

class ChildProcess {
public:
    // Environment entries map name -> value; an empty optional removes a
    // variable that the parent has.
    using Environment = std::map<std::string, std::optional<std::string>>;

    ChildProcess(const std::vector<std::string>& argv, const Environment& env, const std::string& stdoutPath,
                 const std::string& stderrPath);
    ~ChildProcess();  // kills the group if it is still running
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t Pid() const { return pid_; }
    bool Running();
    // The exit status (128 + signal for a signal); nullopt on time-out, in
    // which case the process is killed.
    std::optional<int> WaitForExit(std::chrono::milliseconds timeout);
    void Kill();

private:
    bool Reap(int options);
    pid_t pid_ = -1;
    std::optional<int> status_;
};

std::string ReadFile(const std::string& path);

}  // namespace e2e
