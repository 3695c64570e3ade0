// SPDX-License-Identifier: MIT
// Game controllers as keys: a held direction repeats as a keyboard's key does, and SDL's own
// virtual controller, read through the controller service or the SDL backend, gives Enter,
// Escape and arrows.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/backend/sdl/controller_keys.h"
#include "platform/backend/sdl/sdl_backend.h"
#include "platform/backend/sdl/sdl_controllers.h"

namespace {

using backend::ControllerKeys;

std::vector<int> Keys(const std::vector<backend::InputEvent>& events) {
    std::vector<int> keys;
    for (const auto& e : events) {
        EXPECT_EQ(e.type, backend::EventType::kKeyDown);
        keys.push_back(e.key);
    }
    return keys;
}

TEST(ControllerKeysTest, DirectionsDeadZoneAndRepeat) {
    // The d-pad wins over the stick; the stick's stronger axis past the dead zone counts.
    EXPECT_EQ(ControllerKeys::Arrow(true, false, false, false, 30000, 0), backend::kKeyUp);
    EXPECT_EQ(ControllerKeys::Arrow(true, true, false, true, 0, 0), backend::kKeyRight);
    EXPECT_EQ(ControllerKeys::Arrow(false, false, false, false, ControllerKeys::kDeadZone - 1,
                                    -(ControllerKeys::kDeadZone - 1)),
              0);
    EXPECT_EQ(ControllerKeys::Arrow(false, false, false, false, -20000, 15000), backend::kKeyLeft);
    EXPECT_EQ(ControllerKeys::Arrow(false, false, false, false, 2000, 20000), backend::kKeyDown);

    // Pressed at once, again after the delay, then at the rate; a late look gives one key.
    ControllerKeys keys;
    std::vector<backend::InputEvent> out;
    EXPECT_FALSE(keys.NextRepeat().has_value());
    keys.Hold(backend::kKeyDown, 1000, &out);
    keys.Hold(backend::kKeyDown, 1100, &out);  // still held: nothing new
    keys.Repeat(1499, &out);
    EXPECT_EQ(Keys(out), std::vector<int>{backend::kKeyDown});
    EXPECT_EQ(keys.NextRepeat(), 1500u);
    keys.Repeat(1500, &out);
    keys.Repeat(1532, &out);
    keys.Repeat(1533, &out);
    keys.Repeat(3000, &out);
    EXPECT_EQ(out.size(), 4u);
    EXPECT_EQ(out.back().time, 3000u);
    // Another direction is a new press; letting go stops the repeat.
    keys.Hold(backend::kKeyLeft, 3010, &out);
    keys.Hold(0, 3020, &out);
    keys.Repeat(9000, &out);
    EXPECT_EQ(Keys(out).back(), backend::kKeyLeft);
    EXPECT_EQ(out.size(), 5u);
    EXPECT_FALSE(keys.NextRepeat().has_value());
}

// SDL's virtual joystick, as a game controller: the service opens it when it comes, and a
// direction held when it goes stops repeating.
TEST(SdlControllersTest, VirtualControllerGivesKeys) {
    backend::SdlControllers controllers;
    EXPECT_EQ(controllers.Timeout(0), -1) << "nothing connected: no limit on the wait";
    const int device = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, 6,
                                                 SDL_CONTROLLER_BUTTON_MAX, 0);
    ASSERT_GE(device, 0) << SDL_GetError();
    SDL_Joystick* joystick = SDL_JoystickOpen(device);
    ASSERT_NE(joystick, nullptr) << SDL_GetError();
    EXPECT_TRUE(controllers.Read(0).empty());
    EXPECT_GE(controllers.Timeout(0), 0) << "the controller is looked at";

    const auto press = [&](SDL_GameControllerButton b, Uint8 state, std::uint64_t t) {
        SDL_JoystickSetVirtualButton(joystick, b, state);
        return Keys(controllers.Read(t));
    };
    EXPECT_EQ(press(SDL_CONTROLLER_BUTTON_A, 1, 10), std::vector<int>{backend::kKeyReturn});
    EXPECT_TRUE(press(SDL_CONTROLLER_BUTTON_A, 0, 20).empty());
    EXPECT_EQ(press(SDL_CONTROLLER_BUTTON_BACK, 1, 30), std::vector<int>{backend::kKeyEscape});
    // Events a backend's own loop took from SDL's queue: their keys once, before Read's own.
    SDL_JoystickSetVirtualButton(joystick, SDL_CONTROLLER_BUTTON_BACK, 0);
    SDL_JoystickSetVirtualButton(joystick, SDL_CONTROLLER_BUTTON_A, 1);
    SDL_Event e;
    while (SDL_PollEvent(&e) != 0) {
        controllers.Take(e, 40);
    }
    EXPECT_EQ(controllers.Timeout(40), 0) << "a key is there to be read";
    SDL_JoystickSetVirtualButton(joystick, SDL_CONTROLLER_BUTTON_A, 0);
    EXPECT_EQ(press(SDL_CONTROLLER_BUTTON_BACK, 1, 50),
              (std::vector<int>{backend::kKeyReturn, backend::kKeyEscape}));
    EXPECT_TRUE(press(SDL_CONTROLLER_BUTTON_BACK, 0, 60).empty());
    EXPECT_EQ(press(SDL_CONTROLLER_BUTTON_DPAD_DOWN, 1, 100), std::vector<int>{backend::kKeyDown});
    EXPECT_EQ(controllers.Timeout(100), 16);
    EXPECT_EQ(Keys(controllers.Read(600)), std::vector<int>{backend::kKeyDown});
    EXPECT_TRUE(press(SDL_CONTROLLER_BUTTON_DPAD_DOWN, 0, 610).empty());
    SDL_JoystickSetVirtualAxis(joystick, SDL_CONTROLLER_AXIS_LEFTX, 30000);
    EXPECT_EQ(Keys(controllers.Read(700)), std::vector<int>{backend::kKeyRight});

    // Unplugged while the stick is held: no more keys, and no limit on the wait again.
    SDL_JoystickClose(joystick);
    SDL_JoystickDetachVirtual(device);
    EXPECT_TRUE(controllers.Read(1300).empty());
    EXPECT_TRUE(controllers.Read(2000).empty());
    EXPECT_EQ(controllers.Timeout(2000), -1);
}

// The SDL backend reads controllers itself (the dummy video driver needs no display): keys go to
// its shown window, once each, and a held direction repeats while the caller waits without a
// limit.
TEST(SdlControllersTest, SdlBackendGivesKeysToItsShownWindow) {
    ASSERT_EQ(setenv("SDL_VIDEODRIVER", "dummy", 1), 0);
    std::string error;
    const auto sdl = backend::MakeSdlBackend(&error);
    ASSERT_NE(sdl, nullptr) << error;
    const int hidden = sdl->OpenWindow("hidden", {0, 0, 20, 20});
    const int shown = sdl->OpenWindow("shown", {0, 0, 20, 20});
    ASSERT_NE(hidden, 0);
    ASSERT_NE(shown, 0);
    const int device = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, 6,
                                                 SDL_CONTROLLER_BUTTON_MAX, 0);
    ASSERT_GE(device, 0) << SDL_GetError();
    SDL_Joystick* joystick = SDL_JoystickOpen(device);
    ASSERT_NE(joystick, nullptr) << SDL_GetError();
    const auto keys = [&](int timeoutMs) {
        std::vector<int> got;
        while (const auto e = sdl->WaitEvent(timeoutMs)) {
            if (e->type == backend::EventType::kKeyDown) {
                EXPECT_EQ(e->window, shown);
                got.push_back(e->key);
            }
        }
        return got;
    };

    // No window shown: nobody to give a key to.
    SDL_JoystickSetVirtualButton(joystick, SDL_CONTROLLER_BUTTON_A, 1);
    EXPECT_TRUE(keys(100).empty());
    SDL_JoystickSetVirtualButton(joystick, SDL_CONTROLLER_BUTTON_A, 0);
    EXPECT_TRUE(keys(50).empty());

    sdl->ShowWindow(shown, true);
    SDL_JoystickSetVirtualButton(joystick, SDL_CONTROLLER_BUTTON_A, 1);
    SDL_JoystickSetVirtualButton(joystick, SDL_CONTROLLER_BUTTON_BACK, 1);
    EXPECT_EQ(keys(100), (std::vector<int>{backend::kKeyReturn, backend::kKeyEscape}));
    SDL_JoystickSetVirtualButton(joystick, SDL_CONTROLLER_BUTTON_A, 0);
    SDL_JoystickSetVirtualButton(joystick, SDL_CONTROLLER_BUTTON_BACK, 0);
    EXPECT_TRUE(keys(50).empty());
    // Pressed while the backend waits: SDL's wait takes the event from the queue, and it counts.
    const auto pressA = [](Uint32 /*interval*/, void* j) -> Uint32 {
        SDL_JoystickSetVirtualButton(static_cast<SDL_Joystick*>(j), SDL_CONTROLLER_BUTTON_A, 1);
        return 0;
    };
    ASSERT_NE(SDL_AddTimer(30, pressA, joystick), 0) << SDL_GetError();
    EXPECT_EQ(keys(200), std::vector<int>{backend::kKeyReturn});
    SDL_JoystickSetVirtualButton(joystick, SDL_CONTROLLER_BUTTON_A, 0);

    SDL_JoystickSetVirtualButton(joystick, SDL_CONTROLLER_BUTTON_DPAD_UP, 1);
    const auto first = sdl->WaitEvent(1000);
    ASSERT_TRUE(first.has_value());
    EXPECT_EQ(first->key, backend::kKeyUp);
    const auto repeat = sdl->WaitEvent(-1);
    ASSERT_TRUE(repeat.has_value());
    EXPECT_EQ(repeat->key, backend::kKeyUp);
    EXPECT_EQ(repeat->window, shown);
    EXPECT_GE(repeat->time, first->time + 500);
    SDL_JoystickSetVirtualButton(joystick, SDL_CONTROLLER_BUTTON_DPAD_UP, 0);
    EXPECT_TRUE(keys(100).empty());

    SDL_JoystickClose(joystick);
    SDL_JoystickDetachVirtual(device);
}

}  // namespace
