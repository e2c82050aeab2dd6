#include "help/about_box.h"

#include "app/app.h"
#include "app/control_design.h"
#include "app/new_control.h"
#include "app/window_design.h"
#include "app/window_instance.h"

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
DesignList& ControlDesign(DesignList& list, const Placement& at, const std::string& font, bool bold) {
    list.Int("Index", kNoIndex).Str("InitialParent", "");
    return FrameAndLocks(list, {at.left, at.top, at.width, at.height}, {true, true, false, false})
        .Int("TabPanelIndex", 0)
        .Int("TabIndex", at.tabIndex)
        .Bool("TabStop", true)
        .Bool("Enabled", true)
        .Bool("Visible", true)
        .Str("HelpTag", "")
        .Bool("AutoDeactivate", true)
        .Str("TextFont", font)
        .Bool("Bold", bold)
        .Bool("Italic", false)
        .Bool("Underline", false);
}

std::string ButtonDesign(const std::string& name, const Placement& at, const std::string& caption) {
    DesignList list;
    ControlDesign(list, at, "System", true)
        .Bool("Default", false)
        .Bool("Cancel", false)
        .Int("ButtonStyle", 0)
        .Str("Caption", caption)
        .Str("Name", name);
    return list.Bytes();
}

std::string LabelDesign(const std::string& name, const Placement& at, const std::string& font, bool bold,
                        int32_t align, bool multiline, const std::string& text) {
    DesignList list;
    ControlDesign(list, at, font, bold)
        .Col("TextColor", 0, 0, 0)
        .Bool("Selectable", false)
        .Bool("Transparent", false)
        .Str("DataSource", "")
        .Str("DataField", "")
        .Bool("Multiline", multiline)
        .Int("TextAlign", align)
        .Str("Text", text)
        .Str("Name", name);
    return list.Bytes();
}

constexpr int32_t kLeft = 0, kCentred = 1, kRight = 2;

}  // namespace

void AboutBox::Layout() {
    RuntimeMassPropertySetter(std::static_pointer_cast<AboutBox>(shared_from_this()),
                              WindowDesign({"About...", 264, 290, 0, false}));
}

void AboutBox::CreateControls() { _CreateControls0(); }

void AboutBox::_CreateControls0() {
    auto self = std::static_pointer_cast<AboutBox>(shared_from_this());

    auto mail = AddNewControl<PushButton>(*this, "PushButton1");
    mail->TextUnit(0);
    RuntimeMassPropertySetter(mail, ButtonDesign("PushButton1", {72, 180, 120, 21, 0}, "Email Author"));
    RuntimeAddEventHandler(mail, "Action",
                           RuntimeCreateDelegate(&AboutBox::PushButton1_Action, self, "( PushButton )", 1));

    auto web = AddNewControl<PushButton>(*this, "PushButton2");
    web->TextUnit(0);
    RuntimeMassPropertySetter(web, ButtonDesign("PushButton2", {72, 217, 120, 21, 1}, "Visit Web Site"));
    RuntimeAddEventHandler(web, "Action",
                           RuntimeCreateDelegate(&AboutBox::PushButton2_Action, self, "( PushButton )", 1));

    auto credits = AddNewControl<Label>(*this, "StaticText2");
    credits->TextUnit(0);
    RuntimeMassPropertySetter(
        credits, LabelDesign("StaticText2", {80, 86, 104, 87, 2}, "System", false, kCentred, true, kCredits));

    auto product = AddNewControl<Label>(*this, "StaticText1");
    product->TextSize(30);
    product->TextUnit(0);
    RuntimeMassPropertySetter(
        product, LabelDesign("StaticText1", {20, 20, 224, 45, 3}, "Arial", true, kCentred, false, "Quorrel"));

    auto versionCaption = AddNewControl<Label>(*this, "StaticText3");
    versionCaption->TextSize(12);
    versionCaption->TextUnit(0);
    RuntimeMassPropertySetter(versionCaption, LabelDesign("StaticText3", {72, 60, 56, 20, 4}, "Arial", true, kLeft,
                                                          false, "Version:"));

    auto version = AddNewControl<Label>(*this, "StaticText4");
    version->TextSize(12);
    version->TextUnit(0);
    RuntimeMassPropertySetter(
        version, LabelDesign("StaticText4", {126, 60, 66, 20, 5}, "Arial", true, kRight, false, "1.0.0 Intel"));
    RuntimeAddEventHandler(version, "Open",
                           RuntimeCreateDelegate(&AboutBox::StaticText4_Open, self, "( Label )", 1));

    auto iconCredit = AddNewControl<Label>(*this, "Label1");
    iconCredit->TextUnit(0);
    RuntimeMassPropertySetter(
        iconCredit, LabelDesign("Label1", {0, 250, 264, 20, 6}, "System", false, kCentred, false, kIconCredit));
}

std::shared_ptr<PushButton> AboutBox::PushButton1() {
    return RuntimeCheckCast<PushButton>(_ControlByName("PushButton1"));
}
std::shared_ptr<PushButton> AboutBox::PushButton2() {
    return RuntimeCheckCast<PushButton>(_ControlByName("PushButton2"));
}
std::shared_ptr<Label> AboutBox::StaticText2() { return RuntimeCheckCast<Label>(_ControlByName("StaticText2")); }
std::shared_ptr<Label> AboutBox::StaticText1() { return RuntimeCheckCast<Label>(_ControlByName("StaticText1")); }
std::shared_ptr<Label> AboutBox::StaticText3() { return RuntimeCheckCast<Label>(_ControlByName("StaticText3")); }
std::shared_ptr<Label> AboutBox::StaticText4() { return RuntimeCheckCast<Label>(_ControlByName("StaticText4")); }
std::shared_ptr<Label> AboutBox::Label1() { return RuntimeCheckCast<Label>(_ControlByName("Label1")); }

void AboutBox::PushButton1_Action(std::shared_ptr<PushButton> /*sender*/) {
    GlobalShowURL(RuntimeAddString("mailto:", GetBundleInfo().mailAddress));
}

void AboutBox::PushButton2_Action(std::shared_ptr<PushButton> /*sender*/) {
    GlobalShowURL(GetBundleInfo().homePage);
}

void AboutBox::StaticText4_Open(std::shared_ptr<Label> sender) {
    NotNil(sender)->Text(NotNil(AppInstance())->LongVersion());
}

void AboutBoxClassDefiner() {
    RuntimeDefineClass({kAboutBoxClassName,
                        "Window",
                        {"Layout", "CreateControls", "_CreateControls0", "PushButton1", "PushButton2", "StaticText2",
                         "StaticText1", "StaticText3", "StaticText4", "Label1", "PushButton1_Action",
                         "PushButton2_Action", "StaticText4_Open"}});
}

const ClassRecord* AboutBoxClassGetter() {
    if (!RuntimeGetClass(kAboutBoxClassName)) AboutBoxClassDefiner();
    return RuntimeGetClass(kAboutBoxClassName);
}

std::shared_ptr<AboutBox> AboutBoxInstance() {
    return OpenOrBuildWindow<AboutBox>(kAboutBoxClassName, AboutBoxClassDefiner);
}

}  // namespace quorrel
