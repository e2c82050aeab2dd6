// The Control Panel: automatic capture and its period, the capture area with
// its two corner indicators, and four timers.
#pragma once

#include "platform/framework.h"

namespace quorrel {
using namespace fw;

class Window1 : public Window {
public:
    std::string ClassName() const override { return "Window1.Window1"; }

    void Layout() override;
    void CreateControls() override;
    virtual void _CreateControls0();  // hidden: builds the twelve controls

    // Controls, looked up by name at each use.
    virtual std::shared_ptr<Timer> Timer1();
    virtual std::shared_ptr<Timer> Timer2();
    virtual std::shared_ptr<CheckBox> Checkbox1();
    virtual std::shared_ptr<UpDownArrows> UpDownArrows1();
    virtual std::shared_ptr<Label> StaticText2();
    virtual std::shared_ptr<Label> StaticText3();
    virtual std::shared_ptr<Label> StaticText6();
    virtual std::shared_ptr<CheckBox> CheckBox2();
    virtual std::shared_ptr<Timer> Timer3();
    virtual std::shared_ptr<Oval> BottomPoint();
    virtual std::shared_ptr<Oval> TopPoint();
    virtual std::shared_ptr<Timer> Timer4();

    virtual void Timer1_Action(std::shared_ptr<Timer> sender);
    virtual void Timer2_Action(std::shared_ptr<Timer> sender);
    virtual void Checkbox1_Action(std::shared_ptr<CheckBox> sender);
    virtual void UpDownArrows1_Down(std::shared_ptr<UpDownArrows> sender);
    virtual void UpDownArrows1_Open(std::shared_ptr<UpDownArrows> sender);
    virtual void UpDownArrows1_Up(std::shared_ptr<UpDownArrows> sender);
    virtual void CheckBox2_Action(std::shared_ptr<CheckBox> sender);
    virtual void Timer3_Action(std::shared_ptr<Timer> sender);
    virtual void Timer4_Action(std::shared_ptr<Timer> sender);

    // Menu items of the window's bar, looked up by name at each use.
    virtual std::shared_ptr<MenuItem> HelpMenu();
    virtual std::shared_ptr<MenuItem> HelpShowHelp();
    virtual std::shared_ptr<MenuItem> CheckforUpdateMenu();
    virtual std::shared_ptr<MenuItem> CheckforUpdateCheckNow();
    virtual std::shared_ptr<MenuItem> SoundMenu();
    virtual std::shared_ptr<AppleMenuItem> SoundAbout();
    virtual std::shared_ptr<MenuItem> SoundStayQuiet();
    virtual std::shared_ptr<MenuItem> SoundUseShutterClick();
    virtual std::shared_ptr<MenuItem> FileMenu();
    virtual std::shared_ptr<MenuItem> FilePrintHelp();

    void Event_Open() override;
    void Event_Close() override;
    void Event_Restore() override;
};

// The one Control Panel: the open one, or a new one, built and shown.
std::shared_ptr<Window1> Window1Instance();
void Window1ClassDefiner();

// The timers' own classes: a Timer that holds its owner window and an index.
template <int N>
class _wrapper_Timer : public Timer {
public:
    int32_t Index = kNoIndex;
    void _SetWindow(const std::shared_ptr<fw::Window>& w) { ownerWindow = w; }
    std::shared_ptr<fw::Window> Window() const { return ownerWindow; }
    int32_t _Index() const { return Index; }
    void _SetIndex(int32_t i) { Index = i; }
    void Constructor() override {}
    std::string ClassName() const override { return "Window1._wrapper_Timer" + std::to_string(N); }
    // The owner is let go when the window closes, so that the two do not
    // keep each other alive.
    void _WindowClosed() override {
        Timer::_WindowClosed();
        ownerWindow = nullptr;
    }

private:
    std::shared_ptr<fw::Window> ownerWindow;
};
using _wrapper_Timer1 = _wrapper_Timer<1>;
using _wrapper_Timer2 = _wrapper_Timer<2>;
using _wrapper_Timer3 = _wrapper_Timer<3>;
using _wrapper_Timer4 = _wrapper_Timer<4>;
void _wrapper_Timer1ClassDefiner();
void _wrapper_Timer2ClassDefiner();
void _wrapper_Timer3ClassDefiner();
void _wrapper_Timer4ClassDefiner();

}  // namespace quorrel
