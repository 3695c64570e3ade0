// A filter graph for tests: registered for CLSID_FilterGraph with CoRegisterClassObject while the
// object lives, so that the launcher's own movie code creates it. It plays nothing by itself:
// the test hands it frames and events (at virtual times, from scripted actions), and reads
// which calls the launcher made. A movie file renders when it exists and does not begin with
// "not a movie".
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/dshow/graph_object.h"

namespace testing_support {

class ScriptedGraph : public dshow::GraphObject {
  public:
    explicit ScriptedGraph(std::vector<std::string>* calls);
    ~ScriptedGraph() override;

    // A decoded frame of one colour (0xRRGGBB), as a decoder thread would hand it over.
    void ShowFrame(std::uint32_t rgb, int width = 320, int height = 240);
    // An event from the graph, which posts the notify message.
    void Signal(long code) { m_events.Push(code); }

  protected:
    HRESULT Render(const std::string& path) override;
    void Start() override;
    void Halt() override;

  private:
    std::vector<std::string>* m_calls;
};

class ScriptedGraphs {
  public:
    ScriptedGraphs();
    ~ScriptedGraphs();
    ScriptedGraphs(const ScriptedGraphs&) = delete;
    ScriptedGraphs& operator=(const ScriptedGraphs&) = delete;

    // The graph that exists now; null between movies.
    ScriptedGraph* Current() const;
    // "create", "render <path>", "run", "stop", "release", in the order they came.
    const std::vector<std::string>& Calls() const { return m_calls; }

  private:
    std::vector<std::string> m_calls;
    DWORD m_cookie = 0;
};

}  // namespace testing_support
