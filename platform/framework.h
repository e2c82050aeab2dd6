// The framework's chief header: every type and operation that the program may
// use. Program code includes this header and nothing of Qt, X11 or a backend.
//
// Objects are shared: an object reference is std::shared_ptr, a reference that
// must not keep its target alive is std::weak_ptr. Properties are read with
// Name() and set with Name(value). Failures are exceptions derived from
// RuntimeException. Every user-interface operation checks that it runs on the
// main thread.
#pragma once

#include <any>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <typeinfo>
#include <variant>
#include <vector>

// TextInputStream and StyledTextPrinter have a member EOF, which the C
// library's macro of that name would swallow: the macro goes (where the C
// value is needed, use std::char_traits<char>::eof()).
#include <cstdio>
#undef EOF

namespace fw {

// ---------------------------------------------------------------------------
// Objects, class records, exceptions
// ---------------------------------------------------------------------------

class Object : public std::enable_shared_from_this<Object> {
public:
    virtual ~Object();
    // The name under which the object's class is registered ("Window1.Window1"
    // for a window class, "Timer" for a framework class).
    virtual std::string ClassName() const;
};
using ObjectRef = std::shared_ptr<Object>;

class RuntimeException : public std::runtime_error {
public:
    explicit RuntimeException(const std::string& message = "");
    virtual std::string ExceptionName() const { return "RuntimeException"; }
};
#define FW_EXCEPTION(Name)                                                      \
    class Name : public RuntimeException {                                      \
    public:                                                                     \
        using RuntimeException::RuntimeException;                               \
        std::string ExceptionName() const override { return #Name; }            \
    }
FW_EXCEPTION(NilObjectException);
FW_EXCEPTION(ThreadAccessingUIException);
FW_EXCEPTION(IllegalCastException);
FW_EXCEPTION(OutOfBoundsException);
FW_EXCEPTION(UnsupportedFormatException);   // a malformed design-time property list
FW_EXCEPTION(KeyNotFoundException);         // an unknown property name
FW_EXCEPTION(TypeMismatchException);
FW_EXCEPTION(IOException);
#undef FW_EXCEPTION

// Raises NilObjectException for a nil reference, else returns it.
template <class T>
const std::shared_ptr<T>& NotNil(const std::shared_ptr<T>& p) {
    if (!p) throw NilObjectException("nil object");
    return p;
}

// A checked cast: nil stays nil, a mismatch raises IllegalCastException.
template <class T, class U>
std::shared_ptr<T> RuntimeCheckCast(const std::shared_ptr<U>& p) {
    if (!p) return nullptr;
    auto t = std::dynamic_pointer_cast<T>(p);
    if (!t) throw IllegalCastException(std::string("cannot cast to ") + typeid(T).name());
    return t;
}

// Light class records: a name, a superclass and the member names.
struct ClassRecord {
    std::string name;
    std::string superclass;
    std::vector<std::string> members;
};
// Defines the class once; returns false (and changes nothing) when it exists.
bool RuntimeDefineClass(const ClassRecord& record);
// The record, or nullptr when the class is not defined.
const ClassRecord* RuntimeGetClass(const std::string& name);

// Makes a new object (not yet constructed: the caller runs its Constructor).
template <class T, class... A>
std::shared_ptr<T> RuntimeNewObject(A&&... args) {
    return std::make_shared<T>(std::forward<A>(args)...);
}

// Asserts the main thread for a user-interface operation.
void CheckMainThread();

// ---------------------------------------------------------------------------
// Delegates and events
// ---------------------------------------------------------------------------

// A delegate is a callable. Made on a method and a target; with weak = 1 it
// does not keep the target alive (a call after the target died does nothing).
template <class T, class R, class... A>
std::function<R(A...)> RuntimeCreateDelegate(R (T::*method)(A...), const std::shared_ptr<T>& target,
                                             const std::string& /*params*/, int weak) {
    if (weak == 1) {
        std::weak_ptr<T> w = target;
        return [w, method](A... args) -> R {
            if (auto t = w.lock()) return ((*t).*method)(args...);
            if constexpr (!std::is_void_v<R>) return R{};
        };
    }
    std::shared_ptr<T> s = target;
    return [s, method](A... args) -> R { return ((*s).*method)(args...); };
}
// On a plain routine.
template <class R, class... A>
std::function<R(A...)> RuntimeCreateDelegate(R (*routine)(A...), const std::string& /*params*/) {
    return std::function<R(A...)>(routine);
}

// Events of a framework object, by name. A handler is a std::function whose
// parameters match the event's (the raiser's types); a mismatch raises
// TypeMismatchException when the handler is added.
class EventSource : public Object {
public:
    template <class... A>
    void AddHandler(const std::string& event, std::function<void(A...)> handler) {
        CheckSignature(event, typeid(std::function<void(A...)>));
        handlers_[event].push_back(std::make_shared<const std::any>(std::move(handler)));
    }
    bool HasHandler(const std::string& event) const;

protected:
    // Raises the event: every handler in the order added. What escapes a
    // handler reaches the framework's default handling.
    template <class... A>
    void Raise(const std::string& event, A... args) {
        auto it = handlers_.find(event);
        if (it == handlers_.end()) return;
        // A handler may add handlers (the list may grow and move), so each is
        // held while it runs; nothing is copied on the 10 ms path.
        const size_t count = it->second.size();
        for (size_t i = 0; i < count; ++i) {
            std::shared_ptr<const std::any> held = it->second[i];
            const auto* f = std::any_cast<std::function<void(A...)>>(held.get());
            if (f) Dispatch([&] { (*f)(args...); });
        }
    }
    // Subclasses declare which std::function type each event takes.
    virtual const std::type_info* EventSignature(const std::string& event) const;
    static void Dispatch(const std::function<void()>& fn);

private:
    void CheckSignature(const std::string& event, const std::type_info& given) const;
    std::map<std::string, std::vector<std::shared_ptr<const std::any>>> handlers_;
};

template <class... A>
void RuntimeAddEventHandler(const std::shared_ptr<EventSource>& source, const std::string& event,
                            std::function<void(A...)> handler) {
    NotNil(source)->AddHandler(event, std::move(handler));
}

// Runs fn with the framework's default handling of an exception that escapes
// it: the message "An exception of class <name> was not handled. The
// application must shut down.", then an orderly quit with status 1. Only the
// first such exception of a run shows a message; later ones are dropped.
void RunHandler(const std::function<void()>& fn);
// What StartApplication hands an exception that left the start sequence.
void RuntimeUnhandledException(const std::exception& e);

// ---------------------------------------------------------------------------
// Colours and design-time property lists
// ---------------------------------------------------------------------------

struct Color {
    uint8_t red = 0, green = 0, blue = 0, alpha = 0;
    friend bool operator==(const Color&, const Color&) = default;
};
Color RuntimeRGBA(int red, int green, int blue, int alpha);

enum class PropertyType { Integer, Boolean, String, Color, Double };
using PropertyValue = std::variant<int32_t, bool, std::string, Color, double>;

// Builds a design-time property list in its binary form: entries back to back,
// ASCII name, one blank, then the value (Integer 4 bytes big-endian, Boolean
// 1 byte, String 4-byte big-endian length and UTF-8, Color 3 bytes r g b).
class DesignList {
public:
    DesignList& Int(const std::string& name, int32_t v);
    DesignList& Bool(const std::string& name, bool v);
    DesignList& Str(const std::string& name, const std::string& v);
    DesignList& Col(const std::string& name, uint8_t r, uint8_t g, uint8_t b);
    // A Double property: 8 bytes, IEEE 754 big-endian.
    DesignList& Dbl(const std::string& name, double v);
    const std::string& Bytes() const { return bytes_; }

private:
    void Name(const std::string& name);
    std::string bytes_;
};
constexpr int32_t kNoIndex = INT32_MIN;  // the Index of a control outside a control array

// One declared property of a class: its name (matched without regard to case),
// type and start value.
struct PropertyDecl {
    std::string name;
    PropertyType type;
    PropertyValue start;
};

// An object with declared properties that a design-time list can set.
class PropertyObject : public EventSource {
public:
    // Generic access by name (case-insensitive). An undeclared name raises
    // KeyNotFoundException; a value of the wrong type TypeMismatchException.
    const PropertyValue& GetProperty(const std::string& name) const;
    void SetProperty(const std::string& name, const PropertyValue& value);
    // The declared type, or nullptr when the class has no such property.
    const PropertyDecl* FindProperty(const std::string& name) const;

protected:
    // Each class adds its own declarations to its base's.
    virtual void DeclareProperties(std::vector<PropertyDecl>& out) const;
    // Called after a property was set (name as declared); base does nothing.
    virtual void PropertyChanged(const std::string& name);
    int32_t GetInt(const std::string& n) const { return std::get<int32_t>(GetProperty(n)); }
    bool GetBool(const std::string& n) const { return std::get<bool>(GetProperty(n)); }
    const std::string& GetStr(const std::string& n) const { return std::get<std::string>(GetProperty(n)); }
    Color GetColor(const std::string& n) const { return std::get<Color>(GetProperty(n)); }
    double GetDouble(const std::string& n) const { return std::get<double>(GetProperty(n)); }

private:
    void EnsureDeclared() const;
    mutable std::vector<PropertyDecl> decls_;
    mutable std::map<std::string, size_t> byLowerName_;
    mutable std::vector<PropertyValue> values_;
};

// Decodes the list and sets every property in stored order. A truncated list
// (a name without its blank, a short value, a string length beyond the end) or
// a Boolean byte other than 0 or 1 raises UnsupportedFormatException, an
// unknown name KeyNotFoundException. Nothing is set when the list is bad.
void RuntimeMassPropertySetter(const std::shared_ptr<PropertyObject>& target, const std::string& list);
// Decodes without applying (names and values in order), using the target's
// declarations for the types.
std::vector<std::pair<std::string, PropertyValue>> DecodeDesignList(const PropertyObject& target,
                                                                    const std::string& list);

// ---------------------------------------------------------------------------
// Menus
// ---------------------------------------------------------------------------

class MenuItem : public Object {
public:
    virtual void Constructor() {}
    std::string Name() const { return name_; }
    void Name(const std::string& v);
    std::string Text() const { return text_; }
    void Text(const std::string& v);
    std::string KeyboardShortcut() const { return shortcut_; }
    void KeyboardShortcut(const std::string& v);
    bool Visible() const { return visible_; }
    void Visible(bool v);
    bool AutoEnable() const { return autoEnable_; }
    void AutoEnable(bool v);
    bool Checked() const { return checked_; }
    void Checked(bool v);
    // Adds an item at the end.
    void Append(const std::shared_ptr<MenuItem>& item);
    // The direct child of that name, or nil.
    std::shared_ptr<MenuItem> Child(const std::string& name) const;
    // The item of that name anywhere below root, or nil.
    static std::shared_ptr<MenuItem> _Lookup(const std::shared_ptr<MenuItem>& root, const std::string& name);
    const std::vector<std::shared_ptr<MenuItem>>& Children() const { return children_; }
    int Count() const { return static_cast<int>(children_.size()); }
    std::string ClassName() const override { return "MenuItem"; }

    // For peers: called after any change below this item.
    using Listener = std::function<void()>;
    void AddListener(const std::shared_ptr<Listener>& l);

private:
    void Changed();
    std::string name_, text_, shortcut_;
    bool visible_ = true, autoEnable_ = false, checked_ = false;
    std::vector<std::shared_ptr<MenuItem>> children_;
    std::weak_ptr<MenuItem> parent_;
    std::vector<std::weak_ptr<Listener>> listeners_;
};
// An item that the platform places in the application menu.
class AppleMenuItem : public MenuItem {
public:
    std::string ClassName() const override { return "AppleMenuItem"; }
};
class MenuBar : public MenuItem {
public:
    std::string ClassName() const override { return "MenuBar"; }
};

// Dispatches the choice of a menu item by name to the application's handler
// registered under that name; returns whether one handled it. Items without a
// handler (the Edit items) are the platform's standard text editing.
bool ChooseMenuItem(const std::string& itemName);

// ---------------------------------------------------------------------------
// Application
// ---------------------------------------------------------------------------

class Application : public Object {
public:
    std::shared_ptr<fw::MenuBar> MenuBar() const { return menuBar_; }
    void MenuBar(const std::shared_ptr<fw::MenuBar>& bar) { menuBar_ = bar; }
    // From the bundle metadata.
    int32_t MajorVersion() const;
    int32_t MinorVersion() const;
    int32_t BugVersion() const;
    std::string ShortVersion() const;
    std::string LongVersion() const;
    void _AddMenuHandler(const std::string& itemName, std::function<bool()> handler);
    // The Open event, raised once when the event loop starts.
    virtual void Event_Open() {}
    std::string ClassName() const override { return "Application"; }

private:
    friend bool ChooseMenuItem(const std::string&);
    std::shared_ptr<fw::MenuBar> menuBar_;
    std::map<std::string, std::function<bool()>> menuHandlers_;
};
void RuntimeRegisterAppObject(const std::shared_ptr<Application>& app);
std::shared_ptr<Application> getAppObject();

// The maker's data from the bundle metadata (resources folder).
struct BundleInfo {
    int32_t majorVersion = 0, minorVersion = 0, bugVersion = 0;
    std::string shortVersion, longVersion;
    std::string updateScheme = "http", updateHost;  // the maker's update server
    int32_t updatePort = 0;                         // 0: none named
    std::string homePage, mailAddress;
};
const BundleInfo& GetBundleInfo();

// Runtime start and end, the event loop.
void RuntimeInit();
// The process's exit status (0, or 1 after the default handling of an
// exception); forgets the run's windows, application object and plug-ins, so
// that the program can run again in the same process.
int RuntimeExit();
void RuntimeSetExceptionHelper(std::function<ObjectRef(void*, void*)> helper);
void RuntimeInitExternalClasses();
void RunFrameworkInitialization(std::function<void()> callback);
void RuntimeRun();  // runs until QuitApplication; raises the application's Open first
void QuitApplication(int32_t status = 0);

// Plug-ins: a library part is loaded by name ("Library:1"); entry points are
// looked up by their declaration text. An entry holds a std::function of the
// declared type (std::any); nil (empty) when it is not found.
//
// The framework's own plug-in entries, by declaration text and std::function type:
//   kEntryScreenshotDisplay  ScreenshotDisplayEntry   (ScreenshotDisplay)
//   kEntryScreenshotRect     ScreenshotRectEntry      (ScreenshotRect)
//   kEntryMainScreen         MainScreenEntry          (ScreenInfo::mainScreen)
//   kEntryBackingScale       BackingScaleEntry        (ScreenInfo::backingScaleFactor)
//   kEntrySaveAsPNG          SaveAsPNGEntry           (FolderItem::SaveAsPNG)
//   kEntryAcceptFocusGet     AcceptFocusGetEntry      (UpDownArrows AcceptFocus getter)
//   kEntryAcceptFocusSet     AcceptFocusSetEntry      (UpDownArrows AcceptFocus setter)
void RuntimeLoadPlugin(const std::string& libraryPart);
std::vector<std::any>& RuntimeAllocatePluginEntrypointsTable(size_t slots);
std::any RuntimeLookupPluginEntrypoint(const std::string& declaration);
std::vector<std::string> LoadedPlugins();

class Picture;
class ScreenInfo;
class FolderItem;
class UpDownArrows;
inline constexpr const char* kEntryScreenshotDisplay = "ScreenshotDisplay(index As Integer) As Picture";
inline constexpr const char* kEntryScreenshotRect =
    "ScreenshotRect(left As Integer, top As Integer, width As Integer, height As Integer) As Picture";
inline constexpr const char* kEntryMainScreen = "ScreenInfo.mainScreen() As ScreenInfo";
inline constexpr const char* kEntryBackingScale = "ScreenInfo.backingScaleFactor() As Double";
inline constexpr const char* kEntrySaveAsPNG = "FolderItem.SaveAsPNG(pic As Picture, gamma As Single = 0.0) As Boolean";
inline constexpr const char* kEntryAcceptFocusGet = "UpDownArrows.AcceptFocus.Get() As Boolean";
inline constexpr const char* kEntryAcceptFocusSet = "UpDownArrows.AcceptFocus.Set(value As Boolean)";
using ScreenshotDisplayEntry = std::function<std::shared_ptr<Picture>(int32_t)>;
using ScreenshotRectEntry = std::function<std::shared_ptr<Picture>(int32_t, int32_t, int32_t, int32_t)>;
using MainScreenEntry = std::function<std::shared_ptr<ScreenInfo>()>;
using BackingScaleEntry = std::function<double(const std::shared_ptr<ScreenInfo>&)>;
using SaveAsPNGEntry = std::function<bool(const std::shared_ptr<FolderItem>&, const std::shared_ptr<Picture>&, float)>;
using AcceptFocusGetEntry = std::function<bool(const std::shared_ptr<UpDownArrows>&)>;
using AcceptFocusSetEntry = std::function<void(const std::shared_ptr<UpDownArrows>&, bool)>;

// Lets the framework do pending background work.
void RuntimeBackgroundTask();

// ---------------------------------------------------------------------------
// Windows and controls
// ---------------------------------------------------------------------------

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
    int RefreshCount() const { return refreshes_; }

protected:
    void DeclareProperties(std::vector<PropertyDecl>& out) const override;
    void PropertyChanged(const std::string& name) override;

private:
    int refreshes_ = 0;
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
    // For peers: the user clicked the box. Sets Value and raises Action.
    void _PeerToggled(bool value);
    std::string ClassName() const override { return "CheckBox"; }
    void _RaiseOpen() override { RaiseSelf<CheckBox>("Open"); }

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
    // For peers (and keyboard default/cancel): raises Action.
    void _PeerPressed();
    std::string ClassName() const override { return "PushButton"; }
    void _RaiseOpen() override { RaiseSelf<PushButton>("Open"); }

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
    void _PeerUp();
    void _PeerDown();
    std::string ClassName() const override { return "UpDownArrows"; }
    void _RaiseOpen() override { RaiseSelf<UpDownArrows>("Open"); }

protected:
    void DeclareProperties(std::vector<PropertyDecl>& out) const override;
    const std::type_info* EventSignature(const std::string& event) const override;
};

// Per-character style of a styled text.
struct CharStyle {
    bool hasColor = false;
    Color color;
    bool bold = false;
    friend bool operator==(const CharStyle&, const CharStyle&) = default;
};

class StyledTextPrinter;
class Graphics;

// A styled multi-line text area. Positions count characters from 0; the
// selection is kept inside the text. Setting Text makes every character plain.
class TextArea : public TextControl {
public:
    std::string Text() const { return GetStr("Text"); }
    void Text(const std::string& v) { SetProperty("Text", v); }
    double LineSpacing() const { return lineSpacing_; }
    void LineSpacing(double v) { lineSpacing_ = v; }
    int32_t SelStart() const { return selStart_; }
    void SelStart(int32_t v);
    int32_t SelLength() const { return selLength_; }
    void SelLength(int32_t v);
    // Styles the selected characters.
    void SelTextColor(const Color& c);
    void SelBold(bool b);
    // One style per character of Text.
    const std::vector<CharStyle>& Styles() const { return styles_; }
    // A printer of the styled text onto a job, lines wrapped at lineWidth.
    std::shared_ptr<StyledTextPrinter> styledTextPrinter(const std::shared_ptr<Graphics>& job, int32_t lineWidth);
    // For peers: the user edited the text or moved the selection.
    void _PeerEdited(const std::string& text, const std::vector<CharStyle>& styles);
    void _PeerSelection(int32_t start, int32_t length);
    std::string ClassName() const override { return "TextArea"; }
    void _RaiseOpen() override { RaiseSelf<TextArea>("Open"); }

protected:
    void DeclareProperties(std::vector<PropertyDecl>& out) const override;
    void PropertyChanged(const std::string& name) override;
    const std::type_info* EventSignature(const std::string& event) const override;

private:
    void ClampSelection();
    void StyleSelection(const std::function<void(CharStyle&)>& apply);
    bool fromPeer_ = false;  // a change the peer made itself: not echoed back
    double lineSpacing_ = 1.0;
    int32_t selStart_ = 0, selLength_ = 0;
    std::vector<CharStyle> styles_;
};

// Timers. Mode 0 off, 1 one Action a Period later (then Mode is 0 again), 2 an
// Action every Period. Setting Mode or Period starts the count again; a Period
// below 1 ms never fires. A timer holds nothing of its window.
class Timer : public Control {
public:
    virtual void Constructor() {}
    ~Timer() override;
    int32_t Mode() const { return GetInt("Mode"); }
    void Mode(int32_t v) { SetProperty("Mode", v); }
    int32_t Period() const { return GetInt("Period"); }
    void Period(int32_t v) { SetProperty("Period", v); }
    std::string ClassName() const override { return "Timer"; }
    // The period actually scheduled (ms), 0 when not running.
    int64_t ScheduledPeriod() const { return scheduledMs_; }
    void Stop();  // for the framework: its window closed
    void _WindowClosed() override { Stop(); }

protected:
    void DeclareProperties(std::vector<PropertyDecl>& out) const override;
    void PropertyChanged(const std::string& name) override;
    const std::type_info* EventSignature(const std::string& event) const override;

private:
    void Reschedule();
    void Fire();
    uint64_t timerId_ = 0;
    uint64_t backendGeneration_ = 0;  // the backend that holds timerId_
    int64_t scheduledMs_ = 0;
};

class Window : public PropertyObject {
public:
    Window();
    ~Window() override;
    // Builds the window: Layout, CreateControls, the controls' Open events,
    // the window's Open event, then shows it when Visible.
    virtual void Constructor();
    // Window events; a class implements the ones it handles.
    virtual void Layout() {}
    virtual void CreateControls() {}
    virtual void Event_Open() {}
    virtual void Event_Close() {}
    virtual void Event_Restore() {}

    void Show();
    void Close();
    void SetFocus();
    bool IsOpen() const { return open_; }
    int32_t Top() const;
    void Top(int32_t v);
    int32_t Left() const;
    void Left(int32_t v);
    int32_t Width() const { return GetInt("Width"); }
    int32_t Height() const { return GetInt("Height"); }
    std::string Title() const { return GetStr("Title"); }
    bool Visible() const { return GetBool("Visible"); }
    int32_t Frame() const { return GetInt("Frame"); }
    std::shared_ptr<fw::MenuBar> MenuBar() const { return menuBar_; }
    void MenuBar(const std::shared_ptr<fw::MenuBar>& bar);

    // Makes a control of class T for this window (not yet constructed).
    template <class T>
    std::shared_ptr<T> __New() {
        CheckMainThread();
        return std::make_shared<T>();
    }
    void _AddControl(const std::string& name, const std::shared_ptr<Control>& control);
    std::shared_ptr<Control> _ControlByName(const std::string& name) const;
    const std::vector<std::shared_ptr<Control>>& Controls() const { return controls_; }

    // For peers: what the user did.
    void _PeerCloseRequested();
    void _PeerMoved(int32_t top, int32_t left);
    // For peers: the position last set or reported (Top and Left ask the peer).
    int32_t _RequestedTop() const { return top_; }
    int32_t _RequestedLeft() const { return left_; }
    void _PeerRestored();
    // The peer, or nullptr before the window is built (and after Close).
    class WindowPeer* _Peer() const;
    // For peers: the model's position (what the program last set).
    int32_t _ModelTop() const { return top_; }
    int32_t _ModelLeft() const { return left_; }
    // For peers: the program set Top or Left; otherwise the platform places the window.
    bool _PositionSet() const { return positionSet_; }
    // For the framework at a runtime reset: gone without any event.
    void _Discard();

protected:
    void DeclareProperties(std::vector<PropertyDecl>& out) const override;
    void PropertyChanged(const std::string& name) override;

private:
    friend class Control;
    friend class RectControl;
    std::vector<std::shared_ptr<Control>> controls_;
    std::shared_ptr<fw::MenuBar> menuBar_;
    std::shared_ptr<std::function<void()>> menuListener_;
    bool open_ = false, closing_ = false, shown_ = false, positionSet_ = false;
    int32_t top_ = 0, left_ = 0;
    struct PeerHolder;
    std::unique_ptr<PeerHolder> peer_;
};

// The open window whose class is registered under className, or nil. A window
// is found from the start of its construction until its Close event has run.
std::shared_ptr<Window> RuntimeGetImplicitWindow(const std::string& className);
// Every open window, in the order they were made.
std::vector<std::shared_ptr<Window>> OpenWindows();

// ---------------------------------------------------------------------------
// Messages
// ---------------------------------------------------------------------------

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

// ---------------------------------------------------------------------------
// Text operations: UTF-8, positions count characters from 1
// ---------------------------------------------------------------------------

int32_t StringDBCSLen(const std::string& s);
// Position of find in s at or after start, 0 when absent (case-insensitive for ASCII).
int32_t StringInStr(int32_t start, const std::string& s, const std::string& find);
// length characters from start; a start below 1 counts from 1, a negative
// length takes nothing; never reads outside the text.
std::string StringDBCSMid3(const std::string& s, int32_t start, int32_t length);
std::string StringDBCSMid2(const std::string& s, int32_t start);  // to the end
std::string StringDBCSLeft(const std::string& s, int32_t n);
std::string StringDBCSRight(const std::string& s, int32_t n);
// The n-th (from 1) field of s cut at sep; empty when there is none.
std::string StringNthField(const std::string& s, const std::string& sep, int32_t n);
std::string StringLCase(std::string s);  // a temporary is lowered in place
double StringVal(const std::string& s);             // 0 when no number
int32_t RuntimeCvtReal64ToSInt32(double d);          // truncates, saturates
double RuntimeCvtSInt32ToReal64(int32_t i);
std::string StringStrInt32(int32_t i, const std::string& format = "");
std::string StringStrDouble(double d, const std::string& format = "");
// 0 when equal ignoring letter case.
int32_t RuntimeStringCompare(const std::string& a, const std::string& b);
std::string RuntimeAddString(const std::string& a, const std::string& b);

// ---------------------------------------------------------------------------
// Dates: always the US forms
// ---------------------------------------------------------------------------

class Date : public Object {
public:
    void Constructor();  // now
    std::string ShortDate() const;  // M/D/YY
    std::string LongTime() const;   // h:mm:ss AM
    std::string ShortTime() const;  // h:mm AM
    std::string ClassName() const override { return "Date"; }

private:
    int year_ = 0, month_ = 0, day_ = 0, hour_ = 0, minute_ = 0, second_ = 0;
};

// ---------------------------------------------------------------------------
// Files
// ---------------------------------------------------------------------------

class TextInputStream;
class Sound;
class Picture;

class FolderItem : public Object {
public:
    explicit FolderItem(std::string path);
    // The item of that name inside this folder, whether or not it exists.
    std::shared_ptr<FolderItem> Child(const std::string& name) const;
    bool Exists() const;
    bool Directory() const;
    void CreateAsFolder() const;  // failures are silent
    std::string NativePath() const { return path_; }
    std::string Name() const;
    std::shared_ptr<TextInputStream> OpenAsTextFile() const;  // nil on failure
    std::shared_ptr<Sound> OpenAsSound() const;              // nil on failure
    // Writes the picture as PNG: True only when the whole file is on disk.
    bool SaveAsPNG(const std::shared_ptr<Picture>& pic, float gamma = 0.0f) const;
    std::string ClassName() const override { return "FolderItem"; }

private:
    std::string path_;
};
using FolderItemRef = std::shared_ptr<FolderItem>;

FolderItemRef DocumentsFolder();    // nil when it cannot be obtained
FolderItemRef PreferencesFolder();  // nil when it cannot be obtained
FolderItemRef ResourcesFolder();    // nil when it cannot be obtained

class TextInputStream : public Object {
public:
    explicit TextInputStream(std::string content);
    bool EOF() const;
    // The next line without its line end (CR, LF or CR LF).
    std::string ReadLine();
    void Close();

private:
    std::string content_;
    size_t pos_ = 0;
    bool closed_ = false;
};

class TextOutputStream : public Object {
public:
    // Makes the file anew (an existing one is replaced); nil on failure. The
    // new text replaces the file at Close, whole; a failed write keeps the old.
    static std::shared_ptr<TextOutputStream> Create(const FolderItemRef& item);
    ~TextOutputStream() override;
    void WriteLine(const std::string& text);  // text and LF
    void Close();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
    friend struct TextOutputStreamAccess;
};

class Sound : public Object {
public:
    explicit Sound(std::unique_ptr<class SoundPeer> peer);
    ~Sound() override;
    void Play();
    std::string ClassName() const override { return "Sound"; }

private:
    std::unique_ptr<class SoundPeer> peer_;
};

// ---------------------------------------------------------------------------
// Pictures, screens and capture
// ---------------------------------------------------------------------------

// Pixels as 0xRRGGBB per pixel, row by row.
struct PixelImage {
    int32_t width = 0, height = 0;
    std::vector<uint32_t> pixels;
};

class Picture : public Object {
public:
    explicit Picture(PixelImage image) : image_(std::move(image)) {}
    int32_t Width() const { return image_.width; }
    int32_t Height() const { return image_.height; }
    const PixelImage& Image() const { return image_; }
    std::string ClassName() const override { return "Picture"; }

private:
    PixelImage image_;
};

class ScreenInfo : public Object {
public:
    static std::shared_ptr<ScreenInfo> mainScreen();
    double backingScaleFactor() const;
    std::string ClassName() const override { return "ScreenInfo"; }
};

// The whole display with that index (0 the main one), nil when nothing was captured.
std::shared_ptr<Picture> ScreenshotDisplay(int32_t index);
// That area in global points, clipped to the screen; a negative width or
// height extends to the left or up from the corner; nil when nothing is left.
std::shared_ptr<Picture> ScreenshotRect(int32_t left, int32_t top, int32_t width, int32_t height);

// ---------------------------------------------------------------------------
// Global input
// ---------------------------------------------------------------------------

class _Keyboard : public Object {
public:
    bool AsyncOptionKey() const;
    bool AsyncOSKey() const;
};
class _SystemClass : public Object {
public:
    bool MouseDown() const;
    int32_t MouseX() const;
    int32_t MouseY() const;
};
std::shared_ptr<_Keyboard> getKeyboardObject();
std::shared_ptr<_SystemClass> getSystemObject();

// ---------------------------------------------------------------------------
// Printing
// ---------------------------------------------------------------------------

class Graphics : public Object {
public:
    explicit Graphics(std::unique_ptr<class PrintJobPeer> job);
    ~Graphics() override;  // hands the job to the printer
    void TextFont(const std::string& name);
    void TextSize(float points);
    void ForeColor(const Color& c);
    void Bold(bool b);
    void DrawString(const std::string& text, double x, double y, double wrapWidth = 0, bool condense = false);
    void NextPage();
    class PrintJobPeer& _Job() { return *job_; }
    std::string ClassName() const override { return "Graphics"; }

private:
    std::unique_ptr<class PrintJobPeer> job_;
};

// The print job's drawing context when the user confirms, nil on cancel.
std::shared_ptr<Graphics> RuntimeOpenPrinterDialog();

class StyledTextPrinter : public Object {
public:
    StyledTextPrinter(std::shared_ptr<Graphics> job, std::unique_ptr<class StyledTextPrinterPeer> peer);
    ~StyledTextPrinter() override;
    void DrawBlock(double x, double y, double height);
    bool EOF() const;
    std::string ClassName() const override { return "StyledTextPrinter"; }

private:
    std::shared_ptr<Graphics> job_;
    std::unique_ptr<class StyledTextPrinterPeer> peer_;
};

// ---------------------------------------------------------------------------
// HTTP
// ---------------------------------------------------------------------------

class InternetHeaders : public Object {
public:
    void AppendHeader(const std::string& name, const std::string& value);
    std::string Value(const std::string& name) const;  // first of that name, case-insensitive
    int Count() const { return static_cast<int>(entries_.size()); }
    const std::vector<std::pair<std::string, std::string>>& Entries() const { return entries_; }
    std::string ClassName() const override { return "InternetHeaders"; }

private:
    std::vector<std::pair<std::string, std::string>> entries_;
};

// An asynchronous HTTP client. Get returns at once; later PageReceived
// (socket, url, status, headers, body) or Error (socket, code) is raised on
// the main thread.
class HTTPSocket : public Control {
public:
    HTTPSocket();
    ~HTTPSocket() override;
    virtual void Constructor();  // default headers and port 80
    void Get(const std::string& url);
    void Close();  // ends a request in flight; no event follows
    void _WindowClosed() override { Close(); }  // its window closed: the request ends
    int32_t Port() const { return GetInt("Port"); }
    std::string Address() const { return GetStr("Address"); }
    std::string ClassName() const override { return "HTTPSocket"; }
    // The request headers that will be sent (after the defaults).
    const std::shared_ptr<InternetHeaders>& RequestHeaders() const { return requestHeaders_; }
    bool Busy() const;
    static constexpr size_t kMaxBody = 1 << 20;  // a longer body is cut here

    using PageReceivedHandler = std::function<void(std::shared_ptr<HTTPSocket>, std::string, int32_t,
                                                   std::shared_ptr<InternetHeaders>, std::string)>;
    using ErrorHandler = std::function<void(std::shared_ptr<HTTPSocket>, int32_t)>;

protected:
    void DeclareProperties(std::vector<PropertyDecl>& out) const override;
    const std::type_info* EventSignature(const std::string& event) const override;

private:
    friend class HttpTransfer;
    void Finished(const std::string& url, int32_t status, std::shared_ptr<InternetHeaders> headers,
                  std::string body);
    void Failed(int32_t code);
    std::shared_ptr<InternetHeaders> requestHeaders_;
    std::unique_ptr<class HttpTransfer> transfer_;
};

}  // namespace fw

// The program's entry, which the framework's process entry calls.
namespace quorrel {
int main();
}
