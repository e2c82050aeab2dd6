#include "platform/desktop/styled_text.h"

#include "platform/desktop/qt_conversions.h"

#include <QTextBlock>
#include <QTextCursor>

namespace desktop {

QTextCharFormat FormatFor(const fw::CharStyle& style, const QTextCharFormat& base) {
    QTextCharFormat f = base;
    f.setFontWeight(style.bold ? QFont::Bold : QFont::Normal);
    if (style.hasColor) f.setForeground(ToQColor(style.color));
    return f;
}

namespace {

fw::CharStyle StyleOf(const QTextCharFormat& f) {
    fw::CharStyle s;
    s.bold = f.fontWeight() >= QFont::DemiBold;
    if (f.hasProperty(QTextFormat::ForegroundBrush) && f.foreground().style() != Qt::NoBrush) {
        s.hasColor = true;
        s.color = FromQColor(f.foreground().color());
    }
    return s;
}

}  // namespace

void FillDocument(QTextDocument& doc, const StyledText& styled, const QTextCharFormat& base) {
    doc.clear();
    QTextCursor cursor(&doc);
    cursor.beginEditBlock();
    const QString all = ToQ(styled.text);
    QString run;
    fw::CharStyle runStyle;
    auto flush = [&] {
        if (!run.isEmpty()) cursor.insertText(run, FormatFor(runStyle, base));
        run.clear();
    };
    int index = 0;  // code points, as the styles count them
    for (int i = 0; i < all.size(); ++index) {
        const int units = (all.at(i).isHighSurrogate() && i + 1 < all.size()) ? 2 : 1;
        const QString ch = all.mid(i, units);
        i += units;
        const fw::CharStyle style =
            index < static_cast<int>(styled.styles.size()) ? styled.styles[index] : fw::CharStyle{};
        if (ch == QChar('\r') || ch == QChar('\n')) {
            flush();
            cursor.insertBlock(QTextBlockFormat(), FormatFor(style, base));
            continue;
        }
        if (!run.isEmpty() && !(style == runStyle)) flush();
        runStyle = style;
        run += ch;
    }
    flush();
    cursor.endEditBlock();
    doc.setModified(false);
}

StyledText ReadDocument(const QTextDocument& doc) {
    StyledText out;
    fw::CharStyle last;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        if (block != doc.begin()) {
            // The break takes the style of the character before it.
            out.text += '\r';
            out.styles.push_back(last);
        }
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment frag = it.fragment();
            if (!frag.isValid()) continue;
            const fw::CharStyle style = StyleOf(frag.charFormat());
            const QString text = frag.text();
            const std::string utf8 = FromQ(text);
            out.text += utf8;
            out.styles.insert(out.styles.end(), static_cast<size_t>(text.toUcs4().size()), style);
            last = style;
        }
    }
    return out;
}

}  // namespace desktop
