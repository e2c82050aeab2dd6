// The test backend: a virtual clock that tests advance, scripted global input
// and screen, scripted answers for modal runs, a recording printer; it records
// what the program asked of it. Tests include this header (program code never).
#pragma once

#include "platform/backend.h"
#include "platform/framework.h"

#include <chrono>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace fw::headless {

class Headless;

// What a modal run showed, handed to the test's script for an answer.
struct ModalRequest {
    enum class Kind { MessageBox, MessageDialog, PrinterDialog } kind;
    std::string text;                 // the message box's text
    MessageDialog* dialog = nullptr;  // the dialog, for MessageDialog
};
// The answer: for a message dialog 0 action, 1 cancel, 2 alternate; for the
// printer dialog true = print (and printRefusal, the job then refused). A
// script may advance the clock while the modal is "open" (timers fire inside
// the modal run, as on the desktop).
struct ModalAnswer {
    int button = 0;
    bool print = true;
    std::string printRefusal;  // not empty: the print system refuses the job with these words
};
using ModalScript = std::function<ModalAnswer(Headless&, const ModalRequest&)>;

// One call recorded on the print job.
struct PrintCall {
    std::string op;  // "font", "size", "color", "bold", "string", "nextpage", "block", "finish"
    std::string text;
    double x = 0, y = 0, extra = 0;
};

struct Recorded {
    std::vector<std::string> messageBoxes;
    std::vector<std::string> dialogs;  // each dialog's message
    std::vector<std::string> urls;
    int beeps = 0;
    std::vector<std::string> soundsOpened;  // paths asked for
    int soundsPlayed = 0;
    std::vector<std::pair<int32_t, int32_t>> capturesDisplay;  // (index, 0)
    struct Rect {
        int32_t left, top, width, height;
    };
    std::vector<Rect> capturesRect;  // as the backend got them (a negative size already turned)
    std::vector<PrintCall> print;
};

class Headless : public Backend {
public:
    Headless();
    ~Headless() override;

    // --- the clock --------------------------------------------------------
    // Advances virtual time by ms, firing due timers in order (a timer due at
    // the same moment as another fires in the order it was started).
    void Advance(int64_t ms);
    int64_t Elapsed() const;  // virtual ms since the backend was made
    // The wall-clock moment that virtual time 0 stands for.
    void SetWallClock(std::chrono::system_clock::time_point t0);
    // Once the application has quit, the clock still moves but no timer fires.
    // Runs real time until pred() holds or timeoutMs passes, polling fd watches
    // and firing timers whose virtual time has come (virtual time follows real
    // time here). Returns pred().
    bool RunUntil(const std::function<bool()>& pred, int64_t timeoutMs);

    // --- the script ---------------------------------------------------------
    // Run() raises started() then calls the script; when the script returns
    // without a quit, Run returns as if the application had quit.
    void SetScript(std::function<void(Headless&)> script);
    void SetModalScript(ModalScript script);  // default: dismiss / action / print

    // --- scripted input and screen -----------------------------------------
    void SetKeys(bool option, bool command);
    void SetMouse(int32_t x, int32_t y, bool down);
    void SetScreen(PixelImage image, double scale = 1.0);
    void SetCaptureFails(bool fails);  // captures give no picture
    void SetResourcesPath(std::string path);
    void SetDocumentsPath(std::string path);    // default: from HOME as the desktop does
    void SetPreferencesPath(std::string path);  // default: from HOME as the desktop does
    // Lines per printed block of the text printer (the headless page model).
    void SetPrintLinesPerBlock(int lines);

    // --- user actions (through the same entry points the desktop peers use) --
    // A user action on a hidden or disabled control, or after the quit, does nothing.
    void Click(const std::shared_ptr<Window>& w, const std::string& control);  // check box, button
    void PressUp(const std::shared_ptr<Window>& w, const std::string& control);
    void PressDown(const std::shared_ptr<Window>& w, const std::string& control);
    void CloseWindow(const std::shared_ptr<Window>& w);  // the close button
    void EndSession();                                   // a signal or a logout: as the desktop backend reports it
    void Minimize(const std::shared_ptr<Window>& w);
    void Restore(const std::shared_ptr<Window>& w);
    void MoveWindow(const std::shared_ptr<Window>& w, int32_t top, int32_t left);
    bool ChooseMenu(const std::string& itemName);

    Recorded& Log() { return log_; }
    bool Quitting() const;

    // --- Backend ------------------------------------------------------------
    TimerId StartTimer(int64_t ms, bool repeat, std::function<void()> fn) override;
    void StopTimer(TimerId id) override;
    WatchId WatchFd(int fd, FdInterest interest, std::function<void(bool, bool)> fn) override;
    void UnwatchFd(WatchId id) override;
    void Run(std::function<void()> started) override;
    void Quit() override;
    std::chrono::system_clock::time_point Now() override;
    std::unique_ptr<WindowPeer> CreateWindowPeer(Window& window) override;
    void RunMessageBox(const std::string& text) override;
    int RunMessageDialog(MessageDialog& dialog) override;
    std::unique_ptr<PrintJobPeer> RunPrinterDialog() override;
    std::unique_ptr<StyledTextPrinterPeer> CreateStyledTextPrinter(TextArea& area, PrintJobPeer& job,
                                                                   double lineWidth) override;
    void Beep() override;
    void ShowURL(const std::string& url) override;
    std::unique_ptr<SoundPeer> OpenSound(const std::string& path) override;
    bool OptionKeyDown() override;
    bool OSKeyDown() override;
    bool MouseButtonDown() override;
    int32_t MouseX() override;
    int32_t MouseY() override;
    double BackingScaleFactor() override;
    PixelImage CaptureDisplay(int32_t index) override;
    PixelImage CaptureRect(int32_t left, int32_t top, int32_t width, int32_t height) override;
    std::string DocumentsPath() override;
    std::string PreferencesPath() override;
    std::string ResourcesPath() override;

    // Counts of input reads, so that tests can see the poll stays cheap.
    int optionReads = 0, osReads = 0, mouseReads = 0;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
    Recorded log_;
};

// A window's headless peer: records what the core asked of it and keeps the
// window's position (as the user left it).
class HeadlessWindowPeer : public WindowPeer {
public:
    explicit HeadlessWindowPeer(Window& window);
    void Changed(const std::string& property) override;
    void ControlChanged(RectControl& control, const std::string& property) override;
    void Refresh(RectControl& control) override;
    void MenuChanged() override;
    void Show() override;
    void SetFocus() override;
    void Close() override;
    int32_t CurrentTop() override { return top; }
    int32_t CurrentLeft() override { return left; }

    std::vector<std::string> changed;                                 // window properties, in order
    std::vector<std::pair<std::string, std::string>> controlChanged;  // (control name, property)
    std::vector<std::string> refreshed;                               // control names
    int menuChanges = 0, shows = 0, focuses = 0;
    bool closed = false, minimized = false;
    int32_t top = 0, left = 0;

private:
    Window& window_;
};
// The headless peer of an open window, or nullptr.
HeadlessWindowPeer* PeerOf(const std::shared_ptr<Window>& w);

// Installs a new Headless backend and returns it (owned by the framework).
// It replaces the backend before it and resets the runtime.
Headless& InstallNew();

}  // namespace fw::headless
