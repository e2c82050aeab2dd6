#include "tests/support/gtk_desktop.h"

#include <fstream>
#include <stdexcept>

namespace quorrel::test {

std::map<std::string, std::string> GtkDesktopEnvironment(const std::filesystem::path& configHome,
                                                         const std::filesystem::path& folder) {
    namespace fs = std::filesystem;
    fs::create_directories(configHome / "gtk-3.0");
    std::ofstream settings(configHome / "gtk-3.0" / "settings.ini");
    settings << "[Settings]\ngtk-font-name=" << kGtkDesktopFont << "\n";
    // The desktop font's folder and no other: no DejaVu or Liberation of the system's.
    fs::create_directories(folder);
    std::ofstream fonts(folder / "fonts.conf");
    fonts << "<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM \"urn:fontconfig:fonts.dtd\">\n<fontconfig>\n"
          << "  <dir>" << QUORREL_DESKTOP_FONT_DIR << "</dir>\n"
          << "  <cachedir>" << (folder / "fontconfig-cache").string() << "</cachedir>\n</fontconfig>\n";
    if (!settings.flush() || !fonts.flush()) throw std::runtime_error("cannot write the desktop's settings");
    return {{"QT_QPA_PLATFORMTHEME", "gtk3"}, {"FONTCONFIG_FILE", (folder / "fonts.conf").string()}};
}

}  // namespace quorrel::test
