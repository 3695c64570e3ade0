// SPDX-License-Identifier: MIT
// The X11 backend's one class, whose members four files define by concern: windows and
// presenting (x11_backend.cpp), events and the clock (events.cpp), monitors and coordinates
// (monitors.cpp), cursors (cursors.cpp).
#pragma once

#include <X11/Xlib.h>

#include <deque>
#include <map>
#include <memory>

#include "platform/backend/backend.h"
#include "platform/backend/controller_input.h"
#include "platform/backend/sound_output.h"
#include "platform/backend/x11/frame_image.h"
#include "platform/backend/x11/window_properties.h"

namespace backend {

class X11Backend : public Backend {
  public:
    X11Backend(Display* display, int wake[2]);
    ~X11Backend() override;

    int OpenWindow(const std::string& titleUtf8, const Rect& layerRect) override;
    void CloseWindow(int window) override;
    void PlaceWindow(int window, const Rect& layerRect, Placement placement) override;
    void ShowWindow(int window, bool visible) override;
    void SetTitle(int window, const std::string& titleUtf8) override;
    void SetFrameButtons(int window, bool minimize, bool maximize) override;
    void SetIcon(int window, const Image* icon) override;
    void Present(int window, const Image& frame) override;
    std::optional<InputEvent> WaitEvent(int timeoutMs) override;
    void Wake() override;
    std::uint64_t Now() override;
    Rect Screen() override;
    Rect Monitor(int window) override;
    Rect WorkArea(int window) override;
    Margins FrameExtents(int window) override;
    void SetCursor(const Cursor* cursor) override;
    void ShowMessageBox(const std::string& captionUtf8, const std::string& textUtf8) override;
    void PlaySound(const std::string& name, const std::vector<std::uint8_t>& wav) override;
    bool StartProgram(const std::vector<std::string>& argv) override;

  private:
    struct WindowState {
        Window window = None;
        GC gc = nullptr;
        std::unique_ptr<FrameImage> image;
        bool mapped = false;
        bool fullScreen = false;
        bool iconic = false;
        bool exposed = false;  // the server has shown the window
        Margins frame;
        bool frameAsked = false;
    };

    WindowState* Find(int window);

    ::Cursor MakeBlankCursor();
    // The X cursor for the shape set last, made once per shape.
    ::Cursor CurrentXCursor();

    // The factor windows are shown at, chosen on first use for the life of the connection.
    int Scale();
    // The monitor that holds the window's centre, as Windows picks the nearest, in the root
    // window's coordinates.
    Rect MonitorOnRoot(int window, const std::vector<Rect>& monitors);
    // The part of `monitor` windows may cover, without panels and docks.
    Rect WorkAreaOnRoot(const Rect& monitor);
    Rect ToLayer(Rect r, const std::vector<Rect>& monitors);
    Rect ToRoot(Rect r, const std::vector<Rect>& monitors);
    static bool HasMonitors(Display* display);
    // The monitors, the primary one first (Windows' screen), in the root window's coordinates.
    std::vector<Rect> Monitors();

    std::uint64_t LocalTime(Time serverTime);
    InputEvent Pointer(EventType type, Window window, int x, int y, Time time);
    std::optional<InputEvent> Translate(XEvent& e);
    // The manager made the window an icon, or gave it back.
    std::optional<InputEvent> StateChange(const XPropertyEvent& e);
    // The next key a game controller gave, addressed to the menu's window.
    std::optional<InputEvent> ControllerKey();

    Display* m_display;
    int m_screen;
    Atoms m_atoms;
    int m_wakeRead;
    int m_wakeWrite;
    ::Cursor m_blank;
    const Cursor* m_cursor = nullptr;
    std::map<const Cursor*, ::Cursor> m_cursors;
    std::map<int, WindowState> m_windows;
    bool m_monitors;  // the server lists monitors (RandR 1.5)
    int m_scale = 0;  // 0 until Scale() first chooses
    LazySoundOutput m_sound;
    ControllerInput m_controllers;
    std::deque<InputEvent> m_controllerKeys;  // read, not yet returned
    std::uint32_t m_clockOffset = 0;
    bool m_clockOffsetKnown = false;
};

}  // namespace backend
