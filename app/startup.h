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

// What ExceptionHelperRoutine gives for a framework exception.
class CaughtRuntimeException : public Object {
public:
    explicit CaughtRuntimeException(std::exception_ptr e, std::string name)
        : exception(std::move(e)), exceptionName(std::move(name)) {}
    std::exception_ptr exception;
    std::string exceptionName;
    std::string ClassName() const override { return "RuntimeException"; }
};

}  // namespace quorrel
