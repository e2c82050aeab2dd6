// Runs the whole program (quorrel::main) on a fresh headless backend, with
// HOME in a temporary folder of its own.
//
// Use:
//   class MyTest : public quorrel::test::ProgramFixture {};
//   TEST_F(MyTest, Something) {
//       WritePrefs("#MyPeriod 60\n");          // optional, before the run
//       hl().SetScreen(SolidScreen(64, 48, 0x102030));
//       int status = Run([&](fw::headless::Headless& h) {
//           auto panel = ControlPanel();       // the open Control Panel
//           h.Advance(10);                     // timers fire on the virtual clock
//           h.CloseWindow(panel);              // quits the program
//       });
//   }
//
// Layout of the temporary HOME: Documents/ (the Documents folder), .config/
// (XDG_CONFIG_HOME, the Preferences folder) and resources/ (a copy of the
// built resources folder: bundle.ini, Shutter.wav). TZ is UTC for the test, so
// that WallClock() (tests/support) gives the moment that the program's
// dates then show.
//
// A second run in the same test (say, to read back the preferences) calls
// NewBackend() first: each run needs a backend of its own; HOME is kept.
#pragma once

#include "platform/framework.h"
#include "platform/headless/headless.h"
#include "tests/support/wall_clock.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace quorrel::test {

namespace fs = std::filesystem;

class ProgramFixture : public ::testing::Test {
protected:
    void SetUp() override {
        SaveEnv("HOME");
        SaveEnv("XDG_CONFIG_HOME");
        SaveEnv("TZ");
        std::string pattern = (fs::temp_directory_path() / "quorrel-logic-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        home_ = pattern;
        fs::create_directories(DocumentsDir());
        fs::create_directories(PrefsDir());
        fs::create_directories(ResourcesDir());
        for (const auto& entry : fs::directory_iterator(QUORREL_SHARE_DIR))
            fs::copy(entry.path(), ResourcesDir() / entry.path().filename(), fs::copy_options::recursive);
        setenv("HOME", home_.c_str(), 1);
        setenv("XDG_CONFIG_HOME", PrefsDir().c_str(), 1);
        setenv("TZ", "UTC", 1);
        tzset();
        NewBackend();
    }

    void TearDown() override {
        fw::headless::InstallNew();  // drops the run's windows and objects
        for (auto& [name, value] : savedEnv_) {
            if (value) setenv(name.c_str(), value->c_str(), 1);
            else unsetenv(name.c_str());
        }
        tzset();
        std::error_code ec;
        fs::remove_all(home_, ec);
    }

    // --- the backend and the run --------------------------------------------
    // Installs a fresh headless backend (resources pointed at the copy).
    fw::headless::Headless& NewBackend() {
        backend_ = &fw::headless::InstallNew();
        backend_->SetResourcesPath(ResourcesDir().string());
        return *backend_;
    }
    fw::headless::Headless& hl() { return *backend_; }

    // Runs quorrel::main() with the script (the event loop's body) and gives
    // the exit status. The modal script, screen, keys and wall clock are set
    // on hl() before.
    int Run(std::function<void(fw::headless::Headless&)> script) {
        backend_->SetScript(std::move(script));
        return quorrel::main();
    }

    // The open Control Panel (nil when none is open).
    static std::shared_ptr<fw::Window> ControlPanel() { return fw::RuntimeGetImplicitWindow("Window1.Window1"); }

    // --- screen -------------------------------------------------------------
    // A screen of one colour (0xRRGGBB).
    static fw::PixelImage SolidScreen(int32_t width, int32_t height, uint32_t rgb) {
        fw::PixelImage image;
        image.width = width;
        image.height = height;
        image.pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height), rgb);
        return image;
    }

    // --- files --------------------------------------------------------------
    const fs::path& Home() const { return home_; }
    fs::path DocumentsDir() const { return home_ / "Documents"; }
    fs::path PrefsDir() const { return home_ / ".config"; }
    fs::path ResourcesDir() const { return home_ / "resources"; }
    fs::path PrefsPath() const { return PrefsDir() / "quorrel.txt"; }
    fs::path ScreenshotsDir() const { return DocumentsDir() / "QuorrelScreenshots"; }

    // Writes the preferences file with exactly these bytes.
    void WritePrefs(const std::string& bytes) const { WriteFile(PrefsPath(), bytes); }
    // The preferences file's bytes, or nothing when there is no file.
    std::optional<std::string> ReadPrefs() const { return ReadFile(PrefsPath()); }
    // The names in the screenshots folder, sorted (empty when it is missing).
    std::vector<std::string> ListScreenshots() const {
        std::vector<std::string> names;
        std::error_code ec;
        if (!fs::is_directory(ScreenshotsDir(), ec)) return names;
        for (const auto& entry : fs::directory_iterator(ScreenshotsDir()))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    static void WriteFile(const fs::path& path, const std::string& bytes) {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << bytes;
    }
    static std::optional<std::string> ReadFile(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        if (!in) return std::nullopt;
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

private:
    void SaveEnv(const char* name) {
        const char* value = getenv(name);
        savedEnv_.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
    }

    fs::path home_;
    fw::headless::Headless* backend_ = nullptr;
    std::vector<std::pair<std::string, std::optional<std::string>>> savedEnv_;
};

}  // namespace quorrel::test
