#include "update/self_test.h"

#include "app/app.h"
#include "app/control_design.h"
#include "app/new_control.h"
#include "app/window_design.h"
#include "app/window_instance.h"
#include "update/update_window.h"

namespace quorrel {

namespace {

const char* const kSelfTestClassName = "selfTest.selfTest";

// What the three controls have in common, up to their own properties.
DesignList SelfTestControlStart() {
    DesignList d;
    d.Str("InitialParent", "")
        .Bool("Underline", false)
        .Bool("Italic", false)
        .Bool("Bold", true)
        .Str("TextFont", "System")
        .Bool("AutoDeactivate", true)
        .Str("HelpTag", "")
        .Bool("Visible", true)
        .Bool("Enabled", true);
    return d;
}

// A label of the window: its place, text and alignment.
std::string SelfTestLabelDesign(const std::string& name, const std::string& text, int32_t align, int32_t left,
                                int32_t width, int32_t tabIndex) {
    DesignList list = SelfTestControlStart();
    list.Str("DataField", "")
        .Str("DataSource", "")
        .Bool("Transparent", false)
        .Bool("Selectable", false)
        .Bool("Multiline", false)
        .Col("TextColor", 0, 0, 0)
        .Int("TextAlign", align)
        .Str("Text", text)
        .Int("TabIndex", tabIndex)
        .Int("TabPanelIndex", 0);
    return LocksFrameIndexName(list, {true, true, false, false}, {left, 20, width, 20}, name)
        .Bool("TabStop", true)
        .Bytes();
}

}  // namespace

void selfTest::Layout() {
    RuntimeMassPropertySetter(std::static_pointer_cast<PropertyObject>(shared_from_this()),
                              WindowDesign({"Self Test", 212, 102, 0, false}));
}

void selfTest::CreateControls() { _CreateControls0(); }

void selfTest::_CreateControls0() {
    auto self = std::static_pointer_cast<selfTest>(shared_from_this());

    AddNewControl<Label>(*this, "StaticText1");
    StaticText1()->TextUnit(0);
    RuntimeMassPropertySetter(StaticText1(), SelfTestLabelDesign("StaticText1", "Version:", 0, 38, 61, 0));

    AddNewControl<Label>(*this, "StaticText2");
    StaticText2()->TextUnit(0);
    RuntimeMassPropertySetter(StaticText2(), SelfTestLabelDesign("StaticText2", "1.0.0 Intel", 2, 99, 76, 1));
    RuntimeAddEventHandler(StaticText2(), "Open",
                           RuntimeCreateDelegate(&selfTest::StaticText2_Open, self, "( Label )", 1));

    AddNewControl<PushButton>(*this, "PushButton1");
    PushButton1()->TextUnit(0);
    DesignList buttonDesign = SelfTestControlStart();
    buttonDesign.Int("ButtonStyle", 0)
        .Bool("Default", true)
        .Bool("Cancel", false)
        .Str("Caption", "Check for Updates")
        .Bool("TabStop", true)
        .Int("TabIndex", 2)
        .Int("TabPanelIndex", 0);
    LocksFrameIndexName(buttonDesign, {true, true, false, false}, {28, 61, 157, 21}, "PushButton1");
    RuntimeMassPropertySetter(PushButton1(), buttonDesign.Bytes());
    RuntimeAddEventHandler(PushButton1(), "Action",
                           RuntimeCreateDelegate(&selfTest::PushButton1_Action, self, "( PushButton )", 1));
}

std::shared_ptr<Label> selfTest::StaticText1() { return RuntimeCheckCast<Label>(_ControlByName("StaticText1")); }
std::shared_ptr<Label> selfTest::StaticText2() { return RuntimeCheckCast<Label>(_ControlByName("StaticText2")); }
std::shared_ptr<PushButton> selfTest::PushButton1() {
    return RuntimeCheckCast<PushButton>(_ControlByName("PushButton1"));
}

void selfTest::StaticText2_Open(std::shared_ptr<Label> label) { NotNil(label)->Text(NotNil(AppInstance())->LongVersion()); }

void selfTest::PushButton1_Action(std::shared_ptr<PushButton> /*button*/) { NotNil(updateWindowInstance())->Show(); }

void selfTestClassDefiner() {
    RuntimeDefineClass({kSelfTestClassName, "Window",
                        {"Layout", "CreateControls", "_CreateControls0", "StaticText1", "StaticText2", "PushButton1",
                         "StaticText2_Open", "PushButton1_Action"}});
}

const ClassRecord* selfTestClassGetter() {
    if (!RuntimeGetClass(kSelfTestClassName)) selfTestClassDefiner();
    return RuntimeGetClass(kSelfTestClassName);
}

std::shared_ptr<selfTest> selfTestInstance() {
    return OpenOrBuildWindow<selfTest>(kSelfTestClassName, selfTestClassDefiner);
}

}  // namespace quorrel
