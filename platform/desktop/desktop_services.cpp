// Desktop services: window peers, the beep, URLs, sounds and the folders.
#include "platform/desktop/desktop_backend.h"

#include "platform/core/standard_paths.h"
#include "platform/desktop/native/alsa_sound.h"
#include "platform/desktop/qt_conversions.h"
#include "platform/desktop/window_peer.h"

#include <QApplication>
#include <QDesktopServices>
#include <QIcon>
#include <QPixmap>
#include <QUrl>

#include <filesystem>
#include <system_error>

namespace desktop {
namespace {

class WavSoundPeer : public fw::SoundPeer {
public:
    explicit WavSoundPeer(std::unique_ptr<native::WavSound> sound) : sound_(std::move(sound)) {}
    void Play() override { sound_->Play(); }

private:
    std::unique_ptr<native::WavSound> sound_;
};

}  // namespace

QIcon ApplicationIcon(int largest) {
    // Installed in the desktop's icon theme layout, share/icons/hicolor, beside
    // share/quorrel; the build tree has the same layout. Read now, not when a
    // window first needs them, so that no window waits for (or fails in)
    // decoding them.
    QIcon icon;
    const std::string resources = DesktopBackend::ResourcesFolder();
    if (resources.empty()) return icon;
    const std::filesystem::path hicolor = std::filesystem::path(resources).parent_path() / "icons" / "hicolor";
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        if (size > largest) break;
        const std::string dim = std::to_string(size);
        const std::filesystem::path file = hicolor / (dim + "x" + dim) / "apps" / "quorrel.png";
        std::error_code ec;
        if (!std::filesystem::is_regular_file(file, ec)) continue;
        const QPixmap pixmap(QString::fromStdString(file.string()));
        if (!pixmap.isNull()) icon.addPixmap(pixmap);
    }
    return icon;
}

// Without the display a window lives in the model alone.
std::unique_ptr<fw::WindowPeer> DesktopBackend::CreateWindowPeer(fw::Window& window) {
    return withoutDisplay_ ? nullptr : MakeWindowPeer(window);
}

void DesktopBackend::Beep() {
    if (!withoutDisplay_) QApplication::beep();
}

void DesktopBackend::ShowURL(const std::string& url) {
    if (withoutDisplay_) return;
    // Qt hands the address to xdg-open and does not wait for it.
    QDesktopServices::openUrl(QUrl(ToQ(url)));
}

std::unique_ptr<fw::SoundPeer> DesktopBackend::OpenSound(const std::string& path) {
    auto sound = native::WavSound::Load(path);
    if (!sound) return nullptr;
    return std::make_unique<WavSoundPeer>(std::move(sound));
}

std::string DesktopBackend::DocumentsPath() { return fw::paths::DocumentsPath(); }
std::string DesktopBackend::PreferencesPath() { return fw::paths::PreferencesPath(); }

std::string DesktopBackend::ResourcesPath() { return ResourcesFolder(); }

std::string DesktopBackend::ResourcesFolder() {
    // share/quorrel beside the executable's bin/, in the build tree as installed.
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) return {};
    const std::filesystem::path dir = exe.parent_path().parent_path() / "share" / "quorrel";
    return std::filesystem::is_directory(dir, ec) ? dir.lexically_normal().string() : std::string();
}

}  // namespace desktop
