// SPDX-License-Identifier: MIT
#include "tests/movie/filter_graph_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace filter_graph_testing {
namespace {

LRESULT CALLBACK RecorderProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    g_received.push_back({hwnd, message, wParam, lParam});
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

template <typename Interface>
void ReleaseOne(Interface*& pointer) {
    if (pointer != nullptr) {
        pointer->Release();
        pointer = nullptr;
    }
}

}  // namespace

const Received* Got(HWND hwnd, UINT message, std::optional<LPARAM> lParam) {
    const auto it = std::find_if(g_received.begin(), g_received.end(), [&](const Received& r) {
        return r.hwnd == hwnd && r.message == message && (!lParam || r.lParam == *lParam);
    });
    return it != g_received.end() ? &*it : nullptr;
}

double MsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

Graph::Graph() {
    CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER,
                     IID_IGraphBuilder, reinterpret_cast<void**>(&builder));
    if (builder != nullptr) {
        builder->QueryInterface(IID_IMediaControl, reinterpret_cast<void**>(&control));
        builder->QueryInterface(IID_IVideoWindow, reinterpret_cast<void**>(&video));
        builder->QueryInterface(IID_IMediaEventEx, reinterpret_cast<void**>(&events));
    }
}

void Graph::Release() {
    ReleaseOne(control);
    ReleaseOne(video);
    ReleaseOne(events);
    ReleaseOne(builder);
}

HRESULT Graph::Open(const std::string& ansiPath, HWND owner, HWND drain) {
    WCHAR wide[MAX_PATH];
    if (builder == nullptr || control == nullptr || video == nullptr || events == nullptr ||
        MultiByteToWideChar(CP_ACP, 0, ansiPath.c_str(), -1, wide, MAX_PATH) == 0) {
        return E_POINTER;
    }
    const HRESULT hr = builder->RenderFile(wide, nullptr);
    events->SetNotifyWindow(reinterpret_cast<OAHWND>(owner), kGraphNotify, kInstanceData);
    video->put_MessageDrain(reinterpret_cast<OAHWND>(drain));
    video->put_Owner(reinterpret_cast<OAHWND>(owner));
    video->put_WindowStyle(static_cast<long>(WS_CHILD));
    video->SetWindowPosition(0, 0, kVideoWidth, kVideoHeight);
    return hr;
}

std::optional<long> Graph::NextEvent(long timeoutMs) {
    long code = 0;
    LONG_PTR param1 = 0;
    LONG_PTR param2 = 0;
    if (events->GetEvent(&code, &param1, &param2, timeoutMs) != S_OK) {
        return std::nullopt;
    }
    events->FreeEventParams(code, param1, param2);
    return code;
}

void FilterGraphTest::SetUp() {
    HeadlessTest::SetUp();
    // Before anything is timed: on a fresh machine this builds GStreamer's registry.
    ASSERT_TRUE(movie_fixtures::StartGStreamer());
    WNDCLASSA wc{};
    wc.lpfnWndProc = RecorderProc;
    wc.lpszClassName = "Recorder";
    RegisterClassA(&wc);
    g_received.clear();
}

HWND FilterGraphTest::TopLevel(int width, int height, DWORD style) {
    return CreateWindowExA(0, "Recorder", "", style, 0, 0, width, height, nullptr, nullptr, nullptr,
                           nullptr);
}

std::string FilterGraphTest::Movie(const MovieFormat& format, const std::string& name) {
    std::filesystem::create_directories("movies");
    EXPECT_EQ(WriteMovie(format, "movies/" + name + format.extension), "");
    std::string path = "Movies\\" + name + format.extension;
    std::transform(path.begin(), path.end(), path.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return path;
}

int FilterGraphTest::FrameAt(HWND owner, int x, int y, const MovieFormat& format) const {
    return FrameShown(PixelAt(owner, x, y), format);
}

Playback FilterGraphTest::Play(Graph& graph, HWND owner, const MovieFormat& format, int until) {
    Playback playback;
    const Clock::time_point run = Clock::now();
    EXPECT_EQ(graph.control->Run(), S_OK);
    while (MsSince(run) < kPlayLimitMs) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE) == TRUE) {
            DispatchMessageA(&msg);
            if (msg.message == WM_PAINT) {
                break;
            }
        }
        playback.looks.push_back({MsSince(run), FrameAt(owner, kLookX, kLookY, format)});
        if (playback.looks.back().frame >= until) {
            return playback;
        }
        if (const auto code = graph.NextEvent(5)) {
            playback.end = *code;
            playback.endMs = MsSince(run);
            if (*code == EC_COMPLETE || *code == EC_ERRORABORT) {
                break;
            }
        }
    }
    PumpUntilIdle();
    playback.looks.push_back({MsSince(run), FrameAt(owner, kLookX, kLookY, format)});
    return playback;
}

}  // namespace filter_graph_testing
