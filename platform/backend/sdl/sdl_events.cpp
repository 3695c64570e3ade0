// SPDX-License-Identifier: MIT
#include "platform/backend/sdl/sdl_events.h"

#include "platform/backend/sdl/sdl_compat.h"

namespace backend {
namespace {

// SDL clamps the position of the motion it makes up when the pointer leaves the window to
// the window's edge; where the pointer really is, outside, is what the layer needs to know.
void RealPosition(Uint32 windowId, int* x, int* y) {
    SDL_Window* window = SDL_GetWindowFromID(windowId);
    int width = 0;
    int height = 0;
    if (window == nullptr) {
        return;
    }
    SDL_GetWindowSize(window, &width, &height);
    if (*x > 0 && *y > 0 && *x < width - 1 && *y < height - 1) {
        return;  // off the edge: a real position
    }
    int globalX = 0;
    int globalY = 0;
    int left = 0;
    int top = 0;
    SDL_GetGlobalMouseState(&globalX, &globalY);
    SDL_GetWindowPosition(window, &left, &top);
    *x = globalX - left;
    *y = globalY - top;
}

// The keys the layer is told of; 0 for any other. The keypad's arrows count as arrows.
int VirtualKey(SDL_Keycode key) {
    switch (key) {
        case SDLK_ESCAPE:
            return kKeyEscape;
        case SDLK_RETURN:
        case SDLK_KP_ENTER:
            return kKeyReturn;
        case SDLK_TAB:
            return kKeyTab;
        case SDLK_SPACE:
            return kKeySpace;
        case SDLK_LEFT:
        case SDLK_KP_4:
            return kKeyLeft;
        case SDLK_UP:
        case SDLK_KP_8:
            return kKeyUp;
        case SDLK_RIGHT:
        case SDLK_KP_6:
            return kKeyRight;
        case SDLK_DOWN:
        case SDLK_KP_2:
            return kKeyDown;
        default:
            return 0;
    }
}

}  // namespace

std::optional<InputEvent> TranslateSdlInput(const SDL_Event& e) {
    InputEvent event;
    switch (e.type) {
        case SDL_MOUSEMOTION:
            event.type = EventType::kMouseMove;
            event.window = static_cast<int>(e.motion.windowID);
            event.x = e.motion.x;
            event.y = e.motion.y;
            event.time = SdlEventTime(e.motion.timestamp);
            RealPosition(e.motion.windowID, &event.x, &event.y);
            return event;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            if (e.button.button != SDL_BUTTON_LEFT && e.button.button != SDL_BUTTON_RIGHT) {
                return std::nullopt;
            }
            event.type =
                e.type == SDL_MOUSEBUTTONDOWN ? EventType::kMouseDown : EventType::kMouseUp;
            event.window = static_cast<int>(e.button.windowID);
            event.x = e.button.x;
            event.y = e.button.y;
            event.button =
                e.button.button == SDL_BUTTON_LEFT ? MouseButton::kLeft : MouseButton::kRight;
            event.time = SdlEventTime(e.button.timestamp);
            return event;
        case SDL_KEYDOWN:
            event.type = EventType::kKeyDown;
            event.window = static_cast<int>(e.key.windowID);
            event.shift = (e.key.keysym.mod & KMOD_SHIFT) != 0;
            if (e.key.keysym.sym == SDLK_F4) {
                if ((e.key.keysym.mod & KMOD_ALT) == 0) {
                    return std::nullopt;
                }
                event.key = kKeyF4;
                event.alt = true;
                return event;
            }
            event.key = VirtualKey(e.key.keysym.sym);
            if (event.key == 0) {
                return std::nullopt;
            }
            return event;
        case SDL_WINDOWEVENT:
            event.window = static_cast<int>(e.window.windowID);
            switch (e.window.event) {
                case SDL_WINDOWEVENT_CLOSE:
                    event.type = EventType::kClose;
                    return event;
                case SDL_WINDOWEVENT_MINIMIZED:
                    event.type = EventType::kMinimize;
                    return event;
                case SDL_WINDOWEVENT_RESTORED:
                    event.type = EventType::kRestore;
                    return event;
                default:
                    return std::nullopt;
            }
        default:
            return std::nullopt;
    }
}

}  // namespace backend
