// The styled multi-line text area.
#pragma once

#include "platform/core/controls.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace fw {

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
    std::string ClassName() const override { return "TextArea"; }
    void _RaiseOpen() override { RaiseSelf<TextArea>("Open"); }

protected:
    void DeclareProperties(std::vector<PropertyDecl>& out) const override;
    void PropertyChanged(const std::string& name) override;
    const std::type_info* EventSignature(const std::string& event) const override;

private:
    friend struct PeerAccess;  // the user edited the text or moved the selection
    void ClampSelection();
    void StyleSelection(const std::function<void(CharStyle&)>& apply);
    bool fromPeer_ = false;  // a change the peer made itself: not echoed back
    double lineSpacing_ = 1.0;
    int32_t selStart_ = 0, selLength_ = 0;
    std::vector<CharStyle> styles_;
};

}  // namespace fw
