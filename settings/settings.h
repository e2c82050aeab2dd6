// The preferences store: the settings that live between runs and the file
// "quorrel.txt" in the Preferences folder that keeps them.
#pragma once

#include "platform/framework.h"

#include <vector>

namespace quorrel {
using namespace fw;

// The settings, alive for the whole run (main thread only).
extern bool SoundOn;        // play the shutter sound on each capture
extern int32_t MyPeriod;    // seconds between automatic captures
extern int32_t Window1Top;  // the Control Panel's saved position
extern int32_t Window1Left;

// One parsed directive line: its name in lower case and its value.
class directiveClass : public Object {
public:
    std::string name;
    std::string text;
    std::string ClassName() const override { return "directiveClass"; }
};
using DirectiveArray = std::vector<std::shared_ptr<directiveClass>>;
// The directives read, at indices 1 to the upper bound, in file order; slot 0
// stays empty. Only those LoadPrefs applies are kept, the last line of each.
extern std::shared_ptr<DirectiveArray> Directives;

// Keeps a record of each directive line LoadPrefs applies, the file read as
// a stream; False when the file cannot be opened (it is no regular file).
bool ReadPrefsFile(const FolderItemRef& file);
// Fills the settings from the file, or the defaults when it cannot be read.
void LoadPrefs();
// Writes the Control Panel's position, the period and the sound choice.
void SavePrefs();

void directiveClassDefiner();

// Start and exit routines of the module's globals.
void InitSoundOn();
void InitMyPeriod();
void InitWindow1Top();
void InitWindow1Left();
void InitDirectives();
void ReleaseDirectives();

}  // namespace quorrel
