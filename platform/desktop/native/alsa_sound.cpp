// Plays a loaded WAV on a detached worker, through ALSA's "default" device.
// Every failure on the way means silence.
#include "platform/desktop/native/alsa_sound.h"

#include <alsa/asoundlib.h>

#include <atomic>
#include <mutex>
#include <thread>

#include "platform/desktop/native/wav_file.h"

namespace native {

namespace {

// More than this many plays at once add nothing audible; the extra ones
// are dropped rather than piling up threads.
constexpr int kMaxConcurrentPlays = 2;
constexpr unsigned kLatencyMicros = 100000;

// ALSA prints its failures (no card, no server) to stderr by default.
void QuietAlsa(const char*, int, const char*, int, const char*, ...) {}

void PlayOnDevice(const WavData& wav) {
    snd_pcm_t* pcm = nullptr;
    // A non-blocking open cannot hang on a busy device; writes then block
    // on this worker only.
    if (snd_pcm_open(&pcm, "default", SND_PCM_STREAM_PLAYBACK, SND_PCM_NONBLOCK) < 0) return;
    const snd_pcm_format_t format = wav.bitsPerSample == 8 ? SND_PCM_FORMAT_U8 : SND_PCM_FORMAT_S16_LE;
    if (snd_pcm_nonblock(pcm, 0) == 0 &&
        snd_pcm_set_params(pcm, format, SND_PCM_ACCESS_RW_INTERLEAVED, wav.channels, wav.sampleRate, 1,
                           kLatencyMicros) == 0) {
        const size_t frameBytes = wav.channels * (wav.bitsPerSample / 8u);
        const uint8_t* data = wav.samples.data();
        snd_pcm_uframes_t left = wav.samples.size() / frameBytes;
        int failures = 0;
        while (left > 0 && failures < 3) {
            const snd_pcm_sframes_t n = snd_pcm_writei(pcm, data, left);
            if (n < 0) {
                ++failures;
                if (snd_pcm_recover(pcm, static_cast<int>(n), 1) < 0) break;
                continue;
            }
            data += static_cast<size_t>(n) * frameBytes;
            left -= static_cast<snd_pcm_uframes_t>(n);
        }
        snd_pcm_drain(pcm);
    }
    snd_pcm_close(pcm);
}

class AlsaWavSound : public WavSound {
public:
    explicit AlsaWavSound(WavData wav) : wav_(std::make_shared<const WavData>(std::move(wav))) {}

    void Play() override {
        static std::atomic<int> playing{0};
        if (playing.fetch_add(1) >= kMaxConcurrentPlays) {
            playing.fetch_sub(1);
            return;
        }
        try {
            // The worker shares the samples, so the sound may be released
            // while it still plays.
            std::thread([wav = wav_] {
                PlayOnDevice(*wav);
                playing.fetch_sub(1);
            }).detach();
        } catch (const std::system_error&) {
            playing.fetch_sub(1);
        }
    }

private:
    std::shared_ptr<const WavData> wav_;
};

}  // namespace

std::unique_ptr<WavSound> WavSound::Load(const std::string& path) {
    static std::once_flag quiet;
    std::call_once(quiet, [] { snd_lib_error_set_handler(&QuietAlsa); });
    std::optional<WavData> wav = ReadWavFile(path);
    if (!wav) return nullptr;
    return std::make_unique<AlsaWavSound>(std::move(*wav));
}

}  // namespace native
