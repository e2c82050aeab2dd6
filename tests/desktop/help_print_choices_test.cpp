// "Print Help" as the printer dialog was left: the pages, order and copies chosen,
// margins that leave no room, and a printer that cannot be opened. Read back
// from the PDF, page by page.
#include "help/help_printing.h"
#include "help/help_window.h"
#include "tests/desktop/pdf_printer_backend.h"
#include "tests/desktop/private_cups.h"
#include "tests/e2e/pdf_text.h"

#include <QPageSize>

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

namespace {

namespace fs = std::filesystem;
using quorrel::test::PdfPrinterBackend;

// The printer dialog left on the private print system's queue.
void UseQueue(QPrinter& printer) {
    printer.setOutputFileName(QString());
    printer.setOutputFormat(QPrinter::NativeFormat);
    printer.setPrinterName(quorrel::test::PrivateCups::kQueue);
    ASSERT_EQ(printer.outputFormat(), QPrinter::NativeFormat);
    ASSERT_EQ(printer.printerName(), quorrel::test::PrivateCups::kQueue) << "Qt does not see the queue";
}

// 300 numbered lines: six pages.
std::string NumberedLines() {
    std::string text;
    for (int i = 1; i <= 300; ++i) text += (i > 1 ? "\rline " : "line ") + std::to_string(i);
    return text;
}

class HelpPrintChoices : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "quorrel-print-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
    }
    void TearDown() override {
        if (installed_) fw::RuntimeExit();
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }
    // Prints the Help window holding text, the dialog left as setup leaves it.
    void Print(const std::string& text, PdfPrinterBackend::Setup setup, const fs::path& pdf) {
        auto backend = std::make_unique<PdfPrinterBackend>(pdf, std::move(setup));
        backend_ = backend.get();
        fw::InstallBackend(std::move(backend));
        fw::RuntimeInit();
        installed_ = true;
        quorrel::HelpInstance()->TextArea1()->Text(text);
        quorrel::PrintHelpText();
    }
    static std::shared_ptr<quorrel::Help> OpenHelp() {
        return std::dynamic_pointer_cast<quorrel::Help>(fw::RuntimeGetImplicitWindow("Help.Help"));
    }
    // The page number printed at the foot of each page of the PDF, in order.
    static std::vector<int> PageNumbers(const fs::path& pdf, std::vector<std::string>* pages = nullptr) {
        std::vector<int> numbers;
        auto all = e2e::PdfPages(pdf.string());
        if (!all) return numbers;
        const std::regex number(R"(\bpage (\d+)\b)");
        for (const auto& page : *all) {
            std::smatch m;
            numbers.push_back(std::regex_search(page, m, number) ? std::stoi(m[1]) : 0);
        }
        if (pages) *pages = *all;
        return numbers;
    }
    fs::path Pdf() const { return dir_ / "help.pdf"; }

    fs::path dir_;
    PdfPrinterBackend* backend_ = nullptr;
    bool installed_ = false;
};

struct ChoiceCase {
    const char* name;
    int from, to, copies;
    bool collate;
    bool reverse;
    std::vector<int> pages;  // the page numbers printed, in order
    friend void PrintTo(const ChoiceCase& c, std::ostream* os) { *os << c.name; }
};

class PagesAndCopies : public HelpPrintChoices, public ::testing::WithParamInterface<ChoiceCase> {};

TEST_P(PagesAndCopies, PrintThePagesChosenAsOftenAsAsked) {
    const ChoiceCase c = GetParam();
    Print(
        NumberedLines(),
        [c](QPrinter& printer) {
            if (c.from > 0) {
                printer.setPrintRange(QPrinter::PageRange);
                printer.setFromTo(c.from, c.to);
            }
            printer.setCopyCount(c.copies);
            printer.setCollateCopies(c.collate);
            printer.setPageOrder(c.reverse ? QPrinter::LastPageFirst : QPrinter::FirstPageFirst);
        },
        Pdf());
    std::vector<std::string> pages;
    EXPECT_EQ(PageNumbers(Pdf(), &pages), c.pages);
    EXPECT_TRUE(backend_->messages.empty());
    EXPECT_FALSE(OpenHelp()) << "printed: the Help window closes";
    // A copy is the same page again, word for word.
    for (size_t i = 0; i < pages.size() && i < c.pages.size(); ++i) {
        for (size_t k = i + 1; k < pages.size() && k < c.pages.size(); ++k) {
            if (c.pages[i] == c.pages[k]) {
                EXPECT_EQ(pages[i], pages[k]) << "page " << c.pages[i];
            }
        }
    }
    ASSERT_FALSE(pages.empty());
    EXPECT_NE(pages.front().find("line "), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Dialog, PagesAndCopies,
                         ::testing::Values(ChoiceCase{"AllPagesOnce", 0, 0, 1, true, false, {1, 2, 3, 4, 5, 6}},
                                           ChoiceCase{"PagesTwoToThree", 2, 3, 1, true, false, {2, 3}},
                                           ChoiceCase{"TwoCollatedCopies", 2, 3, 2, true, false, {2, 3, 2, 3}},
                                           ChoiceCase{"TwoCopiesUncollated", 2, 3, 2, false, false, {2, 2, 3, 3}},
                                           ChoiceCase{"LastPageThrice", 6, 6, 3, true, false, {6, 6, 6}},
                                           ChoiceCase{"Reversed", 0, 0, 1, true, true, {6, 5, 4, 3, 2, 1}},
                                           ChoiceCase{"ReversedCollatedCopies", 4, 5, 2, true, true, {5, 4, 5, 4}},
                                           ChoiceCase{"ReversedUncollatedCopies", 4, 5, 2, false, true, {5, 5, 4, 4}}),
                         [](const ::testing::TestParamInfo<ChoiceCase>& info) { return std::string(info.param.name); });

// Nothing printed, nothing written, the user told why, and the Help window
// left open with its text.
struct FailureCase {
    const char* name;
    std::function<void(QPrinter&)> setup;
    std::string message;
    friend void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }
};

class PrintFailure : public HelpPrintChoices, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(PrintFailure, TellsTheUserAndKeepsTheHelpWindow) {
    Print(NumberedLines(), GetParam().setup, Pdf());
    EXPECT_EQ(backend_->messages, std::vector<std::string>{"The help was not printed. " + GetParam().message});
    EXPECT_FALSE(fs::exists(Pdf()));
    ASSERT_TRUE(OpenHelp());
    EXPECT_EQ(OpenHelp()->TextArea1()->Text(), NumberedLines());
}

INSTANTIATE_TEST_SUITE_P(
    Dialog, PrintFailure,
    ::testing::Values(
        // A7 is 74 mm wide: 60 mm on each side cross.
        FailureCase{"MarginsWiderThanThePaper",
                    [](QPrinter& printer) {
                        printer.setPageSize(QPageSize(QPageSize::A7));
                        quorrel::test::SetMargins(printer, 60);
                        ASSERT_EQ(printer.pageLayout().margins(QPageLayout::Millimeter).left(), 60)
                            << "the margins were not taken";
                    },
                    "The margins chosen leave no room on the paper: make them smaller and print again."},
        FailureCase{"NoSuchPage",
                    [](QPrinter& printer) {
                        printer.setPrintRange(QPrinter::PageRange);
                        printer.setFromTo(8, 9);
                    },
                    "It has 6 pages: none of the pages chosen is among them."},
        FailureCase{"PrinterCannotBeOpened",
                    [](QPrinter& printer) { printer.setOutputFileName("/nonexistent-folder/help.pdf"); },
                    "The printer could not be opened."}),
    [](const ::testing::TestParamInfo<FailureCase>& info) { return std::string(info.param.name); });

// A printer of the print system: the job reaches its queue under its name,
// with the pages and copies chosen, the copies in the document, collated (Qt
// tells the print system the number of copies but not how to collate them).
// On both sides of the paper each set of an odd number of pages ends with a
// blank one, so that the next copy starts on a sheet of its own.
struct QueueCase {
    const char* name;
    int from, to, copies;
    QPrinter::DuplexMode duplex;
    std::vector<int> pages;  // the page numbers in the document the queue holds (0: blank)
    friend void PrintTo(const QueueCase& c, std::ostream* os) { *os << c.name; }
};

class PrintSystemQueue : public HelpPrintChoices, public ::testing::WithParamInterface<QueueCase> {};

TEST_P(PrintSystemQueue, TakesTheJobUnderItsNameWithThePagesAndCopiesChosen) {
    const QueueCase c = GetParam();
    quorrel::test::PrivateCups cups(dir_ / "cups");
    ASSERT_TRUE(cups.WaitUntilReady(std::chrono::seconds(20))) << "the private cupsd did not start:\n" << cups.Log();
    Print(
        NumberedLines(),
        [c](QPrinter& printer) {
            UseQueue(printer);
            printer.setPrintRange(QPrinter::PageRange);
            printer.setFromTo(c.from, c.to);
            printer.setCopyCount(c.copies);
            printer.setCollateCopies(true);
            printer.setDuplex(c.duplex);
            ASSERT_EQ(printer.duplex(), c.duplex);
        },
        Pdf());
    EXPECT_TRUE(backend_->messages.empty())
        << (backend_->messages.empty() ? "" : backend_->messages.front()) << "\n" << cups.Log();
    EXPECT_FALSE(OpenHelp());
    EXPECT_EQ(cups.JobTitles(), std::vector<std::string>{"Quorrel Help"});
    EXPECT_EQ(PageNumbers(cups.FirstDocument()), c.pages);
}

INSTANTIATE_TEST_SUITE_P(
    Dialog, PrintSystemQueue,
    ::testing::Values(QueueCase{"TwoCollatedCopies", 2, 3, 2, QPrinter::DuplexNone, {2, 3, 2, 3}},
                      QueueCase{
                          "TwoSidedCopiesOfThreePages", 2, 4, 2, QPrinter::DuplexLongSide, {2, 3, 4, 0, 2, 3, 4}}),
    [](const ::testing::TestParamInfo<QueueCase>& info) { return std::string(info.param.name); });

// cupsd stopped while the dialog is open: the user is told that the help was
// not printed.
TEST_F(HelpPrintChoices, PrintSystemStoppedWhileTheDialogIsOpenIsReported) {
    quorrel::test::PrivateCups cups(dir_ / "cups");
    ASSERT_TRUE(cups.WaitUntilReady(std::chrono::seconds(20))) << "the private cupsd did not start:\n" << cups.Log();
    Print(
        NumberedLines(),
        [&cups](QPrinter& printer) {
            UseQueue(printer);
            cups.Stop();
        },
        Pdf());
    ASSERT_EQ(backend_->messages.size(), 1u);
    EXPECT_EQ(backend_->messages[0].rfind("The help was not printed. The print system did not take the job", 0), 0u)
        << backend_->messages[0];
    ASSERT_TRUE(OpenHelp());
    EXPECT_EQ(OpenHelp()->TextArea1()->Text(), NumberedLines());
}

}  // namespace
