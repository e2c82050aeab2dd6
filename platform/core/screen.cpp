// Screens, screen capture and the global input state, over the backend.
#include "platform/backend.h"
#include "platform/framework.h"

#include <new>

namespace fw {
namespace {

// A capture that runs out of memory got nothing: nil, as when nothing was
// captured, so that the program goes on.
template <typename Capture>
std::shared_ptr<Picture> PictureOf(const Capture& capture) {
    try {
        PixelImage image = capture();
        if (image.width <= 0 || image.height <= 0) return nullptr;
        return std::make_shared<Picture>(std::move(image), CurrentBackend().Now());
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

}  // namespace

std::shared_ptr<ScreenInfo> ScreenInfo::mainScreen() { return std::make_shared<ScreenInfo>(); }

double ScreenInfo::backingScaleFactor() const { return CurrentBackend().BackingScaleFactor(); }

std::shared_ptr<Picture> ScreenshotDisplay(int32_t index) {
    CheckMainThread();
    return PictureOf([&] { return CurrentBackend().CaptureDisplay(index); });
}

std::shared_ptr<Picture> ScreenshotRect(int32_t left, int32_t top, int32_t width, int32_t height) {
    CheckMainThread();
    // A negative size extends from the corner to the left or up.
    int64_t l = left, t = top, w = width, h = height;
    if (w < 0) {
        l += w;
        w = -w;
    }
    if (h < 0) {
        t += h;
        h = -h;
    }
    auto fit = [](int64_t v) {
        return static_cast<int32_t>(v < INT32_MIN ? INT32_MIN : v > INT32_MAX ? INT32_MAX : v);
    };
    return PictureOf([&] { return CurrentBackend().CaptureRect(fit(l), fit(t), fit(w), fit(h)); });
}

bool _Keyboard::AsyncOptionKey() const {
    CheckMainThread();
    return CurrentBackend().OptionKeyDown();
}
bool _Keyboard::AsyncOSKey() const {
    CheckMainThread();
    return CurrentBackend().OSKeyDown();
}
bool _SystemClass::MouseDown() const {
    CheckMainThread();
    return CurrentBackend().MouseButtonDown();
}
int32_t _SystemClass::MouseX() const {
    CheckMainThread();
    return CurrentBackend().MouseX();
}
int32_t _SystemClass::MouseY() const {
    CheckMainThread();
    return CurrentBackend().MouseY();
}

std::shared_ptr<_Keyboard> getKeyboardObject() {
    static const auto keyboard = std::make_shared<_Keyboard>();
    return keyboard;
}
std::shared_ptr<_SystemClass> getSystemObject() {
    static const auto system = std::make_shared<_SystemClass>();
    return system;
}

}  // namespace fw
