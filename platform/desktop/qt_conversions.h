// Small conversions between the framework's values and Qt's: texts, colours,
// fonts, and character positions (the framework counts code points, Qt counts
// UTF-16 units).
#pragma once

#include "platform/framework.h"

#include <QColor>
#include <QFont>
#include <QString>

#include <functional>
#include <string>

namespace desktop {

inline QString ToQ(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
inline std::string FromQ(const QString& s) { return s.toUtf8().toStdString(); }

// The framework's alpha is a transparency: 0 is opaque.
QColor ToQColor(const fw::Color& c);
fw::Color FromQColor(const QColor& c);

// What a design's font name stands for on this desktop: a family that
// scripts/setup installs, and the pixel size of a text control that sets no
// size of its own. "System" (or an empty name) is DejaVu Sans at 11 pixels:
// the designs were laid out for a narrower system font, and at the desktop's
// usual 12 pixels their bold texts overflow. "Arial" and "Courier" are their
// metric-compatible Liberation faces. Other names go to fontconfig as they stand.
struct DesignFont {
    QString family;
    int defaultPixels;
};
DesignFont DesignFontFor(const std::string& name);

// A printing font: the design name's family in points.
QFont FontFor(const std::string& name, double points, bool bold, bool italic = false, bool underline = false);
// The font a text control's properties ask for (sizes in pixels).
QFont FontOf(const fw::TextControl& control);
// The face of the menu bars, the menus and the message dialogs: the system
// face of the designs at its size, whatever the desktop's theme and font, so
// that every menu title shows in a bar as wide as its window.
QFont SystemFace();

// Code-point index -> UTF-16 index within s, and back (clamped to the text).
int Utf16Index(const QString& s, int codePoints);
int CodePointIndex(const QString& s, int utf16);

// A window title as Qt shows it unchanged: Qt reads "[*]" in a title as the
// place of a modified-document mark, and "[*][*]" as the characters "[*]".
QString PlainTitle(const QString& title);
inline QString PlainTitle(const std::string& title) { return PlainTitle(ToQ(title)); }

// Turns the macOS-style shortcut text of a menu item ("Cmd+Z") into Qt's.
QString ShortcutText(const std::string& framework);

// Runs a call into the framework from a Qt callback: nothing may unwind
// through Qt's event dispatch, so what escapes gets the framework's handling.
void Deliver(const std::function<void()>& fn);

}  // namespace desktop
