// The period control: the arrows step MyPeriod on its grid and show it.
#include "program_fixture.h"

#include "capture/window1.h"
#include "settings/settings.h"

namespace quorrel::test {
namespace {

using fw::headless::Headless;
using Texts = std::pair<std::string, std::string>;

class PeriodTest : public ProgramFixture {
protected:
    static std::pair<std::string, std::string> Shown() {
        auto panel = Window1Instance();
        return {panel->StaticText3()->Text(), panel->StaticText2()->Text()};
    }
    static size_t Refreshes() { return fw::headless::PeerOf(ControlPanel())->refreshed.size(); }
};

TEST_F(PeriodTest, WalksTheWholeGridUpAndDown) {
    WritePrefs("#MyPeriod 1\n");
    Run([&](Headless& h) {
        auto panel = ControlPanel();
        std::vector<int32_t> visited{MyPeriod};
        EXPECT_EQ(Shown(), Texts("1", "Second(s)"));
        while (MyPeriod < 600) {
            h.PressUp(panel, "UpDownArrows1");
            visited.push_back(MyPeriod);
            int32_t v = MyPeriod;
            if (v < 60) EXPECT_EQ(Shown(), Texts(std::to_string(v), "Second(s)")) << v;
            else if (v == 60) EXPECT_EQ(Shown(), Texts("1", "Minutes(s)"));
            else EXPECT_EQ(Shown(), Texts(std::to_string(v / 60), "Minute(s)")) << v;
            ASSERT_LE(visited.size(), 69u);
        }
        std::vector<int32_t> grid;
        for (int32_t s = 1; s <= 60; ++s) grid.push_back(s);
        for (int32_t m = 2; m <= 10; ++m) grid.push_back(m * 60);
        EXPECT_EQ(visited, grid);

        size_t refreshes = Refreshes();
        h.PressUp(panel, "UpDownArrows1");  // the top end: nothing at all
        EXPECT_EQ(MyPeriod, 600);
        EXPECT_EQ(Refreshes(), refreshes);

        std::vector<int32_t> down{MyPeriod};
        while (MyPeriod > 1) {
            h.PressDown(panel, "UpDownArrows1");
            down.push_back(MyPeriod);
            int32_t v = MyPeriod;
            if (v >= 60) EXPECT_EQ(Shown(), Texts(std::to_string(v / 60), "Minute(s)")) << v;
            else EXPECT_EQ(Shown(), Texts(std::to_string(v), "Second(s)")) << v;
            ASSERT_LE(down.size(), 69u);
        }
        EXPECT_EQ(down, std::vector<int32_t>(grid.rbegin(), grid.rend()));

        refreshes = Refreshes();
        h.PressDown(panel, "UpDownArrows1");  // the bottom end
        EXPECT_EQ(MyPeriod, 1);
        EXPECT_EQ(Shown(), Texts("1", "Second(s)"));
        EXPECT_EQ(Refreshes(), refreshes);
    });
}

struct OffGridCase {
    int32_t start;
    Texts opened;
    int32_t afterUp;
    int32_t afterDown;
    Texts downShown;  // after one press of the down arrow from the start
};

TEST_F(PeriodTest, ValuesReadOffTheGrid) {
    const OffGridCase cases[] = {
        {0, {"0", "Second(s)"}, 1, 0, {"0", "Second(s)"}},
        {-5, {"-5", "Second(s)"}, -4, -5, {"-5", "Second(s)"}},
        {60, {"1", "Minute(s)"}, 120, 59, {"59", "Second(s)"}},
        {90, {"1.5", "Minute(s)"}, 150, 89, {"89", "Second(s)"}},
        {541, {fw::StringStrDouble(541 / 60.0), "Minute(s)"}, 601, 481, {fw::StringStrDouble(481 / 60.0), "Minute(s)"}},
        {9000, {"150", "Minute(s)"}, 9000, 8940, {"149", "Minute(s)"}},
    };
    for (const auto& c : cases) {
        for (bool up : {true, false}) {
            WritePrefs("#MyPeriod " + std::to_string(c.start) + "\n");
            NewBackend();
            Run([&](Headless& h) {
                EXPECT_EQ(Shown(), c.opened) << c.start;
                if (up) {
                    h.PressUp(ControlPanel(), "UpDownArrows1");
                    EXPECT_EQ(MyPeriod, c.afterUp) << c.start;
                } else {
                    h.PressDown(ControlPanel(), "UpDownArrows1");
                    EXPECT_EQ(MyPeriod, c.afterDown) << c.start;
                    EXPECT_EQ(Shown(), c.downShown) << c.start;
                }
            });
        }
    }
}

TEST_F(PeriodTest, FromAbove600TheUpArrowDoesNothing) {
    WritePrefs("#MyPeriod 541\n");
    Run([&](Headless& h) {
        h.PressUp(ControlPanel(), "UpDownArrows1");
        EXPECT_EQ(MyPeriod, 601);
        auto shown = Shown();
        h.PressUp(ControlPanel(), "UpDownArrows1");
        EXPECT_EQ(MyPeriod, 601);
        EXPECT_EQ(Shown(), shown);
    });
}

// Which label each step writes first: every text is refreshed at once.
struct OrderCase {
    int32_t start;
    bool up;
    std::vector<std::string> labels;  // in the order written and refreshed
};

TEST_F(PeriodTest, EachStepWritesItsTwoLabelsInItsOwnOrder) {
    const std::vector<std::string> valueFirst{"StaticText3", "StaticText2"};
    const std::vector<std::string> unitFirst{"StaticText2", "StaticText3"};
    const OrderCase cases[] = {
        {1, true, valueFirst},
        {58, true, valueFirst},
        {59, true, unitFirst},
        {60, true, unitFirst},
        {540, true, unitFirst},
        {600, true, {}},
        {600, false, unitFirst},
        {120, false, unitFirst},
        {60, false, unitFirst},
        {2, false, unitFirst},
        {1, false, {}},
    };
    for (const auto& c : cases) {
        WritePrefs("#MyPeriod " + std::to_string(c.start) + "\n");
        NewBackend();
        Run([&](Headless& h) {
            auto* peer = fw::headless::PeerOf(ControlPanel());
            ASSERT_NE(peer, nullptr);
            size_t changedFrom = peer->controlChanged.size(), refreshedFrom = peer->refreshed.size();
            if (c.up) h.PressUp(ControlPanel(), "UpDownArrows1");
            else h.PressDown(ControlPanel(), "UpDownArrows1");
            std::vector<std::string> written;
            for (size_t i = changedFrom; i < peer->controlChanged.size(); ++i)
                if (peer->controlChanged[i].second == "Text") written.push_back(peer->controlChanged[i].first);
            std::vector<std::string> refreshed(peer->refreshed.begin() + static_cast<std::ptrdiff_t>(refreshedFrom),
                                               peer->refreshed.end());
            EXPECT_EQ(written, c.labels) << c.start << (c.up ? " up" : " down");
            EXPECT_EQ(refreshed, c.labels) << c.start << (c.up ? " up" : " down");
        });
    }
}

TEST_F(PeriodTest, SixtyReachedFromAboveShowsTheMinutesText) {
    WritePrefs("#MyPeriod 120\n");
    Run([&](Headless& h) {
        h.PressDown(ControlPanel(), "UpDownArrows1");
        EXPECT_EQ(MyPeriod, 60);
        EXPECT_EQ(Shown(), Texts("1", "Minute(s)"));
    });
}

}  // namespace
}  // namespace quorrel::test
