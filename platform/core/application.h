// The application object, the bundle metadata, and the runtime's start, run and end.
#pragma once

#include "platform/core/menus.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>

namespace fw {

class Application : public Object {
public:
    std::shared_ptr<fw::MenuBar> MenuBar() const { return menuBar_; }
    void MenuBar(const std::shared_ptr<fw::MenuBar>& bar) { menuBar_ = bar; }
    // From the bundle metadata.
    int32_t MajorVersion() const;
    int32_t MinorVersion() const;
    int32_t BugVersion() const;
    std::string ShortVersion() const;
    std::string LongVersion() const;
    void _AddMenuHandler(const std::string& itemName, std::function<bool()> handler);
    // The Open event, raised once when the event loop starts.
    virtual void Event_Open() {}
    std::string ClassName() const override { return "Application"; }

private:
    friend bool ChooseMenuItem(const std::string&);
    std::shared_ptr<fw::MenuBar> menuBar_;
    std::map<std::string, std::function<bool()>> menuHandlers_;
};
void RuntimeRegisterAppObject(const std::shared_ptr<Application>& app);
std::shared_ptr<Application> getAppObject();

// The maker's data from the bundle metadata (resources folder).
struct BundleInfo {
    int32_t majorVersion = 0, minorVersion = 0, bugVersion = 0;
    std::string shortVersion, longVersion;
    std::string updateHost;  // the maker's update server (HTTP)
    int32_t updatePort = 0;  // 0: none named
    std::string homePage, mailAddress;
};
const BundleInfo& GetBundleInfo();

// Runtime start and end, the event loop.
void RuntimeInit();
// The process's exit status (0, or 1 after the default handling of an
// exception); forgets the run's windows, application object and plug-ins, so
// that the program can run again in the same process.
int RuntimeExit();
// The exception helper: called with a routine of one pointer parameter and its
// argument, it calls the routine and gives nil, or a RuntimeExceptionObject
// for a RuntimeException that the routine raised (anything else passes on).
// The default handling runs every handler through it.
void RuntimeSetExceptionHelper(std::function<ObjectRef(void*, void*)> helper);
void RuntimeInitExternalClasses();
void RunFrameworkInitialization(std::function<void()> callback);
void RuntimeRun();  // runs until QuitApplication; raises the application's Open first
void QuitApplication(int32_t status = 0);

// Lets the framework do pending background work.
void RuntimeBackgroundTask();

}  // namespace fw
