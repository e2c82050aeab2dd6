#include "help/help_window.h"

#include "app/control_design.h"
#include "app/new_control.h"
#include "app/menu_bars.h"
#include "app/window_design.h"
#include "app/window_instance.h"
#include "help/help_text.h"

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
    DesignList list;
    list.Str("InitialParent", "")
        .Str("DataField", "")
        .Str("DataSource", "")
        .Bool("AutomaticallyCheckSpelling", true)
        .Int("Alignment", 0)
        .Bool("AcceptTabs", false)
        .Int("LimitText", 0)
        .Bool("ReadOnly", false)
        .Str("Mask", "")
        .Str("Text", std::string(HelpText()))
        .Bool("Underline", false)
        .Bool("Italic", false)
        .Bool("Bold", false)
        .Str("TextFont", "System")
        .Bool("HideSelection", true)
        .Bool("AutoDeactivate", true)
        .Str("HelpTag", "")
        .Bool("Visible", true)
        .Str("Format", "")
        .Bool("Enabled", true)
        .Col("BackColor", 255, 255, 255)
        .Col("TextColor", 0, 0, 0)
        .Bool("UseFocusRing", true)
        .Bool("Styled", true)
        .Bool("ScrollbarVertical", true)
        .Bool("ScrollbarHorizontal", false)
        .Bool("Multiline", true)
        .Bool("Border", true)
        .Bool("TabStop", true)
        .Int("TabIndex", 2)
        .Int("TabPanelIndex", 0);
    return LocksFrameIndexName(list, {true, true, false, false}, {20, 20, 310, 308}, "TextArea1").Bytes();
}

}  // namespace

void Help::Layout() {
    MenuBar(MenuBar2Instance());
    RuntimeMassPropertySetter(std::static_pointer_cast<Help>(shared_from_this()),
                              WindowDesign({"Help", 350, 348, 0, false}));
}

void Help::CreateControls() { _CreateControls0(); }

void Help::_CreateControls0() {
    auto self = std::static_pointer_cast<Help>(shared_from_this());

    AddNewControl<PushButton>(*this, "PushButton1");
    PushButton1()->TextUnit(0);
    RuntimeMassPropertySetter(PushButton1(), PushButton1Design());
    RuntimeAddEventHandler(PushButton1(), "Action",
                           RuntimeCreateDelegate(&Help::PushButton1_Action, self, "( PushButton )", 1));

    AddNewControl<TextArea>(*this, "TextArea1");
    TextArea1()->TextUnit(0);
    TextArea1()->LineSpacing(1.0);
    RuntimeMassPropertySetter(TextArea1(), TextArea1Design());
    RuntimeAddEventHandler(TextArea1(), "Open",
                           RuntimeCreateDelegate(&Help::TextArea1_Open, self, "( TextArea )", 1));
}

std::shared_ptr<PushButton> Help::PushButton1() { return RuntimeCheckCast<PushButton>(_ControlByName("PushButton1")); }

std::shared_ptr<TextArea> Help::TextArea1() { return RuntimeCheckCast<TextArea>(_ControlByName("TextArea1")); }

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

std::shared_ptr<MenuItem> Help::BarItem(const std::string& name) const {
    return MenuItem::_Lookup(MenuBar(), name);
}

std::shared_ptr<MenuItem> Help::EditMenu() { return BarItem("EditMenu"); }
std::shared_ptr<MenuItem> Help::EditSelectAll() { return BarItem("EditSelectAll"); }
std::shared_ptr<MenuItem> Help::EditSeparator2() { return BarItem("EditSeparator2"); }
std::shared_ptr<MenuItem> Help::EditClear() { return BarItem("EditClear"); }
std::shared_ptr<MenuItem> Help::EditPaste() { return BarItem("EditPaste"); }
std::shared_ptr<MenuItem> Help::EditCopy() { return BarItem("EditCopy"); }
std::shared_ptr<MenuItem> Help::EditCut() { return BarItem("EditCut"); }
std::shared_ptr<MenuItem> Help::EditSeparator1() { return BarItem("EditSeparator1"); }
std::shared_ptr<MenuItem> Help::EditUndo() { return BarItem("EditUndo"); }
std::shared_ptr<MenuItem> Help::FileMenu() { return BarItem("FileMenu"); }
std::shared_ptr<MenuItem> Help::FilePrintHelp() { return BarItem("FilePrintHelp"); }

void HelpClassDefiner() {
    RuntimeDefineClass({kHelpClassName,
                        "Window",
                        {"Layout", "CreateControls", "_CreateControls0", "PushButton1", "TextArea1",
                         "PushButton1_Action", "TextArea1_Open", "EditMenu", "EditSelectAll", "EditSeparator2",
                         "EditClear", "EditPaste", "EditCopy", "EditCut", "EditSeparator1", "EditUndo", "FileMenu",
                         "FilePrintHelp"}});
}

const ClassRecord* HelpClassGetter() {
    if (!RuntimeGetClass(kHelpClassName)) HelpClassDefiner();
    return RuntimeGetClass(kHelpClassName);
}

std::shared_ptr<Help> HelpInstance() { return OpenOrBuildWindow<Help>(kHelpClassName, HelpClassDefiner); }

}  // namespace quorrel
