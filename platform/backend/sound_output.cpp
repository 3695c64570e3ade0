// SPDX-License-Identifier: MIT
#include "platform/backend/sound_output.h"

#include "platform/backend/module.h"

namespace backend {
namespace {

// Made by the SDL module (sdl/module.cpp); null without an audio stack.
using MakeSound = SoundOutput* (*)();

std::unique_ptr<SoundOutput> LoadOutput() {
    void* entry = LoadModuleEntry("menushell_sdl.so", "menushell_make_sdl_sound");
    if (entry == nullptr) {
        return nullptr;
    }
    return std::unique_ptr<SoundOutput>(AsFunction<MakeSound>(entry)());
}

}  // namespace

LazySoundOutput::~LazySoundOutput() {
    if (m_loader.joinable()) {
        m_loader.join();
    }
}

void LazySoundOutput::Prepare() {
    if (!m_started) {
        m_started = true;
        m_loader = std::thread([this] { m_output = LoadOutput(); });
    }
}

void LazySoundOutput::Play(const std::vector<std::uint8_t>& wav) {
    if (wav.empty() && !m_started) {
        return;  // nothing has played: nothing to stop
    }
    Prepare();
    if (m_loader.joinable()) {
        m_loader.join();
    }
    if (m_output) {
        m_output->Play(wav);
    }
}

}  // namespace backend
