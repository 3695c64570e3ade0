// SPDX-License-Identifier: MIT
// Where sounds go on a real system: a new sound cuts off what still plays.
#pragma once

#include <cstdint>
#include <memory>
#include <thread>
#include <vector>

namespace backend {

class SoundOutput {
  public:
    virtual ~SoundOutput() = default;
    // Plays the bytes of a WAV file, cutting off what still plays; empty bytes only stop it.
    virtual void Play(const std::vector<std::uint8_t>& wav) = 0;
};

// The audio output, prepared away from start-up: loading SDL and the audio libraries takes
// tens of milliseconds a menu's first frame should not wait for. Prepare() starts that in the
// background; the first Play() waits for it (or does it, if never started).
class LazySoundOutput {
  public:
    LazySoundOutput() = default;
    LazySoundOutput(const LazySoundOutput&) = delete;
    LazySoundOutput& operator=(const LazySoundOutput&) = delete;
    ~LazySoundOutput();

    void Prepare();
    void Play(const std::vector<std::uint8_t>& wav);

  private:
    std::thread m_loader;
    bool m_started = false;
    std::unique_ptr<SoundOutput> m_output;  // null: no audio output on this machine
};

}  // namespace backend
