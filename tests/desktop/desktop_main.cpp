// The desktop tests run the program in this process over the real desktop
// backend: Qt on X11, on a private Xvfb that lives as long as the tests.
//
// With --gtk-desktop they run as on a GNOME desktop (Qt's GTK platform theme
// with a large desktop font), with no font of the system's but that one.
#include "tests/e2e/xvfb_server.h"
#include "tests/support/gtk_desktop.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>

namespace {

// The desktop is as asked for before a test runs, or the run says why not.
bool DesktopIsGtkThemed() {
    const QFontInfo font(QApplication::font());
    if (font.family() != QLatin1String(quorrel::test::kGtkDesktopFontFamily) || font.pointSize() < 16) {
        std::fprintf(
            stderr,
            "the GTK theme did not apply: the desktop font is %s %d pt (is qt6-gtk-platformtheme installed?)\n",
            qPrintable(font.family()),
            font.pointSize());
        return false;
    }
    for (const char* family : {"DejaVu Sans", "Liberation Sans", "Liberation Mono"})
        if (QFontDatabase::hasFamily(QString::fromLatin1(family))) {
            std::fprintf(stderr, "the system's %s is still there\n", family);
            return false;
        }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();  // listing needs no display
    bool gtkDesktop = false;
    for (int i = 1; i < argc; ++i) gtkDesktop = gtkDesktop || std::strcmp(argv[i], "--gtk-desktop") == 0;
    std::string logDir = (std::filesystem::temp_directory_path() / "quorrel-desktop-XXXXXX").string();
    if (!mkdtemp(logDir.data())) return 1;
    auto xvfb = std::make_unique<e2e::XvfbServer>(1280, 800, logDir);
    setenv("DISPLAY", xvfb->DisplayName().c_str(), 1);
    // The platform the real binary forces.
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    if (gtkDesktop) {
        const std::filesystem::path configHome = std::filesystem::path(logDir) / "config";
        for (const auto& [name, value] : quorrel::test::GtkDesktopEnvironment(configHome, logDir))
            setenv(name.c_str(), value.c_str(), 1);
        setenv("XDG_CONFIG_HOME", configHome.c_str(), 1);
    }
    int qtArgc = 1;
    char* qtArgv[] = {argv[0], nullptr};
    int status = 1;
    {
        QApplication app(qtArgc, qtArgv);
        if (!gtkDesktop || DesktopIsGtkThemed()) status = RUN_ALL_TESTS();
    }
    xvfb.reset();
    std::error_code ec;
    std::filesystem::remove_all(logDir, ec);
    return status;
}
