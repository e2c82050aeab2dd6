// Loading the plug-in libraries and resolving the program's entries.
#include "program_kit/plugins.h"

namespace quorrel {

std::vector<std::any>* PluginEntryTable = nullptr;

namespace {
// One part per call, in load order: appearance controls (the up/down arrows),
// cryptography and internet encodings (inside the HTTP client), the screen
// class, pictures, PNG, utilities.
const char* const kLibraryParts[] = {
    "AppearanceControls:1",
    "Cryptography:1",
    "InternetEncodings:1",
    "ScreenBase:1",
    "ScreenBase:2",
    "Picture:1",
    "PNG:1",
    "Utility:1",
    "Utility:2",
};

// Declaration texts, in slot order.
const char* const kDeclarations[kPluginSlotCount] = {
    kEntryAcceptFocusGet,
    kEntryAcceptFocusSet,
    kEntryMainScreen,
    kEntryBackingScale,
    kEntryScreenshotDisplay,
    kEntryScreenshotRect,
    kEntrySaveAsPNG,
};
}  // namespace

void InitPlugins() { LoadPlugins(); }

void LoadPlugins() {
    for (const char* part : kLibraryParts) RuntimeLoadPlugin(part);
    PluginEntryTable = &RuntimeAllocatePluginEntrypointsTable(kPluginSlotCount);
    for (size_t slot = 0; slot < kPluginSlotCount; ++slot)
        (*PluginEntryTable)[slot] = RuntimeLookupPluginEntrypoint(kDeclarations[slot]);
}

}  // namespace quorrel
