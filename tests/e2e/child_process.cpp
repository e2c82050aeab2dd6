#include "tests/e2e/child_process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

extern char** environ;

namespace e2e {

namespace {

std::vector<std::string> MergedEnvironment(const ChildProcess::Environment& changes) {
    std::map<std::string, std::string> merged;
    for (char** e = environ; *e; ++e) {
        std::string entry(*e);
        auto eq = entry.find('=');
        if (eq != std::string::npos) merged[entry.substr(0, eq)] = entry.substr(eq + 1);
    }
    for (const auto& [name, value] : changes) {
        if (value) merged[name] = *value;
        else merged.erase(name);
    }
    std::vector<std::string> out;
    for (const auto& [name, value] : merged) out.push_back(name + "=" + value);
    return out;
}

}  // namespace

ChildProcess::ChildProcess(const std::vector<std::string>& argv, const Environment& env, const std::string& stdoutPath,
                           const std::string& stderrPath) {
    // Everything the child needs is prepared before fork: only async-signal
    // safe calls happen between fork and exec.
    std::vector<std::string> envStrings = MergedEnvironment(env);
    std::vector<char*> envp, args;
    for (auto& s : envStrings) envp.push_back(s.data());
    envp.push_back(nullptr);
    std::vector<std::string> argCopy = argv;
    for (auto& s : argCopy) args.push_back(s.data());
    args.push_back(nullptr);
    int out = open(stdoutPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    int err = open(stderrPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (out < 0 || err < 0) throw std::runtime_error("cannot create output files for " + argv[0]);

    pid_ = fork();
    if (pid_ < 0) throw std::runtime_error("fork failed");
    if (pid_ == 0) {
        setpgid(0, 0);
        int devnull = open("/dev/null", O_RDONLY);
        dup2(devnull, 0);
        dup2(out, 1);
        dup2(err, 2);
        execve(args[0], args.data(), envp.data());
        _exit(127);
    }
    setpgid(pid_, pid_);
    close(out);
    close(err);
}

ChildProcess::~ChildProcess() { Kill(); }

bool ChildProcess::Reap(int options) {
    if (status_) return true;
    int st = 0;
    pid_t r = waitpid(pid_, &st, options);
    if (r != pid_) return false;
    status_ = WIFEXITED(st) ? WEXITSTATUS(st) : 128 + WTERMSIG(st);
    return true;
}

bool ChildProcess::Running() { return pid_ > 0 && !Reap(WNOHANG); }

std::optional<int> ChildProcess::WaitForExit(std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!Reap(WNOHANG)) {
        if (std::chrono::steady_clock::now() >= deadline) {
            Kill();
            return std::nullopt;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return status_;
}

void ChildProcess::Kill() {
    if (pid_ <= 0 || status_) return;
    kill(-pid_, SIGKILL);
    Reap(0);
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

}  // namespace e2e
