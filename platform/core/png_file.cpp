// The PNG writer. A full-screen picture is filtered and deflated in parallel
// row stripes: each stripe is an independent raw deflate stream ended by a
// full flush, so the stripes join into one valid zlib stream (one header, the
// last stripe finishes it, the checksums combined). libpng frames the file:
// signature, IHDR and the IDAT and IEND chunks.
#include "platform/core/png_file.h"

#include "platform/core/atomic_file.h"

#include <png.h>
#include <zlib.h>

#include <sys/stat.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csetjmp>
#include <memory>
#include <new>
#include <thread>

namespace fw::png {

namespace {

// Chosen by measurement on desktop-like screens (see bench/README.md): the
// Up filter with a fast deflate level keeps files small at a fraction of the
// time of adaptive filtering at the default level.
constexpr int kDeflateLevel = 2;
constexpr int kDeflateStrategy = Z_DEFAULT_STRATEGY;
// Small enough to balance the workers, large enough that restarting the
// compressor's dictionary at each stripe costs little in file size.
constexpr int32_t kRowsPerStripe = 64;
constexpr size_t kBytesPerPixel = 3;

struct Stripe {
    int32_t firstRow = 0, rowCount = 0;
    bool last = false;
    std::unique_ptr<uint8_t[]> deflated;
    size_t capacity = 0, size = 0;
    uLong adler = 1;
    size_t filteredBytes = 0;
    bool ok = false;
};

// One filtered row straight from the pixels: the filter-type byte (Up),
// then each RGB byte minus the byte above it.
void FilterUpRow(const uint32_t* row, const uint32_t* above, int32_t width, uint8_t* out) {
    *out++ = 2;
    for (int32_t x = 0; x < width; ++x) {
        const uint32_t p = row[x], q = above ? above[x] : 0;
        out[0] = static_cast<uint8_t>((p >> 16) - (q >> 16));
        out[1] = static_cast<uint8_t>((p >> 8) - (q >> 8));
        out[2] = static_cast<uint8_t>(p - q);
        out += kBytesPerPixel;
    }
}

// Allocates without throwing: a worker thread must not end the process when
// memory runs out; the stripe is then simply not ok.
void EncodeStripe(const std::vector<uint32_t>& pixels, int32_t width, Stripe& stripe) {
    const size_t rowBytes = static_cast<size_t>(width) * kBytesPerPixel + 1;
    std::unique_ptr<uint8_t[]> filtered(new (std::nothrow) uint8_t[rowBytes]);
    if (!filtered) return;

    z_stream z{};
    if (deflateInit2(&z, kDeflateLevel, Z_DEFLATED, -MAX_WBITS, 8, kDeflateStrategy) != Z_OK) return;
    stripe.filteredBytes = rowBytes * static_cast<size_t>(stripe.rowCount);
    // Room for the worst case plus the flush marker, so deflate never runs
    // out of output space; left uninitialised, deflate writes it.
    stripe.capacity = deflateBound(&z, stripe.filteredBytes) + 16;
    stripe.deflated.reset(new (std::nothrow) uint8_t[stripe.capacity]);
    if (!stripe.deflated) {
        deflateEnd(&z);
        return;
    }
    z.next_out = stripe.deflated.get();
    z.avail_out = static_cast<uInt>(stripe.capacity);

    uLong adler = adler32(0, nullptr, 0);
    bool ok = true;
    for (int32_t r = 0; r < stripe.rowCount && ok; ++r) {
        const size_t y = static_cast<size_t>(stripe.firstRow + r);
        FilterUpRow(&pixels[y * width], y > 0 ? &pixels[(y - 1) * width] : nullptr, width, filtered.get());
        adler = adler32(adler, filtered.get(), static_cast<uInt>(rowBytes));
        z.next_in = filtered.get();
        z.avail_in = static_cast<uInt>(rowBytes);
        const bool lastRow = r + 1 == stripe.rowCount;
        const int flush = !lastRow ? Z_NO_FLUSH : (stripe.last ? Z_FINISH : Z_FULL_FLUSH);
        const int rc = deflate(&z, flush);
        ok = z.avail_in == 0 && (rc == Z_OK || rc == Z_STREAM_END) && (flush != Z_FINISH || rc == Z_STREAM_END);
    }
    stripe.size = z.total_out;
    deflateEnd(&z);
    stripe.adler = adler;
    stripe.ok = ok;
}

std::vector<Stripe> PlanStripes(int32_t height) {
    const int32_t count = std::max<int32_t>(1, (height + kRowsPerStripe - 1) / kRowsPerStripe);
    std::vector<Stripe> stripes(static_cast<size_t>(count));
    for (int32_t i = 0; i < count; ++i) {
        stripes[i].firstRow = i * kRowsPerStripe;
        stripes[i].rowCount = std::min(kRowsPerStripe, height - stripes[i].firstRow);
    }
    stripes.back().last = true;
    return stripes;
}

// More stripes than workers: on a busy machine the workers that get a core
// take the stripes of those that wait. A stripe that fails stops the rest.
bool EncodeAll(const std::vector<uint32_t>& pixels, int32_t width, std::vector<Stripe>& stripes) {
    std::atomic<size_t> next{0};
    std::atomic<bool> failed{false};
    auto work = [&] {
        for (size_t i = next++; i < stripes.size() && !failed; i = next++) {
            EncodeStripe(pixels, width, stripes[i]);
            if (!stripes[i].ok) failed = true;
        }
    };
    const size_t cores = std::max(1u, std::thread::hardware_concurrency());
    std::vector<std::thread> workers;
    try {
        const size_t wanted = std::min(cores, stripes.size()) - 1;
        workers.reserve(wanted);
        while (workers.size() < wanted) workers.emplace_back(work);
    } catch (const std::exception&) {
        // No more threads or memory for them: those there are do all the stripes.
    }
    work();
    for (auto& w : workers) w.join();
    return std::all_of(stripes.begin(), stripes.end(), [](const Stripe& s) { return s.ok; });
}

// The bytes of the zlib stream that go around the stripes.
struct ZlibFrame {
    uint8_t header[2];
    uint8_t trailer[4];
};

ZlibFrame FrameFor(const std::vector<Stripe>& stripes) {
    uLong adler = stripes[0].adler;
    for (size_t i = 1; i < stripes.size(); ++i)
        adler = adler32_combine(adler, stripes[i].adler, static_cast<z_off_t>(stripes[i].filteredBytes));
    // 32 K window, deflate, "fast" level flag; the check bits make the
    // header a multiple of 31.
    ZlibFrame frame{{0x78, 0x5E}, {}};
    for (int i = 0; i < 4; ++i) frame.trailer[i] = static_cast<uint8_t>(adler >> (24 - 8 * i));
    return frame;
}

void WriteAll(png_structp png, png_bytep data, png_size_t length) {
    static_cast<files::AtomicFile*>(png_get_io_ptr(png))->Write(data, length);
}

void NoFlush(png_structp) {}

[[noreturn]] void OnPngError(png_structp png, png_const_charp) { longjmp(png_jmpbuf(png), 1); }
void OnPngWarning(png_structp, png_const_charp) {}

void WriteIdat(png_structp png, const uint8_t* data, size_t length) {
    // Chunks well under the format's 2 GiB limit.
    constexpr size_t kMaxChunk = size_t{1} << 30;
    while (length > 0) {
        const size_t n = std::min(length, kMaxChunk);
        png_write_chunk(png, reinterpret_cast<png_const_bytep>("IDAT"), data, n);
        data += n;
        length -= n;
    }
}

// Only plain data lives between setjmp and a longjmp out of libpng.
bool WritePngStream(files::AtomicFile& out, int32_t width, int32_t height, const std::vector<Stripe>& stripes,
                    const ZlibFrame& frame) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, OnPngError, OnPngWarning);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, &out, WriteAll, NoFlush);
    png_set_IHDR(png,
                 info,
                 static_cast<png_uint_32>(width),
                 static_cast<png_uint_32>(height),
                 8,
                 PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    // The zlib header and trailer travel in IDAT chunks of their own: the
    // chunk boundaries mean nothing to a reader.
    png_write_chunk(png, reinterpret_cast<png_const_bytep>("IDAT"), frame.header, sizeof frame.header);
    for (const Stripe& s : stripes) WriteIdat(png, s.deflated.get(), s.size);
    png_write_chunk(png, reinterpret_cast<png_const_bytep>("IDAT"), frame.trailer, sizeof frame.trailer);
    png_write_chunk(png, reinterpret_cast<png_const_bytep>("IEND"), nullptr, 0);
    png_destroy_write_struct(&png, &info);
    return true;  // the commit tells whether every write landed
}

bool ValidPixels(int32_t width, int32_t height, const std::vector<uint32_t>& pixels) {
    return width > 0 && height > 0 && pixels.size() == static_cast<size_t>(width) * static_cast<size_t>(height);
}

// The picture encoded into a new file in the folder of `path`, not yet
// under any name; nothing on failure.
std::unique_ptr<files::AtomicFile> Encoded(const std::string& path, int32_t width, int32_t height,
                                           const std::vector<uint32_t>& pixels) {
    if (!ValidPixels(width, height, pixels)) return nullptr;
    std::vector<Stripe> stripes = PlanStripes(height);
    if (!EncodeAll(pixels, width, stripes)) return nullptr;
    auto file = files::AtomicFile::Create(path, files::Links::Replace);
    if (!file || !WritePngStream(*file, width, height, stripes, FrameFor(stripes))) return nullptr;
    return file;
}

// "shot.png" and 2 give "shot (2).png"; a name without an extension gets
// the number at its end.
std::string NumberedPath(const std::string& path, int number) {
    const size_t slash = path.rfind('/');
    const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    size_t dot = path.rfind('.');
    if (dot == std::string::npos || dot <= nameStart) dot = path.size();
    return path.substr(0, dot) + " (" + std::to_string(number) + ")" + path.substr(dot);
}

constexpr int kMaxNumber = 9999;

}  // namespace

bool WriteFile(const std::string& path, int32_t width, int32_t height, const std::vector<uint32_t>& pixels) {
    // Low memory is a failed write like any other: false, nothing thrown.
    try {
        auto file = Encoded(path, width, height, pixels);
        return file && file->Commit();
    } catch (const std::bad_alloc&) {
        return false;
    }
}

std::optional<PlacedFile> WriteNewFile(const std::string& path, int32_t width, int32_t height,
                                       const std::vector<uint32_t>& pixels, const ReplacePolicy& mayReplace) {
    try {
        auto file = Encoded(path, width, height, pixels);
        PlacedFile placed;
        if (!file || !file->Identity(placed.device, placed.inode)) return std::nullopt;
        // The change time once in place; where it cannot be had the file
        // matches nothing later, so that nothing is ever replaced on a guess.
        auto inPlace = [&]() -> std::optional<PlacedFile> {
            struct stat st {};
            if (::lstat(placed.path.c_str(), &st) == 0 && st.st_dev == placed.device && st.st_ino == placed.inode)
                placed.changed = st.st_ctim;
            return placed;
        };
        // A name that empties between the attempt and the look is tried
        // again, a bounded number of times.
        for (int number = 1, attempts = 0; number <= kMaxNumber && attempts < 2 * kMaxNumber; ++attempts) {
            placed.path = number == 1 ? path : NumberedPath(path, number);
            const files::Placement placement = file->CommitNew(placed.path);
            if (placement == files::Placement::Placed) return inPlace();
            if (placement == files::Placement::Failed) return std::nullopt;
            struct stat existing {};
            if (::lstat(placed.path.c_str(), &existing) != 0) {
                if (errno == ENOENT) continue;
                return std::nullopt;
            }
            if (mayReplace(placed.path, existing)) return file->CommitOver(placed.path) ? inPlace() : std::nullopt;
            ++number;
        }
        return std::nullopt;
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

}  // namespace fw::png
