// Every class and module global registered once at start, and the globals
// released after the event loop.
#include "app/app.h"
#include "app/menu_bars.h"
#include "app/startup.h"
#include "capture/capture_state.h"
#include "capture/picture_file_name.h"
#include "capture/take_picture.h"
#include "capture/window1.h"
#include "help/about_box.h"
#include "help/help_window.h"
#include "settings/settings.h"
#include "update/self_test.h"
#include "update/update_window.h"

namespace quorrel {

namespace {
// The framework's classes the program builds on, then the plug-in classes.
void FrameworkClassesDefiner() {
    const ClassRecord records[] = {
        {"Object", "", {}},
        {"Application", "Object", {}},
        {"Window", "Object", {}},
        {"Control", "Object", {}},
        {"RectControl", "Control", {}},
        {"Timer", "Control", {"Mode", "Period"}},
        {"Label", "RectControl", {}},
        {"CheckBox", "RectControl", {}},
        {"PushButton", "RectControl", {}},
        {"Oval", "RectControl", {}},
        {"ProgressBar", "RectControl", {}},
        {"TextArea", "RectControl", {}},
        {"HTTPSocket", "Control", {}},
        {"MenuItem", "Object", {}},
        {"MenuBar", "MenuItem", {}},
        {"AppleMenuItem", "MenuItem", {}},
        {"Date", "Object", {}},
        {"FolderItem", "Object", {}},
        {"Sound", "Object", {}},
        {"Picture", "Object", {}},
    };
    for (const auto& record : records) RuntimeDefineClass(record);
}

void PluginClassesDefiner() {
    RuntimeDefineClass({"UpDownArrows", "RectControl", {"AcceptFocus"}});
    RuntimeDefineClass({"ScreenInfo", "Object", {"mainScreen", "backingScaleFactor"}});
}
}  // namespace

void RegisterClasses() {
    InitShutterSoundCache();
    InitShutterSoundLoaded();
    FrameworkClassesDefiner();
    PluginClassesDefiner();
    AppClassDefiner();
    Window1ClassDefiner();
    _wrapper_Timer1ClassDefiner();
    _wrapper_Timer2ClassDefiner();
    _wrapper_Timer3ClassDefiner();
    _wrapper_Timer4ClassDefiner();
    HelpClassDefiner();
    AboutBoxClassDefiner();
    updateWindowClassDefiner();
    _wrapper_hpClassDefiner();
    selfTestClassDefiner();
    directiveClassDefiner();

    InitSoundOn();
    InitMyPeriod();
    InitWindow1Top();
    InitWindow1Left();
    InitDirectives();
    InitCaptureScalar1();
    InitCaptureScalar2();
    InitCaptureScalar3();
    InitCaptureScalar4();
    InitCaptureScalar5();
    InitCaptureScalar6();
    InitCaptureScalar7();
    InitPictureFileName();
    InitPictureDate();
    InitPictureTime();

    MenuBar1ClassDefiner();
    InitMenuBar1Cache();
    MenuBar2ClassDefiner();
    InitMenuBar2Cache();
}

void ReleaseModuleGlobals() {
    ReleaseShutterSoundCache();
    ReleaseDirectives();
    ReleasePictureFileName();
    ReleasePictureDate();
    ReleasePictureTime();
    ReleaseMenuBar1Cache();
    ReleaseMenuBar2Cache();
}

}  // namespace quorrel
