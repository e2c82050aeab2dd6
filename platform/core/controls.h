// The controls of a window: what a window holds under a name, and the
// visible kinds.
#pragma once

#include "platform/core/properties.h"

#include <cstdint>
#include <memory>
#include <string>
#include <typeinfo>
#include <vector>

namespace fw {

class Window;

// Anything a window holds under a name (timers and sockets too).
class Control : public PropertyObject {
public:
    std::shared_ptr<fw::Window> Window() const { return window_.lock(); }
    std::string Name() const { return name_; }
    // For the framework: membership of a window.
    void _SetWindow(const std::shared_ptr<fw::Window>& w) { window_ = w; }
    void _SetName(const std::string& n) { name_ = n; }
    // Raised once while the window is built, after all controls exist.
    virtual void _RaiseOpen() {}
    // For the framework: the window closed (timers stop, sockets end).
    virtual void _WindowClosed() {}

protected:
    const std::type_info* EventSignature(const std::string& event) const override;
    void DeclareProperties(std::vector<PropertyDecl>& out) const override;
    void PropertyChanged(const std::string& name) override;
    // Tells the window's peer that a property changed.
    void NotifyPeer(const std::string& property);
    // Raises event with this control, typed as T, as its one argument.
    template <class T>
    void RaiseSelf(const std::string& event) {
        Raise(event, std::static_pointer_cast<T>(shared_from_this()));
    }

private:
    std::weak_ptr<fw::Window> window_;
    std::string name_;
};

// A control with a visible form.
class RectControl : public Control {
public:
    virtual void Constructor() {}
    int32_t Left() const { return GetInt("Left"); }
    void Left(int32_t v) { SetProperty("Left", v); }
    int32_t Top() const { return GetInt("Top"); }
    void Top(int32_t v) { SetProperty("Top", v); }
    int32_t Width() const { return GetInt("Width"); }
    void Width(int32_t v) { SetProperty("Width", v); }
    int32_t Height() const { return GetInt("Height"); }
    void Height(int32_t v) { SetProperty("Height", v); }
    bool Visible() const { return GetBool("Visible"); }
    void Visible(bool v) { SetProperty("Visible", v); }
    bool Enabled() const { return GetBool("Enabled"); }
    void Enabled(bool v) { SetProperty("Enabled", v); }
    int32_t TabIndex() const { return GetInt("TabIndex"); }
    // Redraws the control (at once when immediately is True).
    void Refresh(bool immediately = true);

protected:
    void DeclareProperties(std::vector<PropertyDecl>& out) const override;
    void PropertyChanged(const std::string& name) override;
};

// Controls that show text in a font.
class TextControl : public RectControl {
public:
    int32_t TextUnit() const { return GetInt("TextUnit"); }
    void TextUnit(int32_t v) { SetProperty("TextUnit", v); }
    double TextSize() const { return GetDouble("TextSize"); }  // 0: the default size
    void TextSize(double v) { SetProperty("TextSize", v); }
    std::string TextFont() const { return GetStr("TextFont"); }
    bool Bold() const { return GetBool("Bold"); }
    bool Italic() const { return GetBool("Italic"); }
    bool Underline() const { return GetBool("Underline"); }

protected:
    void DeclareProperties(std::vector<PropertyDecl>& out) const override;
};

class Label : public TextControl {
public:
    std::string Text() const { return GetStr("Text"); }
    void Text(const std::string& v) { SetProperty("Text", v); }
    int32_t TextAlign() const { return GetInt("TextAlign"); }  // 0 left, 1 centre, 2 right
    Color TextColor() const { return GetColor("TextColor"); }
    bool Multiline() const { return GetBool("Multiline"); }
    std::string ClassName() const override { return "Label"; }
    void _RaiseOpen() override { RaiseSelf<Label>("Open"); }

protected:
    void DeclareProperties(std::vector<PropertyDecl>& out) const override;
    const std::type_info* EventSignature(const std::string& event) const override;
};

class CheckBox : public TextControl {
public:
    bool Value() const { return GetBool("Value"); }
    void Value(bool v) { SetProperty("Value", v); }
    std::string Caption() const { return GetStr("Caption"); }
    std::string ClassName() const override { return "CheckBox"; }
    void _RaiseOpen() override { RaiseSelf<CheckBox>("Open"); }

    friend struct PeerAccess;  // what the user did

protected:
    void DeclareProperties(std::vector<PropertyDecl>& out) const override;
    const std::type_info* EventSignature(const std::string& event) const override;
};

class PushButton : public TextControl {
public:
    std::string Caption() const { return GetStr("Caption"); }
    void Caption(const std::string& v) { SetProperty("Caption", v); }
    bool Default() const { return GetBool("Default"); }
    bool Cancel() const { return GetBool("Cancel"); }
    std::string ClassName() const override { return "PushButton"; }
    void _RaiseOpen() override { RaiseSelf<PushButton>("Open"); }

    friend struct PeerAccess;  // what the user did

protected:
    void DeclareProperties(std::vector<PropertyDecl>& out) const override;
    const std::type_info* EventSignature(const std::string& event) const override;
};

class Oval : public RectControl {
public:
    Color FillColor() const { return GetColor("FillColor"); }
    void FillColor(const Color& c) { SetProperty("FillColor", c); }
    Color BorderColor() const { return GetColor("BorderColor"); }
    int32_t BorderWidth() const { return GetInt("BorderWidth"); }
    std::string ClassName() const override { return "Oval"; }
    void _RaiseOpen() override { RaiseSelf<Oval>("Open"); }

protected:
    void DeclareProperties(std::vector<PropertyDecl>& out) const override;
    const std::type_info* EventSignature(const std::string& event) const override;
};

class ProgressBar : public RectControl {
public:
    int32_t Maximum() const { return GetInt("Maximum"); }  // 0: indeterminate
    void Maximum(int32_t v) { SetProperty("Maximum", v); }
    int32_t Value() const { return GetInt("Value"); }
    void Value(int32_t v) { SetProperty("Value", v); }
    std::string ClassName() const override { return "ProgressBar"; }
    void _RaiseOpen() override { RaiseSelf<ProgressBar>("Open"); }

protected:
    void DeclareProperties(std::vector<PropertyDecl>& out) const override;
    const std::type_info* EventSignature(const std::string& event) const override;
};

// The up/down arrows control: one Up or Down event per press.
class UpDownArrows : public RectControl {
public:
    bool AcceptFocus() const { return GetBool("AcceptFocus"); }
    std::string ClassName() const override { return "UpDownArrows"; }
    void _RaiseOpen() override { RaiseSelf<UpDownArrows>("Open"); }

    friend struct PeerAccess;  // what the user did

protected:
    void DeclareProperties(std::vector<PropertyDecl>& out) const override;
    const std::type_info* EventSignature(const std::string& event) const override;
};

}  // namespace fw
