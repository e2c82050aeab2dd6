// The Help window: the styled help text in an editable text area, with the
// Help window's own menu bar.
#pragma once

#include "platform/framework.h"

namespace quorrel {
using namespace fw;

class Help : public Window {
public:
    std::string ClassName() const override { return "Help.Help"; }

    void Layout() override;
    void CreateControls() override;
    virtual void _CreateControls0();

    virtual std::shared_ptr<PushButton> PushButton1();
    virtual std::shared_ptr<TextArea> TextArea1();

    virtual void PushButton1_Action(std::shared_ptr<PushButton> sender);
    virtual void TextArea1_Open(std::shared_ptr<TextArea> sender);

    virtual std::shared_ptr<MenuItem> EditMenu();
    virtual std::shared_ptr<MenuItem> EditSelectAll();
    virtual std::shared_ptr<MenuItem> EditSeparator2();
    virtual std::shared_ptr<MenuItem> EditClear();
    virtual std::shared_ptr<MenuItem> EditPaste();
    virtual std::shared_ptr<MenuItem> EditCopy();
    virtual std::shared_ptr<MenuItem> EditCut();
    virtual std::shared_ptr<MenuItem> EditSeparator1();
    virtual std::shared_ptr<MenuItem> EditUndo();
    virtual std::shared_ptr<MenuItem> FileMenu();
    virtual std::shared_ptr<MenuItem> FilePrintHelp();
};

// The open Help window, or a new one, built, styled and shown.
std::shared_ptr<Help> HelpInstance();
// Defines the class once; later calls do nothing.
void HelpClassDefiner();
const ClassRecord* HelpClassGetter();

}  // namespace quorrel
