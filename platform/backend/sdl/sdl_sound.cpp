// SPDX-License-Identifier: MIT
#include "platform/backend/sdl/sdl_sound.h"

#include <sys/stat.h>

#include <algorithm>

#include "platform/backend/sdl/sdl_compat.h"

namespace backend {
namespace {

// Time for the device's last buffers after the queue has run dry.
constexpr auto kTail = std::chrono::milliseconds(100);
// About six minutes of 48 kHz 16-bit stereo.
constexpr std::uint64_t kMostConvertedBytes = std::uint64_t{64} << 20;

}  // namespace

SdlSound::SdlSound() {
    // SIGINT and SIGTERM end the program as they end any other.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // Without sound cards, ALSA (SDL's next choice after a sound server) writes eight lines of
    // errors to standard error: only a sound server is tried then. SDL_AUDIODRIVER still wins.
    // Once: the hint holds for every time the device opens again.
    struct stat st {};
    if (stat("/dev/snd", &st) != 0) {
        SDL_SetHintWithPriority(kSdlHintAudioDriver, "pulseaudio", SDL_HINT_DEFAULT);
    }
    m_thread = std::thread([this] { Run(); });
}

SdlSound::~SdlSound() {
    {
        const std::lock_guard<std::mutex> guard(m_lock);
        m_quit = true;
    }
    m_changed.notify_all();
    m_thread.join();
}

void SdlSound::Play(const std::vector<std::uint8_t>& wav) {
    {
        const std::lock_guard<std::mutex> guard(m_lock);
        m_next = wav;  // replaces a sound not started yet: the newest one plays
    }
    m_changed.notify_all();
}

// An open device runs a thread that wakes for every buffer, silence or not, and some audio
// drivers (ALSA's) poll for devices while the subsystem runs: a menu at rest should cost
// nothing, so both stop once a sound has played, and the next sound starts them again.
void SdlSound::Run() {
    std::unique_lock<std::mutex> lock(m_lock);
    while (!m_quit) {
        if (m_next) {
            const std::vector<std::uint8_t> wav = std::move(*m_next);
            m_next.reset();
            lock.unlock();
            Start(wav);
            lock.lock();
        } else if (m_audio == 0) {
            m_changed.wait(lock);
        } else if (Clock::now() < m_playedOut) {
            m_changed.wait_until(lock, m_playedOut);
        } else if (SDL_GetQueuedAudioSize(m_audio) == 0) {
            CloseDevice();
        } else {
            m_changed.wait_for(lock, kTail);  // the device is behind the clock
        }
    }
    CloseDevice();
}

void SdlSound::Start(const std::vector<std::uint8_t>& wav) {
    if (wav.empty()) {
        if (m_audio != 0) {
            SDL_ClearQueuedAudio(m_audio);
        }
        return;
    }
    SDL_AudioSpec format{};
    Uint8* buffer = nullptr;
    Uint32 length = 0;
    SDL_RWops* rw = SDL_RWFromConstMem(wav.data(), static_cast<int>(wav.size()));
    if (rw == nullptr || SDL_LoadWAV_RW(rw, 1, &format, &buffer, &length) == nullptr) {
        return;  // not a WAV that SDL can decode: nothing plays
    }
    if (OpenDevice(format)) {
        Queue(format, buffer, length);
    }
    SDL_FreeWAV(buffer);
}

bool SdlSound::OpenDevice(const SDL_AudioSpec& first) {
    if (m_audio != 0) {
        return true;
    }
    // A machine that had no device for the first sound is not asked again for every hover.
    if (m_failed || SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        m_failed = true;
        return false;
    }
    SDL_AudioSpec wanted = first;
    wanted.callback = nullptr;
    // A sound starts with the device's next buffer, so buffers of about 5 ms (SDL's default for
    // a WAV's rate is 4096 samples, 186 ms at 22 kHz).
    wanted.samples = 64;
    while (wanted.samples < 8192 && wanted.samples * 200 < first.freq) {
        wanted.samples = static_cast<Uint16>(wanted.samples * 2);
    }
    m_audio = SDL_OpenAudioDevice(nullptr, 0, &wanted, &m_device, SDL_AUDIO_ALLOW_ANY_CHANGE);
    if (m_audio == 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        m_failed = true;
    }
    return m_audio != 0;
}

void SdlSound::CloseDevice() {
    if (m_audio != 0) {
        SDL_CloseAudioDevice(m_audio);
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        m_audio = 0;
    }
}

// Converts to the device's format, then replaces whatever is still queued.
void SdlSound::Queue(const SDL_AudioSpec& format, const Uint8* buffer, Uint32 length) {
    SDL_AudioCVT cvt;
    if (SDL_BuildAudioCVT(&cvt, format.format, format.channels, format.freq, m_device.format,
                          m_device.channels, m_device.freq) < 0) {
        return;
    }
    // A header may claim a rate of 1 Hz: converted to the device's rate, a small file would
    // grow past what SDL's int lengths hold. No menu sound needs more than this.
    const std::uint64_t converted = std::uint64_t{length} * std::max(1, cvt.len_mult);
    if (converted > kMostConvertedBytes) {
        return;
    }
    std::vector<Uint8> data(static_cast<std::size_t>(converted));
    std::copy_n(buffer, length, data.begin());
    cvt.buf = data.data();
    cvt.len = static_cast<int>(length);
    if (cvt.needed != 0 && SDL_ConvertAudio(&cvt) != 0) {
        return;
    }
    const auto bytes =
        static_cast<Uint32>(cvt.needed != 0 ? cvt.len_cvt : static_cast<int>(length));
    SDL_ClearQueuedAudio(m_audio);
    SDL_QueueAudio(m_audio, data.data(), bytes);
    SDL_PauseAudioDevice(m_audio, 0);
    const double perSecond = static_cast<double>(m_device.freq) * m_device.channels *
                             (SDL_AUDIO_BITSIZE(m_device.format) / 8);
    m_playedOut = Clock::now() +
                  std::chrono::milliseconds(static_cast<long>(1000.0 * bytes / perSecond)) + kTail;
}

}  // namespace backend
