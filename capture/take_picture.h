// The one capture-and-save routine and the shutter sound it plays.
#pragma once

#include "platform/framework.h"

namespace quorrel {
using namespace fw;

// Captures the chosen rectangle or the main display and writes it as a PNG
// named after the moment the call began into Documents/QuorrelScreenshots.
void TakePicture();

// The shutter sound, opened once per run (nil when it failed to open).
std::shared_ptr<Sound> ShutterSound();

extern std::shared_ptr<Sound> ShutterSoundCache;
extern bool ShutterSoundLoaded;  // the one attempt to open the file was made
void InitShutterSoundCache();
void InitShutterSoundLoaded();
void ReleaseShutterSoundCache();

}  // namespace quorrel
