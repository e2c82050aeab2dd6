// Reading the preferences file into the settings.
#include "settings/settings.h"

namespace quorrel {

namespace {
const char* const kPrefsFileName = "quorrel.txt";

FolderItemRef PrefsFileItem() { return NotNil(PreferencesFolder())->Child(kPrefsFileName); }

// The upper bound of the directives array (0 with its one empty slot).
int32_t DirectivesUBound() { return static_cast<int32_t>(NotNil(Directives)->size()) - 1; }
}  // namespace

bool ReadPrefsFile(const FolderItemRef& file) {
    if (!file) return false;
    auto stream = file->OpenAsTextFile();
    if (!stream) return false;
    while (true) {
        RuntimeBackgroundTask();
        if (stream->EOF()) {
            stream->Close();
            return true;
        }
        std::string line = stream->ReadLine();
        std::string first = StringDBCSLeft(line, 1);
        // Reading ends at the first line that is neither a directive nor a comment.
        if (first != "#" && first != "'") {
            stream->Close();
            return true;
        }
        if (first == "'") continue;
        int32_t h = StringInStr(1, line, " ");
        if (h == 0) continue;  // a directive without a value
        auto record = RuntimeNewObject<directiveClass>();
        record->name = StringLCase(StringDBCSMid3(line, 2, h - 2));
        record->text = StringDBCSMid2(line, h + 1);
        NotNil(Directives)->push_back(record);
    }
}

void LoadPrefs() {
    if (!ReadPrefsFile(PrefsFileItem())) {
        Window1Top = 150;
        Window1Left = 150;
        MyPeriod = 300;
        SoundOn = true;
        return;
    }
    for (int32_t i = 1; i <= DirectivesUBound(); ++i) {
        RuntimeBackgroundTask();
        auto record = NotNil((*Directives)[static_cast<size_t>(i)]);
        if (RuntimeStringCompare(record->name, "Window1Position") == 0) {
            Window1Top = RuntimeCvtReal64ToSInt32(StringVal(StringNthField(record->text, ",", 1)));
            Window1Left = RuntimeCvtReal64ToSInt32(StringVal(StringNthField(record->text, ",", 2)));
        } else if (RuntimeStringCompare(record->name, "MyPeriod") == 0) {
            MyPeriod = RuntimeCvtReal64ToSInt32(StringVal(record->text));
        } else if (RuntimeStringCompare(record->name, "Sound") == 0) {
            SoundOn = RuntimeStringCompare(record->text, "True") == 0;
        }
    }
}

}  // namespace quorrel
