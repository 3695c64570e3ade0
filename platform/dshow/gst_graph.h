// SPDX-License-Identifier: MIT
// The filter graph over GStreamer: the COM object of the layer's graph with a GstPlayer as its
// engine.
#pragma once

#include "platform/dshow/graph_object.h"
#include "platform/dshow/gst_player.h"

namespace dshow {

class GstGraph final : public GraphObject {
  public:
    GstGraph();
    // The player goes first: its threads are joined before the video window goes.
    ~GstGraph() override = default;

    // The video window's size bounds the frames' size.
    HRESULT SetWindowPosition(long left, long top, long width, long height) override;

  protected:
    HRESULT Render(const std::string& path) override;
    void Start() override { m_player.Play(); }
    void Halt() override { m_player.Pause(); }

  private:
    GstPlayer m_player;
};

}  // namespace dshow
