// The program's spine: start-up, the event loop and the release at exit.
#pragma once

#include "platform/framework.h"

namespace quorrel {
using namespace fw;

void RegisterClasses();
void StartApplication();
// Calls routine(argument); gives nil, or the framework exception it raised.
ObjectRef ExceptionHelperRoutine(void* routine, void* argument);
void InitApplication();
void PreCreateAppStep();
void CreateApp();
void AddAppMenuHandlers();
void FrameworkInitCallback();
void ReleaseModuleGlobals();

}  // namespace quorrel
