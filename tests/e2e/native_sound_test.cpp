// The WAV reader and the sound player: which files load, and playing on a
// machine that may have no audio device at all.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <sys/stat.h>

#include "platform/desktop/native/alsa_sound.h"
#include "platform/desktop/native/wav_file.h"

namespace {

namespace fs = std::filesystem;

void Put16(std::vector<uint8_t>& b, uint32_t v) {
    b.push_back(v & 0xFF);
    b.push_back((v >> 8) & 0xFF);
}
void Put32(std::vector<uint8_t>& b, uint32_t v) {
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}
void PutTag(std::vector<uint8_t>& b, const char* tag) { b.insert(b.end(), tag, tag + 4); }

struct WavSpec {
    uint16_t format = 1, channels = 1, bits = 16;
    uint32_t rate = 44100;
    uint32_t dataBytes = 8;
    bool listChunkFirst = false;  // an odd-sized chunk before "fmt "
    bool dataBeforeFormat = false;
    uint32_t claimedDataBytes = 0;  // 0: the real size
};

std::vector<uint8_t> MakeWav(const WavSpec& s) {
    std::vector<uint8_t> fmt, data, out;
    PutTag(fmt, "fmt ");
    Put32(fmt, 16);
    Put16(fmt, s.format);
    Put16(fmt, s.channels);
    Put32(fmt, s.rate);
    Put32(fmt, s.rate * s.channels * s.bits / 8);
    Put16(fmt, s.channels * s.bits / 8);
    Put16(fmt, s.bits);
    PutTag(data, "data");
    Put32(data, s.claimedDataBytes ? s.claimedDataBytes : s.dataBytes);
    for (uint32_t i = 0; i < s.dataBytes; ++i) data.push_back(static_cast<uint8_t>(i * 37));
    std::vector<uint8_t> body;
    PutTag(body, "WAVE");
    if (s.listChunkFirst) {
        PutTag(body, "LIST");
        Put32(body, 3);
        body.insert(body.end(), {'a', 'b', 'c', 0});  // padded to even
    }
    const auto& first = s.dataBeforeFormat ? data : fmt;
    const auto& second = s.dataBeforeFormat ? fmt : data;
    body.insert(body.end(), first.begin(), first.end());
    body.insert(body.end(), second.begin(), second.end());
    PutTag(out, "RIFF");
    Put32(out, static_cast<uint32_t>(body.size()));
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

TEST(WavFile, ReadsPcmOfEightAndSixteenBitsMonoAndStereo) {
    struct Case {
        const char* what;
        WavSpec spec;
        size_t samples;  // bytes kept: whole frames only
    };
    const Case cases[] = {
        {"16-bit mono", {}, 8},
        {"8-bit stereo", {.channels = 2, .bits = 8, .rate = 22050, .dataBytes = 6}, 6},
        {"16-bit stereo, a trailing half frame dropped", {.channels = 2, .dataBytes = 10}, 8},
        {"another chunk first", {.listChunkFirst = true}, 8},
        {"data size past the end of the file", {.dataBytes = 6, .claimedDataBytes = 1000}, 6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto wav = native::ParseWav(MakeWav(c.spec));
        ASSERT_TRUE(wav.has_value());
        EXPECT_EQ(wav->channels, c.spec.channels);
        EXPECT_EQ(wav->bitsPerSample, c.spec.bits);
        EXPECT_EQ(wav->sampleRate, c.spec.rate);
        EXPECT_EQ(wav->samples.size(), c.samples);
        ASSERT_GE(wav->samples.size(), 2u);
        EXPECT_EQ(wav->samples[1], 37);
    }
}

TEST(WavFile, RefusesWhatItCannotPlay) {
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
    };
    std::vector<uint8_t> notRiff = MakeWav({});
    std::memcpy(notRiff.data(), "RIFX", 4);
    std::vector<uint8_t> shortFormat = MakeWav({});
    shortFormat[16] = 8;  // "fmt " claims 8 bytes
    const std::vector<uint8_t> whole = MakeWav({});
    const Case cases[] = {
        {"empty", {}},
        {"not RIFF", notRiff},
        {"cut inside the header", std::vector<uint8_t>(whole.begin(), whole.begin() + 20)},
        {"format chunk too short", shortFormat},
        {"compressed (format 2)", MakeWav({.format = 2})},
        {"24-bit", MakeWav({.bits = 24, .dataBytes = 6})},
        {"six channels", MakeWav({.channels = 6, .dataBytes = 24})},
        {"data before the format", MakeWav({.dataBeforeFormat = true})},
        {"no sample rate", MakeWav({.rate = 0})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_FALSE(native::ParseWav(c.bytes).has_value());
    }
}

TEST(WavSound, ShutterSoundLoadsAndPlaysWithOrWithoutADevice) {
    const std::string path = std::string(QUORREL_SOURCE_DIR) + "/resources/Shutter.wav";
    const auto wav = native::ReadWavFile(path);
    ASSERT_TRUE(wav.has_value());
    EXPECT_EQ(wav->channels, 1);
    EXPECT_EQ(wav->bitsPerSample, 16);
    EXPECT_EQ(wav->sampleRate, 44100u);
    // A short click: a tenth to a quarter of a second.
    const double seconds = wav->samples.size() / 2.0 / wav->sampleRate;
    EXPECT_GT(seconds, 0.1);
    EXPECT_LT(seconds, 0.25);

    auto sound = native::WavSound::Load(path);
    ASSERT_NE(sound, nullptr);
    // Overlapping plays (more than are kept), then the sound released while
    // its workers may still be playing it: no crash, no error. The release
    // waits for them, so a fault of theirs shows in this test.
    for (int i = 0; i < 4; ++i) sound->Play();
    sound.reset();
}

TEST(WavSound, FilesThatAreNotSoundsGiveNothing) {
    char pattern[] = "/tmp/quorrel-sound-test-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const fs::path folder = pattern;
    std::ofstream(folder / "text.wav") << "not a sound";
    EXPECT_EQ(native::WavSound::Load((folder / "text.wav").string()), nullptr);
    EXPECT_EQ(native::WavSound::Load((folder / "missing.wav").string()), nullptr);
    EXPECT_EQ(native::WavSound::Load(folder.string()), nullptr);  // a folder
    // A FIFO no one writes to is not waited on.
    ASSERT_EQ(mkfifo((folder / "fifo.wav").c_str(), 0644), 0);
    EXPECT_EQ(native::WavSound::Load((folder / "fifo.wav").string()), nullptr);
    fs::remove_all(folder);
}

}  // namespace
