// SPDX-License-Identifier: MIT
#include "platform/dshow/graph_object.h"

#include <vector>

#include "platform/win32/path_mapping.h"

namespace dshow {

HRESULT GraphObject::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    if (iid == IID_IUnknown || iid == IID_IGraphBuilder) {
        *object = static_cast<IGraphBuilder*>(this);
    } else if (iid == IID_IMediaControl) {
        *object = static_cast<IMediaControl*>(this);
    } else if (iid == IID_IVideoWindow) {
        *object = static_cast<IVideoWindow*>(this);
    } else if (iid == IID_IMediaEventEx) {
        *object = static_cast<IMediaEventEx*>(this);
    } else {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

ULONG GraphObject::AddRef() {
    return ++m_references;
}

ULONG GraphObject::Release() {
    const ULONG left = --m_references;
    if (left == 0) {
        delete this;
    }
    return left;
}

HRESULT GraphObject::RenderFile(LPCWSTR file, LPCWSTR /*playList*/) {
    if (file == nullptr) {
        return E_POINTER;
    }
    const int length = WideCharToMultiByte(CP_ACP, 0, file, -1, nullptr, 0, nullptr, nullptr);
    std::vector<char> ansi(static_cast<std::size_t>(length > 0 ? length : 1), '\0');
    WideCharToMultiByte(CP_ACP, 0, file, -1, ansi.data(), length, nullptr, nullptr);
    const HRESULT hr = Render(win32::MapPath(ansi.data()));
    m_rendered = SUCCEEDED(hr);
    return hr;
}

// An empty graph has no renderer, so no video window appears either.
HRESULT GraphObject::Run() {
    if (m_rendered) {
        m_video.Show();
        Start();
    }
    return S_OK;
}

HRESULT GraphObject::Stop() {
    if (m_rendered) {
        Halt();
    }
    return S_OK;
}

HRESULT GraphObject::put_Owner(OAHWND owner) {
    m_video.SetOwner(reinterpret_cast<HWND>(owner));
    return S_OK;
}

HRESULT GraphObject::put_WindowStyle(long style) {
    m_video.SetStyle(style);
    return S_OK;
}

HRESULT GraphObject::put_MessageDrain(OAHWND drain) {
    m_video.SetDrain(reinterpret_cast<HWND>(drain));
    return S_OK;
}

HRESULT GraphObject::SetWindowPosition(long left, long top, long width, long height) {
    m_video.SetPosition(left, top, width, height);
    return S_OK;
}

HRESULT GraphObject::GetEvent(long* code, LONG_PTR* param1, LONG_PTR* param2, long timeoutMs) {
    return m_events.GetEvent(code, param1, param2, timeoutMs);
}

HRESULT GraphObject::FreeEventParams(long /*code*/, LONG_PTR /*param1*/, LONG_PTR /*param2*/) {
    return S_OK;  // no event here carries anything to free
}

HRESULT GraphObject::SetNotifyWindow(OAHWND window, long message, LONG_PTR instanceData) {
    m_events.SetNotifyWindow(window, message, instanceData);
    return S_OK;
}

}  // namespace dshow
