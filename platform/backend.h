// What a backend supplies to the framework core: the event loop, peers of the
// windows and controls, input state, screens and capture, sound, printing,
// URL opening and the beep. The core owns the model; a peer only shows it and
// reports what the user did through PeerAccess, which the program never sees.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace fw {

class Window;
class RectControl;
class MenuItem;
class TextArea;
class MessageDialog;
class CheckBox;
class PushButton;
class UpDownArrows;
class Graphics;
class PrintJobPeer;
struct CharStyle;
struct Color;
struct PixelImage;

// The model's entry points for backends only: what the user did, and what a
// peer needs of the model beyond the program's view of it.
struct PeerAccess {
    // --- windows ------------------------------------------------------------
    // The peer, or nullptr before the window is built (and after Close).
    static class WindowPeer* Peer(const Window& window);
    static void CloseRequested(Window& window);  // the user's close box
    static void Moved(Window& window, int32_t top, int32_t left);
    static void Restored(Window& window);  // un-minimised
    // The position the program last set or the peer last reported.
    static int32_t ModelTop(const Window& window);
    static int32_t ModelLeft(const Window& window);
    // The program set Top or Left; otherwise the platform places the window.
    static bool PositionSet(const Window& window);
    // Gone without any event (the framework's runtime reset).
    static void Discard(Window& window);
    // The user's session ends (a signal, a logout, the display gone): every
    // open window is closed as its close box would close it, the newest
    // first, and the application quits if none of their Close events did.
    // A call while one runs does nothing.
    static void SessionEnded();

    // --- controls -----------------------------------------------------------
    static void Toggled(CheckBox& box, bool value);  // sets Value, raises Action
    static void Pressed(PushButton& button);         // a click, or the default/cancel key
    static void Up(UpDownArrows& arrows);
    static void Down(UpDownArrows& arrows);
    static void Edited(TextArea& area, const std::string& text, const std::vector<CharStyle>& styles);
    static void Selection(TextArea& area, int32_t start, int32_t length);

    // --- menus and printing -------------------------------------------------
    // Called after any change below item; held weakly.
    static void AddListener(MenuItem& item, const std::shared_ptr<std::function<void()>>& listener);
    // The listeners item keeps, the expired ones still held included.
    static size_t ListenerCount(const MenuItem& item);
    static PrintJobPeer& Job(Graphics& graphics);
};

// A peer reflects one model object. The core calls Changed with the name of a
// property whenever it was set (the peer reads the new value from the model).
class WindowPeer {
public:
    virtual ~WindowPeer() = default;
    virtual void Changed(const std::string& property) = 0;  // a window property
    virtual void ControlChanged(RectControl& control, const std::string& property) = 0;
    virtual void Refresh(RectControl& control) = 0;  // redraw at once
    virtual void MenuChanged() = 0;                  // a menu item of its bar changed
    virtual void Show() = 0;                         // show and bring to front
    virtual void SetFocus() = 0;
    virtual void Close() = 0;  // the model closed: go away, raise nothing
    // The window's position as it stands now (the user may have moved it).
    virtual int32_t CurrentTop() = 0;
    virtual int32_t CurrentLeft() = 0;
};

// The print job that a confirmed printer dialog yields: one page at a time.
class PrintJobPeer {
public:
    virtual ~PrintJobPeer() = default;
    virtual void SetFont(const std::string& name) = 0;
    virtual void SetSize(double points) = 0;
    virtual void SetColor(const Color& c) = 0;
    virtual void SetBold(bool bold) = 0;
    virtual void DrawString(const std::string& text, double x, double y, double wrapWidth, bool condense) = 0;
    virtual void NextPage() = 0;
    virtual void Finish() = 0;  // the job's drawing context is let go: hand it to the printer
    // Empty while the job can print (after Finish: it was handed over);
    // otherwise why it did not, in words for the user.
    virtual std::string Failure() const = 0;
};

// Draws a text area's styled text onto a job, block by block.
class StyledTextPrinterPeer {
public:
    virtual ~StyledTextPrinterPeer() = default;
    virtual void DrawBlock(double x, double y, double height) = 0;
    virtual bool AtEnd() = 0;
};

class SoundPeer {
public:
    virtual ~SoundPeer() = default;
    virtual void Play() = 0;  // starts and returns
};

// One HTTP-independent watch on a file descriptor (used by the HTTP client).
struct FdInterest {
    bool read = false;
    bool write = false;
};

class Backend {
public:
    virtual ~Backend() = default;

    // --- event loop -------------------------------------------------------
    using TimerId = uint64_t;
    using WatchId = uint64_t;
    // Calls fn after ms milliseconds (once, or every ms when repeat), on the main thread.
    virtual TimerId StartTimer(int64_t ms, bool repeat, std::function<void()> fn) = 0;
    virtual void StopTimer(TimerId id) = 0;
    // Calls fn(readable, writable) on the main thread while the fd is ready.
    virtual WatchId WatchFd(int fd, FdInterest interest, std::function<void(bool, bool)> fn) = 0;
    virtual void UnwatchFd(WatchId id) = 0;
    // Runs the loop: calls started() once when it runs, returns after Quit.
    virtual void Run(std::function<void()> started) = 0;
    virtual void Quit() = 0;
    // Wall-clock now (the headless backend's is virtual).
    virtual std::chrono::system_clock::time_point Now() = 0;

    // --- peers -------------------------------------------------------------
    virtual std::unique_ptr<WindowPeer> CreateWindowPeer(Window& window) = 0;

    // --- modal runs (timers keep firing while they are open) ---------------
    virtual void RunMessageBox(const std::string& text) = 0;
    // Returns 0 for the action button, 1 for cancel, 2 for the alternate button.
    virtual int RunMessageDialog(MessageDialog& dialog) = 0;
    // nullptr when the user cancels.
    virtual std::unique_ptr<PrintJobPeer> RunPrinterDialog() = 0;
    virtual std::unique_ptr<StyledTextPrinterPeer> CreateStyledTextPrinter(TextArea& area, PrintJobPeer& job,
                                                                           double lineWidth) = 0;

    // --- desktop services --------------------------------------------------
    virtual void Beep() = 0;
    virtual void ShowURL(const std::string& url) = 0;
    virtual std::unique_ptr<SoundPeer> OpenSound(const std::string& path) = 0;  // nullptr: not a sound

    // --- global input, valid whatever application is in front --------------
    virtual bool OptionKeyDown() = 0;  // Alt
    virtual bool OSKeyDown() = 0;      // Super
    virtual bool MouseButtonDown() = 0;
    virtual int32_t MouseX() = 0;  // logical points
    virtual int32_t MouseY() = 0;

    // --- screens -------------------------------------------------------------
    virtual double BackingScaleFactor() = 0;
    // Empty image (width 0) when nothing can be captured.
    virtual PixelImage CaptureDisplay(int32_t index) = 0;
    virtual PixelImage CaptureRect(int32_t left, int32_t top, int32_t width, int32_t height) = 0;

    // --- folders (paths; empty when they cannot be obtained) ----------------
    virtual std::string DocumentsPath() = 0;
    virtual std::string PreferencesPath() = 0;
    virtual std::string ResourcesPath() = 0;
};

// The core's one backend, installed before RuntimeInit.
void InstallBackend(std::unique_ptr<Backend> backend);
Backend& CurrentBackend();
bool HasBackend();

}  // namespace fw
