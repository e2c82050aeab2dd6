// "Print Help" on the recording printer: blocks, page feet, the footer fixed
// before the dialog, and the Help window closed at the end.
#include "help/help_window.h"
#include "program_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using fw::headless::Headless;
using fw::headless::ModalAnswer;
using fw::headless::ModalRequest;
using fw::headless::PrintCall;
using quorrel::test::WallClock;

// The wall clock when the command is given: 2:07 PM on 3/5/24.
const char* const kFooter = "2:07 PM, 3/5/24";

struct Page {
    std::vector<std::string> blocks;
    std::vector<PrintCall> calls;  // everything drawn or set on the page, in order
};

// Cuts the recorded calls into pages at each "nextpage"; "finish" ends the job.
std::vector<Page> Pages(const std::vector<PrintCall>& log) {
    std::vector<Page> pages(1);
    for (const auto& call : log) {
        if (call.op == "nextpage") {
            pages.emplace_back();
            continue;
        }
        if (call.op == "finish") continue;
        if (call.op == "block") pages.back().blocks.push_back(call.text);
        pages.back().calls.push_back(call);
    }
    return pages;
}

// Every page: its block (if any) in Courier bold, then its number and the
// footer in Arial without bold; pages before the last then go back to Courier bold.
void ExpectPageRules(const std::vector<Page>& pages, const std::string& footer) {
    for (size_t i = 0; i < pages.size(); ++i) {
        const auto& calls = pages[i].calls;
        SCOPED_TRACE("page " + std::to_string(i + 1));
        size_t at = 0;  // past the job's set-up on the first page
        while (at < calls.size() && calls[at].op != "block" && !(calls[at].op == "font" && calls[at].text == "Arial"))
            ++at;
        if (!pages[i].blocks.empty()) {
            ASSERT_EQ(calls.at(at).op, "block");
            EXPECT_EQ(calls[at].x, 36);
            EXPECT_EQ(calls[at].y, 36);
            EXPECT_EQ(calls[at].extra, 672);
            ++at;
        }
        ASSERT_GE(calls.size(), at + 4);
        EXPECT_EQ(calls[at].op, "font");
        EXPECT_EQ(calls[at].text, "Arial");
        EXPECT_EQ(calls[at + 1].op, "bold");
        EXPECT_EQ(calls[at + 1].extra, 0);
        EXPECT_EQ(calls[at + 2].op, "string");
        EXPECT_EQ(calls[at + 2].text, "page " + std::to_string(i + 1));
        EXPECT_EQ(calls[at + 2].x, 40);
        EXPECT_EQ(calls[at + 2].y, 720);
        EXPECT_EQ(calls[at + 2].extra, 0) << "no wrapping";
        EXPECT_EQ(calls[at + 3].op, "string");
        EXPECT_EQ(calls[at + 3].text, footer);
        EXPECT_EQ(calls[at + 3].x, 100);
        EXPECT_EQ(calls[at + 3].y, 720);
        at += 4;
        if (i + 1 < pages.size()) {
            ASSERT_EQ(calls.size(), at + 2);
            EXPECT_EQ(calls[at].text, "Courier");
            EXPECT_EQ(calls[at + 1].op, "bold");
            EXPECT_EQ(calls[at + 1].extra, 1);
        } else {
            EXPECT_EQ(calls.size(), at) << "nothing after the last page's foot";
        }
        EXPECT_LE(pages[i].blocks.size(), 1u);
    }
}

std::string Joined(const std::vector<Page>& pages) {
    std::string text;
    for (const auto& page : pages)
        for (const auto& block : page.blocks) text += (text.empty() ? "" : "\r") + block;
    return text;
}

class HelpPrintingTest : public quorrel::test::ProgramFixture {
protected:
    void SetUp() override {
        ProgramFixture::SetUp();
        hl().SetWallClock(WallClock(2024, 3, 5, 14, 7, 0));
        // Two minutes pass while the printer dialog is open.
        hl().SetModalScript([this](Headless& h, const ModalRequest& request) {
            ModalAnswer answer;
            if (request.kind == ModalRequest::Kind::PrinterDialog) {
                ++printerDialogs;
                h.Advance(2 * 60 * 1000);
                answer.print = confirm;
                answer.printRefusal = refusal;
            } else if (request.kind == ModalRequest::Kind::MessageBox) {
                messages.push_back(request.text);
                helpOpenAtMessage = OpenHelp() != nullptr;
            }
            return answer;
        });
    }
    static std::shared_ptr<quorrel::Help> OpenHelp() {
        return std::dynamic_pointer_cast<quorrel::Help>(fw::RuntimeGetImplicitWindow("Help.Help"));
    }
    // Prints with the Help window holding text (the design text when nullopt).
    bool PrintHelp(std::optional<std::string> text, bool showFirst = true) {
        bool handled = false;
        Run([&](Headless& h) {
            if (showFirst) h.ChooseMenu("HelpShowHelp");
            if (text) fw::PeerAccess::Edited(*OpenHelp()->TextArea1(), *text, {});
            handled = h.ChooseMenu("FilePrintHelp");
            helpOpenAfter = OpenHelp() != nullptr;
            if (helpOpenAfter) textAfter = OpenHelp()->TextArea1()->Text();
            h.CloseWindow(ControlPanel());
        });
        return handled;
    }

    bool confirm = true;
    std::string refusal;
    int printerDialogs = 0;
    bool helpOpenAfter = true;
    std::string textAfter;
    std::vector<std::string> messages;
    bool helpOpenAtMessage = false;
};

TEST_F(HelpPrintingTest, DesignTextInOneBlockIsOnePageWithItsFoot) {
    hl().SetPrintLinesPerBlock(1000);
    EXPECT_TRUE(PrintHelp(std::nullopt, /*showFirst=*/false));
    const auto& log = hl().Log().print;
    ASSERT_GE(log.size(), 4u);
    // The job's state before the first block.
    EXPECT_EQ(log[0].op, "font");
    EXPECT_EQ(log[0].text, "Courier");
    EXPECT_EQ(log[1].op, "size");
    EXPECT_EQ(log[1].extra, 10);
    EXPECT_EQ(log[2].op, "color");
    EXPECT_EQ(log[2].extra, 0);
    EXPECT_EQ(log[3].op, "bold");
    EXPECT_EQ(log[3].extra, 1);

    auto pages = Pages(log);
    ASSERT_EQ(pages.size(), 1u);
    ExpectPageRules(pages, kFooter);
    EXPECT_EQ(Joined(pages).rfind("Introduction:\r", 0), 0u);
    EXPECT_FALSE(helpOpenAfter);
    EXPECT_EQ(log.back().op, "finish") << "the job goes to the printer once the routine lets go of it";
}

TEST_F(HelpPrintingTest, EditedTextOfThreeBlocksGivesThreePagesWithTheSameFooter) {
    hl().SetPrintLinesPerBlock(3);
    const std::string text = "one\rtwo\rthree\rfour\rfive\rsix\rseven";
    EXPECT_TRUE(PrintHelp(text));
    auto pages = Pages(hl().Log().print);
    ASSERT_EQ(pages.size(), 3u);
    ExpectPageRules(pages, kFooter);
    EXPECT_EQ(Joined(pages), text) << "the edits are what gets printed";
    EXPECT_FALSE(helpOpenAfter);
}

TEST_F(HelpPrintingTest, EmptyTextPrintsOnePageWithItsNumberOnly) {
    EXPECT_TRUE(PrintHelp(std::string()));
    auto pages = Pages(hl().Log().print);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_TRUE(pages[0].blocks.empty());
    ExpectPageRules(pages, kFooter);
}

TEST_F(HelpPrintingTest, VeryLongTextKeepsThePageRules) {
    hl().SetPrintLinesPerBlock(56);
    std::string text;
    for (int i = 1; i <= 5000; ++i) text += (i > 1 ? "\rline " : "line ") + std::to_string(i);
    EXPECT_TRUE(PrintHelp(text));
    auto pages = Pages(hl().Log().print);
    ASSERT_EQ(pages.size(), 90u);  // 5000 lines, 56 to a block
    ExpectPageRules(pages, kFooter);
    EXPECT_EQ(Joined(pages), text);
}

TEST_F(HelpPrintingTest, CancelPrintsNothingAndClosesHelp) {
    for (bool showFirst : {true, false}) {
        SCOPED_TRACE(showFirst ? "Help open before" : "no Help window before");
        NewBackend();
        hl().SetModalScript([this](Headless&, const ModalRequest& request) {
            ModalAnswer answer;
            if (request.kind == ModalRequest::Kind::PrinterDialog) ++printerDialogs;
            answer.print = false;
            return answer;
        });
        printerDialogs = 0;
        helpOpenAfter = true;
        EXPECT_TRUE(PrintHelp(std::nullopt, showFirst));
        EXPECT_EQ(printerDialogs, 1);
        EXPECT_TRUE(hl().Log().print.empty());
        EXPECT_FALSE(helpOpenAfter);
    }
}

// The print system refuses the job when it is handed over: the user is told,
// and the Help window stays open with what was typed in it.
TEST_F(HelpPrintingTest, RefusedJobIsReportedAndTheHelpWindowKeepsItsText) {
    refusal = "The print system refused the job.";
    const std::string typed = "my notes\rline two";
    EXPECT_TRUE(PrintHelp(typed));
    EXPECT_EQ(messages, std::vector<std::string>{"The help was not printed. The print system refused the job."});
    EXPECT_TRUE(helpOpenAtMessage);
    EXPECT_TRUE(helpOpenAfter);
    EXPECT_EQ(textAfter, typed);
    const auto& log = hl().Log().print;
    EXPECT_EQ(std::count_if(log.begin(), log.end(), [](const PrintCall& c) { return c.op == "finish"; }), 1);
}

TEST_F(HelpPrintingTest, PrintedJobShowsNoMessage) {
    EXPECT_TRUE(PrintHelp(std::nullopt));
    EXPECT_TRUE(messages.empty());
    EXPECT_FALSE(helpOpenAfter);
}

}  // namespace
