// The Update window: fetches the update file, compares versions and offers
// the upgrade.
#pragma once

#include "platform/framework.h"

namespace quorrel {
using namespace fw;

class updateWindow;

// The window's socket: an HTTPSocket that knows its owner window.
class _wrapper_hp : public HTTPSocket {
public:
    std::weak_ptr<updateWindow> owner;  // weak: the socket must not keep its window alive
    int32_t index = kNoIndex;
    void _SetWindow(const std::shared_ptr<updateWindow>& w) { owner = w; }
    void _SetIndex(int32_t i) { index = i; }
    std::string ClassName() const override { return "updateWindow._wrapper_hp"; }
};

class updateWindow : public Window {
public:
    // When True, a check that finds the version current shows no message box.
    bool automaticCheck = false;

    void Layout() override;
    void CreateControls() override;
    virtual void _CreateControls0();  // hidden: builds the four controls
    virtual std::shared_ptr<Label> StaticText1();
    virtual std::shared_ptr<ProgressBar> ProgressBar1();
    virtual std::shared_ptr<HTTPSocket> hp();
    virtual std::shared_ptr<PushButton> PushButton1();
    virtual void hp_PageReceived(std::shared_ptr<HTTPSocket> sender, std::string URL, int32_t HTTPStatus,
                                 std::shared_ptr<InternetHeaders> headers, std::string content);
    virtual void hp_Error(std::shared_ptr<HTTPSocket> sender, int32_t code);
    virtual void PushButton1_Action(std::shared_ptr<PushButton> button);
    void Event_Open() override;
    virtual std::string startTag(const std::string& name);
    virtual std::string endTag(const std::string& name);
    virtual void askUpgrade(const std::string& version, const std::string& description, const std::string& downloadURL,
                            bool free);
    virtual std::string returnValue(const std::string& text, const std::string& name);
    std::string ClassName() const override { return "updateWindow.updateWindow"; }
};

// The open Update window, or a new one (built, which starts its request, and shown).
std::shared_ptr<updateWindow> updateWindowInstance();
void updateWindowClassDefiner();
void _wrapper_hpClassDefiner();

// Version field k (from 1) of a version text such as "1.3.0", as a number.
double VersionField(const std::string& version, int32_t field);

// Where the update file lives, and the maker's home page, from the bundle.
std::string UpdateFileURL();
std::string HomePageURL();

}  // namespace quorrel
