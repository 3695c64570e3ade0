// SPDX-License-Identifier: MIT
#include "tools/preview/menu_states.h"

#include <algorithm>
#include <cstdint>
#include <memory>

#include "description/shell_button.h"
#include "description/shell_description.h"
#include "platform/backend/headless/headless_backend.h"
#include "platform/windows.h"
#include "res/dialog_templates.h"
#include "tools/preview/digits.h"
#include "window/shell_dlg.h"
#include "window/shell_window.h"

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;
constexpr std::uint64_t kStep = 1000;     // between one button's turn and the next
constexpr std::uint64_t kBubbleAt = 600;  // after the pointer arrives: past the 500 ms
constexpr std::uint32_t kLabel = 0xFFFF00FF;

struct HitRect {
    int left, top, right, bottom;
};

// The hit rectangles as the launcher reads them, in button order.
std::vector<HitRect> ReadHitRects(const ShellDescription& d) {
    std::vector<HitRect> rects;
    SetMediaFolder(kMediaFolder);
    for (const std::string& file : d.m_buttonFiles) {
        ShellButton button;
        button.Load((kMediaFolder + file).c_str());
        const RECT& r = button.m_rcHit;
        rects.push_back({r.left, r.top, r.right, r.bottom});
    }
    return rects;
}

int Middle(int a, int b) {
    return static_cast<int>((std::int64_t{a} + b) / 2);
}

// A point of the menu that lies in no hit rectangle, for the pointer between two buttons.
POINT FreePoint(const std::vector<HitRect>& rects) {
    for (int y = 0; y < kHeight; y += 4) {
        for (int x = 0; x < kWidth; x += 4) {
            bool free = true;
            for (const HitRect& r : rects) {
                free = free && !(x >= r.left && x < r.right && y >= r.top && y < r.bottom);
            }
            if (free) {
                return {x, y};
            }
        }
    }
    return {0, 0};
}

// One modal run of the dialog, with `script` laid out on the virtual clock before it starts.
void RunDialog(backend::HeadlessBackend& headless, const std::function<void(int window)>& script) {
    script(headless.NewestWindow() + 1);
    CShellDlg dialog(nullptr);
    dialog.DoModal();
}

}  // namespace

std::vector<MenuFrame> CaptureMenuStates() {
    auto& headless = static_cast<backend::HeadlessBackend&>(backend::Current());
    RegisterShellTemplates();
    CoInitialize(nullptr);
    ShellDescription description;
    if (description.Load() == FALSE) {
        CoUninitialize();
        return {};
    }
    // The menu as a window shows it, without the introduction.
    description.m_bFullscreen = FALSE;
    description.m_bPlayMovie = FALSE;
    description.m_bDrawRects = FALSE;
    g_pShellDescription = &description;
    const std::vector<HitRect> rects = ReadHitRects(description);
    const POINT away = FreePoint(rects);

    std::vector<MenuFrame> frames;
    bool shown = true;
    const auto capture = [&](const std::string& name) {
        // The picture window shows only once the dialog's set-up went through.
        shown = shown && g_hPictureWnd != nullptr &&
                (GetWindowLongA(g_hPictureWnd, GWL_STYLE) & WS_VISIBLE) != 0;
        if (const backend::Image* frame = headless.LastFrame(headless.NewestWindow())) {
            frames.push_back({name, *frame});
        }
    };
    const auto move = [&](int window, std::uint64_t t, int x, int y) {
        headless.Script({backend::EventType::kMouseMove, window, x, y}, t);
    };
    const auto close = [&](int window, std::uint64_t t) {
        headless.Script(
            {backend::EventType::kKeyDown, window, 0, 0, backend::MouseButton::kNone, VK_ESCAPE},
            t);
    };
    RunDialog(headless, [&](int window) {
        const std::uint64_t start = headless.Now();
        move(window, start + 1, away.x, away.y);
        headless.ScriptAction([&] { capture("normal"); }, start + 2);
        for (std::size_t i = 0; i < rects.size(); ++i) {
            const std::uint64_t t = start + kStep * (i + 1);
            const std::string name = "button" + std::to_string(i + 1);
            move(window, t, Middle(rects[i].left, rects[i].right),
                 Middle(rects[i].top, rects[i].bottom));
            headless.ScriptAction([&, name] { capture(name + "-hovered"); }, t + 1);
            headless.ScriptAction([&, name] { capture(name + "-bubble"); }, t + kBubbleAt);
            move(window, t + kBubbleAt + 1, away.x, away.y);
        }
        close(window, start + kStep * (rects.size() + 1));
    });

    // The launcher's own outlines of the hit rectangles, numbered in button order.
    description.m_bDrawRects = TRUE;
    RunDialog(headless, [&](int window) {
        const std::uint64_t start = headless.Now();
        move(window, start + 1, away.x, away.y);
        headless.ScriptAction([&] { capture("hit-rectangles"); }, start + 2);
        close(window, start + 3);
    });
    if (!frames.empty() && frames.back().name == "hit-rectangles") {
        backend::Image& image = frames.back().image;
        for (std::size_t i = 0; i < rects.size(); ++i) {
            // Kept near the picture, so that a rectangle at the edge of int adds no overflow.
            DrawNumber(image, static_cast<int>(i + 1),
                       std::clamp(rects[i].left, -64, image.width) + 2,
                       std::clamp(rects[i].top, -64, image.height) + 2, kLabel);
        }
    }
    g_pShellDescription = nullptr;
    CoUninitialize();
    return shown ? frames : std::vector<MenuFrame>{};
}
