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
    static constexpr Property<std::string> NameProperty{"Name", ""};
    FW_PROPERTY(int32_t, Index, kNoIndex)
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
    void DeclareProperties(PropertyTable& table) const override { table.Add(NameProperty, IndexProperty); }
    const std::type_info* EventSignature(const std::string& event) const override;
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
    FW_PROPERTY(int32_t, Left, 0)
    FW_PROPERTY(int32_t, Top, 0)
    FW_PROPERTY(int32_t, Width, 0)
    FW_PROPERTY(int32_t, Height, 0)
    FW_PROPERTY(bool, LockLeft, false)
    FW_PROPERTY(bool, LockTop, false)
    FW_PROPERTY(bool, LockRight, false)
    FW_PROPERTY(bool, LockBottom, false)
    FW_PROPERTY(int32_t, TabPanelIndex, 0)
    FW_PROPERTY(int32_t, TabIndex, 0)
    FW_PROPERTY(bool, TabStop, true)
    FW_PROPERTY(bool, Enabled, true)
    FW_PROPERTY(bool, Visible, true)
    FW_PROPERTY(std::string, HelpTag, "")
    FW_PROPERTY(bool, AutoDeactivate, true)
    FW_PROPERTY(std::string, InitialParent, "")
    // Redraws the control (at once when immediately is True).
    void Refresh(bool immediately = true);

protected:
    void DeclareProperties(PropertyTable& table) const override {
        Control::DeclareProperties(table);
        table.Add(LeftProperty,
                  TopProperty,
                  WidthProperty,
                  HeightProperty,
                  LockLeftProperty,
                  LockTopProperty,
                  LockRightProperty,
                  LockBottomProperty,
                  TabPanelIndexProperty,
                  TabIndexProperty,
                  TabStopProperty,
                  EnabledProperty,
                  VisibleProperty,
                  HelpTagProperty,
                  AutoDeactivateProperty,
                  InitialParentProperty);
    }
};

// Controls that show text in a font.
class TextControl : public RectControl {
public:
    FW_PROPERTY(int32_t, TextUnit, 0)
    FW_PROPERTY(double, TextSize, 0.0)  // 0: the default size
    FW_PROPERTY(std::string, TextFont, "System")
    FW_PROPERTY(bool, Bold, false)
    FW_PROPERTY(bool, Italic, false)
    FW_PROPERTY(bool, Underline, false)
    FW_PROPERTY(std::string, DataSource, "")
    FW_PROPERTY(std::string, DataField, "")

protected:
    void DeclareProperties(PropertyTable& table) const override {
        RectControl::DeclareProperties(table);
        table.Add(TextUnitProperty,
                  TextSizeProperty,
                  TextFontProperty,
                  BoldProperty,
                  ItalicProperty,
                  UnderlineProperty,
                  DataSourceProperty,
                  DataFieldProperty);
    }
};

class Label : public TextControl {
public:
    FW_PROPERTY(std::string, Text, "")
    FW_PROPERTY(int32_t, TextAlign, 0)  // 0 left, 1 centre, 2 right
    FW_PROPERTY(Color, TextColor, (Color{0, 0, 0, 0}))
    FW_PROPERTY(bool, Multiline, false)
    FW_PROPERTY(bool, Selectable, false)
    FW_PROPERTY(bool, Transparent, false)
    std::string ClassName() const override { return "Label"; }
    void _RaiseOpen() override { RaiseSelf<Label>("Open"); }

protected:
    void DeclareProperties(PropertyTable& table) const override {
        TextControl::DeclareProperties(table);
        table.Add(TextProperty,
                  TextAlignProperty,
                  TextColorProperty,
                  MultilineProperty,
                  SelectableProperty,
                  TransparentProperty);
    }
    const std::type_info* EventSignature(const std::string& event) const override;
};

class CheckBox : public TextControl {
public:
    FW_PROPERTY(std::string, Caption, "")
    FW_PROPERTY(int32_t, State, 0)
    FW_PROPERTY(bool, Value, false)
    std::string ClassName() const override { return "CheckBox"; }
    void _RaiseOpen() override { RaiseSelf<CheckBox>("Open"); }

    friend struct PeerAccess;  // what the user did

protected:
    void DeclareProperties(PropertyTable& table) const override {
        TextControl::DeclareProperties(table);
        table.Add(CaptionProperty, StateProperty, ValueProperty);
    }
    const std::type_info* EventSignature(const std::string& event) const override;
};

class PushButton : public TextControl {
public:
    FW_PROPERTY(std::string, Caption, "")
    FW_PROPERTY(int32_t, ButtonStyle, 0)
    FW_PROPERTY(bool, Default, false)
    FW_PROPERTY(bool, Cancel, false)
    std::string ClassName() const override { return "PushButton"; }
    void _RaiseOpen() override { RaiseSelf<PushButton>("Open"); }

    friend struct PeerAccess;  // what the user did

protected:
    void DeclareProperties(PropertyTable& table) const override {
        TextControl::DeclareProperties(table);
        table.Add(CaptionProperty, ButtonStyleProperty, DefaultProperty, CancelProperty);
    }
    const std::type_info* EventSignature(const std::string& event) const override;
};

class Oval : public RectControl {
public:
    FW_PROPERTY(Color, FillColor, (Color{255, 255, 255, 0}))
    FW_PROPERTY(Color, BorderColor, (Color{0, 0, 0, 0}))
    FW_PROPERTY(int32_t, BorderWidth, 1)
    std::string ClassName() const override { return "Oval"; }
    void _RaiseOpen() override { RaiseSelf<Oval>("Open"); }

protected:
    void DeclareProperties(PropertyTable& table) const override {
        RectControl::DeclareProperties(table);
        table.Add(FillColorProperty, BorderColorProperty, BorderWidthProperty);
    }
    const std::type_info* EventSignature(const std::string& event) const override;
};

class ProgressBar : public RectControl {
public:
    FW_PROPERTY(int32_t, Maximum, 100)  // 0: indeterminate
    FW_PROPERTY(int32_t, Value, 0)
    std::string ClassName() const override { return "ProgressBar"; }
    void _RaiseOpen() override { RaiseSelf<ProgressBar>("Open"); }

protected:
    void DeclareProperties(PropertyTable& table) const override {
        RectControl::DeclareProperties(table);
        table.Add(MaximumProperty, ValueProperty);
    }
    const std::type_info* EventSignature(const std::string& event) const override;
};

// The up/down arrows control: one Up or Down event per press.
class UpDownArrows : public RectControl {
public:
    FW_PROPERTY(bool, AcceptFocus, true)
    std::string ClassName() const override { return "UpDownArrows"; }
    void _RaiseOpen() override { RaiseSelf<UpDownArrows>("Open"); }

    friend struct PeerAccess;  // what the user did

protected:
    void DeclareProperties(PropertyTable& table) const override {
        RectControl::DeclareProperties(table);
        table.Add(AcceptFocusProperty);
    }
    const std::type_info* EventSignature(const std::string& event) const override;
};

}  // namespace fw
