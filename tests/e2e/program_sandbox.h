// Everything one test run of the real binary lives in: a temporary folder
// with the user's HOME, an optional private install of the program (its own
// bundle metadata), and a URL handler on PATH that only records.
#pragma once
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "tests/e2e/child_process.h"

namespace e2e {

namespace fs = std::filesystem;

class ProgramSandbox {
public:
    ProgramSandbox();
    ~ProgramSandbox();  // removes the folder unless Keep() was called
    void Keep() { keep_ = true; }

    const fs::path& Root() const { return root_; }
    fs::path Home() const { return root_ / "home"; }
    fs::path Documents() const { return Home() / "Documents"; }
    fs::path Screenshots() const { return Documents() / "QuorrelScreenshots"; }
    fs::path PreferencesFile() const { return Home() / ".config" / "quorrel.txt"; }
    fs::path StdoutPath() const { return root_ / "quorrel.out"; }
    fs::path StderrPath() const { return root_ / "quorrel.err"; }

    // Copies the binary and its resources into <root>/install/{bin,share} and
    // sets the given bundle metadata keys there; later starts use this copy.
    void InstallWithBundle(const std::map<std::string, std::string>& bundleKeys);
    // Later starts run as on a GNOME desktop: Qt's GTK theme with a large
    // desktop font, and no font of the system's but that one.
    void UseGtkDesktop();
    // URLs handed to the desktop's URL handler, one per line.
    std::vector<std::string> OpenedUrls() const;
    // The URLs handed over until now, once every handler started so far has
    // written its line: a URL opened before this call is among them.
    std::vector<std::string> OpenedUrlsWhenHandled() const;

    // An environment variable for later starts, over the sandbox's own.
    void SetEnvironment(const std::string& name, const std::string& value) { environment_[name] = value; }

    // Starts the program; an empty display starts it with none.
    std::unique_ptr<ChildProcess> Start(const std::string& displayName) const;

private:
    void WriteFakeUrlHandler();
    bool UrlHandlerRunning() const;
    fs::path root_;
    fs::path binary_;
    std::map<std::string, std::string> environment_;
    bool keep_ = false;
};

}  // namespace e2e
