// A GNOME-like desktop for a test run: Qt's GTK platform theme with a large
// desktop font, and of the system's fonts only that font's folder, so that
// the program has nothing but the faces it carries to draw its designs with.
#pragma once
#include <filesystem>
#include <map>
#include <string>

namespace quorrel::test {

// The desktop font of these runs, as GTK names it, and its family.
inline constexpr const char* kGtkDesktopFont = "Cantarell 16";
inline constexpr const char* kGtkDesktopFontFamily = "Cantarell";

// Writes <configHome>/gtk-3.0/settings.ini with that font and <folder>/fonts.conf,
// and gives the environment that makes a Qt program use both (XDG_CONFIG_HOME
// is the caller's: it also holds the program's preferences).
std::map<std::string, std::string> GtkDesktopEnvironment(const std::filesystem::path& configHome,
                                                         const std::filesystem::path& folder);

}  // namespace quorrel::test
