// The application's menu commands: the Sound choice and the windows of Help,
// About and the update check.
#include "app/app.h"

#include "help/about_box.h"
#include "help/help_printing.h"
#include "help/help_window.h"
#include "settings/settings.h"
#include "update/self_test.h"

namespace quorrel {

bool App::_SoundStayQuiet_Action() {
    SoundOn = false;
    NotNil(SoundUseShutterClickItem())->Checked(false);
    NotNil(SoundStayQuietItem())->Checked(true);
    return true;
}

bool App::_SoundUseShutterClick_Action() {
    SoundOn = true;
    NotNil(SoundUseShutterClickItem())->Checked(true);
    NotNil(SoundStayQuietItem())->Checked(false);
    return true;
}

bool App::_SoundAbout_Action() {
    NotNil(AboutBoxInstance())->Show();
    return true;
}

bool App::_FilePrintHelp_Action() {
    PrintHelpText();
    return true;
}

bool App::_CheckforUpdateCheckNow_Action() {
    NotNil(selfTestInstance())->Show();
    return true;
}

bool App::_HelpShowHelp_Action() {
    NotNil(HelpInstance())->Show();
    return true;
}

}  // namespace quorrel
