// Windows: the build sequence, controls by name, single instances by class name.
#pragma once

#include "platform/core/controls.h"
#include "platform/core/menus.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace fw {

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

protected:
    void DeclareProperties(std::vector<PropertyDecl>& out) const override;
    void PropertyChanged(const std::string& name) override;

private:
    friend class Control;
    friend class RectControl;
    friend struct PeerAccess;  // what the user did; what a peer reads of the model
    // The peer, or nullptr before the window is built (and after Close).
    class WindowPeer* Peer() const;
    // Gone without any event (a runtime reset).
    void Discard();
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

}  // namespace fw
