// The headless backend's modal runs, desktop services, input, screen and folders.
#include "platform/core/read_file.h"
#include "platform/core/standard_paths.h"
#include "platform/headless/headless_impl.h"

#include <unistd.h>

namespace fw::headless {

void Headless::RunMessageBox(const std::string& text) {
    log_.messageBoxes.push_back(text);
    impl_->Ask(*this, ModalRequest{ModalRequest::Kind::MessageBox, text, nullptr});
}

int Headless::RunMessageDialog(MessageDialog& dialog) {
    log_.dialogs.push_back(dialog.Message());
    return impl_->Ask(*this, ModalRequest{ModalRequest::Kind::MessageDialog, dialog.Message(), &dialog}).button;
}

std::unique_ptr<PrintJobPeer> Headless::RunPrinterDialog() {
    ModalAnswer answer = impl_->Ask(*this, ModalRequest{ModalRequest::Kind::PrinterDialog, "", nullptr});
    if (!answer.print) return nullptr;
    return MakeRecordingJob(log_.print, answer.printRefusal);
}

std::unique_ptr<StyledTextPrinterPeer> Headless::CreateStyledTextPrinter(TextArea& area, PrintJobPeer&,
                                                                         double lineWidth) {
    return MakeTextPrinter(area.Text(), lineWidth, impl_->linesPerBlock, log_.print);
}

void Headless::Beep() { ++log_.beeps; }

void Headless::ShowURL(const std::string& url) { log_.urls.push_back(url); }

namespace {
class CountingSound : public SoundPeer {
public:
    explicit CountingSound(int& played) : played_(played) {}
    void Play() override { ++played_; }

private:
    int& played_;
};
}  // namespace

std::unique_ptr<SoundPeer> Headless::OpenSound(const std::string& path) {
    log_.soundsOpened.push_back(path);
    const int fd = files::OpenRegularForReading(path);
    if (fd < 0) return nullptr;
    char magic[4] = {};
    const bool riff = ::read(fd, magic, 4) == 4 && std::string(magic, 4) == "RIFF";
    ::close(fd);
    if (!riff) return nullptr;
    return std::make_unique<CountingSound>(log_.soundsPlayed);
}

void Headless::SetKeys(bool option, bool command) {
    impl_->option = option;
    impl_->command = command;
}

void Headless::SetMouse(int32_t x, int32_t y, bool down) {
    impl_->mouseX = x;
    impl_->mouseY = y;
    impl_->mouseDown = down;
}

bool Headless::OptionKeyDown() {
    ++optionReads;
    return impl_->option;
}
bool Headless::OSKeyDown() {
    ++osReads;
    return impl_->command;
}
bool Headless::MouseButtonDown() {
    ++mouseReads;
    return impl_->mouseDown;
}
int32_t Headless::MouseX() { return impl_->mouseX; }
int32_t Headless::MouseY() { return impl_->mouseY; }

void Headless::SetScreen(PixelImage image, double scale) {
    impl_->screen = std::move(image);
    impl_->scale = scale;
}

void Headless::SetCaptureFails(bool fails) { impl_->captureFails = fails; }

double Headless::BackingScaleFactor() { return impl_->scale; }

PixelImage Headless::CaptureDisplay(int32_t index) {
    log_.capturesDisplay.emplace_back(index, 0);
    if (impl_->captureFails || index != 0) return {};
    return impl_->screen;
}

PixelImage Headless::CaptureRect(int32_t left, int32_t top, int32_t width, int32_t height) {
    log_.capturesRect.push_back({left, top, width, height});
    if (impl_->captureFails) return {};
    const PixelImage& screen = impl_->screen;
    // As on the desktop: the corner is in points, the size in device pixels.
    int64_t x0 = static_cast<int64_t>(left * impl_->scale), y0 = static_cast<int64_t>(top * impl_->scale);
    int64_t x1 = x0 + width, y1 = y0 + height;
    if (x0 < 0) x0 = 0;
    if (y0 < 0) y0 = 0;
    if (x1 > screen.width) x1 = screen.width;
    if (y1 > screen.height) y1 = screen.height;
    if (x1 <= x0 || y1 <= y0) return {};
    PixelImage out;
    out.width = static_cast<int32_t>(x1 - x0);
    out.height = static_cast<int32_t>(y1 - y0);
    out.pixels.reserve(static_cast<size_t>(out.width) * static_cast<size_t>(out.height));
    for (int64_t y = y0; y < y1; ++y)
        for (int64_t x = x0; x < x1; ++x)
            out.pixels.push_back(screen.pixels[static_cast<size_t>(y * screen.width + x)]);
    return out;
}

void Headless::SetResourcesPath(std::string path) { impl_->resources = std::move(path); }
void Headless::SetDocumentsPath(std::string path) { impl_->documents = std::move(path); }
void Headless::SetPreferencesPath(std::string path) { impl_->preferences = std::move(path); }
void Headless::SetPrintLinesPerBlock(int lines) { impl_->linesPerBlock = lines < 1 ? 1 : lines; }

std::string Headless::DocumentsPath() { return impl_->documents ? *impl_->documents : paths::DocumentsPath(); }
std::string Headless::PreferencesPath() { return impl_->preferences ? *impl_->preferences : paths::PreferencesPath(); }
std::string Headless::ResourcesPath() { return impl_->resources; }

Headless& InstallNew() {
    auto backend = std::make_unique<Headless>();
    Headless& ref = *backend;
    InstallBackend(std::move(backend));
    return ref;
}

}  // namespace fw::headless
