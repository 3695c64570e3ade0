// SPDX-License-Identifier: MIT
// The few things a real system must do for the window layer, behind one interface: read this
// first. All window semantics (messages, painting, timers, hit testing) live in the layer above;
// a backend only shows, waits, plays and starts. Every entry point is called on the thread that
// runs the message loop, except Wake. Which backend runs is decided in backend_table.h.
//
//   x11       (x11/, the default in X sessions; Xlib alone) shows frames through MIT-SHM, or
//             through the connection without it; ARGB cursors; monitors from RandR 1.5; message
//             boxes of its own; sound through the SDL module, loaded once a frame is up;
//             windows at the desktop's whole scale factor, which the layer never sees (scale.h).
//   sdl       (sdl/, a module loaded with dlopen, for sessions without X11) draws software
//             frames (no GL) and plays sound itself, also for x11; monitors are SDL's displays;
//             window frames come from the X window manager only where SDL runs on X11; windows
//             at MENUSHELL_SCALE's or GDK_SCALE's factor, enlarged in the backend.
//   headless  (headless/, for tests and tools, chosen explicitly) shows nothing and starts
//             nothing: a virtual clock, scripted input, the frames presented and a journal of
//             every other effect.
// No backend captures the mouse or reports keys other than Key's.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace backend {

struct Rect {
    int x = 0, y = 0, width = 0, height = 0;
};

// 0xAARRGGBB pixels, rows top first.
struct Image {
    int width = 0, height = 0;
    std::vector<std::uint32_t> pixels;
};

struct Cursor {
    std::string name;  // file it came from, for journals and diagnostics
    Image image;
    int hotX = 0, hotY = 0;
};

enum class EventType { kMouseMove, kMouseDown, kMouseUp, kKeyDown, kClose, kMinimize, kRestore };
enum class MouseButton { kNone, kLeft, kRight };
// The keys a backend reports, as their virtual-key codes: the layer passes them on as wParam.
enum Key : int {
    kKeyTab = 0x09,
    kKeyReturn = 0x0D,
    kKeyEscape = 0x1B,
    kKeySpace = 0x20,
    kKeyLeft = 0x25,
    kKeyUp = 0x26,
    kKeyRight = 0x27,
    kKeyDown = 0x28,
    kKeyF4 = 0x73,
};

struct InputEvent {
    EventType type = EventType::kMouseMove;
    int window = 0;    // the top-level window it happened in
    int x = 0, y = 0;  // in that window's client area
    MouseButton button = MouseButton::kNone;
    int key = 0;             // a Key, or another virtual-key code from a script
    bool alt = false;        // with the Alt key held
    bool shift = false;      // a key with the Shift key held
    std::uint64_t time = 0;  // when it happened, on Now()'s clock; 0: just now
};

enum class Placement { kWindowed, kFullScreen };

// How far a window manager's frame reaches beyond a window's client area on each side.
struct Margins {
    int left = 0, top = 0, right = 0, bottom = 0;
};

class Backend {
  public:
    virtual ~Backend() = default;

    // Windows. Ids are the backend's own; a frame's size is the window's client size.

    // Opens a hidden top-level window at `screen`; returns its id (never 0).
    virtual int OpenWindow(const std::string& titleUtf8, const Rect& screen) = 0;
    // Reverses OpenWindow.
    virtual void CloseWindow(int window) = 0;
    // Moves and sizes the window; kFullScreen covers the whole display without decorations.
    virtual void PlaceWindow(int window, const Rect& screen, Placement placement) = 0;
    // Shows or hides the window.
    virtual void ShowWindow(int window, bool visible) = 0;
    // The title the frame and the task bar show.
    virtual void SetTitle(int window, const std::string& titleUtf8) = 0;
    // The icon the frame and the task bar show; null removes it.
    virtual void SetIcon(int window, const Image* icon) = 0;
    // Whether the frame a window manager draws offers to minimise and to maximise the window.
    virtual void SetFrameButtons(int window, bool minimize, bool maximize) = 0;
    // Shows a complete frame of the window's client area, also again after it was covered.
    virtual void Present(int window, const Image& frame) = 0;

    // Events and the clock.

    // Blocks until an input event arrives or `timeoutMs` passes (-1: no limit); never spins.
    // Pointer events carry where the pointer really is, also outside the window; which window
    // gets them is the layer's to decide.
    virtual std::optional<InputEvent> WaitEvent(int timeoutMs) = 0;
    // Ends a WaitEvent early; may be called from any thread.
    virtual void Wake() = 0;
    // Milliseconds on a monotonic clock, the clock of InputEvent::time.
    virtual std::uint64_t Now() = 0;

    // Monitors and coordinates, as Windows counts them: the primary monitor's corner is (0, 0).

    // The primary monitor, whole.
    virtual Rect Screen() = 0;
    // The monitor the window is on, whole, and the part of it that windows may cover (without
    // panels and docks).
    virtual Rect Monitor(int window) = 0;
    virtual Rect WorkArea(int window) = 0;
    // The frame the window manager puts around the window (also before it is shown, where the
    // manager says); zeros without one.
    virtual Margins FrameExtents(int window) = 0;

    // Cursors, boxes, sounds and programs.

    // The pointer's shape over every window of the program; null hides the pointer. The cursor
    // outlives its use: the layer keeps each one for the life of the process.
    virtual void SetCursor(const Cursor* cursor) = 0;
    // Blocks until the user has dismissed the box.
    virtual void ShowMessageBox(const std::string& captionUtf8, const std::string& textUtf8) = 0;
    // Plays the bytes of a WAV file, cutting off what still plays. `name` is for journals.
    virtual void PlaySound(const std::string& name, const std::vector<std::uint8_t>& wav) = 0;
    // Starts `argv` detached in the current directory; false when it could not be started.
    virtual bool StartProgram(const std::vector<std::string>& argv) = 0;
};

// The backend in use; ends the program with a message when none is installed.
Backend& Current();
// Makes `backend` the one in use, for the rest of the process. The program's entry (or a test)
// installs one before anything else runs.
void Install(std::unique_ptr<Backend> backend);
// Whether one is installed.
bool IsInstalled();

}  // namespace backend
