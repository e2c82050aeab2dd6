// The key chord, the automatic capture and the choice of the capture area.
#include "capture/window1.h"

#include "capture/capture_state.h"
#include "capture/take_picture.h"
#include "settings/settings.h"

#include <limits>

namespace quorrel {

namespace {
const Color kRed = RuntimeRGBA(255, 0, 0, 0);
const Color kWhite = RuntimeRGBA(255, 255, 255, 0);

void Paint(const std::shared_ptr<Oval>& oval, const Color& color) {
    NotNil(oval)->FillColor(color);
    oval->Refresh(true);
}

// The automatic period in milliseconds. A period from an edited preferences
// file may not fit 32 bits once multiplied: it is held at the Integer range
// (a period below 1 ms leaves the timer idle, so there is never a busy loop).
int32_t AutomaticPeriodMs(int32_t seconds) {
    int64_t ms = static_cast<int64_t>(seconds) * 1000;
    if (ms > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    if (ms < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(ms);
}
}  // namespace

void Window1::Timer1_Action(std::shared_ptr<Timer>) {
    // Command is read only while Option is down: the idle tick stays cheap.
    auto keyboard = NotNil(getKeyboardObject());
    bool chord = keyboard->AsyncOptionKey() && keyboard->AsyncOSKey();
    if (chord && !TakingPicture) TakePicture();

    auto system = NotNil(getSystemObject());
    if (WaitingForTopPoint && system->MouseDown()) {
        TopPointX = system->MouseX();
        TopPointY = system->MouseY();
        Paint(TopPoint(), kRed);
        WaitingForTopPoint = false;
        NotNil(Timer3())->Mode(1);
    }
    if (WaitingForBottomPoint && system->MouseDown()) {
        BottomPointX = system->MouseX();
        BottomPointY = system->MouseY();
        Paint(BottomPoint(), kRed);
        WaitingForBottomPoint = false;
    }
}

void Window1::Timer2_Action(std::shared_ptr<Timer>) {
    if (NotNil(Checkbox1())->Value() && !TakingPicture) TakePicture();
}

void Window1::Checkbox1_Action(std::shared_ptr<CheckBox>) {
    auto timer = NotNil(Timer2());
    timer->Mode(NotNil(Checkbox1())->Value() ? 2 : 0);
    timer->Period(AutomaticPeriodMs(MyPeriod));
}

void Window1::CheckBox2_Action(std::shared_ptr<CheckBox>) {
    NotNil(Checkbox1())->Value(false);
    WaitingForTopPoint = false;
    WaitingForBottomPoint = false;
    // A corner wait still pending would arm itself while the area is off.
    NotNil(Timer3())->Mode(0);
    NotNil(Timer4())->Mode(0);
    Paint(TopPoint(), kWhite);
    Paint(BottomPoint(), kWhite);
    if (NotNil(CheckBox2())->Value()) {
        RuntimeMsgBox(
            "Select the rectangle for the screenshot.  To do this, click on the Top Left corner, pause, "
            "and then click on the Bottom Right corner!");
        NotNil(Timer4())->Mode(1);
    }
}

void Window1::Timer3_Action(std::shared_ptr<Timer>) { WaitingForBottomPoint = true; }

void Window1::Timer4_Action(std::shared_ptr<Timer>) { WaitingForTopPoint = true; }

}  // namespace quorrel
