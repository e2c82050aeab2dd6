// Headless window peers and the user's actions through the model's entry points.
#include "platform/headless/headless_impl.h"

#include <stdexcept>

namespace fw::headless {

HeadlessWindowPeer::HeadlessWindowPeer(Window& window)
    : top(fw::PeerAccess::ModelTop(window)), left(fw::PeerAccess::ModelLeft(window)), window_(window) {}

void HeadlessWindowPeer::Changed(const std::string& property) {
    changed.push_back(property);
    if (property == Window::TopProperty.name) top = fw::PeerAccess::ModelTop(window_);
    if (property == Window::LeftProperty.name) left = fw::PeerAccess::ModelLeft(window_);
}

void HeadlessWindowPeer::ControlChanged(RectControl& control, const std::string& property) {
    controlChanged.emplace_back(control.Name(), property);
}

void HeadlessWindowPeer::Refresh(RectControl& control) { refreshed.push_back(control.Name()); }
void HeadlessWindowPeer::MenuChanged() { ++menuChanges; }
void HeadlessWindowPeer::Show() {
    ++shows;
    minimized = false;
}
void HeadlessWindowPeer::SetFocus() { ++focuses; }
void HeadlessWindowPeer::Close() { closed = true; }

HeadlessWindowPeer* PeerOf(const std::shared_ptr<Window>& w) {
    return w ? dynamic_cast<HeadlessWindowPeer*>(fw::PeerAccess::Peer(*w)) : nullptr;
}

std::unique_ptr<WindowPeer> Headless::CreateWindowPeer(Window& window) {
    return std::make_unique<HeadlessWindowPeer>(window);
}

namespace {

// The control a user action is aimed at; a test that names a missing one is wrong.
template <class T>
std::shared_ptr<T> Target(const std::shared_ptr<Window>& w, const std::string& name) {
    auto control = std::dynamic_pointer_cast<T>(NotNil(w)->_ControlByName(name));
    if (!control) throw std::logic_error("no control " + name + " of that kind on " + w->ClassName());
    return control;
}

bool Reachable(const RectControl& c) { return c.Visible() && c.Enabled(); }

}  // namespace

void Headless::Click(const std::shared_ptr<Window>& w, const std::string& control) {
    if (impl_->quitting || !NotNil(w)->IsOpen()) return;
    auto c = NotNil(w)->_ControlByName(control);
    if (auto box = std::dynamic_pointer_cast<CheckBox>(c)) {
        if (Reachable(*box)) fw::PeerAccess::Toggled(*box, !box->Value());
    } else if (auto button = std::dynamic_pointer_cast<PushButton>(c)) {
        if (Reachable(*button)) fw::PeerAccess::Pressed(*button);
    } else {
        throw std::logic_error("no check box or button " + control + " on " + w->ClassName());
    }
}

void Headless::PressUp(const std::shared_ptr<Window>& w, const std::string& control) {
    auto arrows = Target<UpDownArrows>(w, control);
    if (!impl_->quitting && w->IsOpen() && Reachable(*arrows)) fw::PeerAccess::Up(*arrows);
}

void Headless::PressDown(const std::shared_ptr<Window>& w, const std::string& control) {
    auto arrows = Target<UpDownArrows>(w, control);
    if (!impl_->quitting && w->IsOpen() && Reachable(*arrows)) fw::PeerAccess::Down(*arrows);
}

void Headless::CloseWindow(const std::shared_ptr<Window>& w) {
    if (!impl_->quitting && NotNil(w)->IsOpen()) fw::PeerAccess::CloseRequested(*w);
}

void Headless::EndSession() { fw::PeerAccess::SessionEnded(); }

void Headless::Minimize(const std::shared_ptr<Window>& w) {
    if (auto* peer = PeerOf(w)) peer->minimized = true;
}

void Headless::Restore(const std::shared_ptr<Window>& w) {
    auto* peer = PeerOf(w);
    if (impl_->quitting || !peer) return;
    peer->minimized = false;
    fw::PeerAccess::Restored(*w);
}

void Headless::MoveWindow(const std::shared_ptr<Window>& w, int32_t top, int32_t left) {
    auto* peer = PeerOf(w);
    if (!peer) return;
    peer->top = top;
    peer->left = left;
    fw::PeerAccess::Moved(*w, top, left);
}

bool Headless::ChooseMenu(const std::string& itemName) {
    if (impl_->quitting) return false;
    return ChooseMenuItem(itemName);
}

}  // namespace fw::headless
