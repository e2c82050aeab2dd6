#include "help/help_window.h"

#include "app/menu_bars.h"
#include "help/help_text.h"
#include "program_kit/control_design.h"
#include "program_kit/window_class.h"
#include "program_kit/window_design.h"

namespace quorrel {
namespace {

const char* const kHelpClassName = "Help.Help";

// The read-out button sits wholly right of the 350-wide content, out of reach
// of the pointer.
std::string PushButton1Design() {
    return PushButtonDesign(
        {"PushButton1", "", {384, 320, 20, 20}, {true, true, true, true}, 1, /*isDefault*/ false, /*isCancel*/ false});
}

std::string TextArea1Design() {
    const DesignRows own = {
        {"InitialParent", ""},
        {"DataField", ""},
        {"DataSource", ""},
        {"AutomaticallyCheckSpelling", true},
        {"Alignment", 0},
        {"AcceptTabs", false},
        {"LimitText", 0},
        {"ReadOnly", false},
        {"Mask", ""},
        {"Text", std::string(HelpText())},
        {"Underline", false},
        {"Italic", false},
        {"Bold", false},
        {"TextFont", "System"},
        {"HideSelection", true},
        {"AutoDeactivate", true},
        {"HelpTag", ""},
        {"Visible", true},
        {"Format", ""},
        {"Enabled", true},
        {"BackColor", kWhite},
        {"TextColor", kBlack},
        {"UseFocusRing", true},
        {"Styled", true},
        {"ScrollbarVertical", true},
        {"ScrollbarHorizontal", false},
        {"Multiline", true},
        {"Border", true},
        {"TabStop", true},
        {"TabIndex", 2},
        {"TabPanelIndex", 0},
    };
    return Encode(own + LocksFrameIndexName(kLockedLeftTop, {20, 20, 310, 308}, "TextArea1"));
}

}  // namespace

void Help::Layout() {
    MenuBar(MenuBar2Instance());
    RuntimeMassPropertySetter(Self(*this), WindowDesign({"Help", 350, 348, 0, false}));
}

void Help::CreateControls() { _CreateControls0(); }

void Help::_CreateControls0() {
    auto self = Self(*this);
    AddControl<PushButton>(self, "PushButton1")
        .TextUnit(0)
        .Design(PushButton1Design())
        .On("Action", &Help::PushButton1_Action, "( PushButton )");
    AddControl<TextArea>(self, "TextArea1")
        .TextUnit(0)
        .LineSpacing(1.0)
        .Design(TextArea1Design())
        .On("Open", &Help::TextArea1_Open, "( TextArea )");
}

std::shared_ptr<PushButton> Help::PushButton1() { return ControlNamed<PushButton>(*this, "PushButton1"); }

std::shared_ptr<TextArea> Help::TextArea1() { return ControlNamed<TextArea>(*this, "TextArea1"); }

void Help::PushButton1_Action(std::shared_ptr<PushButton> /*sender*/) {
    int32_t start = NotNil(TextArea1())->SelStart();
    int32_t length = NotNil(TextArea1())->SelLength();
    RuntimeMsgBox(RuntimeAddString(RuntimeAddString(RuntimeAddString("Start: ", StringStrInt32(start)), " Length: "),
                                   StringStrInt32(length)));
}

void Help::TextArea1_Open(std::shared_ptr<TextArea> sender) {
    NotNil(sender);
    for (const HelpRun& run : HelpRuns()) {
        sender->SelStart(run.start);
        sender->SelLength(run.length);
        sender->SelTextColor(run.tint == HelpRun::Tint::Blue ? RuntimeRGBA(0, 0, 255, 0) : RuntimeRGBA(255, 0, 0, 0));
        sender->SelBold(true);
    }
    sender->SelStart(0);
    sender->SelLength(0);
}

std::shared_ptr<MenuItem> Help::EditMenu() { return MenuItemNamed(*this, "EditMenu"); }
std::shared_ptr<MenuItem> Help::EditSelectAll() { return MenuItemNamed(*this, "EditSelectAll"); }
std::shared_ptr<MenuItem> Help::EditSeparator2() { return MenuItemNamed(*this, "EditSeparator2"); }
std::shared_ptr<MenuItem> Help::EditClear() { return MenuItemNamed(*this, "EditClear"); }
std::shared_ptr<MenuItem> Help::EditPaste() { return MenuItemNamed(*this, "EditPaste"); }
std::shared_ptr<MenuItem> Help::EditCopy() { return MenuItemNamed(*this, "EditCopy"); }
std::shared_ptr<MenuItem> Help::EditCut() { return MenuItemNamed(*this, "EditCut"); }
std::shared_ptr<MenuItem> Help::EditSeparator1() { return MenuItemNamed(*this, "EditSeparator1"); }
std::shared_ptr<MenuItem> Help::EditUndo() { return MenuItemNamed(*this, "EditUndo"); }
std::shared_ptr<MenuItem> Help::FileMenu() { return MenuItemNamed(*this, "FileMenu"); }
std::shared_ptr<MenuItem> Help::FilePrintHelp() { return MenuItemNamed(*this, "FilePrintHelp"); }

void HelpClassDefiner() {
    RuntimeDefineClass({kHelpClassName,
                        "Window",
                        {"Layout",
                         "CreateControls",
                         "_CreateControls0",
                         "PushButton1",
                         "TextArea1",
                         "PushButton1_Action",
                         "TextArea1_Open",
                         "EditMenu",
                         "EditSelectAll",
                         "EditSeparator2",
                         "EditClear",
                         "EditPaste",
                         "EditCopy",
                         "EditCut",
                         "EditSeparator1",
                         "EditUndo",
                         "FileMenu",
                         "FilePrintHelp"}});
}

const ClassRecord* HelpClassGetter() { return ClassGetter(kHelpClassName, HelpClassDefiner); }

std::shared_ptr<Help> HelpInstance() { return OpenOrBuildWindow<Help>(kHelpClassName, HelpClassDefiner); }

}  // namespace quorrel
