// The application object, its menu handlers and its version from the bundle.
#include "platform/core/runtime_state.h"
#include "platform/framework.h"

namespace fw {

using detail::State;

void RuntimeRegisterAppObject(const std::shared_ptr<Application>& app) { State().app = app; }

std::shared_ptr<Application> getAppObject() { return State().app; }

void Application::_AddMenuHandler(const std::string& itemName, std::function<bool()> handler) {
    menuHandlers_[itemName] = std::move(handler);
}

int32_t Application::MajorVersion() const { return GetBundleInfo().majorVersion; }
int32_t Application::MinorVersion() const { return GetBundleInfo().minorVersion; }
int32_t Application::BugVersion() const { return GetBundleInfo().bugVersion; }
std::string Application::ShortVersion() const { return GetBundleInfo().shortVersion; }
std::string Application::LongVersion() const { return GetBundleInfo().longVersion; }

bool ChooseMenuItem(const std::string& itemName) {
    CheckMainThread();
    auto app = getAppObject();
    if (!app) return false;
    auto it = app->menuHandlers_.find(itemName);
    if (it == app->menuHandlers_.end() || !it->second) return false;
    auto handler = it->second;  // the handler may replace the table's entry
    bool handled = false;
    RunHandler([&] { handled = handler(); });
    return handled;
}

}  // namespace fw
