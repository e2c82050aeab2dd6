// Printing: the printer dialog's job, its drawing context and the styled-text printer.
#include "platform/backend.h"
#include "platform/framework.h"

namespace fw {

Graphics::Graphics(std::unique_ptr<PrintJobPeer> job) : job_(std::move(job)) {}

Graphics::~Graphics() {
    if (job_) job_->Finish();
}

void Graphics::TextFont(const std::string& name) { job_->SetFont(name); }
void Graphics::TextSize(float points) { job_->SetSize(points); }
void Graphics::ForeColor(const Color& c) { job_->SetColor(c); }
void Graphics::Bold(bool b) { job_->SetBold(b); }
void Graphics::DrawString(const std::string& text, double x, double y, double wrapWidth, bool condense) {
    job_->DrawString(text, x, y, wrapWidth, condense);
}
void Graphics::NextPage() { job_->NextPage(); }
void Graphics::Finish() { job_->Finish(); }
std::string Graphics::Failure() const { return job_->Failure(); }

PrintJobPeer& PeerAccess::Job(Graphics& graphics) { return *graphics.job_; }

std::shared_ptr<Graphics> RuntimeOpenPrinterDialog() {
    CheckMainThread();
    auto job = CurrentBackend().RunPrinterDialog();
    if (!job) return nullptr;
    return std::make_shared<Graphics>(std::move(job));
}

StyledTextPrinter::StyledTextPrinter(std::shared_ptr<Graphics> job, std::unique_ptr<StyledTextPrinterPeer> peer)
    : job_(std::move(job)), peer_(std::move(peer)) {}

StyledTextPrinter::~StyledTextPrinter() = default;

void StyledTextPrinter::DrawBlock(double x, double y, double height) {
    if (peer_) peer_->DrawBlock(x, y, height);
}

bool StyledTextPrinter::EOF() const { return !peer_ || peer_->AtEnd(); }

}  // namespace fw
