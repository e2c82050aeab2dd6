// The desktop backend: Qt's event loop and widgets over the X server, with
// global input and capture through Xlib and sound through ALSA.
#pragma once

#include "platform/backend.h"
#include "platform/desktop/native/x11_capture.h"
#include "platform/desktop/native/x11_input.h"
#include "platform/framework.h"

#include <QIcon>

#include <chrono>
#include <map>
#include <memory>

class QTimer;
class QSocketNotifier;

namespace desktop {

class DesktopBackend : public fw::Backend {
public:
    // input: the connection that proved the display can be opened.
    explicit DesktopBackend(std::unique_ptr<native::X11Input> input);
    ~DesktopBackend() override;
    // Lets go of every Qt object while the QApplication still exists.
    void Shutdown();
    // What ends the program when the process exits while the loop runs (the
    // X server gone: Xlib and Qt then call exit()). It runs after the
    // session's end has closed the windows, with the display out of use.
    void SetEndOfProcess(std::function<void()> end) { endOfProcess_ = std::move(end); }
    // The process is exiting inside the loop: from here on nothing touches
    // Qt's windows or the X server; the windows close and the program ends.
    void EndWithoutDisplay();

    TimerId StartTimer(int64_t ms, bool repeat, std::function<void()> fn) override;
    void StopTimer(TimerId id) override;
    WatchId WatchFd(int fd, fw::FdInterest interest, std::function<void(bool, bool)> fn) override;
    void UnwatchFd(WatchId id) override;
    void Run(std::function<void()> started) override;
    void Quit() override;
    std::chrono::system_clock::time_point Now() override;

    std::unique_ptr<fw::WindowPeer> CreateWindowPeer(fw::Window& window) override;

    void RunMessageBox(const std::string& text) override;
    int RunMessageDialog(fw::MessageDialog& dialog) override;
    std::unique_ptr<fw::PrintJobPeer> RunPrinterDialog() override;
    std::unique_ptr<fw::StyledTextPrinterPeer> CreateStyledTextPrinter(fw::TextArea& area, fw::PrintJobPeer& job,
                                                                       double lineWidth) override;

    void Beep() override;
    void ShowURL(const std::string& url) override;
    std::unique_ptr<fw::SoundPeer> OpenSound(const std::string& path) override;

    bool OptionKeyDown() override;
    bool OSKeyDown() override;
    bool MouseButtonDown() override;
    int32_t MouseX() override;
    int32_t MouseY() override;

    double BackingScaleFactor() override;
    fw::PixelImage CaptureDisplay(int32_t index) override;
    fw::PixelImage CaptureRect(int32_t left, int32_t top, int32_t width, int32_t height) override;

    std::string DocumentsPath() override;
    std::string PreferencesPath() override;
    std::string ResourcesPath() override;
    static std::string ResourcesFolder();  // share/quorrel beside bin/; empty when missing

    // What is held now, and when Super last went down (native::HeldState).
    native::HeldState Held() { return input_ ? input_->Held() : native::HeldState{}; }

    // How many X round trips the input reads cost so far (for the idle bench).
    uint64_t InputQueries() const { return inputQueries_; }

private:
    // The pointer position: one round trip serves MouseX and MouseY read
    // within the same millisecond (keys and button come from events).
    const native::PointerPosition& Pointer();
    native::X11Capture* Capture();
    // The capture, or nil where the screen cannot be read (said once).
    native::X11Capture* ReadableCapture();
    // The main display, in device pixels on the root window.
    native::MonitorRect MainDisplay();

    struct Watch {
        QSocketNotifier* read = nullptr;
        QSocketNotifier* write = nullptr;
    };
    std::map<TimerId, QTimer*> timers_;
    std::map<WatchId, Watch> watches_;
    uint64_t nextId_ = 1;
    bool quitRequested_ = false;
    bool withoutDisplay_ = false;
    QSocketNotifier* signals_ = nullptr;
    std::function<void()> endOfProcess_;

    std::unique_ptr<native::X11Input> input_;
    native::PointerPosition pointer_;
    std::chrono::steady_clock::time_point pointerAt_{};
    bool pointerValid_ = false;
    uint64_t inputQueries_ = 0;

    std::unique_ptr<native::X11Capture> capture_;
    bool captureTried_ = false;
    bool toldScreenUnreadable_ = false;

    // The icon of the message boxes, made at start: see the constructor.
    QIcon messageIcon_;
};

// The application icon from the installed icon theme files, in the sizes up
// to `largest` pixels, read at once (empty when missing).
QIcon ApplicationIcon(int largest = 256);

}  // namespace desktop
