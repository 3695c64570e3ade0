#include "tests/helpers/scripted_graph.h"

#include <fstream>
#include <memory>

namespace testing_support {
namespace {

ScriptedGraph* g_current = nullptr;

class Factory final : public IClassFactory {
  public:
    explicit Factory(std::vector<std::string>* calls) : m_calls(calls) {}

    HRESULT QueryInterface(REFIID iid, void** object) override {
        if (iid != IID_IUnknown && iid != IID_IClassFactory) {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        *object = static_cast<IClassFactory*>(this);
        AddRef();
        return S_OK;
    }
    ULONG AddRef() override { return ++m_references; }
    ULONG Release() override {
        const ULONG left = --m_references;
        if (left == 0) {
            delete this;
        }
        return left;
    }
    HRESULT CreateInstance(IUnknown* /*outer*/, REFIID iid, void** object) override {
        auto* graph = new ScriptedGraph(m_calls);
        const HRESULT hr = graph->QueryInterface(iid, object);
        graph->Release();
        return hr;
    }
    HRESULT LockServer(BOOL /*lock*/) override { return S_OK; }

  private:
    ~Factory() = default;
    std::vector<std::string>* m_calls;
    ULONG m_references = 1;
};

}  // namespace

ScriptedGraph::ScriptedGraph(std::vector<std::string>* calls) : m_calls(calls) {
    m_calls->push_back("create");
    g_current = this;
}

ScriptedGraph::~ScriptedGraph() {
    m_calls->push_back("release");
    g_current = nullptr;
}

void ScriptedGraph::ShowFrame(std::uint32_t rgb, int width, int height) {
    auto frame = std::make_shared<dshow::VideoFrame>();
    frame->width = width;
    frame->height = height;
    frame->pixels.assign(static_cast<std::size_t>(width) * height, rgb);
    m_video.Deliver(std::move(frame));
}

HRESULT ScriptedGraph::Render(const std::string& path) {
    m_calls->push_back("render " + path);
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return static_cast<HRESULT>(0x80070002);  // ERROR_FILE_NOT_FOUND
    }
    std::string start(11, '\0');
    in.read(&start[0], 11);
    return start == "not a movie" ? static_cast<HRESULT>(0x80040218) : S_OK;
}

void ScriptedGraph::Start() {
    m_calls->push_back("run");
}

void ScriptedGraph::Halt() {
    m_calls->push_back("stop");
}

ScriptedGraphs::ScriptedGraphs() {
    auto* factory = new Factory(&m_calls);
    CoRegisterClassObject(CLSID_FilterGraph, factory, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE,
                          &m_cookie);
    factory->Release();
}

ScriptedGraphs::~ScriptedGraphs() {
    CoRevokeClassObject(m_cookie);
}

ScriptedGraph* ScriptedGraphs::Current() const {
    return g_current;
}

}  // namespace testing_support
