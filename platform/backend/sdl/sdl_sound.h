// SPDX-License-Identifier: MIT
// Sounds through SDL's audio subsystem, on a thread of their own so that neither opening the
// device nor reaching the sound server holds up the window. The device is opened for a sound,
// in that sound's own format, and closed again once it has played out; a machine without one
// plays nothing.
#pragma once

#include <SDL.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
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

    void Run();
    // On the sound thread only, as every SDL call of this class.
    void Start(const std::vector<std::uint8_t>& wav);
    bool OpenDevice(const SDL_AudioSpec& first);
    void Queue(const SDL_AudioSpec& format, const Uint8* buffer, Uint32 length);
    void CloseDevice();

    std::mutex m_lock;  // what Play hands over
    std::condition_variable m_changed;
    std::optional<std::vector<std::uint8_t>> m_next;  // empty bytes: stop
    bool m_quit = false;
    std::thread m_thread;

    SDL_AudioDeviceID m_audio = 0;
    SDL_AudioSpec m_device{};
    bool m_failed = false;          // no device for the first sound
    Clock::time_point m_playedOut;  // when what is queued has played
};

}  // namespace backend
