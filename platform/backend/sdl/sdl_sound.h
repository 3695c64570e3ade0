// Sounds through SDL's audio subsystem: the device is opened on the first sound, in that
// sound's own format; a machine without one plays nothing.
#pragma once

#include <SDL.h>

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
    bool OpenDevice(const SDL_AudioSpec& first);
    void Queue(const SDL_AudioSpec& format, const Uint8* buffer, Uint32 length);

    bool m_ready = false;  // the audio subsystem started
    SDL_AudioDeviceID m_audio = 0;
    SDL_AudioSpec m_device{};
    bool m_failed = false;
};

}  // namespace backend
