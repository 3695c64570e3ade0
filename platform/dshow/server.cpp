// SPDX-License-Identifier: MIT
// The in-process server: the entry point the layer's COM looks up after loading this module,
// and the class factory of the GStreamer filter graph.
#include <new>

#include "platform/dshow/gst_graph.h"

namespace {

class GraphFactory final : public IClassFactory {
  public:
    HRESULT QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr) {
            return E_POINTER;
        }
        if (iid != IID_IUnknown && iid != IID_IClassFactory) {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        *object = static_cast<IClassFactory*>(this);
        return S_OK;
    }
    // One factory for the life of the module: counting would change nothing.
    ULONG AddRef() override { return 2; }
    ULONG Release() override { return 1; }

    HRESULT CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
        if (object == nullptr) {
            return E_POINTER;
        }
        *object = nullptr;
        if (outer != nullptr) {
            return CLASS_E_NOAGGREGATION;
        }
        if (!dshow::StartGStreamer()) {
            return E_FAIL;
        }
        auto* graph = new (std::nothrow) dshow::GstGraph;
        if (graph == nullptr) {
            return static_cast<HRESULT>(0x8007000E);  // E_OUTOFMEMORY
        }
        const HRESULT hr = graph->QueryInterface(iid, object);
        graph->Release();
        return hr;
    }
    HRESULT LockServer(BOOL /*lock*/) override { return S_OK; }
};

GraphFactory g_factory;

}  // namespace

extern "C" __attribute__((visibility("default"))) HRESULT DllGetClassObject(REFCLSID clsid,
                                                                            REFIID iid,
                                                                            void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    *object = nullptr;
    if (clsid != CLSID_FilterGraph) {
        return CLASS_E_CLASSNOTAVAILABLE;
    }
    return g_factory.QueryInterface(iid, object);
}
