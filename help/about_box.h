// The About box: the product name, the running version, the credits and the
// mail and web-site buttons.
#pragma once

#include "platform/framework.h"

namespace quorrel {
using namespace fw;

class AboutBox : public Window {
public:
    std::string ClassName() const override { return "AboutBox.AboutBox"; }

    void Layout() override;
    void CreateControls() override;
    virtual void _CreateControls0();

    virtual std::shared_ptr<PushButton> PushButton1();
    virtual std::shared_ptr<PushButton> PushButton2();
    virtual std::shared_ptr<Label> StaticText2();
    virtual std::shared_ptr<Label> StaticText1();
    virtual std::shared_ptr<Label> StaticText3();
    virtual std::shared_ptr<Label> StaticText4();
    virtual std::shared_ptr<Label> Label1();

    virtual void PushButton1_Action(std::shared_ptr<PushButton> sender);
    virtual void PushButton2_Action(std::shared_ptr<PushButton> sender);
    virtual void StaticText4_Open(std::shared_ptr<Label> sender);
};

// The open About box, or a new one, built and shown.
std::shared_ptr<AboutBox> AboutBoxInstance();
// Defines the class once; later calls do nothing.
void AboutBoxClassDefiner();
const ClassRecord* AboutBoxClassGetter();

}  // namespace quorrel
