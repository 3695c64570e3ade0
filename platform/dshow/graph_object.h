// SPDX-License-Identifier: MIT
// One filter-graph object with the four interfaces the program uses and COM reference counting.
// What is played and how is the engine's: a subclass renders a file, runs and stops; this class
// owns the video window and the event queue they share. The object lives until the last Release,
// and the subclass's destructor stops its threads before the video window goes.
#pragma once

#include <atomic>
#include <string>

#include "platform/dshow/event_queue.h"
#include "platform/dshow/video_window.h"

namespace dshow {

class GraphObject : public IGraphBuilder,
                    public IMediaControl,
                    public IVideoWindow,
                    public IMediaEventEx {
  public:
    GraphObject() = default;
    GraphObject(const GraphObject&) = delete;
    GraphObject& operator=(const GraphObject&) = delete;
    virtual ~GraphObject() = default;

    HRESULT QueryInterface(REFIID iid, void** object) override;
    ULONG AddRef() override;
    ULONG Release() override;

    // The wide name maps as every file the layer opens does. After a failure the graph stays
    // empty: Run succeeds and no event ever comes.
    HRESULT RenderFile(LPCWSTR file, LPCWSTR playList) override;

    HRESULT Run() override;
    HRESULT Stop() override;

    HRESULT put_Owner(OAHWND owner) override;
    HRESULT put_WindowStyle(long style) override;
    HRESULT put_MessageDrain(OAHWND drain) override;
    HRESULT SetWindowPosition(long left, long top, long width, long height) override;

    HRESULT GetEvent(long* code, LONG_PTR* param1, LONG_PTR* param2, long timeoutMs) override;
    HRESULT FreeEventParams(long code, LONG_PTR param1, LONG_PTR param2) override;
    HRESULT SetNotifyWindow(OAHWND window, long message, LONG_PTR instanceData) override;

  protected:
    // Builds the graph for the file at `path` (already mapped to this file system).
    virtual HRESULT Render(const std::string& path) = 0;
    virtual void Start() = 0;
    virtual void Halt() = 0;

    VideoWindow m_video;
    EventQueue m_events;

  private:
    std::atomic<ULONG> m_references{1};
    bool m_rendered = false;
};

}  // namespace dshow
