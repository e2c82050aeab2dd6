// The plug-in libraries the program loads and the entries it declares; every
// plug-in call of the program goes through its slot of the entry table.
#pragma once

#include "platform/framework.h"

#include <any>
#include <vector>

namespace quorrel {
using namespace fw;

// Slots of the entry table, in declaration order.
enum PluginSlot : size_t {
    kSlotAcceptFocusGet,
    kSlotAcceptFocusSet,
    kSlotMainScreen,
    kSlotBackingScale,
    kSlotScreenshotDisplay,
    kSlotScreenshotRect,
    kSlotSaveAsPNG,
    kPluginSlotCount
};

// The table that LoadPlugins fills (nil before).
extern std::vector<std::any>* PluginEntryTable;

void InitPlugins();
void LoadPlugins();

// The entry of a slot as its declared type; an entry that was not found
// raises NilObjectException when the program calls it.
template <class F>
const F& PluginEntry(PluginSlot slot) {
    if (!PluginEntryTable || slot >= PluginEntryTable->size()) throw NilObjectException("plug-in table");
    const F* entry = std::any_cast<F>(&(*PluginEntryTable)[slot]);
    if (!entry || !*entry) throw NilObjectException("plug-in entry");
    return *entry;
}

}  // namespace quorrel
