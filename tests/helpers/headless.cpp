// SPDX-License-Identifier: MIT
#include "tests/helpers/headless.h"

#include <memory>

#include "platform/win32/window_system.h"

namespace testing_support {
namespace {

int BackendId(HWND top) {
    const win32::Window* w = win32::Find(top);
    return w != nullptr ? w->backendId : 0;
}

}  // namespace

void HeadlessTest::SetUp() {
    auto headless = std::make_unique<backend::HeadlessBackend>();
    m_backend = headless.get();
    backend::Install(std::move(headless));
}

void HeadlessTest::TearDown() {
    // Windows a test left behind must not reach the next one.
    const std::vector<HWND> left = win32::System().topLevel;
    for (HWND hwnd : left) {
        DestroyWindow(hwnd);
    }
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE) == TRUE) {
    }
    win32::System().timers.clear();
    backend::Install(nullptr);
    m_backend = nullptr;
}

namespace {
const MSG* g_dispatching = nullptr;
}  // namespace

const MSG* HeadlessTest::Dispatching() {
    return g_dispatching;
}

void HeadlessTest::PumpUntilIdle() {
    MSG msg;
    for (int n = 0; PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE) == TRUE; ++n) {
        ASSERT_LT(n, 10000) << "the message loop never becomes idle";
        g_dispatching = &msg;
        DispatchMessageA(&msg);
        g_dispatching = nullptr;
    }
}

void HeadlessTest::AdvanceAndPump(std::uint64_t ms) {
    m_backend->Advance(ms);
    PumpUntilIdle();
}

void HeadlessTest::MouseMove(HWND top, int x, int y) {
    m_backend->Input({backend::EventType::kMouseMove, BackendId(top), x, y});
}

void HeadlessTest::Click(HWND top, int x, int y) {
    for (const auto type : {backend::EventType::kMouseDown, backend::EventType::kMouseUp}) {
        m_backend->Input({type, BackendId(top), x, y, backend::MouseButton::kLeft});
    }
}

void HeadlessTest::InputAt(std::uint64_t t, backend::EventType type, int x, int y, int key) {
    m_backend->Script({type, m_backend->NewestWindow() + 1, x, y, backend::MouseButton::kLeft, key},
                      t);
}

std::uint32_t HeadlessTest::PixelAt(HWND top, int x, int y) const {
    const backend::Image* frame =
        m_backend->LastFrame(top != nullptr ? BackendId(top) : m_backend->NewestWindow());
    if (frame == nullptr || x < 0 || y < 0 || x >= frame->width || y >= frame->height) {
        return 0xDEADBEEF;
    }
    return frame->pixels[static_cast<std::size_t>(y) * frame->width + x] & 0xFFFFFF;
}

std::vector<std::string> HeadlessTest::JournalLines(const std::string& prefix) const {
    std::vector<std::string> lines;
    for (const std::string& line : m_backend->Journal()) {
        if (line.rfind(prefix, 0) == 0) {
            lines.push_back(line);
        }
    }
    return lines;
}

}  // namespace testing_support
