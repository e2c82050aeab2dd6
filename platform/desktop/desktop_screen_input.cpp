// Global input and the screens: Xlib through the native pieces, in logical
// points (device pixels divided by the primary screen's scale) from the main
// display's top-left corner, as the windows' positions count.
#include "platform/desktop/desktop_backend.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <climits>
#include <cmath>

namespace desktop {

// The position costs a round trip, so it is asked for only when read; MouseX
// and MouseY read together share one. The held keys and button come from the
// input's own state, without a round trip where the server has XInput2.
const native::PointerPosition& DesktopBackend::Pointer() {
    const auto now = std::chrono::steady_clock::now();
    if (!pointerValid_ || now - pointerAt_ >= std::chrono::milliseconds(1)) {
        if (input_) {
            pointer_ = input_->Position();
            ++inputQueries_;
        }
        pointerAt_ = now;
        pointerValid_ = true;
    }
    return pointer_;
}

bool DesktopBackend::OptionKeyDown() { return input_ && input_->Held().alt; }
bool DesktopBackend::OSKeyDown() { return input_ && input_->Held().super; }
// A press on another X screen of the display is no press on ours: its
// position would name a point here that was never clicked. The round trip
// that tells is made only while the button is down.
bool DesktopBackend::MouseButtonDown() { return input_ && input_->Held().button1 && Pointer().onScreen; }
int32_t DesktopBackend::MouseX() {
    return static_cast<int32_t>(std::floor((Pointer().x - MainDisplay().x) / BackingScaleFactor()));
}
int32_t DesktopBackend::MouseY() {
    return static_cast<int32_t>(std::floor((Pointer().y - MainDisplay().y) / BackingScaleFactor()));
}

native::MonitorRect DesktopBackend::MainDisplay() {
    native::X11Capture* capture = Capture();
    return capture ? capture->MainDisplay() : native::MonitorRect{};
}

double DesktopBackend::BackingScaleFactor() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double scale = screen ? screen->devicePixelRatio() : 1.0;
    return scale > 0 ? scale : 1.0;
}

native::X11Capture* DesktopBackend::Capture() {
    if (!captureTried_) {
        captureTried_ = true;
        capture_ = native::X11Capture::Open();
    }
    return capture_.get();
}

namespace {
constexpr const char* kScreenUnreadable =
    "Quorrel cannot read the screen of this desktop, so no picture was taken. "
    "Screenshots need an X11 session: under Wayland, choose an X11 session when you log in.";
}  // namespace

// A capture where the server will not give the screen is none, never a
// black picture; the user hears why once in a run, not at every tick of an
// automatic capture.
native::X11Capture* DesktopBackend::ReadableCapture() {
    native::X11Capture* capture = Capture();
    if (!capture || capture->ScreenReadable()) return capture;
    if (!toldScreenUnreadable_) {
        toldScreenUnreadable_ = true;
        RunMessageBox(kScreenUnreadable);
    }
    return nullptr;
}

namespace {
fw::PixelImage ToPixelImage(native::Image&& image) {
    fw::PixelImage out;
    out.width = image.width;
    out.height = image.height;
    out.pixels = std::move(image.pixels);
    return out;
}
}  // namespace

fw::PixelImage DesktopBackend::CaptureDisplay(int32_t index) {
    native::X11Capture* capture = ReadableCapture();
    if (!capture) return {};
    return ToPixelImage(capture->CaptureDisplay(index));
}

fw::PixelImage DesktopBackend::CaptureRect(int32_t left, int32_t top, int32_t width, int32_t height) {
    native::X11Capture* capture = ReadableCapture();
    if (!capture || width <= 0 || height <= 0) return {};
    const double scale = BackingScaleFactor();
    // The corner is in points. At scale 2 the program has already doubled the
    // size into device pixels; at any other scale the size is in points too.
    const double sizeScale = scale == 2.0 ? 1.0 : scale;
    const native::MonitorRect main = MainDisplay();
    // Widened: a corner far off the screen must not wrap onto it.
    const auto x = static_cast<int32_t>(std::clamp<int64_t>(main.x + std::lround(left * scale), INT32_MIN, INT32_MAX));
    const auto y = static_cast<int32_t>(std::clamp<int64_t>(main.y + std::lround(top * scale), INT32_MIN, INT32_MAX));
    const auto w = static_cast<int32_t>(std::lround(width * sizeScale));
    const auto h = static_cast<int32_t>(std::lround(height * sizeScale));
    if (w <= 0 || h <= 0) return {};
    return ToPixelImage(capture->CaptureArea(x, y, w, h));
}

}  // namespace desktop
