// The controls of a window: their declared properties, events and peer hooks.
#include "platform/backend.h"
#include "platform/framework.h"

namespace fw {
namespace {

template <class T>
const std::type_info* OpenSignature() {
    return &typeid(std::function<void(std::shared_ptr<T>)>);
}

void Add(std::vector<PropertyDecl>& out, std::initializer_list<PropertyDecl> decls) {
    out.insert(out.end(), decls.begin(), decls.end());
}

const Color kBlack{0, 0, 0, 0};
const Color kWhite{255, 255, 255, 0};

}  // namespace

// --- Control ----------------------------------------------------------------

const std::type_info* Control::EventSignature(const std::string& event) const {
    return PropertyObject::EventSignature(event);
}

void Control::DeclareProperties(std::vector<PropertyDecl>& out) const {
    PropertyObject::DeclareProperties(out);
    Add(out, {{"Name", PropertyType::String, std::string()}, {"Index", PropertyType::Integer, kNoIndex}});
}

void Control::PropertyChanged(const std::string& name) {
    if (name == "Name") name_ = GetStr("Name");
    NotifyPeer(name);
}

void Control::NotifyPeer(const std::string& property) {
    auto w = window_.lock();
    if (!w) return;
    auto* rect = dynamic_cast<RectControl*>(this);
    if (auto* peer = w->Peer(); peer && rect) peer->ControlChanged(*rect, property);
}

// --- RectControl ------------------------------------------------------------

void RectControl::DeclareProperties(std::vector<PropertyDecl>& out) const {
    Control::DeclareProperties(out);
    Add(out, {
                 {"Left", PropertyType::Integer, int32_t{0}},
                 {"Top", PropertyType::Integer, int32_t{0}},
                 {"Width", PropertyType::Integer, int32_t{0}},
                 {"Height", PropertyType::Integer, int32_t{0}},
                 {"LockLeft", PropertyType::Boolean, false},
                 {"LockTop", PropertyType::Boolean, false},
                 {"LockRight", PropertyType::Boolean, false},
                 {"LockBottom", PropertyType::Boolean, false},
                 {"TabPanelIndex", PropertyType::Integer, int32_t{0}},
                 {"TabIndex", PropertyType::Integer, int32_t{0}},
                 {"TabStop", PropertyType::Boolean, true},
                 {"Enabled", PropertyType::Boolean, true},
                 {"Visible", PropertyType::Boolean, true},
                 {"HelpTag", PropertyType::String, std::string()},
                 {"AutoDeactivate", PropertyType::Boolean, true},
                 {"InitialParent", PropertyType::String, std::string()},
             });
}

void RectControl::PropertyChanged(const std::string& name) { Control::PropertyChanged(name); }

void RectControl::Refresh(bool /*immediately*/) {
    CheckMainThread();
    auto w = Window();
    if (auto* peer = w ? w->Peer() : nullptr) peer->Refresh(*this);
}

// --- TextControl ------------------------------------------------------------

void TextControl::DeclareProperties(std::vector<PropertyDecl>& out) const {
    RectControl::DeclareProperties(out);
    Add(out, {
                 {"TextUnit", PropertyType::Integer, int32_t{0}},
                 {"TextSize", PropertyType::Double, 0.0},
                 {"TextFont", PropertyType::String, std::string("System")},
                 {"Bold", PropertyType::Boolean, false},
                 {"Italic", PropertyType::Boolean, false},
                 {"Underline", PropertyType::Boolean, false},
                 {"DataSource", PropertyType::String, std::string()},
                 {"DataField", PropertyType::String, std::string()},
             });
}

// --- Label ------------------------------------------------------------------

void Label::DeclareProperties(std::vector<PropertyDecl>& out) const {
    TextControl::DeclareProperties(out);
    Add(out, {
                 {"Text", PropertyType::String, std::string()},
                 {"TextAlign", PropertyType::Integer, int32_t{0}},
                 {"TextColor", PropertyType::Color, kBlack},
                 {"Multiline", PropertyType::Boolean, false},
                 {"Selectable", PropertyType::Boolean, false},
                 {"Transparent", PropertyType::Boolean, false},
             });
}

const std::type_info* Label::EventSignature(const std::string& event) const {
    return event == "Open" ? OpenSignature<Label>() : TextControl::EventSignature(event);
}

// --- CheckBox ---------------------------------------------------------------

void CheckBox::DeclareProperties(std::vector<PropertyDecl>& out) const {
    TextControl::DeclareProperties(out);
    Add(out, {
                 {"Caption", PropertyType::String, std::string()},
                 {"State", PropertyType::Integer, int32_t{0}},
                 {"Value", PropertyType::Boolean, false},
             });
}

const std::type_info* CheckBox::EventSignature(const std::string& event) const {
    if (event == "Action" || event == "Open") return OpenSignature<CheckBox>();
    return TextControl::EventSignature(event);
}

void PeerAccess::Toggled(CheckBox& box, bool value) {
    box.Value(value);
    box.RaiseSelf<CheckBox>("Action");
}

// --- PushButton -------------------------------------------------------------

void PushButton::DeclareProperties(std::vector<PropertyDecl>& out) const {
    TextControl::DeclareProperties(out);
    Add(out, {
                 {"Caption", PropertyType::String, std::string()},
                 {"ButtonStyle", PropertyType::Integer, int32_t{0}},
                 {"Default", PropertyType::Boolean, false},
                 {"Cancel", PropertyType::Boolean, false},
             });
}

const std::type_info* PushButton::EventSignature(const std::string& event) const {
    if (event == "Action" || event == "Open") return OpenSignature<PushButton>();
    return TextControl::EventSignature(event);
}

void PeerAccess::Pressed(PushButton& button) { button.RaiseSelf<PushButton>("Action"); }

// --- Oval -------------------------------------------------------------------

void Oval::DeclareProperties(std::vector<PropertyDecl>& out) const {
    RectControl::DeclareProperties(out);
    Add(out, {
                 {"FillColor", PropertyType::Color, kWhite},
                 {"BorderColor", PropertyType::Color, kBlack},
                 {"BorderWidth", PropertyType::Integer, int32_t{1}},
             });
}

const std::type_info* Oval::EventSignature(const std::string& event) const {
    return event == "Open" ? OpenSignature<Oval>() : RectControl::EventSignature(event);
}

// --- ProgressBar ------------------------------------------------------------

void ProgressBar::DeclareProperties(std::vector<PropertyDecl>& out) const {
    RectControl::DeclareProperties(out);
    Add(out, {{"Maximum", PropertyType::Integer, int32_t{100}}, {"Value", PropertyType::Integer, int32_t{0}}});
}

const std::type_info* ProgressBar::EventSignature(const std::string& event) const {
    return event == "Open" ? OpenSignature<ProgressBar>() : RectControl::EventSignature(event);
}

// --- UpDownArrows -----------------------------------------------------------

void UpDownArrows::DeclareProperties(std::vector<PropertyDecl>& out) const {
    RectControl::DeclareProperties(out);
    Add(out, {{"AcceptFocus", PropertyType::Boolean, true}});
}

const std::type_info* UpDownArrows::EventSignature(const std::string& event) const {
    if (event == "Up" || event == "Down" || event == "Open") return OpenSignature<UpDownArrows>();
    return RectControl::EventSignature(event);
}

void PeerAccess::Up(UpDownArrows& arrows) { arrows.RaiseSelf<UpDownArrows>("Up"); }
void PeerAccess::Down(UpDownArrows& arrows) { arrows.RaiseSelf<UpDownArrows>("Down"); }

}  // namespace fw
