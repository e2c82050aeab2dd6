// The PCM samples of a RIFF/WAVE file: 8 or 16 bits, one or two channels.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace native {

struct WavData {
    uint16_t channels = 0;
    uint32_t sampleRate = 0;
    uint16_t bitsPerSample = 0;
    std::vector<uint8_t> samples;  // interleaved frames as stored (little-endian)
};

// nullopt when the bytes are not such a file.
std::optional<WavData> ParseWav(const std::vector<uint8_t>& bytes);
std::optional<WavData> ReadWavFile(const std::string& path);

}  // namespace native
