// Screen capture over Xlib: the main display from X11Monitors, pixels through a reused XShm segment where the server
// offers it, else XGetImage.
#include "platform/desktop/native/x11_capture.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <sys/ipc.h>
#include <sys/mman.h>
#include <sys/shm.h>

#include <algorithm>
#include <cerrno>
#include <optional>

#include "platform/desktop/native/x_error_trap.h"
#include "platform/desktop/native/x_pixel_format.h"

namespace native {

namespace {

// What reserving the shared segment came to.
enum class Reservation { Ready, NoMemory, Refused };

class SharedSegment {
public:
    explicit SharedSegment(Display* display) : display_(display) {}
    ~SharedSegment() { Release(); }
    SharedSegment(const SharedSegment&) = delete;
    SharedSegment& operator=(const SharedSegment&) = delete;

    // A segment of at least `bytes`, attached to the server; Refused when the
    // server cannot attach one (a remote display, say), NoMemory when this
    // process has no room for it now.
    Reservation Reserve(size_t bytes) {
        if (attached_ && capacity_ >= bytes) return Reservation::Ready;
        Release();
        info_.shmid = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
        if (info_.shmid < 0) return errno == ENOMEM ? Reservation::NoMemory : Reservation::Refused;
        void* address = shmat(info_.shmid, nullptr, 0);
        if (address == reinterpret_cast<void*>(-1)) {
            const int error = errno;
            shmctl(info_.shmid, IPC_RMID, nullptr);
            info_ = {};
            return error == ENOMEM ? Reservation::NoMemory : Reservation::Refused;
        }
        info_.shmaddr = static_cast<char*>(address);
        info_.readOnly = False;
        XErrorTrap trap(display_);
        const bool ok = XShmAttach(display_, &info_) && !trap.Caught();
        // Marked for removal at once: it goes away with the last detach,
        // even when the process dies.
        shmctl(info_.shmid, IPC_RMID, nullptr);
        if (!ok) {
            shmdt(info_.shmaddr);
            info_ = {};
            return Reservation::Refused;
        }
        attached_ = true;
        capacity_ = bytes;
        return Reservation::Ready;
    }

    XShmSegmentInfo* Info() { return &info_; }

private:
    void Release() {
        if (!attached_) return;
        XShmDetach(display_, &info_);
        XSync(display_, False);
        shmdt(info_.shmaddr);
        info_ = {};
        attached_ = false;
        capacity_ = 0;
    }

    Display* display_;
    XShmSegmentInfo info_{};
    bool attached_ = false;
    size_t capacity_ = 0;
};

class XlibCapture : public X11Capture {
public:
    explicit XlibCapture(Display* display)
        : display_(display),
          root_(DefaultRootWindow(display)),
          visual_(DefaultVisual(display, DefaultScreen(display))),
          depth_(DefaultDepth(display, DefaultScreen(display))),
          colormap_(DefaultColormap(display, DefaultScreen(display))),
          format_(PixelFormat::ForVisual(visual_)),
          segment_(std::make_unique<SharedSegment>(display)),
          monitors_(display) {
        int major = 0, minor = 0;
        Bool pixmaps = False;
        useShm_ = XShmQueryExtension(display_) && XShmQueryVersion(display_, &major, &minor, &pixmaps);
    }
    ~XlibCapture() override {
        segment_.reset();  // detaching needs the connection
        XCloseDisplay(display_);
    }

    MonitorRect MainDisplay() override { return monitors_.Main(); }

    // One plain read of one pixel, asked once: a server that refuses it
    // for the root window never gives the screen.
    bool ScreenReadable() override {
        if (!readable_) {
            XErrorTrap trap(display_);
            XImage* probe = XGetImage(display_, root_, 0, 0, 1, 1, AllPlanes, ZPixmap);
            readable_ = probe && !trap.Caught();
            if (probe) XDestroyImage(probe);
        }
        return *readable_;
    }

    Image CaptureDisplay(int32_t index) override {
        if (index != 0) return {};
        const MonitorRect main = MainDisplay();
        return CaptureArea(main.x, main.y, main.width, main.height);
    }

    Image CaptureArea(int32_t x, int32_t y, int32_t width, int32_t height) override {
        if (width <= 0 || height <= 0 || !ScreenReadable()) return {};
        const MonitorRect root = monitors_.Root();
        // Widened so that a far corner cannot overflow.
        const int64_t left = std::max<int64_t>(x, 0), top = std::max<int64_t>(y, 0);
        const int64_t right = std::min<int64_t>(int64_t{x} + width, root.width);
        const int64_t bottom = std::min<int64_t>(int64_t{y} + height, root.height);
        if (right <= left || bottom <= top) return {};
        const auto w = static_cast<int32_t>(right - left), h = static_cast<int32_t>(bottom - top);
        const auto cx = static_cast<int32_t>(left), cy = static_cast<int32_t>(top);
        // Without the colours, a colour-mapped screen would come out black.
        if (!format_.ReadColormap(display_, colormap_)) return {};
        if (useShm_) {
            Image image;
            const Reservation served = CaptureShm(cx, cy, w, h, image);
            // Low memory now is no reason to give shared memory up.
            if (served != Reservation::Refused) return image;
            // The server would not serve this one through shared memory:
            // the plain request from now on.
            useShm_ = false;
        }
        return CapturePlain(cx, cy, w, h);
    }

private:
    // The picture in `out` (empty without the memory for it) unless Refused.
    Reservation CaptureShm(int32_t x, int32_t y, int32_t w, int32_t h, Image& out) {
        XImage* image = XShmCreateImage(display_,
                                        visual_,
                                        static_cast<unsigned>(depth_),
                                        ZPixmap,
                                        nullptr,
                                        segment_->Info(),
                                        static_cast<unsigned>(w),
                                        static_cast<unsigned>(h));
        if (!image) return Reservation::NoMemory;  // only its small header is allocated
        const size_t bytes = static_cast<size_t>(image->bytes_per_line) * static_cast<size_t>(h);
        Reservation served = segment_->Reserve(bytes);
        if (served == Reservation::Ready) {
            image->data = segment_->Info()->shmaddr;
            XErrorTrap trap(display_);
            if (XShmGetImage(display_, root_, image, x, y, AllPlanes) && !trap.Caught()) out = format_.Convert(image);
            else served = Reservation::Refused;
        }
        image->data = nullptr;  // the segment is ours, not the image's
        XDestroyImage(image);
        return served;
    }

    // Xlib ends the process when it cannot allocate a reply, and the reply
    // to XGetImage holds the whole area: so make sure first that this much
    // can be had now (the main thread is the only one that captures).
    static bool RoomForReply(int32_t w, int32_t h) {
        const size_t bytes = size_t{4} * static_cast<size_t>(w) * static_cast<size_t>(h) + 64;
        // A mapping rather than malloc: a compiler may drop an unused malloc.
        void* probe = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (probe == MAP_FAILED) return false;
        munmap(probe, bytes);
        return true;
    }

    Image CapturePlain(int32_t x, int32_t y, int32_t w, int32_t h) {
        if (!RoomForReply(w, h)) return {};
        XErrorTrap trap(display_);
        XImage* image =
            XGetImage(display_, root_, x, y, static_cast<unsigned>(w), static_cast<unsigned>(h), AllPlanes, ZPixmap);
        const bool caught = trap.Caught();
        if (!image) return {};
        Image out;
        if (!caught) out = format_.Convert(image);
        XDestroyImage(image);
        return out;
    }

    Display* display_;
    Window root_;
    Visual* visual_;
    int depth_;
    Colormap colormap_;  // the root window's: the one it is shown through
    PixelFormat format_;
    std::unique_ptr<SharedSegment> segment_;
    X11Monitors monitors_;
    bool useShm_ = false;
    std::optional<bool> readable_;  // unknown until the first capture
};

}  // namespace

std::unique_ptr<X11Capture> X11Capture::Open(const char* displayName) {
    Display* display = XOpenDisplay(displayName);
    if (!display) return nullptr;
    return std::make_unique<XlibCapture>(display);
}

}  // namespace native
