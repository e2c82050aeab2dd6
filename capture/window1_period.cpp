// The period of the automatic capture, stepped with the up/down arrows on
// the grid 1..59 s, 60 s, 2..10 min, and shown as a value and a unit.
#include "capture/window1.h"

#include "settings/settings.h"

namespace quorrel {

namespace {
void ShowText(const std::shared_ptr<Label>& label, const std::string& text) {
    NotNil(label)->Text(text);
    label->Refresh(true);
}

std::string SecondsText() { return StringStrInt32(MyPeriod, ""); }
std::string MinutesText() { return StringStrDouble(RuntimeCvtSInt32ToReal64(MyPeriod) / 60.0, ""); }
}  // namespace

void Window1::UpDownArrows1_Open(std::shared_ptr<UpDownArrows>) {
    if (MyPeriod >= 60) {
        ShowText(StaticText2(), "Minute(s)");
        ShowText(StaticText3(), MinutesText());
    } else {
        ShowText(StaticText2(), "Second(s)");
        ShowText(StaticText3(), SecondsText());
    }
}

void Window1::UpDownArrows1_Up(std::shared_ptr<UpDownArrows>) {
    if (MyPeriod >= 600) return;
    if (MyPeriod > 59) {
        MyPeriod += 60;
        ShowText(StaticText2(), "Minute(s)");
        ShowText(StaticText3(), MinutesText());
        return;
    }
    MyPeriod += 1;
    if (MyPeriod == 60) {
        ShowText(StaticText2(), "Minutes(s)");
        ShowText(StaticText3(), "1");
    } else {
        ShowText(StaticText3(), SecondsText());
        ShowText(StaticText2(), "Second(s)");
    }
}

void Window1::UpDownArrows1_Down(std::shared_ptr<UpDownArrows>) {
    if (MyPeriod <= 1) return;
    if (MyPeriod > 119) {
        MyPeriod -= 60;
        ShowText(StaticText2(), "Minute(s)");
        ShowText(StaticText3(), MinutesText());
    } else {
        MyPeriod -= 1;
        ShowText(StaticText2(), "Second(s)");
        ShowText(StaticText3(), SecondsText());
    }
}

}  // namespace quorrel
