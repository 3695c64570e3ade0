// SPDX-License-Identifier: MIT
// The few things a real system must do for the window layer, behind one interface. All window
// semantics (messages, painting, timers, hit testing) live in the layer above; a backend only
// shows, waits, plays and starts. `sdl` is the real one; `headless` serves tests and tools.
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

struct InputEvent {
    EventType type = EventType::kMouseMove;
    int window = 0;    // the top-level window it happened in
    int x = 0, y = 0;  // in that window's client area
    MouseButton button = MouseButton::kNone;
    int key = 0;             // a virtual-key code (VK_ESCAPE, VK_RETURN, VK_F4 ...)
    bool alt = false;        // with the Alt key held
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

    // Opens a hidden top-level window at `screen`; returns its id (never 0).
    virtual int OpenWindow(const std::string& titleUtf8, const Rect& screen) = 0;
    // Reverses OpenWindow.
    virtual void CloseWindow(int window) = 0;
    // Moves and sizes the window; kFullScreen covers the whole display without decorations.
    virtual void PlaceWindow(int window, const Rect& screen, Placement placement) = 0;
    virtual void ShowWindow(int window, bool visible) = 0;
    virtual void SetTitle(int window, const std::string& titleUtf8) = 0;
    virtual void SetIcon(int window, const Image* icon) = 0;
    // Whether the frame a window manager draws offers to minimise and to maximise the window.
    virtual void SetFrameButtons(int window, bool minimize, bool maximize) = 0;
    // Shows a complete frame of the window's client area.
    virtual void Present(int window, const Image& frame) = 0;

    // Blocks until an input event arrives or `timeoutMs` passes (-1: no limit); never spins.
    // Pointer events carry where the pointer really is, also outside the window; which window
    // gets them is the layer's to decide.
    virtual std::optional<InputEvent> WaitEvent(int timeoutMs) = 0;
    // Ends a WaitEvent early; may be called from any thread.
    virtual void Wake() = 0;
    // Milliseconds on a monotonic clock.
    virtual std::uint64_t Now() = 0;
    virtual Rect Screen() = 0;
    // The monitor the window is on, whole, and the part of it that windows may cover (without
    // panels and docks).
    virtual Rect Monitor(int window) = 0;
    virtual Rect WorkArea(int window) = 0;
    // The frame the window manager puts around the window (also before it is shown, where the
    // manager says); zeros without one.
    virtual Margins FrameExtents(int window) = 0;

    // The pointer's shape over every window of the program; null hides the pointer.
    virtual void SetCursor(const Cursor* cursor) = 0;
    // Blocks until the user has dismissed the box.
    virtual void ShowMessageBox(const std::string& captionUtf8, const std::string& textUtf8) = 0;
    // Plays the bytes of a WAV file, cutting off what still plays. `name` is for journals.
    virtual void PlaySound(const std::string& name, const std::vector<std::uint8_t>& wav) = 0;
    // Starts `argv` detached in the current directory; false when it could not be started.
    virtual bool StartProgram(const std::vector<std::string>& argv) = 0;
};

// The backend in use. The program's entry installs one before anything else runs.
Backend& Current();
void Install(std::unique_ptr<Backend> backend);
bool IsInstalled();

}  // namespace backend
