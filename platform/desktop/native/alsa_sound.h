// A short WAV file played asynchronously through ALSA. Without an audio
// device: silence, never an error or a stall.
#pragma once
#include <memory>
#include <string>

namespace native {

class WavSound {
public:
    // nullptr when the file is not a PCM WAV that can be read.
    static std::unique_ptr<WavSound> Load(const std::string& path);
    virtual ~WavSound() = default;
    // Starts playback on a worker thread and returns at once.
    virtual void Play() = 0;
};

}  // namespace native
