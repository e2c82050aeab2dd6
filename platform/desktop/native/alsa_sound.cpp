// Plays a loaded WAV on a detached worker, through ALSA's "default" device.
// Every failure on the way means silence.
#include "platform/desktop/native/alsa_sound.h"

#include <alsa/asoundlib.h>

#include <chrono>
#include <condition_variable>
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
        snd_pcm_set_params(
            pcm, format, SND_PCM_ACCESS_RW_INTERLEAVED, wav.channels, wav.sampleRate, 1, kLatencyMicros) == 0) {
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

// The plays still running; the sound waits a little for them when released,
// so that a play started just before the program ends does not run into the
// library's teardown at exit.
struct Plays {
    std::mutex mutex;
    std::condition_variable done;
    int running = 0;
};

class AlsaWavSound : public WavSound {
public:
    explicit AlsaWavSound(WavData wav)
        : wav_(std::make_shared<const WavData>(std::move(wav))), plays_(std::make_shared<Plays>()) {}

    ~AlsaWavSound() override {
        std::unique_lock lock(plays_->mutex);
        plays_->done.wait_for(lock, kExitWait, [&] { return plays_->running == 0; });
    }

    void Play() override {
        {
            std::lock_guard lock(plays_->mutex);
            if (plays_->running >= kMaxConcurrentPlays) return;
            ++plays_->running;
        }
        try {
            // The worker shares the samples and the count, so the sound may
            // be released while it still plays.
            std::thread([wav = wav_, plays = plays_] {
                PlayOnDevice(*wav);
                Finished(*plays);
            }).detach();
        } catch (const std::system_error&) {
            Finished(*plays_);
        }
    }

private:
    static constexpr std::chrono::milliseconds kExitWait{500};

    static void Finished(Plays& plays) {
        std::lock_guard lock(plays.mutex);
        --plays.running;
        plays.done.notify_all();
    }

    std::shared_ptr<const WavData> wav_;
    std::shared_ptr<Plays> plays_;
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
