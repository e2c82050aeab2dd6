// The Control Panel's design: the window's properties and its twelve
// controls, built one completely before the next.
#include "capture/window1.h"

#include "app/menu_bars.h"
#include "program_kit/control_design.h"
#include "program_kit/window_class.h"
#include "program_kit/window_design.h"

namespace quorrel {

namespace {

std::string TimerDesign(int32_t mode, int32_t period) { return Encode({{"Mode", mode}, {"Period", period}}); }

// Name, Index, the frame and the locks, which every visible control's list
// begins with; a locked control keeps its left and top edges.
DesignRows Placed(const std::string& name, ControlFrame f, bool lockedLeftTop) {
    return DesignRows{{"Name", name}, {"Index", kNoIndex}} +
           FrameAndLocks(f, {lockedLeftTop, lockedLeftTop, false, false});
}

std::string CheckBoxDesign(const std::string& name, ControlFrame f, bool locked, int32_t tabIndex,
                           const std::string& caption) {
    const DesignRows own = {
        {"TabPanelIndex", 0},
        {"TabIndex", tabIndex},
        {"TabStop", true},
        {"Caption", caption},
        {"Enabled", true},
        {"Visible", true},
        {"HelpTag", ""},
        {"AutoDeactivate", true},
        {"TextFont", "System"},
        {"Bold", true},
        {"Italic", false},
        {"Underline", false},
        {"State", 0},
        {"Value", false},
        {"DataSource", ""},
        {"DataField", ""},
        {"InitialParent", ""},
    };
    return Encode(Placed(name, f, locked) + own);
}

std::string LabelDesign(const std::string& name, ControlFrame f, int32_t tabIndex, const std::string& text,
                        int32_t align, bool bold) {
    // clang-format off
    const DesignRows own = {
        {"TabPanelIndex", 0},
        {"TabIndex", tabIndex},
        {"Text", text},
        {"TextAlign", align},
        {"TextColor", kBlack},
        {"Multiline", false},
        {"Enabled", true},
        {"Visible", true},
        {"Selectable", false},
        {"Transparent", false},
        {"HelpTag", ""},
        {"AutoDeactivate", true},
        {"TextFont", "System"},
        {"Bold", bold},
        {"Italic", false},
        {"Underline", false},
        {"DataSource", ""},
        {"DataField", ""},
        {"InitialParent", ""},
    };
    // clang-format on
    return Encode(Placed(name, f, false) + own);
}

std::string ArrowsDesign() {
    const DesignRows own = {
        {"TabPanelIndex", 0},
        {"TabIndex", 2},
        {"TabStop", true},
        {"InitialParent", ""},
        {"Visible", true},
        {"HelpTag", ""},
        {"AutoDeactivate", true},
        {"Enabled", true},
        {"AcceptFocus", false},
    };
    return Encode(Placed("UpDownArrows1", {90, 64, 13, 23}, false) + own);
}

std::string OvalDesign(const std::string& name, ControlFrame f, int32_t tabIndex) {
    const DesignRows own = {
        {"TabIndex", tabIndex},
        {"TabPanelIndex", 0},
        {"Visible", true},
        {"HelpTag", ""},
        {"AutoDeactivate", true},
        {"Enabled", true},
        {"FillColor", kWhite},
        {"BorderWidth", 1},
        {"BorderColor", kBlack},
        {"InitialParent", ""},
    };
    return Encode(Placed(name, f, true) + own);
}

}  // namespace

void Window1::Layout() {
    MenuBar(MenuBar1Instance());
    RuntimeMassPropertySetter(Self(*this), WindowDesign({"Quorrel Control Panel", 288, 137, 0, true}));
}

void Window1::CreateControls() { _CreateControls0(); }

void Window1::_CreateControls0() {
    auto self = Self(*this);
    const std::string timerOff = TimerDesign(0, 1000);
    AddControl<_wrapper_Timer1>(self, "Timer1")
        .Design(TimerDesign(2, 10))
        .On("Action", &Window1::Timer1_Action, "( Timer )");
    AddControl<_wrapper_Timer2>(self, "Timer2").Design(timerOff).On("Action", &Window1::Timer2_Action, "( Timer )");
    AddControl<CheckBox>(self, "Checkbox1")
        .TextUnit(0)
        .Design(CheckBoxDesign("Checkbox1", {60, 15, 171, 20}, false, 1, "Automatic Screenshot"))
        .On("Action", &Window1::Checkbox1_Action, "( CheckBox )");
    AddControl<UpDownArrows>(self, "UpDownArrows1")
        .Design(ArrowsDesign())
        .On("Down", &Window1::UpDownArrows1_Down, "( UpDownArrows )")
        .On("Open", &Window1::UpDownArrows1_Open, "( UpDownArrows )")
        .On("Up", &Window1::UpDownArrows1_Up, "( UpDownArrows )");
    AddControl<Label>(self, "StaticText2")
        .TextUnit(0)
        .Design(LabelDesign("StaticText2", {149, 64, 70, 20}, 3, "Minute(s)", 0, true));
    AddControl<Label>(self, "StaticText3")
        .TextUnit(0)
        .Design(LabelDesign("StaticText3", {112, 64, 30, 20}, 4, "10", 1, true));
    AddControl<Label>(self, "StaticText6")
        .TextUnit(0)
        .Design(LabelDesign("StaticText6", {115, 40, 62, 20}, 7, "every", 1, false));
    AddControl<CheckBox>(self, "CheckBox2")
        .TextUnit(0)
        .Design(CheckBoxDesign("CheckBox2", {46, 96, 158, 20}, true, 9, "Set Screenshot Area"))
        .On("Action", &Window1::CheckBox2_Action, "( CheckBox )");
    AddControl<_wrapper_Timer3>(self, "Timer3").Design(timerOff).On("Action", &Window1::Timer3_Action, "( Timer )");
    AddControl<Oval>(self, "BottomPoint").Design(OvalDesign("BottomPoint", {229, 106, 10, 10}, 19));
    AddControl<Oval>(self, "TopPoint").Design(OvalDesign("TopPoint", {210, 96, 10, 10}, 20));
    AddControl<_wrapper_Timer4>(self, "Timer4").Design(timerOff).On("Action", &Window1::Timer4_Action, "( Timer )");
}

}  // namespace quorrel
