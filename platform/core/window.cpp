// Windows: the build sequence, single instances by class name, closing.
#include "platform/backend.h"
#include "platform/core/runtime_state.h"
#include "platform/framework.h"

#include <algorithm>

namespace fw {

using detail::State;

struct Window::PeerHolder {
    std::unique_ptr<WindowPeer> peer;
};

Window::Window() = default;
Window::~Window() = default;

void Window::PropertyChanged(const std::string& name) {
    if (name == TopProperty.name || name == LeftProperty.name) positionSet_ = true;
    if (auto* p = Peer()) p->Changed(name);
}

WindowPeer* Window::Peer() const { return peer_ ? peer_->peer.get() : nullptr; }
WindowPeer* PeerAccess::Peer(const Window& window) { return window.Peer(); }

void Window::Constructor() {
    CheckMainThread();
    auto self = std::static_pointer_cast<Window>(shared_from_this());
    // Found by its class name, and held by the framework, from here until its Close event has run.
    open_ = true;
    State().openWindows.push_back(self);
    RunHandler([&] { Layout(); });
    RunHandler([&] { CreateControls(); });
    auto controls = controls_;  // an Open handler may add controls
    for (auto& c : controls) c->_RaiseOpen();
    RunHandler([&] { Event_Open(); });
    if (!open_) return;  // its Open event closed it
    peer_ = std::make_unique<PeerHolder>();
    peer_->peer = CurrentBackend().CreateWindowPeer(*this);
    if (Visible()) Show();
}

void Window::Show() {
    CheckMainThread();
    if (!open_) return;
    shown_ = true;
    if (auto* p = Peer()) p->Show();
}

void Window::SetFocus() {
    CheckMainThread();
    if (auto* p = Peer()) p->SetFocus();
}

void Window::Close() {
    CheckMainThread();
    if (!open_ || closing_) return;
    closing_ = true;
    auto self = std::static_pointer_cast<Window>(shared_from_this());  // alive to the end of Close
    RunHandler([&] { Event_Close(); });
    Discard();
}

void PeerAccess::Discard(Window& window) { window.Discard(); }

void Window::Discard() {
    auto& windows = State().openWindows;
    auto keep = weak_from_this().lock();
    std::erase_if(windows, [this](const std::shared_ptr<Window>& w) { return w.get() == this; });
    for (auto& c : controls_) c->_WindowClosed();
    if (peer_) {
        auto holder = std::move(peer_);
        if (holder->peer) holder->peer->Close();
    }
    menuListener_.reset();
    open_ = false;
}

int32_t Window::Top() const {
    CheckMainThread();
    if (auto* p = Peer()) return p->CurrentTop();
    return ReadProperty(TopProperty);
}

int32_t Window::Left() const {
    CheckMainThread();
    if (auto* p = Peer()) return p->CurrentLeft();
    return ReadProperty(LeftProperty);
}

void Window::MenuBar(const std::shared_ptr<fw::MenuBar>& bar) {
    CheckMainThread();
    menuBar_ = bar;
    menuListener_.reset();
    if (bar) {
        std::weak_ptr<Object> weakSelf = weak_from_this();
        menuListener_ = std::make_shared<std::function<void()>>([weakSelf] {
            auto self = std::static_pointer_cast<Window>(weakSelf.lock());
            if (self && self->Peer()) self->Peer()->MenuChanged();
        });
        PeerAccess::AddListener(*bar, menuListener_);
    }
    if (auto* p = Peer()) p->MenuChanged();
}

void Window::_AddControl(const std::string& name, const std::shared_ptr<Control>& control) {
    CheckMainThread();
    NotNil(control)->_SetName(name);
    control->_SetWindow(std::static_pointer_cast<Window>(shared_from_this()));
    controls_.push_back(control);
}

std::shared_ptr<Control> Window::_ControlByName(const std::string& name) const {
    CheckMainThread();
    for (const auto& c : controls_)
        if (c->Name() == name) return c;
    return nullptr;
}

void PeerAccess::CloseRequested(Window& window) { window.Close(); }

void PeerAccess::SessionEnded() {
    CheckMainThread();
    auto& st = State();
    if (st.sessionEnding) return;
    st.sessionEnding = true;
    // A copy: each Close takes its window off the list, and a Close event may
    // open or close others.
    const auto windows = st.openWindows;
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) (*it)->Close();
    if (!State().quitRequested) QuitApplication(0);
}

void PeerAccess::Moved(Window& window, int32_t top, int32_t left) {
    window.StoreProperty(Window::TopProperty, top);
    window.StoreProperty(Window::LeftProperty, left);
}

void PeerAccess::Restored(Window& window) {
    if (!window.open_) return;
    RunHandler([&] { window.Event_Restore(); });
}

int32_t PeerAccess::ModelTop(const Window& window) { return window.ReadProperty(Window::TopProperty); }
int32_t PeerAccess::ModelLeft(const Window& window) { return window.ReadProperty(Window::LeftProperty); }
bool PeerAccess::PositionSet(const Window& window) { return window.positionSet_; }

std::shared_ptr<Window> RuntimeGetImplicitWindow(const std::string& className) {
    CheckMainThread();
    for (const auto& w : State().openWindows)
        if (w->ClassName() == className) return w;
    return nullptr;
}

std::vector<std::shared_ptr<Window>> OpenWindows() { return State().openWindows; }

}  // namespace fw
