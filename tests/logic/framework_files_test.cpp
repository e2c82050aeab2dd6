// Files, folders, text streams and dates.
#include "platform/core/read_file.h"
#include "platform/core/standard_paths.h"
#include "platform/framework.h"
#include "platform/headless/headless.h"
#include "tests/support/wall_clock.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include <sys/stat.h>
#include <unistd.h>

namespace {

using namespace fw;
using quorrel::test::WallClock;
namespace fs = std::filesystem;

class FilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("fw_files_" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    std::vector<std::string> ReadAll(const std::string& bytes) {
        std::ofstream(dir / "in.txt", std::ios::binary) << bytes;
        auto in = FolderItem(dir.string()).Child("in.txt")->OpenAsTextFile();
        std::vector<std::string> lines;
        while (in && !in->EOF()) lines.push_back(in->ReadLine());
        return lines;
    }
    headless::Headless& backend = headless::InstallNew();
    fs::path dir;
};

TEST_F(FilesTest, ReadLineAcceptsEveryLineEnd) {
    using L = std::vector<std::string>;
    EXPECT_EQ(ReadAll("a\nb\n"), (L{"a", "b"}));
    EXPECT_EQ(ReadAll("a\r\nb\r\n"), (L{"a", "b"}));
    EXPECT_EQ(ReadAll("a\rb\r"), (L{"a", "b"}));
    EXPECT_EQ(ReadAll("a\n\nb"), (L{"a", "", "b"}));  // no final line end
    EXPECT_EQ(ReadAll("\r\n"), (L{""}));
    EXPECT_EQ(ReadAll(""), (L{}));
    EXPECT_EQ(ReadAll(std::string("\x00\xff\n\x01", 4)), (L{std::string("\x00\xff", 2), "\x01"}));
}

// Lines that run across the stream's buffer, a CR LF split between two
// reads, a byte-order mark at the start only, and a line read piece by piece
// whose rest is skipped.
TEST_F(FilesTest, ReadLineStreamsTheFile) {
    using L = std::vector<std::string>;
    const std::string longLine(65535, 'a'), longerLine(200000, 'b');
    EXPECT_EQ(ReadAll(longLine + "\r\nz"), (L{longLine, "z"}));
    EXPECT_EQ(ReadAll(longerLine + "\n" + longerLine), (L{longerLine, longerLine}));
    EXPECT_EQ(ReadAll("\xEF\xBB\xBF"
                      "a\n\xEF\xBB\xBF"),
              (L{"a", "\xEF\xBB\xBF"}));
    EXPECT_EQ(ReadAll("\xEF\xBB\xBF"), (L{}));
    EXPECT_EQ(ReadAll("\xEF\xBB"), (L{"\xEF\xBB"}));

    std::ofstream(dir / "in.txt", std::ios::binary) << longerLine << "\nnext\n";
    auto in = FolderItem(dir.string()).Child("in.txt")->OpenAsTextFile();
    ASSERT_NE(in, nullptr);
    std::string seen;
    in->ReadLine([&](std::string_view piece) {
        seen += piece.substr(0, 10);
        return false;
    });
    EXPECT_EQ(seen, std::string(10, 'b'));
    EXPECT_EQ(in->ReadLine(), "next");
    EXPECT_TRUE(in->EOF());
    in->Close();
    EXPECT_EQ(in->ReadLine(), "");
}

// Only regular files are read; a FIFO is not waited on, nor a device opened.
TEST_F(FilesTest, OnlyRegularFilesAreRead) {
    ASSERT_EQ(mkfifo((dir / "fifo").c_str(), 0644), 0);
    fs::create_symlink("/dev/zero", dir / "device");
    std::ofstream(dir / "file") << "abc";
    fs::create_symlink(dir / "file", dir / "link");
    FolderItem folder(dir.string());
    EXPECT_EQ(folder.Child("fifo")->OpenAsTextFile(), nullptr);
    EXPECT_EQ(folder.Child("device")->OpenAsTextFile(), nullptr);
    EXPECT_EQ(folder.Child("device")->OpenAsSound(), nullptr);
    EXPECT_EQ(files::ReadRegularFile((dir / "fifo").string(), 100), std::nullopt);
    EXPECT_EQ(files::ReadRegularFile((dir / "device").string(), 100), std::nullopt);
    EXPECT_EQ(files::ReadRegularFile((dir / "link").string(), 100), "abc");
    EXPECT_EQ(files::ReadRegularFile((dir / "file").string(), 2), std::nullopt);  // too large
    EXPECT_EQ(files::ReadRegularFile((dir / "file").string(), 3), "abc");
}

TEST_F(FilesTest, OpenAsTextFileIsNilForMissingFilesAndFolders) {
    FolderItem folder(dir.string());
    EXPECT_EQ(folder.OpenAsTextFile(), nullptr);
    EXPECT_EQ(folder.Child("missing.txt")->OpenAsTextFile(), nullptr);
    EXPECT_TRUE(folder.Directory());
    EXPECT_FALSE(folder.Child("missing.txt")->Exists());
}

TEST_F(FilesTest, TextOutputStreamReplacesTheFile) {
    auto item = FolderItem(dir.string()).Child("quorrel.txt");
    std::ofstream(item->NativePath()) << "old content that is longer\n";
    auto out = TextOutputStream::Create(item);
    ASSERT_NE(out, nullptr);
    out->WriteLine("#MyPeriod");
    out->WriteLine("10");
    std::ifstream before(item->NativePath(), std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(before), {}), "old content that is longer\n");
    out->Close();
    out->WriteLine("after close");  // ignored
    std::ifstream in(item->NativePath(), std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "#MyPeriod\n10\n");
    EXPECT_EQ(TextOutputStream::Create(FolderItem(dir.string()).Child("no/such/dir.txt")), nullptr);

    // An exception part-way through the writing drops the stream: the file
    // keeps what it had.
    try {
        auto half = TextOutputStream::Create(item);
        half->WriteLine("half");
        throw std::runtime_error("interrupted");
    } catch (const std::runtime_error&) {
    }
    std::ifstream after(item->NativePath(), std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(after), {}), "#MyPeriod\n10\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);

    // A link to a file elsewhere stays a link; that file gets the text.
    fs::create_directory(dir / "elsewhere");
    std::ofstream(dir / "elsewhere/real.txt") << "old";
    fs::remove(item->NativePath());
    fs::create_symlink(dir / "elsewhere/real.txt", item->NativePath());
    auto linked = TextOutputStream::Create(item);
    ASSERT_NE(linked, nullptr);
    linked->WriteLine("new");
    linked->Close();
    EXPECT_TRUE(fs::is_symlink(item->NativePath()));
    std::ifstream real(dir / "elsewhere/real.txt", std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(real), {}), "new\n");
}

TEST_F(FilesTest, FolderOperations) {
    auto shots = FolderItem(dir.string() + "/").Child("QuorrelScreenshots");
    EXPECT_EQ(shots->NativePath(), dir.string() + "/QuorrelScreenshots");
    EXPECT_EQ(shots->Name(), "QuorrelScreenshots");
    shots->CreateAsFolder();
    EXPECT_TRUE(shots->Directory());
    shots->CreateAsFolder();                             // already there: silent
    FolderItem(dir.string() + "/a/b").CreateAsFolder();  // cannot: silent
    EXPECT_FALSE(fs::exists(dir / "a"));

    // Looking at a folder removes nothing in it; only the start's own step does.
    const fs::path leftover = fs::path(shots->NativePath()) / ".x.png.writing-000000010000000200000003";
    std::ofstream(leftover) << "partial";
    EXPECT_TRUE(shots->Exists());
    EXPECT_TRUE(shots->Directory());
    EXPECT_TRUE(fs::exists(leftover));
    shots->RemoveLeftoverTemporaries();
    EXPECT_FALSE(fs::exists(leftover));
}

TEST_F(FilesTest, SpecialFoldersFollowHomeAndXdg) {
    const char* savedHome = std::getenv("HOME");
    std::string home = savedHome ? savedHome : "";
    const char* savedConfig = std::getenv("XDG_CONFIG_HOME");
    std::string config = savedConfig ? savedConfig : "";
    ::setenv("HOME", dir.c_str(), 1);
    ::unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(paths::DocumentsPath(), dir.string() + "/Documents");
    EXPECT_EQ(paths::PreferencesPath(), dir.string() + "/.config");
    fs::create_directories(dir / ".config");
    std::ofstream(dir / ".config/user-dirs.dirs")
        << "# xdg\nXDG_DESKTOP_DIR=\"$HOME/Desktop\"\nXDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n";
    EXPECT_EQ(paths::DocumentsPath(), dir.string() + "/Dokumente");
    EXPECT_EQ(DocumentsFolder()->NativePath(), dir.string() + "/Dokumente");
    // As the shell reads the file: the last line that sets the folder counts.
    std::ofstream(dir / ".config/user-dirs.dirs")
        << "XDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\nXDG_DOCUMENTS_DIR=\"$HOME/Papiere\"\nXDG_MUSIC_DIR=\"/m\"\n";
    EXPECT_EQ(paths::DocumentsPath(), dir.string() + "/Papiere");
    std::ofstream(dir / ".config/user-dirs.dirs") << "XDG_DOCUMENTS_DIR=\"/docs\"\nXDG_DOCUMENTS_DIR=relative\n";
    EXPECT_EQ(paths::DocumentsPath(), dir.string() + "/Documents");
    fs::remove(dir / ".config/user-dirs.dirs");
    ASSERT_EQ(mkfifo((dir / ".config/user-dirs.dirs").c_str(), 0644), 0);
    EXPECT_EQ(paths::DocumentsPath(), dir.string() + "/Documents");  // not waited on
    ::setenv("XDG_CONFIG_HOME", (dir / "cfg").c_str(), 1);
    EXPECT_EQ(PreferencesFolder()->NativePath(), (dir / "cfg").string());
    EXPECT_EQ(paths::DocumentsPath(), dir.string() + "/Documents");  // no user-dirs.dirs there
    ::unsetenv("XDG_CONFIG_HOME");
    ::setenv("HOME", "", 1);
    EXPECT_EQ(DocumentsFolder(), nullptr);
    EXPECT_EQ(PreferencesFolder(), nullptr);
    EXPECT_EQ(ResourcesFolder(), nullptr);  // headless default: none
    backend.SetDocumentsPath((dir / "docs").string());
    EXPECT_EQ(DocumentsFolder()->NativePath(), (dir / "docs").string());
    if (savedHome) ::setenv("HOME", home.c_str(), 1);
    if (savedConfig) ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
}

TEST_F(FilesTest, AFreshAccountGetsItsDocumentsAndPreferencesFolders) {
    backend.SetDocumentsPath((dir / "home/Documents").string());
    backend.SetPreferencesPath((dir / "home/.config").string());
    ASSERT_FALSE(fs::exists(dir / "home"));
    EXPECT_TRUE(DocumentsFolder()->Directory());
    EXPECT_TRUE(PreferencesFolder()->Directory());
    // A regular file in the way is left alone: the folder is then unusable, not replaced.
    std::ofstream(dir / "blocked") << "x";
    backend.SetDocumentsPath((dir / "blocked").string());
    EXPECT_FALSE(DocumentsFolder()->Directory());
    EXPECT_TRUE(fs::is_regular_file(dir / "blocked"));
}

TEST_F(FilesTest, OpenAsSoundNeedsARiffFile) {
    std::ofstream(dir / "Shutter.wav", std::ios::binary) << "RIFF....WAVE";
    std::ofstream(dir / "bad.wav", std::ios::binary) << "ID3";
    auto sound = FolderItem(dir.string()).Child("Shutter.wav")->OpenAsSound();
    ASSERT_NE(sound, nullptr);
    sound->Play();
    EXPECT_EQ(backend.Log().soundsPlayed, 1);
    EXPECT_EQ(FolderItem(dir.string()).Child("bad.wav")->OpenAsSound(), nullptr);
    EXPECT_EQ(FolderItem(dir.string()).Child("none.wav")->OpenAsSound(), nullptr);
    EXPECT_EQ(backend.Log().soundsOpened.size(), 3u);
}

TEST_F(FilesTest, DatesUseTheUsShortForms) {
    struct Case {
        std::chrono::system_clock::time_point t;
        const char *date, *longTime, *shortTime;
    };
    const std::vector<Case> cases = {
        {WallClock(2024, 3, 7, 0, 5, 9), "3/7/24", "12:05:09 AM", "12:05 AM"},
        {WallClock(2009, 12, 31, 12, 0, 0), "12/31/09", "12:00:00 PM", "12:00 PM"},
        {WallClock(2030, 1, 1, 23, 59, 59), "1/1/30", "11:59:59 PM", "11:59 PM"},
        {WallClock(2024, 6, 15, 9, 30, 0), "6/15/24", "9:30:00 AM", "9:30 AM"},
    };
    for (const auto& c : cases) {
        backend.SetWallClock(c.t);
        auto d = RuntimeNewObject<Date>();
        d->Constructor();
        EXPECT_EQ(d->ShortDate(), c.date);
        EXPECT_EQ(d->LongTime(), c.longTime);
        EXPECT_EQ(d->ShortTime(), c.shortTime);
    }
    backend.SetWallClock(WallClock(2024, 3, 7, 0, 0, 59));
    backend.Advance(1000);  // the virtual clock moves the date's "now"
    auto d = RuntimeNewObject<Date>();
    d->Constructor();
    EXPECT_EQ(d->LongTime(), "12:01:00 AM");
}

}  // namespace
