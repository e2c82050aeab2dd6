// The shutter sound: "Shutter.wav" from the resources folder, opened once.
#include "capture/take_picture.h"

#include "program_kit/module_global.h"

namespace quorrel {

std::shared_ptr<Sound> ShutterSoundCache;
bool ShutterSoundLoaded = false;

std::shared_ptr<Sound> ShutterSound() {
    if (!ShutterSoundLoaded) {
        // Set first: a file that fails to open is not tried again.
        ShutterSoundLoaded = true;
        if (auto resources = ResourcesFolder()) ShutterSoundCache = resources->Child("Shutter.wav")->OpenAsSound();
    }
    return ShutterSoundCache;
}

void InitShutterSoundCache() { ShutterSoundCache = nullptr; }
void InitShutterSoundLoaded() { ShutterSoundLoaded = false; }

void ReleaseShutterSoundCache() { ReleaseGlobal(ShutterSoundCache); }

}  // namespace quorrel
