// The message box, the message dialog, the beep and URL opening.
#pragma once

#include "platform/core/objects.h"

#include <cstdint>
#include <memory>
#include <string>

namespace fw {

void RuntimeMsgBox(const std::string& text);  // modal
void RuntimeBeep();
void GlobalShowURL(const std::string& url);

class MessageDialogButton : public Object {
public:
    std::string Caption() const { return caption_; }
    void Caption(const std::string& v) { caption_ = v; }
    bool Visible() const { return visible_; }
    void Visible(bool v) { visible_ = v; }
    std::string ClassName() const override { return "MessageDialogButton"; }

private:
    std::string caption_;
    bool visible_ = false;
};

class MessageDialog : public Object {
public:
    MessageDialog();
    std::string Title() const { return title_; }
    void Title(const std::string& v) { title_ = v; }
    std::string Message() const { return message_; }
    void Message(const std::string& v) { message_ = v; }
    std::string Explanation() const { return explanation_; }
    void Explanation(const std::string& v) { explanation_ = v; }
    int32_t Icon() const { return icon_; }
    void Icon(int32_t v) { icon_ = v; }
    std::shared_ptr<MessageDialogButton> ActionButton() const { return action_; }
    std::shared_ptr<MessageDialogButton> CancelButton() const { return cancel_; }
    std::shared_ptr<MessageDialogButton> AlternateActionButton() const { return alternate_; }
    // Modal; the button the user pressed (one of the three above).
    std::shared_ptr<MessageDialogButton> ShowModal();
    std::string ClassName() const override { return "MessageDialog"; }

private:
    std::string title_, message_, explanation_;
    int32_t icon_ = 0;
    std::shared_ptr<MessageDialogButton> action_, cancel_, alternate_;
};

}  // namespace fw
