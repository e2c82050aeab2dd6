// The Control Panel as a class: its record, its single-instance accessor and
// the accessors of its controls and menu items.
#include "capture/window1.h"

#include "program_kit/window_class.h"

namespace quorrel {

namespace {
const char* const kWindow1ClassName = "Window1.Window1";

template <int N>
void DefineTimerWrapper() {
    RuntimeDefineClass({"Window1._wrapper_Timer" + std::to_string(N),
                        "Timer",
                        {"Index", "ownerWindow", "_SetWindow", "Window", "_Index", "_SetIndex", "Constructor"}});
}
}  // namespace

void Window1ClassDefiner() {
    RuntimeDefineClass({kWindow1ClassName,
                        "Window",
                        {"Layout",
                         "CreateControls",
                         "_CreateControls0",
                         "Timer1",
                         "Timer2",
                         "Checkbox1",
                         "UpDownArrows1",
                         "StaticText2",
                         "StaticText3",
                         "StaticText6",
                         "CheckBox2",
                         "Timer3",
                         "BottomPoint",
                         "TopPoint",
                         "Timer4",
                         "Timer1_Action",
                         "Timer2_Action",
                         "Checkbox1_Action",
                         "UpDownArrows1_Down",
                         "UpDownArrows1_Open",
                         "UpDownArrows1_Up",
                         "CheckBox2_Action",
                         "Timer3_Action",
                         "Timer4_Action",
                         "HelpMenu",
                         "HelpShowHelp",
                         "CheckforUpdateMenu",
                         "CheckforUpdateCheckNow",
                         "SoundMenu",
                         "SoundAbout",
                         "SoundStayQuiet",
                         "SoundUseShutterClick",
                         "FileMenu",
                         "FilePrintHelp",
                         "Event_Open",
                         "Event_Close",
                         "Event_Restore"}});
}

void _wrapper_Timer1ClassDefiner() { DefineTimerWrapper<1>(); }
void _wrapper_Timer2ClassDefiner() { DefineTimerWrapper<2>(); }
void _wrapper_Timer3ClassDefiner() { DefineTimerWrapper<3>(); }
void _wrapper_Timer4ClassDefiner() { DefineTimerWrapper<4>(); }

std::shared_ptr<Window1> Window1Instance() {
    return OpenOrBuildWindow<Window1>(kWindow1ClassName, &Window1ClassDefiner);
}

std::shared_ptr<Timer> Window1::Timer1() { return ControlNamed<Timer>(*this, "Timer1"); }
std::shared_ptr<Timer> Window1::Timer2() { return ControlNamed<Timer>(*this, "Timer2"); }
std::shared_ptr<CheckBox> Window1::Checkbox1() { return ControlNamed<CheckBox>(*this, "Checkbox1"); }
std::shared_ptr<UpDownArrows> Window1::UpDownArrows1() { return ControlNamed<UpDownArrows>(*this, "UpDownArrows1"); }
std::shared_ptr<Label> Window1::StaticText2() { return ControlNamed<Label>(*this, "StaticText2"); }
std::shared_ptr<Label> Window1::StaticText3() { return ControlNamed<Label>(*this, "StaticText3"); }
std::shared_ptr<Label> Window1::StaticText6() { return ControlNamed<Label>(*this, "StaticText6"); }
std::shared_ptr<CheckBox> Window1::CheckBox2() { return ControlNamed<CheckBox>(*this, "CheckBox2"); }
std::shared_ptr<Timer> Window1::Timer3() { return ControlNamed<Timer>(*this, "Timer3"); }
std::shared_ptr<Oval> Window1::BottomPoint() { return ControlNamed<Oval>(*this, "BottomPoint"); }
std::shared_ptr<Oval> Window1::TopPoint() { return ControlNamed<Oval>(*this, "TopPoint"); }
std::shared_ptr<Timer> Window1::Timer4() { return ControlNamed<Timer>(*this, "Timer4"); }

std::shared_ptr<MenuItem> Window1::HelpMenu() { return MenuItemNamed(*this, "HelpMenu"); }
std::shared_ptr<MenuItem> Window1::HelpShowHelp() { return MenuItemNamed(*this, "HelpShowHelp"); }
std::shared_ptr<MenuItem> Window1::CheckforUpdateMenu() { return MenuItemNamed(*this, "CheckforUpdateMenu"); }
std::shared_ptr<MenuItem> Window1::CheckforUpdateCheckNow() { return MenuItemNamed(*this, "CheckforUpdateCheckNow"); }
std::shared_ptr<MenuItem> Window1::SoundMenu() { return MenuItemNamed(*this, "SoundMenu"); }
std::shared_ptr<AppleMenuItem> Window1::SoundAbout() { return MenuItemNamed<AppleMenuItem>(*this, "SoundAbout"); }
std::shared_ptr<MenuItem> Window1::SoundStayQuiet() { return MenuItemNamed(*this, "SoundStayQuiet"); }
std::shared_ptr<MenuItem> Window1::SoundUseShutterClick() { return MenuItemNamed(*this, "SoundUseShutterClick"); }
std::shared_ptr<MenuItem> Window1::FileMenu() { return MenuItemNamed(*this, "FileMenu"); }
std::shared_ptr<MenuItem> Window1::FilePrintHelp() { return MenuItemNamed(*this, "FilePrintHelp"); }

}  // namespace quorrel
