// Modal runs: the message box, the message dialog and the printer dialog.
// Each runs its own exec(), inside which the program's timers keep firing.
//
// Message dialog icons: 0 none, 1 note (information), 2 caution (warning),
// 3 question (the one dialog that uses it asks whether to download an
// upgrade), 4 stop (critical); any other number shows no icon.
#include "platform/desktop/desktop_backend.h"

#include "platform/desktop/message_dialog_view.h"
#include "platform/desktop/print_job.h"
#include "platform/desktop/qt_conversions.h"

#include <QPrintDialog>
#include <QPushButton>

namespace desktop {
namespace {

QMessageBox::Icon IconFor(int32_t number) {
    switch (number) {
        case 1: return QMessageBox::Information;
        case 2: return QMessageBox::Warning;
        case 3: return QMessageBox::Question;
        case 4: return QMessageBox::Critical;
        default: return QMessageBox::NoIcon;
    }
}

QString CaptionOr(const std::shared_ptr<fw::MessageDialogButton>& b, const char* otherwise) {
    return b && !b->Caption().empty() ? ToQ(b->Caption()) : QString::fromUtf8(otherwise);
}

}  // namespace

// Without the display no modal can open: each ends at once, as after a quit.
void DesktopBackend::RunMessageBox(const std::string& text) {
    if (withoutDisplay_) return;
    MessageDialogView box(QStringLiteral("Quorrel"), QMessageBox::NoIcon, ToQ(text), QString());
    box.setWindowIcon(messageIcon_);
    box.setWindowModality(Qt::ApplicationModal);
    QPushButton* ok = box.AddButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    box.SetDefaultButton(ok);
    box.SetEscapeButton(ok);
    box.Run();
}

int DesktopBackend::RunMessageDialog(fw::MessageDialog& dialog) {
    if (withoutDisplay_) return dialog.CancelButton() && dialog.CancelButton()->Visible() ? 1 : 0;
    MessageDialogView box(
        ToQ(dialog.Title()), IconFor(dialog.Icon()), ToQ(dialog.Message()), ToQ(dialog.Explanation()));
    box.setWindowIcon(messageIcon_);
    box.setWindowModality(Qt::ApplicationModal);
    QPushButton* action = box.AddButton(CaptionOr(dialog.ActionButton(), "OK"), QDialogButtonBox::AcceptRole);
    QPushButton* cancel = nullptr;
    QPushButton* alternate = nullptr;
    if (dialog.CancelButton() && dialog.CancelButton()->Visible())
        cancel = box.AddButton(CaptionOr(dialog.CancelButton(), "Cancel"), QDialogButtonBox::RejectRole);
    if (dialog.AlternateActionButton() && dialog.AlternateActionButton()->Visible())
        alternate =
            box.AddButton(CaptionOr(dialog.AlternateActionButton(), "Don't Save"), QDialogButtonBox::ActionRole);
    box.SetDefaultButton(action);
    box.SetEscapeButton(cancel ? static_cast<QAbstractButton*>(cancel) : action);

    const QAbstractButton* pressed = box.Run();
    if (pressed == action) return 0;
    if (pressed && pressed == alternate) return 2;
    // The cancel button, or the dialog ended without a press (a quit).
    return cancel ? 1 : 0;
}

std::unique_ptr<fw::PrintJobPeer> DesktopBackend::RunPrinterDialog() {
    if (withoutDisplay_) return nullptr;
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    // Without a printer the dialog offers a PDF file: name it so that
    // confirming the dialog as it stands prints somewhere sensible.
    const std::string documents = DocumentsPath();
    if (!documents.empty()) printer->setOutputFileName(ToQ(documents + "/" + PrintJob::kJobName + ".pdf"));
    QPrintDialog dlg(printer.get());
    dlg.setWindowModality(Qt::ApplicationModal);
    // What the job does: print to a file, a range of pages, collated copies;
    // no current page or selection, which it does not know.
    dlg.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintPageRange |
                   QAbstractPrintDialog::PrintCollateCopies | QAbstractPrintDialog::PrintShowPageSize);
    if (dlg.exec() != QDialog::Accepted) return nullptr;
    return std::make_unique<PrintJob>(std::move(printer));
}

std::unique_ptr<fw::StyledTextPrinterPeer> DesktopBackend::CreateStyledTextPrinter(fw::TextArea& area,
                                                                                   fw::PrintJobPeer& job,
                                                                                   double lineWidth) {
    return MakeStyledTextPrinter(area, dynamic_cast<PrintJob&>(job), lineWidth);
}

}  // namespace desktop
