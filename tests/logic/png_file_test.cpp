// The PNG writer: files that libpng reads back pixel for pixel, and failures
// that return false with nothing left behind and nothing earlier destroyed.
#include "platform/core/png_file.h"
#include "tests/support/address_space.h"
#include "tests/support/rgb_image.h"

#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;

using quorrel::test::ReadPng;
using quorrel::test::RgbImage;

// Noise where `noisy` of 8 pixels are random, flat colour bands elsewhere:
// both the long matches and the literals of the compressor get exercised.
RgbImage Picture(int32_t width, int32_t height, unsigned seed, int noisy = 3) {
    std::mt19937 rng(seed);
    RgbImage p{width, height, std::vector<uint32_t>(static_cast<size_t>(width) * height)};
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x)
            p.pixels[static_cast<size_t>(y) * width + x] = static_cast<int>(rng() % 8) < noisy
                                                               ? rng() & 0xFFFFFF
                                                               : 0x203040u + static_cast<uint32_t>(y / 16) * 0x010203u;
    return p;
}

std::set<std::string> Entries(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(folder)) names.insert(e.path().filename().string());
    return names;
}

std::string Contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class PngFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/quorrel-png-test-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder = pattern;
    }
    void TearDown() override { fs::remove_all(folder); }

    bool Write(const fs::path& path, const RgbImage& p) {
        return fw::png::WriteFile(path.string(), p.width, p.height, p.pixels);
    }
    fs::path folder;
};

TEST_F(PngFileTest, WrittenFileReadsBackPixelForPixel) {
    // One row, one column, odd sizes, a height that splits into uneven
    // stripes, and a full screen.
    struct Case {
        int32_t width, height;
    };
    for (const Case c : {Case{1, 1}, Case{7, 5}, Case{1, 1000}, Case{333, 129}, Case{1920, 1080}}) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
        const RgbImage picture = Picture(c.width, c.height, static_cast<unsigned>(c.width * 31 + c.height));
        const fs::path path = folder / "shot.png";
        ASSERT_TRUE(Write(path, picture));
        const auto back = ReadPng(path);
        ASSERT_TRUE(back.has_value());
        EXPECT_EQ(back->width, c.width);
        EXPECT_EQ(back->height, c.height);
        EXPECT_TRUE(back->pixels == picture.pixels);
        EXPECT_EQ(Entries(folder), std::set<std::string>{"shot.png"});
    }
}

TEST_F(PngFileTest, ExistingFileIsReplaced) {
    const fs::path path = folder / "2026 01 02   03 04 05.png";
    ASSERT_TRUE(Write(path, Picture(40, 30, 1)));
    const RgbImage second = Picture(25, 60, 2);
    ASSERT_TRUE(Write(path, second));
    const auto back = ReadPng(path);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->width, 25);
    EXPECT_TRUE(back->pixels == second.pixels);
    EXPECT_EQ(Entries(folder), std::set<std::string>{path.filename().string()});
}

TEST_F(PngFileTest, WritersOfOneNameAtOnceEachGetANameOfTheirOwn) {
    // As two copies of the program capturing in the same second: no writer
    // replaces another's file, and every picture lands whole.
    constexpr int kWriters = 8;
    std::vector<RgbImage> pictures;
    for (int i = 0; i < kWriters; ++i) pictures.push_back(Picture(64, 48, static_cast<unsigned>(100 + i)));
    std::vector<std::optional<fw::png::PlacedFile>> placed(kWriters);
    std::vector<std::thread> writers;
    const auto refuse = [](const std::string&, const struct stat&) { return false; };
    for (int i = 0; i < kWriters; ++i)
        writers.emplace_back([&, i] {
            const RgbImage& p = pictures[static_cast<size_t>(i)];
            placed[static_cast<size_t>(i)] =
                fw::png::WriteNewFile((folder / "shot.png").string(), p.width, p.height, p.pixels, refuse);
        });
    for (auto& w : writers) w.join();
    std::set<std::string> expected{"shot.png"};
    for (int n = 2; n <= kWriters; ++n) expected.insert("shot (" + std::to_string(n) + ").png");
    EXPECT_EQ(Entries(folder), expected);
    for (int i = 0; i < kWriters; ++i) {
        ASSERT_TRUE(placed[static_cast<size_t>(i)].has_value());
        const auto back = ReadPng(placed[static_cast<size_t>(i)]->path);
        ASSERT_TRUE(back.has_value());
        EXPECT_TRUE(back->pixels == pictures[static_cast<size_t>(i)].pixels);
    }
}

TEST_F(PngFileTest, AReadOnlyFileUnderTheNameStaysAndThePictureGoesBesideIt) {
    // As an ordinary user (root may write anyway), owner of the folder: what
    // holds the name may not be written, which says nothing of a new file.
    const bool root = geteuid() == 0;
    if (root) {
        ASSERT_EQ(chown(folder.c_str(), 65534, 65534), 0);
    }
    std::ofstream(folder / "shot.png") << "the user's";
    fs::permissions(folder / "shot.png", fs::perms(0444));
    if (root) {
        ASSERT_EQ(seteuid(65534), 0);
    }
    const RgbImage p = Picture(16, 16, 21);
    const auto refuse = [](const std::string&, const struct stat&) { return false; };
    const auto placed = fw::png::WriteNewFile((folder / "shot.png").string(), p.width, p.height, p.pixels, refuse);
    if (root && seteuid(0) != 0) std::abort();  // every later test would run as nobody
    ASSERT_TRUE(placed.has_value());
    EXPECT_EQ(placed->path, (folder / "shot (2).png").string());
    EXPECT_EQ(Contents(folder / "shot.png"), "the user's");
    // The new picture is its owner's to change, not read-only like its neighbour.
    EXPECT_TRUE((fs::status(placed->path).permissions() & fs::perms::owner_write) != fs::perms::none);
    const auto back = ReadPng(placed->path);
    ASSERT_TRUE(back.has_value());
    EXPECT_TRUE(back->pixels == p.pixels);
}

TEST_F(PngFileTest, NameAtTheLengthLimitIsWritten) {
    // The temporary name beside it must not grow past the limit.
    const fs::path path = folder / (std::string(251, 'n') + ".png");
    const RgbImage picture = Picture(9, 9, 8);
    ASSERT_TRUE(Write(path, picture));
    const auto back = ReadPng(path);
    ASSERT_TRUE(back.has_value());
    EXPECT_TRUE(back->pixels == picture.pixels);
    EXPECT_EQ(Entries(folder).size(), 1u);
}

TEST_F(PngFileTest, UnwritablePlacesReturnFalseAndLeaveNothing) {
    std::ofstream(folder / "plain-file") << "not a folder";
    fs::create_directory(folder / "a-directory");
    const std::set<std::string> before = Entries(folder);
    const RgbImage picture = Picture(64, 64, 3);
    // The folder is a regular file; the folder is missing; a directory
    // stands where the file goes (the temporary file is written, the
    // rename fails).
    for (const fs::path& path :
         {folder / "plain-file" / "shot.png", folder / "missing" / "shot.png", folder / "a-directory"}) {
        SCOPED_TRACE(path.string());
        EXPECT_FALSE(Write(path, picture));
        EXPECT_EQ(Entries(folder), before);
        EXPECT_TRUE(fs::is_empty(folder / "a-directory"));
    }
}

TEST_F(PngFileTest, PixelsThatDoNotMatchTheSizeAreRefused) {
    const fs::path path = folder / "shot.png";
    EXPECT_FALSE(fw::png::WriteFile(path.string(), 0, 10, {}));
    EXPECT_FALSE(fw::png::WriteFile(path.string(), 10, -1, {}));
    EXPECT_FALSE(fw::png::WriteFile(path.string(), 4, 4, std::vector<uint32_t>(15)));
    EXPECT_TRUE(fs::is_empty(folder));
}

// A write that fails part-way, as on a full disk: false, the temporary file
// gone, and the file that was there before still whole.
void ExpectFailedWriteKeepsEarlierFile(const fs::path& folder, const std::function<bool()>& failingWrite) {
    const fs::path path = folder / "shot.png";
    const std::string earlier = Contents(path);
    ASSERT_FALSE(earlier.empty());
    EXPECT_FALSE(failingWrite());
    EXPECT_EQ(Entries(folder), std::set<std::string>{"shot.png"});
    EXPECT_EQ(Contents(path), earlier);
}

TEST_F(PngFileTest, FileSizeLimitMidWriteKeepsEarlierFile) {
    ASSERT_TRUE(Write(folder / "shot.png", Picture(16, 16, 4)));
    const RgbImage big = Picture(1920, 1080, 5, 8);  // megabytes of noise
    // The kernel then refuses writes past 64 KiB, as a full disk does.
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = saved;
    limited.rlim_cur = 64 * 1024;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    struct Restore {
        rlimit limit;
        decltype(previousHandler) handler;
        ~Restore() {
            setrlimit(RLIMIT_FSIZE, &limit);
            std::signal(SIGXFSZ, handler);
        }
    } restore{saved, previousHandler};
    ExpectFailedWriteKeepsEarlierFile(folder, [&] { return Write(folder / "shot.png", big); });
}

TEST_F(PngFileTest, FullFilesystemKeepsEarlierFile) {
    const fs::path small = folder / "small-fs";
    fs::create_directory(small);
    if (mount("tmpfs", small.c_str(), "tmpfs", 0, "size=256k") != 0)
        GTEST_SKIP() << "cannot mount a small filesystem here (needs root)";
    struct Unmount {
        fs::path at;
        ~Unmount() { umount(at.c_str()); }
    } unmount{small};
    ASSERT_TRUE(Write(small / "shot.png", Picture(32, 32, 6)));
    const RgbImage big = Picture(1920, 1080, 7, 8);
    ExpectFailedWriteKeepsEarlierFile(small, [&] { return Write(small / "shot.png", big); });
}

// Runs in a child: limits the address space to what is mapped now plus
// `headroom` and writes into the test's folder. Exits 0 for false with the
// folder left empty, 1 for true, 3 for false with something left there; an
// exception or std::terminate shows as any other end.
[[noreturn]] void WriteUnderAddressSpaceLimit(const fs::path& folder, const RgbImage& picture, size_t headroom) {
    rlimit saved{};
    if (getrlimit(RLIMIT_AS, &saved) != 0) std::_Exit(2);
    rlimit limited = saved;
    limited.rlim_cur = quorrel::test::AddressSpace() + headroom;
    if (setrlimit(RLIMIT_AS, &limited) != 0) std::_Exit(2);
    const bool written =
        fw::png::WriteFile((folder / "shot.png").string(), picture.width, picture.height, picture.pixels);
    setrlimit(RLIMIT_AS, &saved);
    const bool empty = fs::is_empty(folder);
    fs::remove_all(folder);
    std::_Exit(written ? 1 : empty ? 0 : 3);
}

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define QUORREL_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer) || __has_feature(memory_sanitizer)
#define QUORREL_SANITIZED 1
#endif
#endif

TEST_F(PngFileTest, LowMemoryReturnsFalseAndLeavesNothing) {
#ifdef QUORREL_SANITIZED
    GTEST_SKIP() << "a sanitizer's shadow memory does not fit under an address-space limit";
#endif
    // A fresh process for each write: what earlier tests left mapped in
    // this one would serve the writer's allocations.
    const std::string style = GTEST_FLAG_GET(death_test_style);
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    // Some 25 MB of noise to deflate. The smaller headrooms leave no room
    // for a worker thread, the larger ones run out with workers running.
    const RgbImage big = Picture(4096, 2048, 10, 8);
    for (size_t headroomMiB : {1, 6, 12, 20}) {
        SCOPED_TRACE(std::to_string(headroomMiB) + " MiB");
        EXPECT_EXIT(WriteUnderAddressSpaceLimit(folder, big, headroomMiB << 20), ::testing::ExitedWithCode(0), "");
    }
    GTEST_FLAG_SET(death_test_style, style);
}

}  // namespace
