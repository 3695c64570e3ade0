// Sounds through SDL's audio subsystem: the device is opened for a sound, in that sound's own
// format, and closed again once it has played out; a machine without one plays nothing.
#pragma once

#include <SDL.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "platform/backend/sound_output.h"

namespace backend {

class SdlSound : public SoundOutput {
  public:
    SdlSound();
    ~SdlSound() override;
    SdlSound(const SdlSound&) = delete;
    SdlSound& operator=(const SdlSound&) = delete;

    void Play(const std::vector<std::uint8_t>& wav) override;

  private:
    using Clock = std::chrono::steady_clock;

    bool OpenDevice(const SDL_AudioSpec& first);
    void Queue(const SDL_AudioSpec& format, const Uint8* buffer, Uint32 length);
    void CloseWhenPlayed();

    std::mutex m_lock;  // the device, between Play and the closer
    std::condition_variable m_changed;
    std::thread m_closer;
    bool m_quit = false;
    Clock::time_point m_playedOut;  // when what is queued has played

    bool m_ready = false;  // the audio subsystem started
    bool m_failed = false;
    SDL_AudioDeviceID m_audio = 0;
    SDL_AudioSpec m_device{};
};

}  // namespace backend
