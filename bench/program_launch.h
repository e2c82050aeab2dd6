// Starting the real program for a bench: on the bench's display, with a home
// of its own and none of the caller's folder or platform settings.
#pragma once
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace bench {

// The child's process id (-1 when no child could be made).
inline pid_t LaunchProgram(const std::string& binary, const std::filesystem::path& home) {
    const pid_t pid = fork();
    if (pid == 0) {
        setenv("HOME", home.c_str(), 1);
        for (const char* name : {"XDG_CONFIG_HOME", "XDG_DOCUMENTS_DIR", "QT_QPA_PLATFORM", "WAYLAND_DISPLAY"})
            unsetenv(name);
        execl(binary.c_str(), binary.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    return pid;
}

}  // namespace bench
