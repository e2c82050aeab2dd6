// Runtime start, run and end; class records; the default handling of exceptions.
#include "platform/backend.h"
#include "platform/core/runtime_state.h"
#include "platform/framework.h"

#include <cxxabi.h>

#include <cstdlib>

namespace fw {

namespace detail {
void RecordMainThread();

RuntimeState& State() {
    static RuntimeState state;
    return state;
}

void ResetRuntime() {
    auto& st = State();
    auto windows = std::move(st.openWindows);
    st.openWindows.clear();
    for (auto& w : windows) PeerAccess::Discard(*w);
    windows.clear();
    auto app = std::move(st.app);
    st = RuntimeState{};
    app.reset();  // after the state is clean: its destructor may look at the runtime
}
}  // namespace detail

using detail::State;

Object::~Object() = default;
std::string Object::ClassName() const { return "Object"; }

RuntimeException::RuntimeException(const std::string& message) : std::runtime_error(message) {}

bool RuntimeDefineClass(const ClassRecord& record) {
    auto& classes = State().classes;
    if (classes.count(record.name)) return false;
    classes.emplace(record.name, record);
    return true;
}

const ClassRecord* RuntimeGetClass(const std::string& name) {
    auto& classes = State().classes;
    auto it = classes.find(name);
    return it == classes.end() ? nullptr : &it->second;
}

namespace {

// A readable class name for an exception that is not one of the framework's.
std::string ForeignExceptionName(const std::exception& e) {
    int status = 0;
    char* demangled = abi::__cxa_demangle(typeid(e).name(), nullptr, nullptr, &status);
    std::string name = (status == 0 && demangled) ? demangled : typeid(e).name();
    std::free(demangled);
    return name;
}

void DefaultHandling(const std::string& exceptionName) {
    auto& st = State();
    if (st.failed) return;  // already shutting down: one message is enough
    st.failed = true;
    st.exitStatus = 1;
    if (HasBackend()) {
        try {
            CurrentBackend().RunMessageBox("An exception of class " + exceptionName +
                                           " was not handled. The application must shut down.");
        } catch (...) {
            // The message could not be shown; the quit below still happens.
        }
    }
    QuitApplication(1);
}

// The routine that the exception helper calls: runs the handler it is given.
void CallHandler(void* handler) { (*static_cast<const std::function<void()>*>(handler))(); }

// Runs fn through the installed exception helper; the name of the
// RuntimeException it caught, or empty when fn completed.
std::string RunThroughHelper(const std::function<void()>& fn) {
    // A copy: the handler may reset the runtime and with it the installed helper.
    const auto helper = State().exceptionHelper;
    if (!helper) {
        fn();
        return {};
    }
    ObjectRef caught = helper(reinterpret_cast<void*>(&CallHandler), const_cast<std::function<void()>*>(&fn));
    if (!caught) return {};
    auto* e = dynamic_cast<const RuntimeExceptionObject*>(caught.get());
    return e && !e->exceptionName.empty() ? e->exceptionName : caught->ClassName();
}

}  // namespace

void RunHandler(const std::function<void()>& fn) {
    try {
        if (std::string caught = RunThroughHelper(fn); !caught.empty()) DefaultHandling(caught);
    } catch (const RuntimeException& e) {
        DefaultHandling(e.ExceptionName());
    } catch (const std::exception& e) {
        DefaultHandling(ForeignExceptionName(e));
    } catch (...) {
        DefaultHandling("UnknownException");
    }
}

void RuntimeUnhandledException(const std::exception& e) {
    if (auto* re = dynamic_cast<const RuntimeException*>(&e)) DefaultHandling(re->ExceptionName());
    else DefaultHandling(ForeignExceptionName(e));
}

void RuntimeInit() {
    detail::ResetRuntime();
    detail::RecordMainThread();
}

int RuntimeExit() {
    int status = State().exitStatus;
    detail::ResetRuntime();
    return status;
}

void RuntimeSetExceptionHelper(std::function<ObjectRef(void*, void*)> helper) {
    State().exceptionHelper = std::move(helper);
}

void RuntimeInitExternalClasses() {}

void RunFrameworkInitialization(std::function<void()> callback) {
    if (callback) callback();
}

void RuntimeRun() {
    CheckMainThread();
    // A quit that came during start-up (the default handling, say) ends the run before it starts.
    if (State().quitRequested) return;
    CurrentBackend().Run([] {
        if (auto app = getAppObject()) RunHandler([&] { app->Event_Open(); });
    });
}

void QuitApplication(int32_t status) {
    auto& st = State();
    // After the default handling the status stays the failure's.
    if (!st.failed) st.exitStatus = status;
    st.quitRequested = true;
    if (HasBackend()) CurrentBackend().Quit();
}

void RuntimeBackgroundTask() {}

}  // namespace fw
