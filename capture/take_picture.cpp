// Capture and save: the moment first, then the sound, the picture, the name
// and the PNG write.
#include "capture/take_picture.h"

#include "capture/capture_state.h"
#include "capture/picture_file_name.h"
#include "capture/window1.h"
#include "program_kit/plugins.h"
#include "settings/settings.h"

namespace quorrel {

namespace {
// Clears TakingPicture however the call ends, so that an exception reaching
// the default handling leaves no capture marked as running.
struct TakingPictureScope {
    TakingPictureScope() { TakingPicture = true; }
    ~TakingPictureScope() { TakingPicture = false; }
};

std::shared_ptr<Picture> CaptureArea(const std::shared_ptr<ScreenInfo>& screen) {
    double scale = PluginEntry<BackingScaleEntry>(kSlotBackingScale)(NotNil(screen));
    int32_t width = BottomPointX - TopPointX;
    int32_t height = BottomPointY - TopPointY;
    // On a display of scale 2 the capture takes device pixels for its size.
    if (scale == 2.0) {
        width *= 2;
        height *= 2;
    }
    return PluginEntry<ScreenshotRectEntry>(kSlotScreenshotRect)(TopPointX, TopPointY, width, height);
}
}  // namespace

void TakePicture() {
    auto folder = NotNil(DocumentsFolder())->Child("QuorrelScreenshots");
    auto moment = RuntimeNewObject<Date>();
    moment->Constructor();
    auto screen = PluginEntry<MainScreenEntry>(kSlotMainScreen)();
    TakingPictureScope taking;

    // A sound file that cannot be opened leaves the capture silent rather
    // than ending the program.
    if (SoundOn) {
        if (auto sound = ShutterSound()) sound->Play();
    }

    std::shared_ptr<Picture> picture;
    if (NotNil(NotNil(Window1Instance())->CheckBox2())->Value()) picture = CaptureArea(screen);
    else picture = PluginEntry<ScreenshotDisplayEntry>(kSlotScreenshotDisplay)(0);

    PictureDate = moment->ShortDate();
    PictureTime = moment->LongTime();
    MakePictureFileName();
    auto file = NotNil(folder)->Child(PictureFileName);

    const bool failed = picture && !PluginEntry<SaveAsPNGEntry>(kSlotSaveAsPNG)(file, picture, 0.0f);
    // The picture is let go before the message: a write that failed for lack
    // of memory leaves the message room to show.
    picture = nullptr;
    if (failed) RuntimeMsgBox("Picture was not taken!");
}

}  // namespace quorrel
