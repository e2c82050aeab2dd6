// Reading the preferences file into the settings.
#include "settings/directive_line.h"
#include "settings/settings.h"

namespace quorrel {

namespace {
const char* const kPrefsFileName = "quorrel.txt";

FolderItemRef PrefsFileItem() { return NotNil(PreferencesFolder())->Child(kPrefsFileName); }

// Only the last line of a name counts: an earlier record of it goes, so that
// the directives stay a handful whatever the file repeats.
void KeepLast(const std::shared_ptr<directiveClass>& record) {
    auto& records = *NotNil(Directives);
    std::erase_if(records, [&](const auto& kept) { return kept && kept->name == record->name; });
    records.push_back(record);
}

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
        DirectiveLine line;
        stream->ReadLine([&](std::string_view piece) { return line.Take(piece); });
        // Reading ends at the first line that is neither a directive nor a comment.
        if (line.EndsReading()) {
            stream->Close();
            return true;
        }
        if (auto record = line.Record()) KeepLast(record);
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
