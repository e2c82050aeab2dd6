// "Print Help" from the Control Panel's File menu, printed to a PDF file
// through the printer dialog.
#include <X11/keysym.h>

#include <regex>

#include "tests/e2e/pdf_text.h"
#include "tests/e2e/xvfb_fixture.h"
#include "tests/support/help_headings.h"

namespace e2e {
namespace {

class HelpPrinting : public XvfbFixture {};

const std::vector<std::string>& kHeadings = quorrel::test::kHelpHeadings;

TEST_F(HelpPrinting, PrintsTheHelpTextWithPageNumbersAndFooterOnEveryPage) {
    StartProgram();
    ASSERT_TRUE(panel);
    const fs::path pdf = sandbox->Documents() / "Quorrel Help.pdf";
    auto known = x->Mapped();
    ASSERT_TRUE(OpenPanelMenu(15)) << "the File menu did not open";
    input->Tap({XK_Down});
    input->Tap({XK_Return});  // "Print Help"
    auto dialog = WaitForNewWindow(known);
    ASSERT_TRUE(dialog) << "no printer dialog appeared";
    PressReturnIn(*dialog);  // print to the preset PDF file
    ASSERT_TRUE(x->WaitUntilGone(dialog->id)) << "the printer dialog stayed open";

    std::optional<std::vector<std::string>> pages;
    ASSERT_TRUE(PollUntil([&] { return fs::exists(pdf) && (pages = PdfPages(pdf.string())).has_value(); }, 20s))
        << "no readable PDF at " << pdf;

    // Page numbers count from 1; the footer ("h:mm AM, M/D/YY") is one text
    // made before the dialog, the same on every page.
    const std::regex footer(R"(\d{1,2}:\d{2} [AP]M, \d{1,2}/\d{1,2}/\d{2})");
    std::string firstFooter, all;
    for (size_t i = 0; i < pages->size(); ++i) {
        SCOPED_TRACE("page " + std::to_string(i + 1));
        const std::string& page = (*pages)[i];
        EXPECT_TRUE(std::regex_search(page, std::regex("page " + std::to_string(i + 1) + R"(\b)")));
        std::smatch m;
        ASSERT_TRUE(std::regex_search(page, m, footer)) << page;
        if (i == 0) firstFooter = m.str();
        EXPECT_EQ(m.str(), firstFooter);
        all += page;
    }
    size_t at = 0;
    for (const auto& heading : kHeadings) {
        size_t found = all.find(heading, at);
        EXPECT_NE(found, std::string::npos) << "heading missing or out of order: " << heading;
        if (found != std::string::npos) at = found;
    }
    // The Help window that printing opened is closed again at the end.
    EXPECT_TRUE(PollUntil([&] { return !x->FindByTitle("Help"); }, 5s));
    ASSERT_TRUE(program->Running());
}

}  // namespace
}  // namespace e2e
