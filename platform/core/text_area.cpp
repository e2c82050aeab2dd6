// The styled text area: per-character styles and a selection in characters.
#include "platform/backend.h"
#include "platform/framework.h"

namespace fw {

const std::type_info* TextArea::EventSignature(const std::string& event) const {
    if (event == "Open") return &typeid(std::function<void(std::shared_ptr<TextArea>)>);
    return TextControl::EventSignature(event);
}

void TextArea::PropertyChanged(const std::string& name) {
    if (name == TextProperty.name && !fromPeer_) {
        // New text: plain styles, and the selection kept inside it.
        styles_.assign(static_cast<size_t>(StringDBCSLen(Text())), CharStyle{});
        ClampSelection();
    }
    if (!fromPeer_) TextControl::PropertyChanged(name);
}

void TextArea::ClampSelection() {
    int32_t len = static_cast<int32_t>(styles_.size());
    if (selStart_ < 0) selStart_ = 0;
    if (selStart_ > len) selStart_ = len;
    if (selLength_ < 0) selLength_ = 0;
    if (selLength_ > len - selStart_) selLength_ = len - selStart_;
}

void TextArea::SelStart(int32_t v) {
    CheckMainThread();
    selStart_ = v;
    ClampSelection();
    NotifyPeer("SelStart");
}

void TextArea::SelLength(int32_t v) {
    CheckMainThread();
    selLength_ = v;
    ClampSelection();
    NotifyPeer("SelLength");
}

void TextArea::StyleSelection(const std::function<void(CharStyle&)>& apply) {
    CheckMainThread();
    ClampSelection();
    for (int32_t i = selStart_; i < selStart_ + selLength_; ++i) apply(styles_[static_cast<size_t>(i)]);
    NotifyPeer("Styles");
}

void TextArea::SelTextColor(const Color& c) {
    StyleSelection([&](CharStyle& s) {
        s.hasColor = true;
        s.color = c;
    });
}

void TextArea::SelBold(bool b) {
    StyleSelection([&](CharStyle& s) { s.bold = b; });
}

void PeerAccess::Edited(TextArea& area, const std::string& text, const std::vector<CharStyle>& styles) {
    area.fromPeer_ = true;
    try {
        area.Text(text);
    } catch (...) {
        area.fromPeer_ = false;
        throw;
    }
    area.fromPeer_ = false;
    area.styles_ = styles;
    area.styles_.resize(static_cast<size_t>(StringDBCSLen(text)));
    area.ClampSelection();
}

void PeerAccess::Selection(TextArea& area, int32_t start, int32_t length) {
    area.selStart_ = start;
    area.selLength_ = length;
    area.ClampSelection();
}

std::shared_ptr<StyledTextPrinter> TextArea::styledTextPrinter(const std::shared_ptr<Graphics>& job,
                                                               int32_t lineWidth) {
    CheckMainThread();
    NotNil(job);
    auto peer = CurrentBackend().CreateStyledTextPrinter(*this, PeerAccess::Job(*job), lineWidth);
    return std::make_shared<StyledTextPrinter>(job, std::move(peer));
}

}  // namespace fw
