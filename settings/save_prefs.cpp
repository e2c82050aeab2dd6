// Writing the settings back to the preferences file.
#include "settings/settings.h"

#include "capture/window1.h"

namespace quorrel {

void SavePrefs() {
    auto file = NotNil(PreferencesFolder())->Child("quorrel.txt");
    if (!file) return;
    auto stream = TextOutputStream::Create(file);
    // A file that cannot be made is not reported: closing goes on to quit.
    if (!stream) return;
    auto panel = NotNil(Window1Instance());
    stream->WriteLine("#Window1Position " + StringStrInt32(panel->Top()) + "," + StringStrInt32(panel->Left()));
    stream->WriteLine("#MyPeriod " + StringStrInt32(MyPeriod));
    stream->WriteLine(std::string("#Sound ") + (SoundOn ? "True" : "False"));
    stream->Close();
}

}  // namespace quorrel
