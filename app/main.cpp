// From the process entry to the exit status.
#include "app/startup.h"

namespace quorrel {

int main() {
    RuntimeInit();
    RegisterClasses();
    StartApplication();
    ReleaseModuleGlobals();
    return RuntimeExit();
}

}  // namespace quorrel
