// The Update window's check: the request, the reply, the error, the dialog.
#include "app/app.h"
#include "capture/window1.h"
#include "update/self_test.h"
#include "update/update_window.h"

namespace quorrel {

std::string UpdateFileURL() {
    const BundleInfo& bundle = GetBundleInfo();
    std::string server = bundle.updateHost;
    if (bundle.updatePort != 0) server.append(":").append(StringStrInt32(bundle.updatePort));
    return "http://" + server + "/Updates/quorrel.xml";
}

std::string HomePageURL() { return GetBundleInfo().homePage; }

void updateWindow::Event_Open() {
    ProgressBar1()->Maximum(0);
    hp()->Get(UpdateFileURL());
    NotNil(Window1Instance())->SetFocus();
}

void updateWindow::hp_PageReceived(std::shared_ptr<HTTPSocket> /*sender*/, std::string /*URL*/, int32_t /*HTTPStatus*/,
                                   std::shared_ptr<InternetHeaders> /*headers*/, std::string content) {
    if (RuntimeStringCompare(content, "") == 0) {
        NotNil(updateWindowInstance())->Close();
        return;
    }
    std::string version = returnValue(content, "CurrentVersion");
    std::string description = returnValue(content, "Description");
    bool free = RuntimeStringCompare(returnValue(content, "Free"), "Yes") == 0;
    ProgressBar1()->Visible(false);

    auto app = NotNil(AppInstance());
    bool current = RuntimeCvtSInt32ToReal64(app->MajorVersion()) == VersionField(version, 1) &&
                   RuntimeCvtSInt32ToReal64(app->MinorVersion()) == VersionField(version, 2) &&
                   RuntimeCvtSInt32ToReal64(app->BugVersion()) == VersionField(version, 3);
    if (current) {
        StaticText1()->Text("This version is current.");
        StaticText1()->Refresh(true);
        if (!automaticCheck) RuntimeMsgBox("You are using the current version. No update is available.");
        NotNil(updateWindowInstance())->Close();
        NotNil(selfTestInstance())->Close();
        return;
    }
    // No tag names a download address: the maker's home page serves the downloads.
    askUpgrade(version, description, HomePageURL(), free);
}

void updateWindow::hp_Error(std::shared_ptr<HTTPSocket> /*sender*/, int32_t code) {
    RuntimeBeep();
    std::string text = RuntimeAddString("There was a communication error ", "with the website. Please try ");
    text = RuntimeAddString(text, "again later. (Code: ");
    text = RuntimeAddString(text, StringStrInt32(code));
    text = RuntimeAddString(text, ")");
    RuntimeMsgBox(text);
    NotNil(updateWindowInstance())->Close();
    NotNil(selfTestInstance())->Close();
    NotNil(Window1Instance())->SetFocus();
}

void updateWindow::PushButton1_Action(std::shared_ptr<PushButton> /*button*/) {
    NotNil(updateWindowInstance())->Close();
}

void updateWindow::askUpgrade(const std::string& version, const std::string& description,
                              const std::string& downloadURL, bool free) {
    auto dialog = __New<MessageDialog>();
    dialog->Title("New version available!");
    dialog->Message(RuntimeAddString(RuntimeAddString("Version ", version), " is now available. "));
    dialog->Message(RuntimeAddString(
        dialog->Message(),
        RuntimeAddString(RuntimeAddString("(You are using version ", NotNil(AppInstance())->ShortVersion()), ".) ")));
    const char* pieces[3];
    if (free) {
        pieces[0] = "This is a free upgrade. ";
        pieces[1] = "Would you like to automatically download ";
        pieces[2] = "this update (using your web browser)?";
    } else {
        pieces[0] = "This is a paid upgrade. ";
        pieces[1] = "Would you like to automatically download ";
        pieces[2] = "the trial version (using your web browser)?";
    }
    for (const char* piece : pieces) dialog->Message(RuntimeAddString(dialog->Message(), piece));
    dialog->Explanation(description);
    dialog->CancelButton()->Visible(true);
    dialog->AlternateActionButton()->Caption("Go to Website");
    dialog->AlternateActionButton()->Visible(true);
    dialog->Icon(3);

    auto pressed = dialog->ShowModal();
    if (pressed == dialog->CancelButton()) {
        NotNil(updateWindowInstance())->Close();
    } else if (pressed == dialog->ActionButton()) {
        GlobalShowURL(downloadURL);
        NotNil(updateWindowInstance())->Close();
    } else if (pressed == dialog->AlternateActionButton()) {
        GlobalShowURL(HomePageURL());
    }
}

}  // namespace quorrel
