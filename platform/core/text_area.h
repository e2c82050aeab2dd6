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
    FW_PROPERTY(bool, AutomaticallyCheckSpelling, false)
    FW_PROPERTY(int32_t, Alignment, 0)
    FW_PROPERTY(bool, AcceptTabs, false)
    FW_PROPERTY(int32_t, LimitText, 0)
    FW_PROPERTY(bool, ReadOnly, false)
    FW_PROPERTY(std::string, Mask, "")
    FW_PROPERTY(std::string, Text, "")
    FW_PROPERTY(bool, HideSelection, true)
    FW_PROPERTY(std::string, Format, "")
    FW_PROPERTY(Color, BackColor, (Color{255, 255, 255, 0}))
    FW_PROPERTY(Color, TextColor, (Color{0, 0, 0, 0}))
    FW_PROPERTY(bool, UseFocusRing, true)
    FW_PROPERTY(bool, Styled, true)
    FW_PROPERTY(bool, ScrollbarVertical, true)
    FW_PROPERTY(bool, ScrollbarHorizontal, false)
    FW_PROPERTY(bool, Multiline, true)
    FW_PROPERTY(bool, Border, true)
    FW_PROPERTY(double, LineSpacing, 1.0)
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
    void DeclareProperties(PropertyTable& table) const override {
        TextControl::DeclareProperties(table);
        table.Add(AutomaticallyCheckSpellingProperty,
                  AlignmentProperty,
                  AcceptTabsProperty,
                  LimitTextProperty,
                  ReadOnlyProperty,
                  MaskProperty,
                  TextProperty,
                  HideSelectionProperty,
                  FormatProperty,
                  BackColorProperty,
                  TextColorProperty,
                  UseFocusRingProperty,
                  StyledProperty,
                  ScrollbarVerticalProperty,
                  ScrollbarHorizontalProperty,
                  MultilineProperty,
                  BorderProperty,
                  LineSpacingProperty);
    }
    void PropertyChanged(const std::string& name) override;
    const std::type_info* EventSignature(const std::string& event) const override;

private:
    friend struct PeerAccess;  // the user edited the text or moved the selection
    void ClampSelection();
    void StyleSelection(const std::function<void(CharStyle&)>& apply);
    bool fromPeer_ = false;  // a change the peer made itself: not echoed back
    int32_t selStart_ = 0, selLength_ = 0;
    std::vector<CharStyle> styles_;
};

}  // namespace fw
