// Plug-ins: libraries loaded by name, entry points looked up by declaration text.
#pragma once

#include <any>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace fw {

// Plug-ins: a library part is loaded by name ("Library:1"); entry points are
// looked up by their declaration text. An entry holds a std::function of the
// declared type (std::any); nil (empty) when it is not found.
//
// The framework's own plug-in entries, by declaration text and std::function type:
//   kEntryScreenshotDisplay  ScreenshotDisplayEntry   (ScreenshotDisplay)
//   kEntryScreenshotRect     ScreenshotRectEntry      (ScreenshotRect)
//   kEntryMainScreen         MainScreenEntry          (ScreenInfo::mainScreen)
//   kEntryBackingScale       BackingScaleEntry        (ScreenInfo::backingScaleFactor)
//   kEntrySaveAsPNG          SaveAsPNGEntry           (FolderItem::SaveAsPNG)
//   kEntryAcceptFocusGet     AcceptFocusGetEntry      (UpDownArrows AcceptFocus getter)
//   kEntryAcceptFocusSet     AcceptFocusSetEntry      (UpDownArrows AcceptFocus setter)
void RuntimeLoadPlugin(const std::string& libraryPart);
std::vector<std::any>& RuntimeAllocatePluginEntrypointsTable(size_t slots);
std::any RuntimeLookupPluginEntrypoint(const std::string& declaration);
std::vector<std::string> LoadedPlugins();

class Picture;
class ScreenInfo;
class FolderItem;
class UpDownArrows;
inline constexpr const char* kEntryScreenshotDisplay = "ScreenshotDisplay(index As Integer) As Picture";
inline constexpr const char* kEntryScreenshotRect =
    "ScreenshotRect(left As Integer, top As Integer, width As Integer, height As Integer) As Picture";
inline constexpr const char* kEntryMainScreen = "ScreenInfo.mainScreen() As ScreenInfo";
inline constexpr const char* kEntryBackingScale = "ScreenInfo.backingScaleFactor() As Double";
inline constexpr const char* kEntrySaveAsPNG = "FolderItem.SaveAsPNG(pic As Picture, gamma As Single = 0.0) As Boolean";
inline constexpr const char* kEntryAcceptFocusGet = "UpDownArrows.AcceptFocus.Get() As Boolean";
inline constexpr const char* kEntryAcceptFocusSet = "UpDownArrows.AcceptFocus.Set(value As Boolean)";
using ScreenshotDisplayEntry = std::function<std::shared_ptr<Picture>(int32_t)>;
using ScreenshotRectEntry = std::function<std::shared_ptr<Picture>(int32_t, int32_t, int32_t, int32_t)>;
using MainScreenEntry = std::function<std::shared_ptr<ScreenInfo>()>;
using BackingScaleEntry = std::function<double(const std::shared_ptr<ScreenInfo>&)>;
using SaveAsPNGEntry = std::function<bool(const std::shared_ptr<FolderItem>&, const std::shared_ptr<Picture>&, float)>;
using AcceptFocusGetEntry = std::function<bool(const std::shared_ptr<UpDownArrows>&)>;
using AcceptFocusSetEntry = std::function<void(const std::shared_ptr<UpDownArrows>&, bool)>;

}  // namespace fw
