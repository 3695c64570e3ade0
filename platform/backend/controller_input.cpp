// SPDX-License-Identifier: MIT
#include "platform/backend/controller_input.h"

#include <dirent.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "platform/backend/module.h"

namespace backend {
namespace {

constexpr const char* kInput = "/dev/input";
constexpr const char* kById = "/dev/input/by-id";
// After a device came or went, how long and how often SDL is asked about it: udev sets up a
// new node (and its permissions) after the kernel made it.
constexpr std::uint64_t kSettleMs = 3000;
constexpr int kSettleLookMs = 50;

using MakeControllers = Controllers* (*)();

bool HasEntry(const char* folder, bool (*matches)(const char* name)) {
    DIR* dir = opendir(folder);
    if (dir == nullptr) {
        return false;
    }
    bool found = false;
    while (const dirent* entry = readdir(dir)) {
        if (matches(entry->d_name)) {
            found = true;
            break;
        }
    }
    closedir(dir);
    return found;
}

// A joystick device: js0... from the joystick driver, or udev's ...-joystick names.
bool JoystickPresent() {
    return HasEntry(kInput, [](const char* n) { return std::strncmp(n, "js", 2) == 0; }) ||
           HasEntry(kById, [](const char* n) {
               const std::string name(n);
               return name.size() >= 8 && name.compare(name.size() - 8, 8, "joystick") == 0;
           });
}

}  // namespace

ControllerInput::ControllerInput() : m_watch(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
    if (m_watch >= 0 && inotify_add_watch(m_watch, kInput, IN_CREATE | IN_DELETE | IN_ATTRIB) < 0) {
        close(m_watch);
        m_watch = -1;
    }
}

ControllerInput::~ControllerInput() {
    m_service.reset();
    if (m_watch >= 0) {
        close(m_watch);
    }
}

void ControllerInput::LoadIfPresent() {
    if (m_service || !JoystickPresent()) {
        return;
    }
    void* entry = LoadModuleEntry("menushell_sdl.so", "menushell_make_sdl_controllers");
    if (entry != nullptr) {
        m_service.reset(AsFunction<MakeControllers>(entry)());
    }
}

void ControllerInput::DevicesChanged(std::uint64_t now) {
    char events[4096];
    while (read(m_watch, events, sizeof events) > 0) {
    }
    // by-id appears with the first device that has one; watching it again changes nothing.
    (void)inotify_add_watch(m_watch, kById, IN_CREATE | IN_DELETE);
    m_settleUntil = now + kSettleMs;
    LoadIfPresent();
}

std::vector<InputEvent> ControllerInput::Read(std::uint64_t now) {
    if (!m_looked) {
        m_looked = true;
        if (m_watch >= 0) {
            (void)inotify_add_watch(m_watch, kById, IN_CREATE | IN_DELETE);
        }
        LoadIfPresent();
    }
    return m_service ? m_service->Read(now) : std::vector<InputEvent>{};
}

int ControllerInput::Timeout(std::uint64_t now) {
    if (!m_service) {
        return -1;
    }
    int timeout = m_service->Timeout(now);
    if (now < m_settleUntil) {
        timeout = timeout < 0 ? kSettleLookMs : std::min(timeout, kSettleLookMs);
    }
    return timeout;
}

}  // namespace backend
