// The application object: the start-up work of the Open event and the six
// menu commands.
#pragma once

#include "platform/framework.h"

namespace quorrel {
using namespace fw;

class App : public Application {
public:
    void Event_Open() override;
    virtual bool _SoundStayQuiet_Action();
    virtual bool _SoundUseShutterClick_Action();
    virtual bool _SoundAbout_Action();
    virtual bool _FilePrintHelp_Action();
    virtual bool _CheckforUpdateCheckNow_Action();
    virtual bool _HelpShowHelp_Action();
    virtual void CheckforFolder();
    virtual void Constructor();
    std::string ClassName() const override { return "App"; }
};

// The application object as an App (the caller holds its own reference).
std::shared_ptr<App> AppInstance();
// Clears what interrupted writes of earlier runs left in the screenshots
// folder and the preferences folder (a step of the start, after the folder
// check).
void RemoveInterruptedWrites();
// The two Sound items of the application's menu bar.
std::shared_ptr<MenuItem> SoundStayQuietItem();
std::shared_ptr<MenuItem> SoundUseShutterClickItem();

void AppClassDefiner();
const ClassRecord* AppClassGetter();

}  // namespace quorrel
