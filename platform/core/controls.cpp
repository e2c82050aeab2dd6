// The controls of a window: their events and what the user did through their peers.
#include "platform/backend.h"
#include "platform/framework.h"

namespace fw {
namespace {

template <class T>
const std::type_info* OpenSignature() {
    return &typeid(std::function<void(std::shared_ptr<T>)>);
}

}  // namespace

// --- Control ----------------------------------------------------------------

const std::type_info* Control::EventSignature(const std::string& event) const {
    return PropertyObject::EventSignature(event);
}

void Control::PropertyChanged(const std::string& name) {
    if (name == NameProperty.name) name_ = ReadProperty(NameProperty);
    NotifyPeer(name);
}

void Control::NotifyPeer(const std::string& property) {
    auto w = window_.lock();
    if (!w) return;
    auto* rect = dynamic_cast<RectControl*>(this);
    if (auto* peer = w->Peer(); peer && rect) peer->ControlChanged(*rect, property);
}

// --- RectControl ------------------------------------------------------------

void RectControl::Refresh(bool /*immediately*/) {
    CheckMainThread();
    auto w = Window();
    if (auto* peer = w ? w->Peer() : nullptr) peer->Refresh(*this);
}

// --- Label ------------------------------------------------------------------

const std::type_info* Label::EventSignature(const std::string& event) const {
    return event == "Open" ? OpenSignature<Label>() : TextControl::EventSignature(event);
}

// --- CheckBox ---------------------------------------------------------------

const std::type_info* CheckBox::EventSignature(const std::string& event) const {
    if (event == "Action" || event == "Open") return OpenSignature<CheckBox>();
    return TextControl::EventSignature(event);
}

void PeerAccess::Toggled(CheckBox& box, bool value) {
    box.Value(value);
    box.RaiseSelf<CheckBox>("Action");
}

// --- PushButton -------------------------------------------------------------

const std::type_info* PushButton::EventSignature(const std::string& event) const {
    if (event == "Action" || event == "Open") return OpenSignature<PushButton>();
    return TextControl::EventSignature(event);
}

void PeerAccess::Pressed(PushButton& button) { button.RaiseSelf<PushButton>("Action"); }

// --- Oval -------------------------------------------------------------------

const std::type_info* Oval::EventSignature(const std::string& event) const {
    return event == "Open" ? OpenSignature<Oval>() : RectControl::EventSignature(event);
}

// --- ProgressBar ------------------------------------------------------------

const std::type_info* ProgressBar::EventSignature(const std::string& event) const {
    return event == "Open" ? OpenSignature<ProgressBar>() : RectControl::EventSignature(event);
}

// --- UpDownArrows -----------------------------------------------------------

const std::type_info* UpDownArrows::EventSignature(const std::string& event) const {
    if (event == "Up" || event == "Down" || event == "Open") return OpenSignature<UpDownArrows>();
    return RectControl::EventSignature(event);
}

void PeerAccess::Up(UpDownArrows& arrows) { arrows.RaiseSelf<UpDownArrows>("Up"); }
void PeerAccess::Down(UpDownArrows& arrows) { arrows.RaiseSelf<UpDownArrows>("Down"); }

}  // namespace fw
