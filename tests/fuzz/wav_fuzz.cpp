// The shutter sound's reader on any bytes: a file it accepts is one the
// sound output can play, whole frames of samples taken from the file.
#include "platform/desktop/native/wav_file.h"
#include "tests/fuzz/fuzz_support.h"

using fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<uint8_t> bytes(data, data + size);
    const auto wav = native::ParseWav(bytes);
    if (!wav) return 0;
    Require(wav->channels == 1 || wav->channels == 2, "one or two channels");
    Require(wav->bitsPerSample == 8 || wav->bitsPerSample == 16, "8 or 16 bits");
    Require(wav->sampleRate >= 1000 && wav->sampleRate <= 384000, "a sample rate the output takes");
    Require(wav->samples.size() <= size, "no more samples than the file holds");
    Require(wav->samples.size() % (wav->channels * wav->bitsPerSample / 8u) == 0, "whole frames");
    return 0;
}
