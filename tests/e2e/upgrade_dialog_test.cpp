// The upgrade dialog shows the update file's texts as they are written: no
// markup is read, nothing in them opens a URL, reads a file or loads an
// image, and a description as long as a reply can hold opens in a dialog
// that fits the screen (how quickly it opens is bench/message_dialog_bench's
// goal; this test reports the time it saw).
#include <X11/keysym.h>
#include <sys/stat.h>

#include <fstream>
#include <iostream>

#include "tests/e2e/update_check_fixture.h"
#include "tests/e2e/x_clipboard.h"

namespace e2e {
namespace {

constexpr size_t kBodyCap = 1 << 20;  // the HTTP client keeps no more of a body
constexpr long kMemoryBoundKiB = 400 * 1024;
const std::string kFifoMark = "@FIFO@";  // stands for a named pipe in the sandbox

struct Reply {
    const char* name;
    std::string version, description;
    bool fillToCap = false;  // repeat the description until the body is at the cap
};

void PrintTo(const Reply& reply, std::ostream* out) { *out << reply.name; }

std::string Body(const std::string& version, const std::string& description) {
    return "<CurrentVersion>" + version + "</CurrentVersion><Free>Yes</Free><Description>" + description +
           "</Description>";
}

std::string Repeated(const std::string& piece, size_t size) {
    std::string text;
    while (text.size() < size) text += piece;
    text.resize(size);
    return text;
}

std::string FilledToCap(const std::string& version, const std::string& piece) {
    return Repeated(piece, kBodyCap - Body(version, "").size());
}

// A figure of /proc/<pid>/status, in KiB; -1 when it cannot be read.
long ProcStatus(pid_t pid, const std::string& key) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(in, line);)
        if (line.rfind(key + ":", 0) == 0) return std::stol(line.substr(key.size() + 1));
    return -1;
}

// The window a window manager puts around a client (the client itself on a
// bare server), in root coordinates.
std::optional<Rect> OuterGeometry(XWindows& x, ::Window id) {
    for (;;) {
        ::Window root, parent, *children = nullptr;
        unsigned int n = 0;
        if (!XQueryTree(x.display(), id, &root, &parent, &children, &n)) return std::nullopt;
        if (children) XFree(children);
        if (parent == root) return x.Geometry(id);
        id = parent;
    }
}

class UpgradeDialog : public UpdateCheck, public ::testing::WithParamInterface<Reply> {};

TEST_P(UpgradeDialog, ShowsTheReplyAsWrittenQuicklyAndOnScreen) {
    const Reply& reply = GetParam();
    std::string version = reply.version, description = reply.description;
    const std::string fifo = (sandbox->Root() / "pipe").string();
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    for (std::string* text : {&version, &description})
        for (auto at = text->find(kFifoMark); at != std::string::npos; at = text->find(kFifoMark))
            text->replace(at, kFifoMark.size(), fifo);
    if (reply.fillToCap) description = FilledToCap(version, description);
    const std::string body = Body(version, description);
    ASSERT_LE(body.size(), kBodyCap);

    StartCheckWithBody(body);
    const auto asked = std::chrono::steady_clock::now();
    auto dialog = x->WaitForTitle("New version available!");
    const auto openMs =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - asked).count();
    ASSERT_TRUE(dialog) << "no upgrade dialog appeared";
    // Reported only: a busy machine makes any time taken here late.
    std::cerr << reply.name << ": the dialog opened " << openMs << " ms after the request\n";
    Pause(300ms);
    WritePng(ReadScreen(x->display()), (sandbox->Root() / "upgrade-dialog.png").string());

    // Whole on the screen, frame and buttons included.
    auto outer = OuterGeometry(*x, dialog->id);
    ASSERT_TRUE(outer);
    EXPECT_GE(outer->x, 0);
    EXPECT_GE(outer->y, 0);
    EXPECT_LE(outer->x + outer->width, kScreenWidth);
    EXPECT_LE(outer->y + outer->height, kScreenHeight);
    EXPECT_LE(dialog->geometry.y + dialog->geometry.height, kScreenHeight);

    // Clicks all over the texts (the buttons' row left alone) open nothing;
    // single clicks, far enough apart to select nothing.
    const Rect g = dialog->geometry;
    const int bottom = g.y + g.height - 70;
    for (int py = g.y + 10; py < bottom; py += std::max(12, (bottom - g.y) / 8))
        for (int px = g.x + 10; px < g.x + g.width - 10; px += std::max(40, g.width / 6)) input->ClickAt(px, py);

    // The texts as their characters, the whole description included. The
    // copy comes after the clicks, so once it is there every click has been
    // handled, and any URL a click opened has had its handler started.
    x->Focus(dialog->id);
    Pause(50ms);
    input->Tap({XK_Control_L, XK_c});
    std::optional<std::string> copied;
    PollUntil([&] { return (copied = ReadClipboard(x->display(), 1s)).has_value(); }, 5s, 100ms);
    EXPECT_TRUE(copied) << "nothing came from the clipboard";
    const std::vector<std::string> opened = sandbox->OpenedUrlsWhenHandled();
    EXPECT_TRUE(opened.empty()) << "a click opened " << opened[0];
    EXPECT_TRUE(x->IsMapped(dialog->id)) << "a click on the text closed the dialog";
    if (copied) {
        EXPECT_NE(copied->find("Version " + version + " is now available. "), std::string::npos)
            << "the version is not shown as written";
        EXPECT_NE(copied->find(description), std::string::npos)
            << "the description is not shown as written (" << copied->size() << " bytes copied)";
    }

    const long peak = ProcStatus(program->Pid(), "VmHWM");
    std::cerr << reply.name << ": VmRSS " << ProcStatus(program->Pid(), "VmRSS") << " KiB, VmHWM " << peak << " KiB\n";
    EXPECT_GT(peak, 0);
    EXPECT_LT(peak, kMemoryBoundKiB) << "the program grew to " << peak << " KiB";

    // Escape is the dialog's cancel: it closes, and the Update window with it.
    x->Focus(dialog->id);
    Pause(50ms);
    input->Tap({XK_Escape});
    EXPECT_TRUE(x->WaitUntilGone(dialog->id)) << "Escape did not close the dialog";
    EXPECT_TRUE(PollUntil([&] { return !x->FindByTitle("Update"); }, 5s)) << "the Update window stayed open";
}

const std::string kLink = "<a href=\"file:///etc/passwd\">";
const std::string kNotes = "Read the release notes of this version before you download it. ";

INSTANTIATE_TEST_SUITE_P(
    Replies, UpgradeDialog,
    ::testing::Values(
        Reply{"Links",
              kLink + "2.0.0</a>",
              kLink + kNotes + kNotes + kNotes + kNotes + kNotes + kNotes + "</a> &amp; <b>bold</b> &lt;3"},
        Reply{"ImageOfEndlessZeros", "2.0.0", "Faster captures.<img src=\"/dev/zero\"> <i>Done</i>"},
        Reply{"ImageFromAPipeNobodyWrites",
              "2.0.0<img src=\"" + kFifoMark + "\">",
              "<img src=\"" + kFifoMark + "\">Faster captures."},
        Reply{"OneParagraphAtTheCap", "2.0.0", "Faster captures, fewer clicks, <b>smaller</b> files. ", true},
        Reply{"ShortLinesAtTheCap", "2.0.0", "Faster captures.\n", true}, Reply{"OneWordAtTheCap", "2.0.0", "x", true},
        Reply{"LongVersionAndDescription", Repeated("2.0.0 <b>beta</b> ", 300 * 1024), "Faster captures. ", true}),
    [](const ::testing::TestParamInfo<Reply>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace e2e
