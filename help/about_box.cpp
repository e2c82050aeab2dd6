#include "help/about_box.h"

#include "app/app.h"
#include "program_kit/control_design.h"
#include "program_kit/window_class.h"
#include "program_kit/window_design.h"

namespace quorrel {
namespace {

const char* const kAboutBoxClassName = "AboutBox.AboutBox";

// Developer's role and name, an empty line, the senior beta tester's role and name.
// Short lines: the credits label is only 104 pixels wide.
const char* const kCredits = "Developer\rQuorrel Team\r\rSr. Beta Tester\rQuorrel Users";
// Our icon is our own work; no stock-image site is involved.
const char* const kIconCredit = "Icon by the Quorrel developers";

struct Placement {
    int32_t left, top, width, height, tabIndex;
};

// What all seven controls share, then their own place and font.
DesignRows ControlDesign(const Placement& at, const std::string& font, bool bold) {
    const DesignRows start = {{"Index", kNoIndex}, {"InitialParent", ""}};
    const DesignRows look = {
        {"TabPanelIndex", 0},
        {"TabIndex", at.tabIndex},
        {"TabStop", true},
        {"Enabled", true},
        {"Visible", true},
        {"HelpTag", ""},
        {"AutoDeactivate", true},
        {"TextFont", font},
        {"Bold", bold},
        {"Italic", false},
        {"Underline", false},
    };
    return start + FrameAndLocks({at.left, at.top, at.width, at.height}, kLockedLeftTop) + look;
}

std::string ButtonDesign(const std::string& name, const Placement& at, const std::string& caption) {
    const DesignRows own = {
        {"Default", false},
        {"Cancel", false},
        {"ButtonStyle", 0},
        {"Caption", caption},
        {"Name", name},
    };
    return Encode(ControlDesign(at, "System", true) + own);
}

std::string LabelDesign(const std::string& name, const Placement& at, const std::string& font, bool bold, int32_t align,
                        bool multiline, const std::string& text) {
    const DesignRows own = {
        {"TextColor", kBlack},
        {"Selectable", false},
        {"Transparent", false},
        {"DataSource", ""},
        {"DataField", ""},
        {"Multiline", multiline},
        {"TextAlign", align},
        {"Text", text},
        {"Name", name},
    };
    return Encode(ControlDesign(at, font, bold) + own);
}

constexpr int32_t kLeft = 0, kCentred = 1, kRight = 2;

}  // namespace

void AboutBox::Layout() { RuntimeMassPropertySetter(Self(*this), WindowDesign({"About...", 264, 290, 0, false})); }

void AboutBox::CreateControls() { _CreateControls0(); }

void AboutBox::_CreateControls0() {
    auto self = Self(*this);
    AddControl<PushButton>(self, "PushButton1")
        .TextUnit(0)
        .Design(ButtonDesign("PushButton1", {72, 180, 120, 21, 0}, "Email Author"))
        .On("Action", &AboutBox::PushButton1_Action, "( PushButton )");
    AddControl<PushButton>(self, "PushButton2")
        .TextUnit(0)
        .Design(ButtonDesign("PushButton2", {72, 217, 120, 21, 1}, "Visit Web Site"))
        .On("Action", &AboutBox::PushButton2_Action, "( PushButton )");
    AddControl<Label>(self, "StaticText2")
        .TextUnit(0)
        .Design(LabelDesign("StaticText2", {80, 86, 104, 87, 2}, "System", false, kCentred, true, kCredits));
    AddControl<Label>(self, "StaticText1")
        .TextSize(30)
        .TextUnit(0)
        .Design(LabelDesign("StaticText1", {20, 20, 224, 45, 3}, "Arial", true, kCentred, false, "Quorrel"));
    AddControl<Label>(self, "StaticText3")
        .TextSize(12)
        .TextUnit(0)
        .Design(LabelDesign("StaticText3", {72, 60, 56, 20, 4}, "Arial", true, kLeft, false, "Version:"));
    AddControl<Label>(self, "StaticText4")
        .TextSize(12)
        .TextUnit(0)
        .Design(LabelDesign("StaticText4", {126, 60, 66, 20, 5}, "Arial", true, kRight, false, "1.0.0 Intel"))
        .On("Open", &AboutBox::StaticText4_Open, "( Label )");
    AddControl<Label>(self, "Label1")
        .TextUnit(0)
        .Design(LabelDesign("Label1", {0, 250, 264, 20, 6}, "System", false, kCentred, false, kIconCredit));
}

std::shared_ptr<PushButton> AboutBox::PushButton1() { return ControlNamed<PushButton>(*this, "PushButton1"); }
std::shared_ptr<PushButton> AboutBox::PushButton2() { return ControlNamed<PushButton>(*this, "PushButton2"); }
std::shared_ptr<Label> AboutBox::StaticText2() { return ControlNamed<Label>(*this, "StaticText2"); }
std::shared_ptr<Label> AboutBox::StaticText1() { return ControlNamed<Label>(*this, "StaticText1"); }
std::shared_ptr<Label> AboutBox::StaticText3() { return ControlNamed<Label>(*this, "StaticText3"); }
std::shared_ptr<Label> AboutBox::StaticText4() { return ControlNamed<Label>(*this, "StaticText4"); }
std::shared_ptr<Label> AboutBox::Label1() { return ControlNamed<Label>(*this, "Label1"); }

void AboutBox::PushButton1_Action(std::shared_ptr<PushButton> /*sender*/) {
    GlobalShowURL(RuntimeAddString("mailto:", GetBundleInfo().mailAddress));
}

void AboutBox::PushButton2_Action(std::shared_ptr<PushButton> /*sender*/) { GlobalShowURL(GetBundleInfo().homePage); }

void AboutBox::StaticText4_Open(std::shared_ptr<Label> sender) {
    NotNil(sender)->Text(NotNil(AppInstance())->LongVersion());
}

void AboutBoxClassDefiner() {
    RuntimeDefineClass({kAboutBoxClassName,
                        "Window",
                        {"Layout",
                         "CreateControls",
                         "_CreateControls0",
                         "PushButton1",
                         "PushButton2",
                         "StaticText2",
                         "StaticText1",
                         "StaticText3",
                         "StaticText4",
                         "Label1",
                         "PushButton1_Action",
                         "PushButton2_Action",
                         "StaticText4_Open"}});
}

const ClassRecord* AboutBoxClassGetter() { return ClassGetter(kAboutBoxClassName, AboutBoxClassDefiner); }

std::shared_ptr<AboutBox> AboutBoxInstance() {
    return OpenOrBuildWindow<AboutBox>(kAboutBoxClassName, AboutBoxClassDefiner);
}

}  // namespace quorrel
