// The application object: its class, the Open event and the way to it.
#include "app/app.h"

#include "capture/window1.h"
#include "program_kit/window_class.h"
#include "settings/settings.h"

namespace quorrel {

namespace {
const char* const kScreenshotsFolderName = "QuorrelScreenshots";

std::shared_ptr<MenuItem> AppMenuItem(const std::string& name) {
    auto bar = NotNil(NotNil(AppInstance())->MenuBar());
    return RuntimeCheckCast<MenuItem>(MenuItem::_Lookup(bar, name));
}
}  // namespace

void AppClassDefiner() {
    RuntimeDefineClass({"App",
                        "Application",
                        {"Event_Open",
                         "_SoundStayQuiet_Action",
                         "_SoundUseShutterClick_Action",
                         "_SoundAbout_Action",
                         "_FilePrintHelp_Action",
                         "_CheckforUpdateCheckNow_Action",
                         "_HelpShowHelp_Action",
                         "CheckforFolder",
                         "Constructor"}});
}

const ClassRecord* AppClassGetter() { return ClassGetter("App", AppClassDefiner); }

std::shared_ptr<App> AppInstance() { return RuntimeCheckCast<App>(getAppObject()); }

std::shared_ptr<MenuItem> SoundStayQuietItem() { return AppMenuItem("SoundStayQuiet"); }
std::shared_ptr<MenuItem> SoundUseShutterClickItem() { return AppMenuItem("SoundUseShutterClick"); }

void App::Constructor() {}

void App::Event_Open() {
    // The preferences come first: the Control Panel opens at the saved
    // position and shows the saved period.
    LoadPrefs();
    CheckforFolder();
    RemoveInterruptedWrites();
    if (SoundOn) {
        NotNil(SoundUseShutterClickItem())->Checked(true);
        NotNil(SoundStayQuietItem())->Checked(false);
    } else {
        NotNil(SoundUseShutterClickItem())->Checked(false);
        NotNil(SoundStayQuietItem())->Checked(true);
    }
    NotNil(Window1Instance())->Show();
}

void App::CheckforFolder() {
    auto folder = NotNil(DocumentsFolder())->Child(kScreenshotsFolderName);
    // A file of that name is left alone: the save into it reports the failure.
    if (!NotNil(folder)->Exists()) folder->CreateAsFolder();
}

void RemoveInterruptedWrites() {
    // A run killed part-way through a write leaves a hidden temporary file in
    // one of the two folders the program writes into; nowhere else is looked at.
    NotNil(NotNil(DocumentsFolder())->Child(kScreenshotsFolderName))->RemoveLeftoverTemporaries();
    if (auto preferences = PreferencesFolder()) preferences->RemoveLeftoverTemporaries();
}

}  // namespace quorrel
