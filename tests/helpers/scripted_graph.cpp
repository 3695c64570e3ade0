// SPDX-License-Identifier: MIT
#include "tests/helpers/scripted_graph.h"

#include <memory>

#include "platform/dshow/graph_object.h"
#include "tests/helpers/scratch_folder.h"

namespace testing_support {

class ScriptedGraph : public dshow::GraphObject {
  public:
    explicit ScriptedGraph(ScriptedGraphs& graphs) : m_graphs(graphs) {
        m_graphs.m_calls.emplace_back("create");
        m_graphs.m_current = this;
    }
    ~ScriptedGraph() override {
        m_graphs.m_calls.emplace_back("release");
        m_graphs.m_current = nullptr;
    }
    ScriptedGraph(const ScriptedGraph&) = delete;
    ScriptedGraph& operator=(const ScriptedGraph&) = delete;

  protected:
    HRESULT Render(const std::string& path) override {
        m_graphs.m_calls.push_back("render " + path);
        const std::string content = ReadWholeFile(path);
        if (content.empty()) {
            return static_cast<HRESULT>(0x80070002);  // ERROR_FILE_NOT_FOUND
        }
        return content.rfind("not a movie", 0) == 0 ? static_cast<HRESULT>(0x80040218) : S_OK;
    }
    void Start() override { m_graphs.m_calls.emplace_back("run"); }
    void Halt() override { m_graphs.m_calls.emplace_back("stop"); }

  private:
    friend class ScriptedGraphs;
    ScriptedGraphs& m_graphs;
};

ScriptedGraphs::ScriptedGraphs() {
    CoRegisterClassObject(CLSID_FilterGraph, this, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE,
                          &m_cookie);
}

ScriptedGraphs::~ScriptedGraphs() {
    CoRevokeClassObject(m_cookie);
}

void ScriptedGraphs::ShowFrame(std::uint32_t rgb) {
    auto frame = std::make_shared<dshow::VideoFrame>();
    frame->width = 320;
    frame->height = 240;
    frame->pixels.assign(std::size_t{320} * 240, rgb);
    m_current->m_video.Deliver(std::move(frame));
}

void ScriptedGraphs::Signal(long code) {
    m_current->m_events.Push(code);
}

HRESULT ScriptedGraphs::QueryInterface(REFIID iid, void** object) {
    *object = iid == IID_IUnknown || iid == IID_IClassFactory ? this : nullptr;
    return *object != nullptr ? S_OK : E_NOINTERFACE;
}

HRESULT ScriptedGraphs::CreateInstance(IUnknown* /*outer*/, REFIID iid, void** object) {
    auto* graph = new ScriptedGraph(*this);
    const HRESULT hr = graph->QueryInterface(iid, object);
    graph->Release();
    return hr;
}

}  // namespace testing_support
