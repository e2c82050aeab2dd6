// The start sequence: the exception helper, the application, the framework's
// initialisation and the event loop.
#include "app/app.h"
#include "app/menu_bars.h"
#include "app/startup.h"
#include "program_kit/plugins.h"

namespace quorrel {

namespace {
// One step; an exception that leaves it goes to the framework's routine and
// the sequence ends, so that main still releases the globals and exits.
bool RunStep(const std::function<void()>& step) {
    try {
        step();
        return true;
    } catch (const std::exception& e) {
        RuntimeUnhandledException(e);
        return false;
    }
}

struct MenuHandlerRow {
    const char* itemName;
    bool (App::*handler)();
};
const MenuHandlerRow kMenuHandlers[] = {
    {"SoundStayQuiet", &App::_SoundStayQuiet_Action},
    {"SoundUseShutterClick", &App::_SoundUseShutterClick_Action},
    {"SoundAbout", &App::_SoundAbout_Action},
    {"FilePrintHelp", &App::_FilePrintHelp_Action},
    {"CheckforUpdateCheckNow", &App::_CheckforUpdateCheckNow_Action},
    {"HelpShowHelp", &App::_HelpShowHelp_Action},
};
}  // namespace

void StartApplication() {
    bool ok = RunStep([] {
        auto helper = RuntimeCreateDelegate(&ExceptionHelperRoutine, "( Ptr, Ptr ) as Object");
        RuntimeSetExceptionHelper(helper);
    });
    ok = ok && RunStep(InitApplication);
    ok = ok && RunStep([] {
             auto callback = RuntimeCreateDelegate(&FrameworkInitCallback, "(  )");
             RunFrameworkInitialization(callback);
         });
    if (ok) RunStep(RuntimeRun);
}

ObjectRef ExceptionHelperRoutine(void* routine, void* argument) {
    auto call = reinterpret_cast<void (*)(void*)>(routine);
    std::function<void(void*)> delegate = call;  // "( Ptr )"
    try {
        delegate(argument);
        return nullptr;
    } catch (const RuntimeException& e) {
        return RuntimeNewObject<RuntimeExceptionObject>(std::current_exception(), e.ExceptionName());
    }
}

void InitApplication() {
    RuntimeInitExternalClasses();
    InitPlugins();
    PreCreateAppStep();
    CreateApp();
    AddAppMenuHandlers();
}

void PreCreateAppStep() {}

void FrameworkInitCallback() {}

void CreateApp() {
    auto app = RuntimeNewObject<App>();
    app->Constructor();
    app->MenuBar(MenuBar1Instance());
    RuntimeRegisterAppObject(app);
}

void AddAppMenuHandlers() {
    for (const auto& row : kMenuHandlers) {
        auto app = NotNil(AppInstance());
        // The framework holds the application object for the whole run; a
        // delegate holding it too would make a cycle that is never freed.
        auto delegate = RuntimeCreateDelegate(row.handler, app, "(  ) as Boolean", 1);
        app->_AddMenuHandler(row.itemName, delegate);
    }
}

}  // namespace quorrel
