// The process entry of the real binary: the desktop backend over Qt, then the
// program. Without an X display there is nothing to show: say so and stop.
#include "app/startup.h"
#include "platform/desktop/desktop_backend.h"
#include "platform/desktop/native/x11_monitors.h"
#include "platform/desktop/session_signals.h"

#include <QApplication>

#include <csignal>
#include <cstdio>
#include <cstdlib>

int main(int, char** argv) {
    // A file-size limit makes a write fail with EFBIG, which the writers
    // report like a full disk, instead of ending the program.
    std::signal(SIGXFSZ, SIG_IGN);
    // A logout's SIGHUP or SIGTERM, or Ctrl+C, is taken by the event loop
    // once it runs; one that comes earlier waits for it.
    desktop::session::CatchSignals();
    auto input = native::X11Input::Open();
    if (!input) {
        const char* display = std::getenv("DISPLAY");
        std::fprintf(stderr,
                     "quorrel: cannot open the X display \"%s\"%s\n",
                     display ? display : "",
                     display && *display ? "" : " (DISPLAY is not set)");
        return 1;
    }
    // The program is an X11 application; it reads no options of its own.
    qputenv("QT_QPA_PLATFORM", "xcb");
    // Where RandR names no monitor, Qt would take the screen for an empty
    // one and pop its menus up at the corner, squeezed: let it see the root
    // window instead.
    if (!native::RandrNamesMonitors()) qputenv("QT_XCB_NO_XRANDR", "1");
    int qtArgc = 1;
    char* qtArgv[] = {argv[0], nullptr};
    QApplication app(qtArgc, qtArgv);
    QApplication::setApplicationName(QStringLiteral("Quorrel"));

    auto backend = std::make_unique<desktop::DesktopBackend>(std::move(input));
    desktop::DesktopBackend* desktopBackend = backend.get();
    fw::InstallBackend(std::move(backend));
    // When the process exits inside the loop, the windows have been closed
    // (the preferences saved); what main does after the loop follows there.
    desktopBackend->SetEndOfProcess([] {
        quorrel::ReleaseModuleGlobals();
        fw::RuntimeExit();
    });
    const int status = quorrel::main();
    // Qt's objects go while Qt is still there; the backend itself stays
    // installed until the framework lets it go.
    desktopBackend->Shutdown();
    return status;
}
