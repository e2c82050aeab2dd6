// The desktop tests run the program in this process over the real desktop
// backend: Qt on X11, on a private Xvfb that lives as long as the tests.
#include "tests/e2e/xvfb_server.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();  // listing needs no display
    std::string logDir = (std::filesystem::temp_directory_path() / "quorrel-desktop-XXXXXX").string();
    if (!mkdtemp(logDir.data())) return 1;
    auto xvfb = std::make_unique<e2e::XvfbServer>(1280, 800, logDir);
    setenv("DISPLAY", xvfb->DisplayName().c_str(), 1);
    // The platform the real binary forces.
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    int qtArgc = 1;
    char* qtArgv[] = {argv[0], nullptr};
    int status = 0;
    {
        QApplication app(qtArgc, qtArgv);
        status = RUN_ALL_TESTS();
    }
    xvfb.reset();
    std::error_code ec;
    std::filesystem::remove_all(logDir, ec);
    return status;
}
