#include "platform/desktop/qt_conversions.h"

#include <QApplication>

#include <algorithm>
#include <cstdio>
#include <exception>

namespace desktop {

QColor ToQColor(const fw::Color& c) { return QColor(c.red, c.green, c.blue, 255 - c.alpha); }

fw::Color FromQColor(const QColor& c) {
    return fw::Color{static_cast<uint8_t>(c.red()),
                     static_cast<uint8_t>(c.green()),
                     static_cast<uint8_t>(c.blue()),
                     static_cast<uint8_t>(255 - c.alpha())};
}

DesignFont DesignFontFor(const std::string& name) {
    if (name.empty() || name == "System") return {QStringLiteral("DejaVu Sans"), 11};
    if (name == "Arial") return {QStringLiteral("Liberation Sans"), 12};
    if (name == "Courier") return {QStringLiteral("Liberation Mono"), 12};
    return {ToQ(name), 11};
}

namespace {
QFont Styled(const QString& family, bool bold, bool italic, bool underline) {
    QFont f = QApplication::font();
    f.setFamily(family);
    f.setStyleHint(QFont::AnyStyle);
    f.setBold(bold);
    f.setItalic(italic);
    f.setUnderline(underline);
    return f;
}
}  // namespace

QFont FontFor(const std::string& name, double points, bool bold, bool italic, bool underline) {
    QFont f = Styled(DesignFontFor(name).family, bold, italic, underline);
    if (points > 0) f.setPointSizeF(points);
    // Unhinted, the faces keep their design widths, so that a page breaks its
    // lines alike whatever hinting the system's font configuration asks for.
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

QFont FontOf(const fw::TextControl& control) {
    // Window designs are laid out in pixels, and so are their text sizes: in
    // points the Arial 12 of a 20-pixel label would not fit on a 96 dpi screen.
    const DesignFont design = DesignFontFor(control.TextFont());
    QFont f = Styled(design.family, control.Bold(), control.Italic(), control.Underline());
    const int pixels = control.TextSize() > 0 ? static_cast<int>(control.TextSize() + 0.5) : design.defaultPixels;
    f.setPixelSize(std::max(1, pixels));
    return f;
}

QFont SystemFace() {
    const DesignFont design = DesignFontFor("System");
    QFont f = Styled(design.family, false, false, false);
    f.setPixelSize(design.defaultPixels);
    return f;
}

int Utf16Index(const QString& s, int codePoints) {
    int i = 0;
    for (int n = 0; n < codePoints && i < s.size(); ++n)
        i += (s.at(i).isHighSurrogate() && i + 1 < s.size() && s.at(i + 1).isLowSurrogate()) ? 2 : 1;
    return i;
}

int CodePointIndex(const QString& s, int utf16) {
    utf16 = std::clamp(utf16, 0, static_cast<int>(s.size()));
    int n = 0;
    for (int i = 0; i < utf16; ++n)
        i += (s.at(i).isHighSurrogate() && i + 1 < s.size() && s.at(i + 1).isLowSurrogate()) ? 2 : 1;
    return n;
}

QString PlainTitle(const QString& title) {
    QString escaped = title;
    return escaped.replace(QLatin1String("[*]"), QLatin1String("[*][*]"));
}

QString ShortcutText(const std::string& framework) {
    QString s = ToQ(framework);
    s.replace(QStringLiteral("Cmd+"), QStringLiteral("Ctrl+"), Qt::CaseInsensitive);
    return s;
}

void Deliver(const std::function<void()>& fn) {
    try {
        fw::RunHandler(fn);
    } catch (const std::exception& e) {
        // RunHandler applies the default handling; this only guards Qt's stack.
        std::fprintf(stderr, "quorrel: %s\n", e.what());
    } catch (...) {
        std::fprintf(stderr, "quorrel: unknown exception\n");
    }
}

}  // namespace desktop
