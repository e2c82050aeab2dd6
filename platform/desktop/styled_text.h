// The framework's styled text (a text whose CR characters break paragraphs,
// with one style per character) as a Qt text document, and back.
#pragma once

#include "platform/framework.h"

#include <QTextCharFormat>
#include <QTextDocument>

#include <string>
#include <vector>

namespace desktop {

struct StyledText {
    std::string text;
    std::vector<fw::CharStyle> styles;
    friend bool operator==(const StyledText&, const StyledText&) = default;
};

// A character's style as a format over base.
QTextCharFormat FormatFor(const fw::CharStyle& style, const QTextCharFormat& base);
// Replaces the document's content. base gives the font and the colour of
// characters without a colour of their own (a char format without a
// foreground leaves them to the widget's palette).
void FillDocument(QTextDocument& doc, const StyledText& styled, const QTextCharFormat& base);
// The document's content; each paragraph break reads as one CR.
StyledText ReadDocument(const QTextDocument& doc);

}  // namespace desktop
