// The preferences file of the real binary when something else stands under
// its name.
#include <sys/stat.h>

#include "tests/e2e/xvfb_fixture.h"

namespace e2e {
namespace {

class PreferencesFile : public XvfbFixture {};

// A FIFO that no one writes to: the start goes on with the defaults at once,
// and the close leaves the FIFO where it was.
TEST_F(PreferencesFile, AFifoNeitherHoldsTheStartNorIsReplaced) {
    ASSERT_EQ(mkfifo(sandbox->PreferencesFile().c_str(), 0644), 0);
    StartProgram();
    ASSERT_TRUE(panel) << "the start waited on the FIFO";
    Rect content = PanelContent();
    EXPECT_EQ(content.x, 150);
    EXPECT_EQ(content.y, 150);

    auto status = CloseProgram();
    ASSERT_TRUE(status) << "the close waited on the FIFO";
    EXPECT_EQ(*status, 0);
    EXPECT_TRUE(fs::is_fifo(sandbox->PreferencesFile())) << "the FIFO was replaced";
    for (const auto& e : fs::directory_iterator(sandbox->PreferencesFile().parent_path()))
        EXPECT_NE(e.path().filename().string().rfind(".quorrel.txt", 0), 0u) << "a temporary file was left";
}

}  // namespace
}  // namespace e2e
