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

    // The content area's top-left on the screen. Read, they ask the peer (the
    // user may have moved the window); set, the platform no longer places it.
    static constexpr Property<int32_t> TopProperty{"Top", 0};
    static constexpr Property<int32_t> LeftProperty{"Left", 0};
    int32_t Top() const;
    void Top(int32_t v) { WriteProperty(TopProperty, v); }
    int32_t Left() const;
    void Left(int32_t v) { WriteProperty(LeftProperty, v); }
    FW_PROPERTY(int32_t, Placement, 0)
    FW_PROPERTY(int32_t, Width, 300)
    FW_PROPERTY(int32_t, Height, 300)
    FW_PROPERTY(int32_t, MinWidth, 64)
    FW_PROPERTY(int32_t, MinHeight, 64)
    FW_PROPERTY(int32_t, MaxWidth, 32000)
    FW_PROPERTY(int32_t, MaxHeight, 32000)
    FW_PROPERTY(int32_t, Frame, 0)  // 0 a titled document window, 1 a movable modal window
    FW_PROPERTY(bool, Composite, false)
    FW_PROPERTY(bool, HasBackColor, false)
    FW_PROPERTY(Color, BackColor, (Color{255, 255, 255, 0}))
    FW_PROPERTY(std::string, Title, "")
    FW_PROPERTY(bool, Visible, true)
    FW_PROPERTY(bool, FullScreen, false)
    FW_PROPERTY(bool, MenuBarVisible, true)
    FW_PROPERTY(bool, CloseButton, true)
    FW_PROPERTY(bool, Resizeable, true)
    FW_PROPERTY(bool, LiveResize, true)
    FW_PROPERTY(bool, MaximizeButton, true)
    FW_PROPERTY(bool, MinimizeButton, true)
    FW_PROPERTY(bool, FullScreenButton, false)
    FW_PROPERTY(int32_t, MacProcID, 0)

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
    void DeclareProperties(PropertyTable& table) const override {
        table.Add(TopProperty,
                  LeftProperty,
                  PlacementProperty,
                  WidthProperty,
                  HeightProperty,
                  MinWidthProperty,
                  MinHeightProperty,
                  MaxWidthProperty,
                  MaxHeightProperty,
                  FrameProperty,
                  CompositeProperty,
                  HasBackColorProperty,
                  BackColorProperty,
                  TitleProperty,
                  VisibleProperty,
                  FullScreenProperty,
                  MenuBarVisibleProperty,
                  CloseButtonProperty,
                  ResizeableProperty,
                  LiveResizeProperty,
                  MaximizeButtonProperty,
                  MinimizeButtonProperty,
                  FullScreenButtonProperty,
                  MacProcIDProperty);
    }
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
    struct PeerHolder;
    std::unique_ptr<PeerHolder> peer_;
};

// The open window whose class is registered under className, or nil. A window
// is found from the start of its construction until its Close event has run.
std::shared_ptr<Window> RuntimeGetImplicitWindow(const std::string& className);
// Every open window, in the order they were made.
std::vector<std::shared_ptr<Window>> OpenWindows();

}  // namespace fw
