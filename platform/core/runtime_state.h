// The core's process-wide state, shared by its own files only. A runtime reset
// (RuntimeExit, a new backend) puts all of it back to the start.
#pragma once

#include "platform/framework.h"

#include <any>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace fw::detail {

struct RuntimeState {
    std::map<std::string, ClassRecord> classes;
    std::vector<std::shared_ptr<Window>> openWindows;  // the framework's strong references
    std::shared_ptr<Application> app;
    std::function<ObjectRef(void*, void*)> exceptionHelper;
    std::vector<std::string> loadedPlugins;
    std::vector<std::any> pluginTable;
    std::optional<BundleInfo> bundle;
    int32_t exitStatus = 0;
    bool quitRequested = false;
    bool failed = false;  // the default handling of an exception has run
    bool sessionEnding = false;
};

RuntimeState& State();
// Closes what is open without raising events and forgets the runtime's state.
void ResetRuntime();
// Counts backend installs, so that a handle of an old backend is never used on a new one.
uint64_t BackendGeneration();
// The framework's own plug-in entries, by declaration text.
const std::map<std::string, std::any>& BuiltinPluginEntries();

}  // namespace fw::detail
