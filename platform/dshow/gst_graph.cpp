// SPDX-License-Identifier: MIT
#include "platform/dshow/gst_graph.h"

#include <cstring>

namespace dshow {
namespace {
constexpr HRESULT kFileNotFound = static_cast<HRESULT>(0x80070002);  // ERROR_FILE_NOT_FOUND
constexpr HRESULT kCannotRender = static_cast<HRESULT>(0x80040218);  // VFW_E_CANNOT_RENDER
constexpr HRESULT kTimeout = static_cast<HRESULT>(0x8004022E);       // VFW_E_TIMEOUT
}  // namespace

GstGraph::GstGraph()
    : m_player(GstPlayer::Callbacks{
          [this](int width, int height, const std::uint8_t* bgrx, std::size_t stride) {
              auto frame = std::make_shared<VideoFrame>();
              frame->width = width;
              frame->height = height;
              frame->pixels.resize(static_cast<std::size_t>(width) * height);
              for (int y = 0; y < height; ++y) {
                  std::memcpy(&frame->pixels[static_cast<std::size_t>(y) * width],
                              bgrx + stride * static_cast<std::size_t>(y),
                              static_cast<std::size_t>(width) * 4);
              }
              m_video.Deliver(std::move(frame));
          },
          [this] { m_events.Push(EC_COMPLETE, S_OK); },
          [this] { m_events.Push(EC_ERRORABORT, E_FAIL); }}) {
    // Until the video window is placed, after the preroll, no frame needs more than the screen.
    m_player.BoundFrames(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
}

HRESULT GstGraph::SetWindowPosition(long left, long top, long width, long height) {
    m_player.BoundFrames(static_cast<int>(width), static_cast<int>(height));
    return GraphObject::SetWindowPosition(left, top, width, height);
}

HRESULT GstGraph::Render(const std::string& path) {
    switch (m_player.Open(path)) {
        case GstPlayer::Opened::kPlayable:
            return S_OK;
        case GstPlayer::Opened::kMissing:
            return kFileNotFound;
        case GstPlayer::Opened::kTimedOut:
            return kTimeout;
        case GstPlayer::Opened::kUnplayable:
            break;
    }
    return kCannotRender;
}

}  // namespace dshow
