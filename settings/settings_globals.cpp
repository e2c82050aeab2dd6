// The settings globals and their start values.
#include "settings/settings.h"

#include "program_kit/module_global.h"

namespace quorrel {

bool SoundOn = false;
int32_t MyPeriod = 0;
int32_t Window1Top = 0;
int32_t Window1Left = 0;
std::shared_ptr<DirectiveArray> Directives;

// A process may run the program more than once (the tests do): each start
// gives the globals the values of a fresh process.
void InitSoundOn() { SoundOn = false; }
void InitMyPeriod() { MyPeriod = 0; }
void InitWindow1Top() { Window1Top = 0; }
void InitWindow1Left() { Window1Left = 0; }

void InitDirectives() { Directives = std::make_shared<DirectiveArray>(1); }

void ReleaseDirectives() { ReleaseGlobal(Directives); }

void directiveClassDefiner() { RuntimeDefineClass({"directiveClass", "", {"name", "text"}}); }

}  // namespace quorrel
