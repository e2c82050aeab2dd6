// The Control Panel's own events: placed at the saved position when it
// opens, the preferences written when it closes, the timers on a restore.
#include "capture/window1.h"

#include "settings/settings.h"

namespace quorrel {

void Window1::Event_Open() {
    // During its own Open event the accessor finds this window.
    NotNil(Window1Instance())->Top(Window1Top);
    NotNil(Window1Instance())->Left(Window1Left);
}

void Window1::Event_Close() {
    SavePrefs();
    QuitApplication(0);
}

void Window1::Event_Restore() {
    NotNil(Timer1())->Mode(2);
    NotNil(Timer2())->Mode(2);
}

}  // namespace quorrel
