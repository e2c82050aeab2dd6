// Message boxes, message dialogs, the beep and URL opening.
#include "platform/backend.h"
#include "platform/framework.h"

namespace fw {

void RuntimeMsgBox(const std::string& text) {
    CheckMainThread();
    CurrentBackend().RunMessageBox(text);
}

void RuntimeBeep() {
    CheckMainThread();
    CurrentBackend().Beep();
}

void GlobalShowURL(const std::string& url) {
    CheckMainThread();
    CurrentBackend().ShowURL(url);
}

MessageDialog::MessageDialog()
    : action_(std::make_shared<MessageDialogButton>()),
      cancel_(std::make_shared<MessageDialogButton>()),
      alternate_(std::make_shared<MessageDialogButton>()) {
    action_->Caption("OK");
    action_->Visible(true);
    cancel_->Caption("Cancel");
}

std::shared_ptr<MessageDialogButton> MessageDialog::ShowModal() {
    CheckMainThread();
    switch (CurrentBackend().RunMessageDialog(*this)) {
        case 1: return cancel_;
        case 2: return alternate_;
        default: return action_;
    }
}

}  // namespace fw
