// SPDX-License-Identifier: MIT
#include "platform/backend/sdl/sdl_controllers.h"

#include <algorithm>

namespace backend {
namespace {

// A connected controller is looked at this often; nothing tells when it has something to say.
constexpr int kLookEveryMs = 16;

int ArrowOf(SDL_GameController* c) {
    const auto held = [c](SDL_GameControllerButton b) {
        return SDL_GameControllerGetButton(c, b) != 0;
    };
    return ControllerKeys::Arrow(
        held(SDL_CONTROLLER_BUTTON_DPAD_UP), held(SDL_CONTROLLER_BUTTON_DPAD_DOWN),
        held(SDL_CONTROLLER_BUTTON_DPAD_LEFT), held(SDL_CONTROLLER_BUTTON_DPAD_RIGHT),
        SDL_GameControllerGetAxis(c, SDL_CONTROLLER_AXIS_LEFTX),
        SDL_GameControllerGetAxis(c, SDL_CONTROLLER_AXIS_LEFTY));
}

}  // namespace

SdlControllers::SdlControllers() {
    // Ctrl+C and SIGTERM stay the launcher's: SDL would turn them into SDL_QUIT events.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // SDL drops a controller's events while it has windows and none of them has the keyboard;
    // the menu takes them as it does under X11, where SDL has no windows.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    m_started = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
}

SdlControllers::~SdlControllers() {
    for (auto& [id, pad] : m_pads) {
        SDL_GameControllerClose(pad.controller);
    }
    if (m_started) {
        SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    }
}

bool SdlControllers::Ours(const SDL_Event& e) {
    return e.type >= SDL_CONTROLLERAXISMOTION && e.type <= SDL_CONTROLLERDEVICEREMAPPED;
}

void SdlControllers::Take(const SDL_Event& e, std::uint64_t now) {
    if (m_started && Ours(e)) {
        Apply(e, now, &m_taken);
    }
}

void SdlControllers::Apply(const SDL_Event& e, std::uint64_t now, std::vector<InputEvent>* out) {
    switch (e.type) {
        case SDL_CONTROLLERDEVICEADDED:
            if (SDL_GameController* c = SDL_GameControllerOpen(e.cdevice.which)) {
                m_pads[SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(c))].controller = c;
            }
            return;
        case SDL_CONTROLLERDEVICEREMOVED:
            // Its held direction goes with it.
            if (const auto it = m_pads.find(e.cdevice.which); it != m_pads.end()) {
                SDL_GameControllerClose(it->second.controller);
                m_pads.erase(it);
            }
            return;
        default:
            break;
    }
    const auto it =
        m_pads.find(e.type == SDL_CONTROLLERAXISMOTION ? e.caxis.which : e.cbutton.which);
    if (it == m_pads.end()) {
        return;
    }
    Pad& pad = it->second;
    if (e.type == SDL_CONTROLLERBUTTONDOWN && e.cbutton.button == SDL_CONTROLLER_BUTTON_A) {
        out->push_back(PressedKey(kKeyReturn, now));
    } else if (e.type == SDL_CONTROLLERBUTTONDOWN &&
               e.cbutton.button == SDL_CONTROLLER_BUTTON_BACK) {
        out->push_back(PressedKey(kKeyEscape, now));
    } else {
        pad.keys.Hold(ArrowOf(pad.controller), now, out);
    }
}

std::vector<InputEvent> SdlControllers::Read(std::uint64_t now) {
    std::vector<InputEvent> out;
    out.swap(m_taken);
    if (!m_started) {
        return out;
    }
    SDL_PumpEvents();
    SDL_Event events[32];
    int n = 0;
    // The range of Ours.
    while ((n = SDL_PeepEvents(events, 32, SDL_GETEVENT, SDL_CONTROLLERAXISMOTION,
                               SDL_CONTROLLERDEVICEREMAPPED)) > 0) {
        for (int i = 0; i < n; ++i) {
            Apply(events[i], now, &out);
        }
    }
    // What the joysticks said in their own terms is said again above, where it matters.
    SDL_FlushEvents(SDL_JOYAXISMOTION, SDL_CONTROLLERAXISMOTION - 1);
    for (auto& [id, pad] : m_pads) {
        pad.keys.Repeat(now, &out);
    }
    return out;
}

int SdlControllers::Timeout(std::uint64_t now) {
    if (!m_taken.empty()) {
        return 0;
    }
    if (m_pads.empty()) {
        return -1;
    }
    std::uint64_t wait = kLookEveryMs;
    for (const auto& [id, pad] : m_pads) {
        if (const auto due = pad.keys.NextRepeat()) {
            wait = std::min(wait, *due > now ? *due - now : 0);
        }
    }
    return static_cast<int>(wait);
}

}  // namespace backend
