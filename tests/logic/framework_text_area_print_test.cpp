// The styled text area, the headless printer and the message dialog.
#include "platform/framework.h"
#include "platform/headless/headless.h"

#include <gtest/gtest.h>

namespace {

using namespace fw;

class TextAreaTest : public ::testing::Test {
protected:
    headless::Headless& backend = headless::InstallNew();
    std::shared_ptr<TextArea> area = std::make_shared<TextArea>();
};

TEST_F(TextAreaTest, SelectionStylesCharactersAndIsClampedToTheText) {
    area->Text("Intro:\r\xc3\xa9t\xc3\xa9");  // 10 characters
    area->SelStart(7);
    area->SelLength(2);
    area->SelTextColor(RuntimeRGBA(0, 0, 255, 0));
    area->SelBold(true);
    area->SelStart(0);  // the style stays when the selection moves on
    ASSERT_EQ(area->Styles().size(), 10u);
    for (size_t i = 0; i < 10; ++i) {
        bool styled = i == 7 || i == 8;
        EXPECT_EQ(area->Styles()[i].bold, styled) << i;
        EXPECT_EQ(area->Styles()[i].hasColor, styled) << i;
    }
    EXPECT_EQ(area->Styles()[7].color, (Color{0, 0, 255, 0}));

    area->SelStart(50);
    EXPECT_EQ(area->SelStart(), 10);
    area->SelStart(8);
    area->SelLength(50);
    EXPECT_EQ(area->SelLength(), 2);
    area->SelLength(-3);
    EXPECT_EQ(area->SelLength(), 0);

    area->Text("new");  // new text: plain again, selection inside it
    EXPECT_EQ(area->Styles(), std::vector<CharStyle>(3));
    EXPECT_EQ(area->SelStart(), 3);
}

TEST_F(TextAreaTest, PeerEditReplacesTextAndStyles) {
    area->Text("abc");
    std::vector<CharStyle> styles(4);
    styles[3].bold = true;
    fw::PeerAccess::Edited(*area, "abcd", styles);
    EXPECT_EQ(area->Text(), "abcd");
    EXPECT_EQ(area->Styles(), styles);
}

TEST_F(TextAreaTest, HeadlessPrinterWrapsAndDrawsBlockByBlock) {
    backend.SetPrintLinesPerBlock(2);
    area->Text("aaaa bbbb cccc\r\rdd");  // 60 points wide: 10 characters per line
    auto job = RuntimeOpenPrinterDialog();
    ASSERT_NE(job, nullptr);
    auto printer = area->styledTextPrinter(job, 60);
    std::vector<std::string> blocks;
    while (!printer->EOF()) printer->DrawBlock(24, 72, 500);
    for (const auto& call : backend.Log().print)
        if (call.op == "block") blocks.push_back(call.text);
    EXPECT_EQ(blocks, (std::vector<std::string>{"aaaa bbbb\rcccc", "\rdd"}));

    auto empty = std::make_shared<TextArea>();
    EXPECT_TRUE(empty->styledTextPrinter(job, 492)->EOF());
    printer.reset();
    job.reset();
    EXPECT_EQ(backend.Log().print.back().op, "finish");
}

TEST_F(TextAreaTest, CancelledPrinterDialogGivesNil) {
    backend.SetModalScript([](headless::Headless&, const headless::ModalRequest& r) {
        EXPECT_EQ(r.kind, headless::ModalRequest::Kind::PrinterDialog);
        headless::ModalAnswer a;
        a.print = false;
        return a;
    });
    EXPECT_EQ(RuntimeOpenPrinterDialog(), nullptr);
}

TEST_F(TextAreaTest, MessageDialogButtonsAndTheAnswer) {
    auto dialog = std::make_shared<MessageDialog>();
    EXPECT_EQ(dialog->ActionButton()->Caption(), "OK");
    EXPECT_TRUE(dialog->ActionButton()->Visible());
    EXPECT_EQ(dialog->CancelButton()->Caption(), "Cancel");
    EXPECT_FALSE(dialog->CancelButton()->Visible());
    EXPECT_FALSE(dialog->AlternateActionButton()->Visible());
    dialog->Message("A new version is available");
    int answer = 0;
    backend.SetModalScript([&](headless::Headless& h, const headless::ModalRequest& r) {
        EXPECT_EQ(r.dialog, dialog.get());
        h.Advance(10);  // time passes while the dialog is open
        headless::ModalAnswer a;
        a.button = answer;
        return a;
    });
    EXPECT_EQ(dialog->ShowModal(), dialog->ActionButton());
    answer = 1;
    EXPECT_EQ(dialog->ShowModal(), dialog->CancelButton());
    answer = 2;
    EXPECT_EQ(dialog->ShowModal(), dialog->AlternateActionButton());
    EXPECT_EQ(backend.Elapsed(), 30);
    EXPECT_EQ(backend.Log().dialogs.size(), 3u);
}

}  // namespace
