// Plug-in libraries by name and their entry points by declaration text.
#include "platform/core/runtime_state.h"
#include "platform/framework.h"

namespace fw {

using detail::State;

namespace detail {
const std::map<std::string, std::any>& BuiltinPluginEntries() {
    static const std::map<std::string, std::any> entries = {
        {kEntryScreenshotDisplay, ScreenshotDisplayEntry(&ScreenshotDisplay)},
        {kEntryScreenshotRect, ScreenshotRectEntry(&ScreenshotRect)},
        {kEntryMainScreen, MainScreenEntry(&ScreenInfo::mainScreen)},
        {kEntryBackingScale,
         BackingScaleEntry([](const std::shared_ptr<ScreenInfo>& s) { return NotNil(s)->backingScaleFactor(); })},
        {kEntrySaveAsPNG,
         SaveAsPNGEntry([](const std::shared_ptr<FolderItem>& f, const std::shared_ptr<Picture>& p, float gamma) {
             return NotNil(f)->SaveAsPNG(p, gamma);
         })},
        {kEntryAcceptFocusGet,
         AcceptFocusGetEntry([](const std::shared_ptr<UpDownArrows>& u) { return NotNil(u)->AcceptFocus(); })},
        {kEntryAcceptFocusSet,
         AcceptFocusSetEntry([](const std::shared_ptr<UpDownArrows>& u, bool v) { NotNil(u)->AcceptFocus(v); })},
    };
    return entries;
}
}  // namespace detail

void RuntimeLoadPlugin(const std::string& libraryPart) { State().loadedPlugins.push_back(libraryPart); }

std::vector<std::any>& RuntimeAllocatePluginEntrypointsTable(size_t slots) {
    auto& table = State().pluginTable;
    table.assign(slots, std::any());
    return table;
}

std::any RuntimeLookupPluginEntrypoint(const std::string& declaration) {
    const auto& entries = detail::BuiltinPluginEntries();
    auto it = entries.find(declaration);
    return it == entries.end() ? std::any() : it->second;
}

std::vector<std::string> LoadedPlugins() { return State().loadedPlugins; }

}  // namespace fw
