// SPDX-License-Identifier: MIT
// Game controllers for a backend that reads none itself (x11): /dev/input is watched with
// inotify, which costs nothing while no joystick is there; once one is (at start, or plugged in
// while the menu runs) the SDL module's controller service is loaded and its keys handed on.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/backend/controllers.h"

namespace backend {

class ControllerInput {
  public:
    ControllerInput();
    ~ControllerInput();
    ControllerInput(const ControllerInput&) = delete;
    ControllerInput& operator=(const ControllerInput&) = delete;

    // For the backend's poll: readable when /dev/input changed; -1 when it cannot be watched.
    int Fd() const { return m_watch; }
    // Called when Fd() was readable.
    void DevicesChanged(std::uint64_t now);
    // Key events due by `now`, for the backend to address to its window.
    std::vector<InputEvent> Read(std::uint64_t now);
    // How long the backend's wait may last before Read has something; -1: no limit.
    int Timeout(std::uint64_t now);

  private:
    // Loads the service when a joystick is there and it is not yet loaded.
    void LoadIfPresent();

    int m_watch = -1;
    bool m_looked = false;                   // for a joystick there at start
    std::unique_ptr<Controllers> m_service;  // loaded with the first joystick; null before
    std::uint64_t m_settleUntil = 0;         // SDL may learn of a new device after us
};

}  // namespace backend
