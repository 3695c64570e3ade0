// SPDX-License-Identifier: MIT
// The game controllers SDL's database knows, read through its game-controller subsystem and given
// as keys (controller_keys.h). A joystick SDL has no mapping for is passed over without a word.
#pragma once

#include <SDL.h>

#include <map>
#include <vector>

#include "platform/backend/controllers.h"
#include "platform/backend/sdl/controller_keys.h"

namespace backend {

class SdlControllers : public Controllers {
  public:
    SdlControllers();
    ~SdlControllers() override;
    SdlControllers(const SdlControllers&) = delete;
    SdlControllers& operator=(const SdlControllers&) = delete;

    std::vector<InputEvent> Read(std::uint64_t now) override;
    int Timeout(std::uint64_t now) override;

    // For a backend whose own loop takes SDL's events: one of the controllers' events it took
    // (Ours says which), whose keys the next Read gives before any others.
    static bool Ours(const SDL_Event& e);
    void Take(const SDL_Event& e, std::uint64_t now);

  private:
    struct Pad {
        SDL_GameController* controller = nullptr;
        ControllerKeys keys;
    };
    void Apply(const SDL_Event& e, std::uint64_t now, std::vector<InputEvent>* out);

    bool m_started = false;
    std::map<SDL_JoystickID, Pad> m_pads;
    std::vector<InputEvent> m_taken;  // keys of the events Take was given, for the next Read
};

}  // namespace backend
