// The program on a GNOME-like desktop: Qt's GTK theme with a 16 pt desktop
// font and none of the system's fonts but that one. The Control Panel's bar
// still shows all four menu titles, and a click on "Help " opens its menu.
#include <algorithm>
#include <utility>
#include <vector>

#include "tests/e2e/xvfb_fixture.h"

namespace e2e {
namespace {

class GtkThemedProgram : public XvfbFixture {
protected:
    void SetUp() override {
        XvfbFixture::SetUp();
        sandbox->UseGtkDesktop();
    }
};

bool IsInk(uint32_t rgb) {
    const int r = (rgb >> 16) & 0xff, g = (rgb >> 8) & 0xff, b = rgb & 0xff;
    return r + g + b < 3 * 110;
}

// The columns [first, last] of each title on a bar: runs of columns with dark
// text in them, apart by more than the blank between two words of a title.
std::vector<std::pair<int, int>> TitleSpans(const RgbImage& bar) {
    constexpr int kWordGap = 10;  // a title's own blanks are 6 columns at most, titles 16 apart
    std::vector<std::pair<int, int>> spans;
    int blank = kWordGap + 1;
    for (int col = 0; col < bar.width; ++col) {
        bool ink = false;
        for (int row = 0; row < bar.height && !ink; ++row) ink = IsInk(bar.At(col, row));
        if (!ink) {
            ++blank;
            continue;
        }
        if (blank > kWordGap) spans.emplace_back(col, col);
        else spans.back().second = col;
        blank = 0;
    }
    return spans;
}

bool HasInk(const RgbImage& image) { return std::any_of(image.pixels.begin(), image.pixels.end(), IsInk); }

TEST_F(GtkThemedProgram, EveryMenuTitleShowsAndAClickOnHelpOpensTheHelpMenu) {
    StartProgram();
    ASSERT_TRUE(panel);
    auto g = x->Geometry(panel->id);
    ASSERT_TRUE(g);
    const Rect bar{g->x, g->y, g->width, g->height - kContentHeight};
    ASSERT_GT(bar.height, 0);
    std::vector<std::pair<int, int>> titles;
    const bool fourTitles = PollUntil([&] {
        titles = TitleSpans(ReadScreen(x->display(), bar));
        return titles.size() == 4;  // File, Sound, Check for Update, Help
    });
    WritePng(ReadScreen(x->display(), *g), (sandbox->Root() / "control-panel.png").string());
    ASSERT_TRUE(fourTitles) << titles.size() << " titles on the bar, not File, Sound, Check for Update and Help";

    // A click on the last title: "Help ", with its one item "Show Help".
    auto known = x->Mapped();
    input->ClickAt(bar.x + (titles.back().first + titles.back().second) / 2, bar.y + bar.height / 2);
    auto menu = x->WaitForNew(known, /*popup=*/true, 5s);
    ASSERT_TRUE(menu) << "the click on Help opened no menu";
    ASSERT_TRUE(PollUntil([&] { return HasInk(ReadScreen(x->display(), menu->geometry)); }, 5s))
        << "the menu was never drawn";
    WritePng(ReadScreen(x->display()), (sandbox->Root() / "help-menu.png").string());
    EXPECT_NEAR(menu->geometry.x, bar.x + titles.back().first, 16) << "the menu opened away from the Help title";

    input->ClickAt(menu->geometry.x + menu->geometry.width / 2, menu->geometry.y + menu->geometry.height / 2);
    EXPECT_TRUE(x->WaitForTitle("Help")) << "the menu's item did not show the Help window";
}

}  // namespace
}  // namespace e2e
