// "Print Help" through the desktop print job onto each common paper, read back
// from the PDF page by page: every line of the help text once, every page
// with its number and footer.
#include "help/help_printing.h"
#include "help/help_text.h"
#include "tests/desktop/pdf_printer_backend.h"
#include "tests/e2e/pdf_text.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <sstream>

namespace {

namespace fs = std::filesystem;

struct Paper {
    const char* name;
    QPageSize::PageSizeId size;
    QPageLayout::Orientation orientation;
    double marginMm = -1;  // on every side; -1: the printer's own
    friend void PrintTo(const Paper& c, std::ostream* os) { *os << c.name; }
};

const Paper kPapers[] = {
    {"A4Portrait", QPageSize::A4, QPageLayout::Portrait},
    {"A4Landscape", QPageSize::A4, QPageLayout::Landscape},
    {"LetterPortrait", QPageSize::Letter, QPageLayout::Portrait},
    {"LetterLandscape", QPageSize::Letter, QPageLayout::Landscape},
    {"A5Portrait", QPageSize::A5, QPageLayout::Portrait},
    // Margins that leave a strip 14 mm wide: the page is scaled into it.
    {"A7WideMargins", QPageSize::A7, QPageLayout::Portrait, 30},
};

// Sets the paper (and margins) on the printer as the dialog would.
void SetPaper(QPrinter& printer, const Paper& paper) {
    printer.setPageSize(QPageSize(paper.size));
    printer.setPageOrientation(paper.orientation);
    if (paper.marginMm >= 0) quorrel::test::SetMargins(printer, paper.marginMm);
}

std::vector<std::string> Words(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string w; in >> w;) words.push_back(w);
    return words;
}

// Removes every match of re from text and counts them.
size_t Cut(std::string& text, const std::regex& re, std::string* first = nullptr) {
    size_t count = 0;
    std::smatch m;
    std::string rest;
    auto from = text.cbegin();
    while (std::regex_search(from, text.cend(), m, re)) {
        if (count++ == 0 && first) *first = m.str();
        rest.append(from, m[0].first);
        rest += ' ';
        from = m[0].second;
    }
    rest.append(from, text.cend());
    text = rest;
    return count;
}

// Where two word sequences first part, with a little of each around it.
std::string FirstDifference(const std::vector<std::string>& printed, const std::vector<std::string>& expected) {
    size_t i = 0;
    while (i < printed.size() && i < expected.size() && printed[i] == expected[i]) ++i;
    if (i == printed.size() && i == expected.size()) return {};
    auto around = [i](const std::vector<std::string>& words) {
        std::string s;
        for (size_t k = i >= 5 ? i - 5 : 0; k < std::min(words.size(), i + 8); ++k)
            s += (k == i ? " >>" : " ") + words[k];
        return s;
    };
    return "word " + std::to_string(i) + "\n  printed: " + around(printed) + "\n  help:   " + around(expected);
}

class HelpPrintPaper : public ::testing::TestWithParam<Paper> {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "quorrel-print-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
        const Paper paper = GetParam();
        fw::InstallBackend(std::make_unique<quorrel::test::PdfPrinterBackend>(
            Pdf(), [paper](QPrinter& printer) { SetPaper(printer, paper); }));
        fw::RuntimeInit();
    }
    void TearDown() override {
        fw::RuntimeExit();
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }
    fs::path Pdf() const { return dir_ / "help.pdf"; }

private:
    fs::path dir_;
};

TEST_P(HelpPrintPaper, EveryLineOnceAndEveryPageWithItsNumberAndFooter) {
    quorrel::PrintHelpText();
    ASSERT_TRUE(fs::exists(Pdf())) << "no PDF written";
    EXPECT_EQ(e2e::PdfTitle(Pdf().string()), "Quorrel Help");
    const auto pages = e2e::PdfPages(Pdf().string());
    ASSERT_TRUE(pages.has_value()) << "pdftotext cannot read the PDF";

    const std::regex footer(R"(\d{1,2}:\d{2} [AP]M, \d{1,2}/\d{1,2}/\d{2})");
    std::string firstFooter;
    std::vector<std::string> printed;
    for (int n = 1; n <= static_cast<int>(pages->size()); ++n) {
        SCOPED_TRACE("page " + std::to_string(n));
        std::optional<std::string> text = e2e::PdfPageText(Pdf().string(), n);
        ASSERT_TRUE(text.has_value());
        const std::string whole = *text;
        EXPECT_EQ(Cut(*text, std::regex(R"(\bpage )" + std::to_string(n) + R"(\b)")), 1u) << whole;
        std::string thisFooter;
        EXPECT_EQ(Cut(*text, footer, &thisFooter), 1u) << whole;
        if (n == 1) firstFooter = thisFooter;
        EXPECT_EQ(thisFooter, firstFooter);
        for (auto& w : Words(*text)) printed.push_back(std::move(w));
    }
    // The pages in order hold the help text's words, each line exactly once:
    // a line missing at a page break, or drawn on both sides of it, shows here.
    const std::vector<std::string> expected = Words(std::string(quorrel::HelpText()));
    EXPECT_EQ(FirstDifference(printed, expected), "") << pages->size() << " pages";
}

INSTANTIATE_TEST_SUITE_P(Papers, HelpPrintPaper, ::testing::ValuesIn(kPapers),
                         [](const ::testing::TestParamInfo<Paper>& info) { return std::string(info.param.name); });

}  // namespace
