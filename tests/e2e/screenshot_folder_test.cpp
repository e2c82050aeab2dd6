// The real program capturing into a screenshots folder that already holds
// something under the next names: pictures of other moments stay as they
// were, and links are replaced, never written through.
#include <ctime>
#include <fstream>
#include <map>

#include "tests/e2e/xvfb_fixture.h"

namespace e2e {
namespace {

// The name of a capture at that second, local time.
std::string NameAt(std::time_t t) {
    std::tm local{};
    localtime_r(&t, &local);
    char name[64];
    std::strftime(name, sizeof name, "%Y %m %d   %H %M %S.png", &local);
    return name;
}

// Every second from a little before now to well after: whatever moment the
// chord lands on, its name is among these.
std::vector<std::string> NamesAroundNow() {
    std::vector<std::string> names;
    const std::time_t now = std::time(nullptr);
    for (std::time_t t = now - 5; t <= now + 180; ++t) names.push_back(NameAt(t));
    return names;
}

class ScreenshotFolder : public XvfbFixture {
protected:
    // Captures with the held chord until `done`, then closes the program, so
    // that every write has landed.
    void CaptureUntil(const std::function<bool()>& done) {
        StartProgram();
        ASSERT_TRUE(panel);
        screen = ReadScreen(x->display());
        ASSERT_TRUE(HoldChordUntil(done, 20s)) << "no capture while the chord was held";
        auto status = CloseProgram();
        ASSERT_TRUE(status);
        EXPECT_EQ(*status, 0);
    }
    void ExpectTheScreenIn(const fs::path& file) {
        SCOPED_TRACE(file.filename().string());
        auto png = ReadPng(file.string());
        ASSERT_TRUE(png) << "not a readable PNG";
        auto difference = FirstDifference(*png, screen);
        EXPECT_FALSE(difference) << *difference;
    }
    RgbImage screen;
};

TEST_F(ScreenshotFolder, PicturesUnderTheNextNamesStayAndTheCaptureGetsANameOfItsOwn) {
    // As the hour repeated when summer time ends, or a clock set back, finds
    // them: pictures of an earlier moment under every name the capture can take.
    fs::create_directories(sandbox->Screenshots());
    std::map<std::string, std::string> planted;
    for (const std::string& name : NamesAroundNow()) {
        planted[name] = "taken an hour earlier: " + name;
        std::ofstream(sandbox->Screenshots() / name) << planted[name];
    }
    CaptureUntil([&] { return ScreenshotFiles().size() > planted.size(); });

    size_t own = 0;
    for (const auto& file : ScreenshotFiles()) {
        const std::string name = file.filename().string();
        if (auto it = planted.find(name); it != planted.end()) {
            EXPECT_TRUE(ReadFile(file.string()) == it->second) << name << " was replaced";
            continue;
        }
        // "<the name taken> (2).png"
        const std::string base = name.substr(0, name.size() - std::string(" (2).png").size()) + ".png";
        EXPECT_TRUE(name.ends_with(" (2).png") && planted.count(base)) << "unexpected " << name;
        ExpectTheScreenIn(file);
        ++own;
    }
    EXPECT_GE(own, 1u);
}

TEST_F(ScreenshotFolder, LinksUnderTheNextNamesAreReplacedAndWhatTheyLedToStays) {
    // A folder elsewhere (shared, say) that each link leads to a file in.
    const fs::path elsewhere = sandbox->Root() / "elsewhere";
    fs::create_directories(elsewhere);
    fs::create_directories(sandbox->Screenshots());
    std::map<std::string, fs::path> links;
    int n = 0;
    for (const std::string& name : NamesAroundNow()) {
        const fs::path target = elsewhere / ("picture " + std::to_string(++n) + ".png");
        std::ofstream(target) << "the user's own: " << name;
        fs::create_symlink(target, sandbox->Screenshots() / name);
        links[name] = target;
    }
    auto anyReplaced = [&] {
        for (const auto& file : ScreenshotFiles())
            if (!fs::is_symlink(file)) return true;
        return false;
    };
    CaptureUntil(anyReplaced);

    size_t replaced = 0;
    for (const auto& [name, target] : links)
        EXPECT_TRUE(ReadFile(target.string()) == "the user's own: " + name) << "written through the link " << name;
    for (const auto& file : ScreenshotFiles()) {
        const std::string name = file.filename().string();
        EXPECT_TRUE(links.count(name)) << "unexpected " << name;
        if (fs::is_symlink(file)) continue;
        ExpectTheScreenIn(file);
        ++replaced;
    }
    EXPECT_GE(replaced, 1u);
    EXPECT_EQ(ScreenshotFiles().size(), links.size());
}

}  // namespace
}  // namespace e2e
