// SPDX-License-Identifier: MIT
// Sounds through SDL's audio, written by its disk driver to a file instead of a sound card: a
// sound whose header claims a rate of 1 Hz is refused rather than grown past what SDL's
// conversion can hold, and the sounds after it still play.
#include "platform/backend/sdl/sdl_sound.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "tests/helpers/bmp_writer.h"
#include "tests/helpers/scratch_folder.h"

// SDL keeps a thread-local block for each thread that calls it, freed only for threads that SDL
// started itself: the sound thread's is SDL's to lose.
extern "C" const char* __lsan_default_suppressions() {  // NOLINT(bugprone-reserved-identifier)
    return "leak:libSDL2\n";
}

namespace {

// An 8-bit mono PCM WAV of `samples` samples at `rate` Hz.
std::vector<std::uint8_t> Wav(std::uint32_t rate, std::uint32_t samples) {
    std::string out = "RIFF";
    testing_support::Put(out, 36 + samples);
    out += "WAVEfmt ";
    testing_support::Put(out, 16);
    testing_support::Put(out, 1, 2);  // PCM
    testing_support::Put(out, 1, 2);  // mono
    testing_support::Put(out, rate);
    testing_support::Put(out, rate);  // bytes a second
    testing_support::Put(out, 1, 2);  // block
    testing_support::Put(out, 8, 2);  // bits
    out += "data";
    testing_support::Put(out, samples);
    out.append(samples, '\x80');
    return {out.begin(), out.end()};
}

// The disk driver's output grows past `size` bytes within a few seconds.
bool GrowsPast(const std::string& file, std::uintmax_t size) {
    for (int i = 0; i < 500; ++i) {
        std::error_code missing;
        const std::uintmax_t now = std::filesystem::file_size(file, missing);
        if (!missing && now > size) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

TEST(SdlSoundTest, ARateOfOneHertzIsRefusedAndPlayingGoesOn) {
    testing_support::ScratchFolder folder;
    const std::string out = folder.Path() + "/heard.raw";
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", out.c_str(), 1);
    backend::SdlSound sound;
    sound.Play(Wav(22050, 22050));
    ASSERT_TRUE(GrowsPast(out, 0)) << "the first sound never played";
    // 500 KB at 1 Hz while the device runs at 22 kHz: four months of sound, gigabytes converted.
    sound.Play(Wav(1, 500000));
    // The device goes on writing (silence, once its queue is empty) while the sound thread
    // takes the new sound; then one more.
    ASSERT_TRUE(GrowsPast(out, std::filesystem::file_size(out) + 4096));
    sound.Play(Wav(22050, 22050));
    EXPECT_TRUE(GrowsPast(out, std::filesystem::file_size(out) + 4096))
        << "no sound after the refused one";
}

}  // namespace
