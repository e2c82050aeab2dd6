// The Self Test window: shows the running version and starts an update check.
#pragma once

#include "platform/framework.h"

namespace quorrel {
using namespace fw;

class selfTest : public Window {
public:
    void Layout() override;
    void CreateControls() override;
    virtual void _CreateControls0();  // hidden: builds the three controls
    virtual std::shared_ptr<Label> StaticText1();
    virtual std::shared_ptr<Label> StaticText2();
    virtual std::shared_ptr<PushButton> PushButton1();
    virtual void StaticText2_Open(std::shared_ptr<Label> label);
    virtual void PushButton1_Action(std::shared_ptr<PushButton> button);
    std::string ClassName() const override { return "selfTest.selfTest"; }
};

// The open Self Test window, or a new one (built and shown).
std::shared_ptr<selfTest> selfTestInstance();
// Defines the class once; later calls do nothing.
void selfTestClassDefiner();
// The class, defined first when it is not yet.
const ClassRecord* selfTestClassGetter();

}  // namespace quorrel
