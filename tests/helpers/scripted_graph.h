// SPDX-License-Identifier: MIT
// A filter graph for tests: registered for CLSID_FilterGraph with CoRegisterClassObject while the
// ScriptedGraphs object lives, so that the launcher's own movie code creates it. It plays nothing
// by itself: the test hands the current graph frames and events (at virtual times, from scripted
// actions), and reads which calls the launcher made. A movie file renders when it has content
// that does not begin with "not a movie".
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/win32/com.h"

namespace testing_support {

class ScriptedGraph;

// The class factory, alive for as long as the object: it counts no references.
class ScriptedGraphs : public IClassFactory {
  public:
    ScriptedGraphs();
    ~ScriptedGraphs();
    ScriptedGraphs(const ScriptedGraphs&) = delete;
    ScriptedGraphs& operator=(const ScriptedGraphs&) = delete;

    // The graph that exists now; null between movies.
    ScriptedGraph* Current() const { return m_current; }
    // A decoded 320 x 240 frame of one colour (0xRRGGBB) from the current graph, as a decoder
    // thread would hand it over.
    void ShowFrame(std::uint32_t rgb);
    // An event from the current graph, which posts the notify message.
    void Signal(long code);
    // "create", "render <path>", "run", "stop", "release", in the order they came.
    const std::vector<std::string>& Calls() const { return m_calls; }

    HRESULT QueryInterface(REFIID iid, void** object) override;
    ULONG AddRef() override { return 2; }
    ULONG Release() override { return 1; }
    HRESULT CreateInstance(IUnknown* outer, REFIID iid, void** object) override;
    HRESULT LockServer(BOOL /*lock*/) override { return S_OK; }

  private:
    friend class ScriptedGraph;
    std::vector<std::string> m_calls;
    ScriptedGraph* m_current = nullptr;
    DWORD m_cookie = 0;
};

}  // namespace testing_support
