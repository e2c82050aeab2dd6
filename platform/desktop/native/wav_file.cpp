#include "platform/desktop/native/wav_file.h"

#include "platform/core/read_file.h"

#include <cstring>
#include <iterator>

namespace native {

namespace {

constexpr uint16_t kFormatPcm = 1;
constexpr uint16_t kFormatExtensible = 0xFFFE;
// Larger than any short sound needs; keeps a stray file from eating memory.
constexpr size_t kMaxFileBytes = 16u << 20;

uint32_t Le32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24; }
uint16_t Le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

}  // namespace

std::optional<WavData> ParseWav(const std::vector<uint8_t>& bytes) {
    if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) != 0 || std::memcmp(bytes.data() + 8, "WAVE", 4) != 0)
        return std::nullopt;
    WavData wav;
    bool haveFormat = false, haveData = false;
    size_t at = 12;
    while (at + 8 <= bytes.size() && !haveData) {
        const uint8_t* header = bytes.data() + at;
        const size_t size = Le32(header + 4);
        const size_t body = at + 8;
        if (size > bytes.size() - body) {
            // A data chunk cut short (a recorder that never fixed its
            // header) still plays what is there; any other is broken.
            if (std::memcmp(header, "data", 4) != 0) return std::nullopt;
        }
        const size_t available = std::min(size, bytes.size() - body);
        if (std::memcmp(header, "fmt ", 4) == 0) {
            if (available < 16) return std::nullopt;
            const uint8_t* f = bytes.data() + body;
            uint16_t format = Le16(f);
            if (format == kFormatExtensible && available >= 26) format = Le16(f + 24);  // the sub-format's tag
            if (format != kFormatPcm) return std::nullopt;
            wav.channels = Le16(f + 2);
            wav.sampleRate = Le32(f + 4);
            wav.bitsPerSample = Le16(f + 14);
            haveFormat = true;
        } else if (std::memcmp(header, "data", 4) == 0) {
            if (!haveFormat) return std::nullopt;
            wav.samples.assign(bytes.begin() + static_cast<std::ptrdiff_t>(body),
                               bytes.begin() + static_cast<std::ptrdiff_t>(body + available));
            haveData = true;
        }
        at = body + available + (available & 1);  // chunks are padded to even sizes
    }
    const bool supported = (wav.channels == 1 || wav.channels == 2) &&
                           (wav.bitsPerSample == 8 || wav.bitsPerSample == 16) && wav.sampleRate >= 1000 &&
                           wav.sampleRate <= 384000;
    if (!haveData || !supported) return std::nullopt;
    const size_t frameBytes = wav.channels * (wav.bitsPerSample / 8u);
    wav.samples.resize(wav.samples.size() / frameBytes * frameBytes);
    return wav;
}

std::optional<WavData> ReadWavFile(const std::string& path) {
    const auto content = fw::files::ReadRegularFile(path, kMaxFileBytes);
    if (!content) return std::nullopt;
    return ParseWav(std::vector<uint8_t>(content->begin(), content->end()));
}

}  // namespace native
