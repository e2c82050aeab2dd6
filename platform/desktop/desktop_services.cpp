// Desktop services: window peers, the beep, URLs, sounds and the folders.
#include "platform/desktop/desktop_backend.h"

#include "platform/core/standard_paths.h"
#include "platform/desktop/native/alsa_sound.h"
#include "platform/desktop/qt_conversions.h"
#include "platform/desktop/window_peer.h"

#include <QApplication>
#include <QDesktopServices>
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

std::unique_ptr<fw::WindowPeer> DesktopBackend::CreateWindowPeer(fw::Window& window) { return MakeWindowPeer(window); }

void DesktopBackend::Beep() { QApplication::beep(); }

void DesktopBackend::ShowURL(const std::string& url) {
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

std::string DesktopBackend::ResourcesPath() {
    // share/quorrel beside the executable's bin/, in the build tree as installed.
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) return {};
    const std::filesystem::path dir = exe.parent_path().parent_path() / "share" / "quorrel";
    return std::filesystem::is_directory(dir, ec) ? dir.lexically_normal().string() : std::string();
}

}  // namespace desktop
