#include "tests/helpers/headless.h"

#include <memory>

#include "platform/win32/window_system.h"

namespace testing_support {

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

void HeadlessTest::PumpUntilIdle() {
    MSG msg;
    for (int n = 0; PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE) == TRUE; ++n) {
        ASSERT_LT(n, 10000) << "the message loop never becomes idle";
        DispatchMessageA(&msg);
    }
}

void HeadlessTest::AdvanceAndPump(std::uint64_t ms) {
    m_backend->Advance(ms);
    PumpUntilIdle();
}

namespace {

int BackendId(HWND top) {
    const win32::Window* w = win32::Find(top);
    return w != nullptr ? w->backendId : 0;
}

}  // namespace

void HeadlessTest::MouseMove(HWND top, int x, int y) {
    backend::InputEvent e;
    e.type = backend::EventType::kMouseMove;
    e.window = BackendId(top);
    e.x = x;
    e.y = y;
    m_backend->Input(e);
}

void HeadlessTest::Click(HWND top, int x, int y) {
    backend::InputEvent e;
    e.window = BackendId(top);
    e.x = x;
    e.y = y;
    e.button = backend::MouseButton::kLeft;
    e.type = backend::EventType::kMouseDown;
    m_backend->Input(e);
    e.type = backend::EventType::kMouseUp;
    m_backend->Input(e);
}

void HeadlessTest::Key(HWND top, int vk) {
    backend::InputEvent e;
    e.type = backend::EventType::kKeyDown;
    e.window = BackendId(top);
    e.key = vk;
    m_backend->Input(e);
}

std::uint32_t HeadlessTest::PixelAt(HWND top, int x, int y) const {
    const backend::Image* frame = m_backend->LastFrame(BackendId(top));
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
