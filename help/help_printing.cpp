#include "help/help_printing.h"

#include "help/help_window.h"

namespace quorrel {
namespace {

// Page number and footer at the foot of the page being drawn.
void DrawPageFoot(Graphics& job, int32_t page, const std::string& footer) {
    job.TextFont("Arial");
    job.Bold(false);
    job.DrawString(RuntimeAddString("page ", StringStrInt32(page)), 40, 720, 0, false);
    job.DrawString(footer, 100, 720, 0, false);
}

}  // namespace

void PrintHelpText() {
    // Fixed before the dialog, so every page shows the moment of the command.
    auto now = RuntimeNewObject<Date>();
    now->Constructor();
    const std::string footer = RuntimeAddString(RuntimeAddString(now->ShortTime(), ", "), now->ShortDate());
    int32_t page = 1;

    std::shared_ptr<Graphics> job = RuntimeOpenPrinterDialog();
    std::shared_ptr<StyledTextPrinter> printer;
    if (job) {
        job->TextFont("Courier");
        job->TextSize(10.0f);
        job->ForeColor(RuntimeRGBA(0, 0, 0, 0));
        job->Bold(true);
        const int32_t pageWidth = 540;
        const int32_t pageHeight = 720;

        printer = NotNil(NotNil(HelpInstance())->TextArea1())->styledTextPrinter(job, pageWidth - 48);
        NotNil(printer);
        // A job that cannot print (no room inside the margins, say) is not
        // laid out to its end for nothing.
        while (!printer->EOF() && RuntimeStringCompare(job->Failure(), "") == 0) {
            printer->DrawBlock(36, 36, pageHeight - 48);
            if (!printer->EOF()) {
                DrawPageFoot(*job, page, footer);
                job->TextFont("Courier");
                job->Bold(true);
                page = page + 1;
                job->NextPage();
            }
            RuntimeBackgroundTask();
        }
        DrawPageFoot(*job, page, footer);
        // Handed over here, where the print system can still refuse it: then
        // the user is told, and the Help window stays open with its text.
        job->Finish();
        const std::string failure = job->Failure();
        if (RuntimeStringCompare(failure, "") != 0) {
            RuntimeMsgBox(RuntimeAddString("The help was not printed. ", failure));
            return;
        }
    }

    NotNil(HelpInstance())->Close();
}

}  // namespace quorrel
