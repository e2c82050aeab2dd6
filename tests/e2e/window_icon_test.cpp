// The program's windows carry its own icon, the one installed for the
// desktop entry, not the toolkit's default.
#include "tests/e2e/xvfb_fixture.h"

namespace e2e {
namespace {

class WindowIcon : public XvfbFixture {};

TEST_F(WindowIcon, TheControlPanelShowsTheInstalledIcon) {
    StartProgram();
    ASSERT_TRUE(panel);
    // Width, height, then ARGB pixels, one icon after another.
    const auto icon = x->Cardinals(panel->id, "_NET_WM_ICON", 1 << 20);
    auto installed = ReadPng(fs::path(QUORREL_SHARE_DIR).parent_path() / "icons/hicolor/32x32/apps/quorrel.png");
    ASSERT_TRUE(installed) << "no installed 32 x 32 icon";

    bool found = false;
    for (size_t at = 0; at + 2 <= icon.size();) {
        const unsigned long width = icon[at], height = icon[at + 1];
        if (width * height > icon.size() - at - 2) break;
        if (width == 32 && height == 32) {
            found = true;
            int opaque = 0;
            for (int i = 0; i < 32 * 32; ++i) {
                const unsigned long argb = icon[at + 2 + i] & 0xffffffffUL;  // 32 bits in a long
                if ((argb >> 24) != 0xff) continue;
                ++opaque;
                ASSERT_EQ(argb & 0xffffff, installed->pixels[i]) << "pixel " << i % 32 << "," << i / 32;
            }
            EXPECT_GT(opaque, 32 * 32 / 2);
        }
        at += 2 + width * height;
    }
    EXPECT_TRUE(found) << "no 32 x 32 icon on the window (" << icon.size() << " values)";
}

}  // namespace
}  // namespace e2e
