// SPDX-License-Identifier: MIT
// Tests of the window layer run on the headless backend: a virtual clock, scripted input and a
// journal of effects. Loops are pumped until idle, never slept on.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/backend/headless/headless_backend.h"
#include "platform/windows.h"

namespace testing_support {

class HeadlessTest : public testing::Test {
  public:
    // The message PumpUntilIdle took from the queue and is dispatching, else null: what a window
    // procedure receives from anywhere else was sent.
    static const MSG* Dispatching();

  protected:
    void SetUp() override;
    void TearDown() override;

    // Dispatches every message that is ready, without waiting; fails a test whose messages
    // never run out.
    void PumpUntilIdle();
    // Moves the virtual clock, then pumps.
    void AdvanceAndPump(std::uint64_t ms);
    // Input now, in a top-level window's client area.
    void MouseMove(HWND top, int x, int y);
    void Click(HWND top, int x, int y);
    // Input at virtual time `t` for the next window opened: the dialog of the next modal run.
    void InputAt(std::uint64_t t, backend::EventType type, int x = 0, int y = 0, int key = 0);
    // Pixel (x, y) of the last frame presented for a top-level window, null meaning the newest
    // one, as 0xRRGGBB.
    std::uint32_t PixelAt(HWND top, int x, int y) const;
    // Journal lines that start with `prefix`.
    std::vector<std::string> JournalLines(const std::string& prefix) const;

    backend::HeadlessBackend* m_backend = nullptr;
};

}  // namespace testing_support
