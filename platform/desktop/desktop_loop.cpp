// The backend's event loop: Qt's, with a QTimer per framework timer and a
// QSocketNotifier per watched descriptor; the end of the user's session (a
// signal, or an exit() inside the loop when the X server goes away).
#include "platform/desktop/desktop_backend.h"

#include "platform/desktop/design_faces.h"
#include "platform/desktop/native/x_connection_loss.h"
#include "platform/desktop/qt_conversions.h"
#include "platform/desktop/session_signals.h"
#include "platform/desktop/window_peer.h"

#include <QApplication>
#include <QIcon>
#include <QPixmapCache>
#include <QSocketNotifier>
#include <QTimer>

#include <malloc.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <thread>
#include <utility>

namespace desktop {
namespace {

// The backend whose loop runs, and the thread that runs it.
DesktopBackend* running = nullptr;
std::thread::id loopThread;
// What an end without the display lets go of without closing: closing would
// talk to a server that is gone. Kept here, they are not leaks.
native::X11Input* abandonedInput = nullptr;
native::X11Capture* abandonedCapture = nullptr;

// Runs before the exit handlers of what was made before the loop, after
// those of what the loop made: the statics that the end reaches are never
// destroyed, and without the display it touches nothing of Qt's.
void ExitDuringLoop() {
    DesktopBackend* backend = std::exchange(running, nullptr);
    if (backend && std::this_thread::get_id() == loopThread) backend->EndWithoutDisplay();
}

}  // namespace

DesktopBackend::DesktopBackend(std::unique_ptr<native::X11Input> input) : input_(std::move(input)) {
    // Memory that a long run gives back. A fixed mapping threshold: glibc
    // would raise it after the first large block is freed, and the captures'
    // and encoders' blocks of some MB would then stay in the heaps after each
    // capture, a little more each time; mapped, each is given back when
    // freed. One arena: the encoder's workers live for one write each, and
    // each new one could otherwise open another arena that keeps what it used.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
    mallopt(M_ARENA_MAX, 1);
    // No pixmap cache: the style keys what it caches by the widget's palette,
    // and every window made anew resolves new palettes, so each opening of a
    // window with a scroll bar left pixmaps and their keys that no later one
    // could use. Painting them again costs next to nothing here.
    QPixmapCache::setCacheLimit(0);
    // Closing the last window ends nothing by itself: the program decides.
    QApplication::setQuitOnLastWindowClosed(false);
    // Every window and dialog of ours carries the application icon.
    QApplication::setWindowIcon(ApplicationIcon());
    // Before any window: its texts are measured in these faces.
    LoadDesignFaces(ResourcesFolder());
    // After Qt and the platform theme set up theirs: a lost X server must
    // reach the exit handlers.
    native::ExitOnConnectionLoss();
    if (session::SignalPipe() >= 0) {
        signals_ = new QSocketNotifier(session::SignalPipe(), QSocketNotifier::Read);
        QObject::connect(signals_, &QSocketNotifier::activated, signals_, [] {
            if (session::TakeSignals()) Deliver([] { fw::PeerAccess::SessionEnded(); });
        });
    }
    // A message box may be what tells of low memory, and the toolkit copies a
    // window's icon at every size into one buffer as the window is made: the
    // boxes get the small sizes only, a few KiB that the heap has at hand
    // (the large ones would need a fresh mapping).
    messageIcon_ = ApplicationIcon(48);
}

DesktopBackend::~DesktopBackend() { Shutdown(); }

void DesktopBackend::EndWithoutDisplay() {
    withoutDisplay_ = true;
    abandonedInput = input_.release();
    abandonedCapture = capture_.release();
    captureTried_ = true;
    AbandonAllWindowWidgets();
    Deliver([] { fw::PeerAccess::SessionEnded(); });
    try {
        if (endOfProcess_) endOfProcess_();
    } catch (...) {
        // Inside exit() nothing may escape; what was saved stays saved.
    }
}

void DesktopBackend::Shutdown() {
    session::RestoreSignals();
    // Without the display, Qt's objects are left as they are: deleting them
    // would reach for the X server.
    const bool qtAlive = QCoreApplication::instance() != nullptr && !withoutDisplay_;
    if (qtAlive) delete signals_;
    signals_ = nullptr;
    for (auto& [id, timer] : timers_)
        if (qtAlive) delete timer;
    timers_.clear();
    for (auto& [id, watch] : watches_) {
        if (!qtAlive) continue;
        delete watch.read;
        delete watch.write;
    }
    watches_.clear();
    if (qtAlive) ReleaseAllWindowWidgets();
}

fw::Backend::TimerId DesktopBackend::StartTimer(int64_t ms, bool repeat, std::function<void()> fn) {
    const TimerId id = nextId_++;
    if (withoutDisplay_) return id;  // the loop will not run again
    auto* timer = new QTimer();
    timer->setTimerType(Qt::PreciseTimer);
    timer->setSingleShot(!repeat);
    QObject::connect(timer, &QTimer::timeout, timer, [this, id, repeat, fn = std::move(fn)] {
        // A timer stopped by its own call is deleted later, with this lambda
        // and fn, so fn can run in place: no copy on the 10 ms path.
        if (!repeat) StopTimer(id);
        Deliver(fn);
    });
    timers_[id] = timer;
    timer->start(static_cast<int>(std::clamp<int64_t>(ms, 0, INT32_MAX)));
    return id;
}

void DesktopBackend::StopTimer(TimerId id) {
    auto it = timers_.find(id);
    if (it == timers_.end() || withoutDisplay_) return;
    it->second->stop();
    it->second->deleteLater();  // it may be the one whose timeout is running
    timers_.erase(it);
}

fw::Backend::WatchId DesktopBackend::WatchFd(int fd, fw::FdInterest interest, std::function<void(bool, bool)> fn) {
    const WatchId id = nextId_++;
    if (withoutDisplay_) return id;
    Watch watch;
    auto make = [&](QSocketNotifier::Type type, bool readable) {
        auto* n = new QSocketNotifier(fd, type);
        QObject::connect(n, &QSocketNotifier::activated, n, [fn, readable] {
            auto call = fn;
            Deliver([&] { call(readable, !readable); });
        });
        return n;
    };
    if (interest.read) watch.read = make(QSocketNotifier::Read, true);
    if (interest.write) watch.write = make(QSocketNotifier::Write, false);
    watches_[id] = watch;
    return id;
}

void DesktopBackend::UnwatchFd(WatchId id) {
    auto it = watches_.find(id);
    if (it == watches_.end() || withoutDisplay_) return;
    for (QSocketNotifier* n : {it->second.read, it->second.write}) {
        if (!n) continue;
        n->setEnabled(false);
        n->deleteLater();
    }
    watches_.erase(it);
}

void DesktopBackend::Run(std::function<void()> started) {
    if (quitRequested_) return;  // a quit before the loop ran: nothing to run
    // Registered now, so that it runs before the exit handlers of the runtime
    // and the backend, which were made before the loop.
    static const bool exitHandled = std::atexit(&ExitDuringLoop) == 0;
    if (exitHandled) {
        running = this;
        loopThread = std::this_thread::get_id();
    }
    QTimer::singleShot(0, QCoreApplication::instance(), [started = std::move(started)] { Deliver(started); });
    QApplication::exec();
    running = nullptr;
}

void DesktopBackend::Quit() {
    quitRequested_ = true;
    if (withoutDisplay_) return;
    // Ends every running loop, a modal's included; a modal opened after
    // this returns at once.
    QCoreApplication::exit(0);
}

std::chrono::system_clock::time_point DesktopBackend::Now() { return std::chrono::system_clock::now(); }

}  // namespace desktop
