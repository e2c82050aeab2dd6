// The Control Panel's design: the window's properties and its twelve
// controls, built one completely before the next.
#include "capture/window1.h"

#include "app/control_design.h"
#include "app/new_control.h"
#include "app/menu_bars.h"
#include "app/window_design.h"

namespace quorrel {

namespace {

std::string TimerDesign(int32_t mode, int32_t period) { return DesignList().Int("Mode", mode).Int("Period", period).Bytes(); }

// Name, Index, the frame and the locks, which every visible control's list
// begins with; a locked control keeps its left and top edges.
DesignList Placed(const std::string& name, ControlFrame f, bool lockedLeftTop) {
    DesignList list;
    list.Str("Name", name).Int("Index", kNoIndex);
    FrameAndLocks(list, f, {lockedLeftTop, lockedLeftTop, false, false});
    return list;
}

std::string CheckBoxDesign(const std::string& name, ControlFrame f, bool locked, int32_t tabIndex,
                           const std::string& caption) {
    DesignList list = Placed(name, f, locked);
    list.Int("TabPanelIndex", 0)
        .Int("TabIndex", tabIndex)
        .Bool("TabStop", true)
        .Str("Caption", caption)
        .Bool("Enabled", true)
        .Bool("Visible", true)
        .Str("HelpTag", "")
        .Bool("AutoDeactivate", true)
        .Str("TextFont", "System")
        .Bool("Bold", true)
        .Bool("Italic", false)
        .Bool("Underline", false)
        .Int("State", 0)
        .Bool("Value", false)
        .Str("DataSource", "")
        .Str("DataField", "")
        .Str("InitialParent", "");
    return list.Bytes();
}

std::string LabelDesign(const std::string& name, ControlFrame f, int32_t tabIndex, const std::string& text, int32_t align,
                        bool bold) {
    DesignList list = Placed(name, f, false);
    list.Int("TabPanelIndex", 0)
        .Int("TabIndex", tabIndex)
        .Str("Text", text)
        .Int("TextAlign", align)
        .Col("TextColor", 0, 0, 0)
        .Bool("Multiline", false)
        .Bool("Enabled", true)
        .Bool("Visible", true)
        .Bool("Selectable", false)
        .Bool("Transparent", false)
        .Str("HelpTag", "")
        .Bool("AutoDeactivate", true)
        .Str("TextFont", "System")
        .Bool("Bold", bold)
        .Bool("Italic", false)
        .Bool("Underline", false)
        .Str("DataSource", "")
        .Str("DataField", "")
        .Str("InitialParent", "");
    return list.Bytes();
}

std::string ArrowsDesign() {
    DesignList list = Placed("UpDownArrows1", {90, 64, 13, 23}, false);
    list.Int("TabPanelIndex", 0)
        .Int("TabIndex", 2)
        .Bool("TabStop", true)
        .Str("InitialParent", "")
        .Bool("Visible", true)
        .Str("HelpTag", "")
        .Bool("AutoDeactivate", true)
        .Bool("Enabled", true)
        .Bool("AcceptFocus", false);
    return list.Bytes();
}

std::string OvalDesign(const std::string& name, ControlFrame f, int32_t tabIndex) {
    DesignList list = Placed(name, f, true);
    list.Int("TabIndex", tabIndex)
        .Int("TabPanelIndex", 0)
        .Bool("Visible", true)
        .Str("HelpTag", "")
        .Bool("AutoDeactivate", true)
        .Bool("Enabled", true)
        .Col("FillColor", 255, 255, 255)
        .Int("BorderWidth", 1)
        .Col("BorderColor", 0, 0, 0)
        .Str("InitialParent", "");
    return list.Bytes();
}

// Steps 1 to 3 of a control's build; the later steps find it again by its
// name. A timer wrapper also learns its window.
template <class T>
void AddNew(const std::shared_ptr<Window1>& window, const std::string& name) {
    auto control = AddNewControl<T>(*window, name);
    if constexpr (requires { control->_SetIndex(0); }) control->_SetWindow(window);
}

template <class T>
std::shared_ptr<T> Find(const std::shared_ptr<Window1>& window, const std::string& name) {
    return RuntimeCheckCast<T>(window->_ControlByName(name));
}

template <class W>
void BuildTimer(const std::shared_ptr<Window1>& window, const std::string& name, const std::string& design,
                void (Window1::*action)(std::shared_ptr<Timer>)) {
    AddNew<W>(window, name);
    auto timer = Find<Timer>(window, name);
    RuntimeMassPropertySetter(timer, design);
    RuntimeAddEventHandler(timer, "Action", RuntimeCreateDelegate(action, window, "( Timer )", 1));
}

void BuildCheckBox(const std::shared_ptr<Window1>& window, const std::string& name, const std::string& design,
                   void (Window1::*action)(std::shared_ptr<CheckBox>)) {
    AddNew<CheckBox>(window, name);
    auto box = Find<CheckBox>(window, name);
    box->TextUnit(0);
    RuntimeMassPropertySetter(box, design);
    RuntimeAddEventHandler(box, "Action", RuntimeCreateDelegate(action, window, "( CheckBox )", 1));
}

void BuildLabel(const std::shared_ptr<Window1>& window, const std::string& name, const std::string& design) {
    AddNew<Label>(window, name);
    auto label = Find<Label>(window, name);
    label->TextUnit(0);
    RuntimeMassPropertySetter(label, design);
}

void BuildOval(const std::shared_ptr<Window1>& window, const std::string& name, const std::string& design) {
    AddNew<Oval>(window, name);
    RuntimeMassPropertySetter(Find<Oval>(window, name), design);
}

void BuildArrows(const std::shared_ptr<Window1>& window) {
    AddNew<UpDownArrows>(window, "UpDownArrows1");
    auto arrows = Find<UpDownArrows>(window, "UpDownArrows1");
    RuntimeMassPropertySetter(arrows, ArrowsDesign());
    const char* params = "( UpDownArrows )";
    RuntimeAddEventHandler(arrows, "Down", RuntimeCreateDelegate(&Window1::UpDownArrows1_Down, window, params, 1));
    RuntimeAddEventHandler(arrows, "Open", RuntimeCreateDelegate(&Window1::UpDownArrows1_Open, window, params, 1));
    RuntimeAddEventHandler(arrows, "Up", RuntimeCreateDelegate(&Window1::UpDownArrows1_Up, window, params, 1));
}

}  // namespace

void Window1::Layout() {
    MenuBar(MenuBar1Instance());
    RuntimeMassPropertySetter(std::static_pointer_cast<Window1>(shared_from_this()), WindowDesign({"Quorrel Control Panel", 288, 137, 0, true}));
}

void Window1::CreateControls() { _CreateControls0(); }

void Window1::_CreateControls0() {
    auto self = std::static_pointer_cast<Window1>(shared_from_this());
    const std::string timerOff = TimerDesign(0, 1000);
    BuildTimer<_wrapper_Timer1>(self, "Timer1", TimerDesign(2, 10), &Window1::Timer1_Action);
    BuildTimer<_wrapper_Timer2>(self, "Timer2", timerOff, &Window1::Timer2_Action);
    BuildCheckBox(self, "Checkbox1", CheckBoxDesign("Checkbox1", {60, 15, 171, 20}, false, 1, "Automatic Screenshot"),
                  &Window1::Checkbox1_Action);
    BuildArrows(self);
    BuildLabel(self, "StaticText2", LabelDesign("StaticText2", {149, 64, 70, 20}, 3, "Minute(s)", 0, true));
    BuildLabel(self, "StaticText3", LabelDesign("StaticText3", {112, 64, 30, 20}, 4, "10", 1, true));
    BuildLabel(self, "StaticText6", LabelDesign("StaticText6", {115, 40, 62, 20}, 7, "every", 1, false));
    BuildCheckBox(self, "CheckBox2", CheckBoxDesign("CheckBox2", {46, 96, 158, 20}, true, 9, "Set Screenshot Area"),
                  &Window1::CheckBox2_Action);
    BuildTimer<_wrapper_Timer3>(self, "Timer3", timerOff, &Window1::Timer3_Action);
    BuildOval(self, "BottomPoint", OvalDesign("BottomPoint", {229, 106, 10, 10}, 19));
    BuildOval(self, "TopPoint", OvalDesign("TopPoint", {210, 96, 10, 10}, 20));
    BuildTimer<_wrapper_Timer4>(self, "Timer4", timerOff, &Window1::Timer4_Action);
}

}  // namespace quorrel
