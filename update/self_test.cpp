#include "update/self_test.h"

#include "app/app.h"
#include "program_kit/control_design.h"
#include "program_kit/window_class.h"
#include "program_kit/window_design.h"
#include "update/update_window.h"

namespace quorrel {

namespace {

const char* const kSelfTestClassName = "selfTest.selfTest";

// What the three controls have in common, up to their own properties.
DesignRows SelfTestControlStart() {
    return {
        {"InitialParent", ""},
        {"Underline", false},
        {"Italic", false},
        {"Bold", true},
        {"TextFont", "System"},
        {"AutoDeactivate", true},
        {"HelpTag", ""},
        {"Visible", true},
        {"Enabled", true},
    };
}

// A label of the window: its place, text and alignment.
std::string SelfTestLabelDesign(const std::string& name, const std::string& text, int32_t align, int32_t left,
                                int32_t width, int32_t tabIndex) {
    const DesignRows own = {
        {"DataField", ""},
        {"DataSource", ""},
        {"Transparent", false},
        {"Selectable", false},
        {"Multiline", false},
        {"TextColor", kBlack},
        {"TextAlign", align},
        {"Text", text},
        {"TabIndex", tabIndex},
        {"TabPanelIndex", 0},
    };
    return Encode(SelfTestControlStart() + own + LocksFrameIndexName(kLockedLeftTop, {left, 20, width, 20}, name) +
                  DesignRows{{"TabStop", true}});
}

std::string CheckForUpdatesDesign() {
    const DesignRows own = {
        {"ButtonStyle", 0},
        {"Default", true},
        {"Cancel", false},
        {"Caption", "Check for Updates"},
        {"TabStop", true},
        {"TabIndex", 2},
        {"TabPanelIndex", 0},
    };
    return Encode(SelfTestControlStart() + own + LocksFrameIndexName(kLockedLeftTop, {28, 61, 157, 21}, "PushButton1"));
}

}  // namespace

void selfTest::Layout() { RuntimeMassPropertySetter(Self(*this), WindowDesign({"Self Test", 212, 102, 0, false})); }

void selfTest::CreateControls() { _CreateControls0(); }

void selfTest::_CreateControls0() {
    auto self = Self(*this);
    AddControl<Label>(self, "StaticText1")
        .TextUnit(0)
        .Design(SelfTestLabelDesign("StaticText1", "Version:", 0, 38, 61, 0));
    AddControl<Label>(self, "StaticText2")
        .TextUnit(0)
        .Design(SelfTestLabelDesign("StaticText2", "1.0.0 Intel", 2, 99, 76, 1))
        .On("Open", &selfTest::StaticText2_Open, "( Label )");
    AddControl<PushButton>(self, "PushButton1")
        .TextUnit(0)
        .Design(CheckForUpdatesDesign())
        .On("Action", &selfTest::PushButton1_Action, "( PushButton )");
}

std::shared_ptr<Label> selfTest::StaticText1() { return ControlNamed<Label>(*this, "StaticText1"); }
std::shared_ptr<Label> selfTest::StaticText2() { return ControlNamed<Label>(*this, "StaticText2"); }
std::shared_ptr<PushButton> selfTest::PushButton1() { return ControlNamed<PushButton>(*this, "PushButton1"); }

void selfTest::StaticText2_Open(std::shared_ptr<Label> label) {
    NotNil(label)->Text(NotNil(AppInstance())->LongVersion());
}

void selfTest::PushButton1_Action(std::shared_ptr<PushButton> /*button*/) { NotNil(updateWindowInstance())->Show(); }

void selfTestClassDefiner() {
    RuntimeDefineClass({kSelfTestClassName,
                        "Window",
                        {"Layout",
                         "CreateControls",
                         "_CreateControls0",
                         "StaticText1",
                         "StaticText2",
                         "PushButton1",
                         "StaticText2_Open",
                         "PushButton1_Action"}});
}

const ClassRecord* selfTestClassGetter() { return ClassGetter(kSelfTestClassName, selfTestClassDefiner); }

std::shared_ptr<selfTest> selfTestInstance() {
    return OpenOrBuildWindow<selfTest>(kSelfTestClassName, selfTestClassDefiner);
}

}  // namespace quorrel
