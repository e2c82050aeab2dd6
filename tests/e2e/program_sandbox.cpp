#include "tests/e2e/program_sandbox.h"

#include "tests/e2e/poll.h"
#include "tests/support/bundle_file.h"
#include "tests/support/gtk_desktop.h"

#include <cstdlib>
#include <fstream>
#include <stdexcept>

namespace e2e {

ProgramSandbox::ProgramSandbox() : binary_(QUORREL_BINARY) {
    std::string pattern = (fs::temp_directory_path() / "quorrel-e2e-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    root_ = pattern;
    fs::create_directories(Home());
    fs::create_directories(root_ / "runtime");
    fs::permissions(root_ / "runtime", fs::perms::owner_all);
    WriteFakeUrlHandler();
}

ProgramSandbox::~ProgramSandbox() {
    std::error_code ec;
    if (!keep_) fs::remove_all(root_, ec);
}

void ProgramSandbox::WriteFakeUrlHandler() {
    fs::create_directories(root_ / "fakebin");
    fs::path script = root_ / "fakebin" / "xdg-open";
    std::ofstream(script) << "#!/bin/sh\nprintf '%s\\n' \"$1\" >> '" << (root_ / "opened-urls.txt").string() << "'\n";
    fs::permissions(script,
                    fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec | fs::perms::others_read |
                        fs::perms::others_exec);
}

std::vector<std::string> ProgramSandbox::OpenedUrls() const {
    std::vector<std::string> urls;
    std::ifstream in(root_ / "opened-urls.txt");
    for (std::string line; std::getline(in, line);)
        if (!line.empty()) urls.push_back(line);
    return urls;
}

// A process running this sandbox's URL handler (its script is an argument of
// the shell that runs it). The program hands a URL over by starting the
// handler, and the start returns once the handler runs.
bool ProgramSandbox::UrlHandlerRunning() const {
    const std::string script = (root_ / "fakebin" / "xdg-open").string();
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator("/proc", ec)) {
        const std::string pid = entry.path().filename().string();
        if (pid.find_first_not_of("0123456789") != std::string::npos) continue;
        std::ifstream in(entry.path() / "cmdline", std::ios::binary);
        for (std::string argument; std::getline(in, argument, '\0');)
            if (argument == script) return true;
    }
    return false;
}

std::vector<std::string> ProgramSandbox::OpenedUrlsWhenHandled() const {
    PollUntil([&] { return !UrlHandlerRunning(); });
    return OpenedUrls();
}

void ProgramSandbox::InstallWithBundle(const std::map<std::string, std::string>& bundleKeys) {
    fs::path bin = root_ / "install" / "bin", share = root_ / "install" / "share" / "quorrel";
    fs::create_directories(bin);
    fs::create_directories(share);
    fs::copy_file(QUORREL_BINARY, bin / "quorrel", fs::copy_options::overwrite_existing);
    fs::copy(QUORREL_SHARE_DIR, share, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    // The icon theme files beside it.
    fs::copy(fs::path(QUORREL_SHARE_DIR).parent_path() / "icons",
             share.parent_path() / "icons",
             fs::copy_options::recursive | fs::copy_options::overwrite_existing);

    quorrel::test::SetBundleKeys(share / "bundle.ini", bundleKeys);
    binary_ = bin / "quorrel";
}

void ProgramSandbox::UseGtkDesktop() {
    // The desktop's settings where GTK looks with XDG_CONFIG_HOME unset.
    for (const auto& [name, value] : quorrel::test::GtkDesktopEnvironment(Home() / ".config", root_ / "desktop"))
        environment_[name] = value;
}

std::unique_ptr<ChildProcess> ProgramSandbox::Start(const std::string& displayName) const {
    const char* path = std::getenv("PATH");
    ChildProcess::Environment env{
        {"HOME", Home().string()},
        {"DISPLAY", displayName.empty() ? std::nullopt : std::optional<std::string>(displayName)},
        {"PATH", (root_ / "fakebin").string() + ":" + (path ? path : "/usr/bin:/bin")},
        {"XDG_RUNTIME_DIR", (root_ / "runtime").string()},
        // The user's own settings must not leak into the run.
        {"XDG_CONFIG_HOME", std::nullopt},
        {"XDG_DOCUMENTS_DIR", std::nullopt},
        {"XDG_CURRENT_DESKTOP", std::nullopt},
        {"DESKTOP_SESSION", std::nullopt},
        {"BROWSER", std::nullopt},
        {"DEFAULT_BROWSER", std::nullopt},
        {"QT_QPA_PLATFORM", std::nullopt},
        {"WAYLAND_DISPLAY", std::nullopt},
        {"DBUS_SESSION_BUS_ADDRESS", std::nullopt},
        {"http_proxy", std::nullopt},
        {"HTTP_PROXY", std::nullopt},
        {"all_proxy", std::nullopt},
        {"no_proxy", "127.0.0.1,localhost"},
        {"QT_QPA_PLATFORMTHEME", std::nullopt},
        {"FONTCONFIG_FILE", std::nullopt},
    };
    for (const auto& [name, value] : environment_) env[name] = value;
    return std::make_unique<ChildProcess>(
        std::vector<std::string>{binary_.string()}, env, StdoutPath().string(), StderrPath().string());
}

}  // namespace e2e
