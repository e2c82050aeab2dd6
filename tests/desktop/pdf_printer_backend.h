// The desktop backend whose printer dialog is confirmed at once with a PDF
// file, set up as a user would leave the dialog (paper, margins, pages,
// copies); its message boxes are recorded instead of shown.
#pragma once

#include "platform/desktop/desktop_backend.h"
#include "platform/desktop/print_job.h"
#include "platform/desktop/qt_conversions.h"

#include <QPageLayout>
#include <QPrinter>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace quorrel::test {

// Margins on every side, in millimetres, unchecked against the paper, as the
// dialog's page setup passes them on.
inline void SetMargins(QPrinter& printer, double mm) {
    QPageLayout layout = printer.pageLayout();
    layout.setUnits(QPageLayout::Millimeter);
    layout.setMode(QPageLayout::FullPageMode);
    layout.setMargins(QMarginsF(mm, mm, mm, mm));
    printer.setPageLayout(layout);
}

class PdfPrinterBackend : public desktop::DesktopBackend {
public:
    using Setup = std::function<void(QPrinter&)>;
    PdfPrinterBackend(std::filesystem::path pdf, Setup setup)
        : desktop::DesktopBackend(nullptr), pdf_(std::move(pdf)), setup_(std::move(setup)) {}

    std::unique_ptr<fw::PrintJobPeer> RunPrinterDialog() override {
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(desktop::ToQ(pdf_.string()));
        if (setup_) setup_(*printer);
        return std::make_unique<desktop::PrintJob>(std::move(printer));
    }
    void RunMessageBox(const std::string& text) override { messages.push_back(text); }

    std::vector<std::string> messages;

private:
    std::filesystem::path pdf_;
    Setup setup_;
};

}  // namespace quorrel::test
