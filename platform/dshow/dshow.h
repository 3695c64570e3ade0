// SPDX-License-Identifier: MIT
// The DirectShow subset of a filter graph: build a graph for a file, run and stop it, show its
// video in a child window, and report its events to a window.
#pragma once

#include "platform/win32/com.h"
#include "platform/win32/user.h"

using OAHWND = LONG_PTR;
using OAEVENT = LONG_PTR;
using REFTIME = double;

constexpr long EC_COMPLETE = 0x01;
constexpr long EC_USERABORT = 0x02;
constexpr long EC_ERRORABORT = 0x03;

extern const CLSID CLSID_FilterGraph;
extern const IID IID_IGraphBuilder;
extern const IID IID_IMediaControl;
extern const IID IID_IVideoWindow;
extern const IID IID_IMediaEventEx;

struct IGraphBuilder : IUnknown {
    virtual HRESULT RenderFile(LPCWSTR file, LPCWSTR playList) = 0;

  protected:
    ~IGraphBuilder() = default;
};

struct IMediaControl : IUnknown {
    virtual HRESULT Run() = 0;
    virtual HRESULT Stop() = 0;

  protected:
    ~IMediaControl() = default;
};

struct IVideoWindow : IUnknown {
    virtual HRESULT put_Owner(OAHWND owner) = 0;
    virtual HRESULT put_WindowStyle(long style) = 0;
    virtual HRESULT put_MessageDrain(OAHWND drain) = 0;
    virtual HRESULT SetWindowPosition(long left, long top, long width, long height) = 0;

  protected:
    ~IVideoWindow() = default;
};

struct IMediaEventEx : IUnknown {
    virtual HRESULT GetEvent(long* code, LONG_PTR* param1, LONG_PTR* param2, long timeoutMs) = 0;
    virtual HRESULT FreeEventParams(long code, LONG_PTR param1, LONG_PTR param2) = 0;
    virtual HRESULT SetNotifyWindow(OAHWND window, long message, LONG_PTR instanceData) = 0;

  protected:
    ~IMediaEventEx() = default;
};
