// SPDX-License-Identifier: MIT
// One picture button of the menu: its three pictures, where they go, its hit rectangle, sounds,
// command and shutdown switch, read from its button description file.
#pragma once

#include <cstdint>
#include <string>

#include "platform/windows.h"

class DibImage;

class ShellButton {
  public:
    // Takes the next id from g_nNextButtonId.
    ShellButton();
    ~ShellButton();
    ShellButton(const ShellButton&) = delete;
    ShellButton& operator=(const ShellButton&) = delete;

    // Reads the button file at `path` and loads every picture it names from g_strMediaFolder.
    // FALSE at the first failure, keeping the pictures already loaded; shows nothing.
    BOOL Load(const char* path);

    // Hover: the point is in the main window's client coordinates, as WM_MOUSEMOVE gives it.
    // TRUE when it lies on the button, which is then hovered.
    BOOL UpdateHover(UINT flags, POINT point);
    BOOL BeginHover();
    // Back to the normal picture, its timer killed, its hover sound to play again next time.
    void EndHover();
    // FALSE for a button without a normal picture, or once the picture window is gone: it
    // ignores the pointer and the keyboard focus passes it by.
    BOOL Reacts() const;
    // TRUE when `id` is this button's hover timer; the button then shows its bubble.
    BOOL TimerElapsed(UINT_PTR id);
    // Clicks: TRUE when the point lies on the button, after the click has been carried out.
    BOOL TryClick(UINT flags, POINT point);
    BOOL Click();
    HINSTANCE Execute();
    // Copies the picture for the current state into g_pOffscreen.
    void Draw();

    std::string m_strHiName;  // image_hi, or image_bubble when that has a value
    std::string m_strLoName;
    DibImage* m_pLoImage = nullptr;      // owned; null: never drawn normal, never reacts
    DibImage* m_pHiImage = nullptr;      // owned, may be null
    DibImage* m_pBubbleImage = nullptr;  // owned, may be null
    LONG m_nPosX = 0;                    // where the picture goes, from the frame's top-left corner
    LONG m_nPosY = 0;
    // In picture-window client coordinates. Starts empty, so a side given as "null" can never
    // produce a rectangle that catches clicks by accident.
    RECT m_rcHit{0, 0, 0, 0};
    std::uint32_t m_nId;  // also the hover timer id and the shutdown message parameter
    BOOL m_bTimerActive = FALSE;
    std::string m_strSoundHover;
    std::string m_strSoundClick;
    std::string m_strCommand;  // "exit" closes the menu instead
    BOOL m_bShutdown = FALSE;
    // The values of m_nState: which picture the button shows.
    static constexpr std::int32_t kStateNormal = 0;
    static constexpr std::int32_t kStateHovered = 1;
    static constexpr std::int32_t kStateBubble = 2;
    std::int32_t m_nState = kStateNormal;
    BOOL m_bHoverSoundPlayed = FALSE;

  private:
    enum class Hit { kNotTested, kOff, kOn };
    // Whether a point in the main window's client coordinates lies on the button; not tested
    // without a normal picture or a picture window.
    Hit HitTest(POINT point) const;
};

// The id the next button takes: 1, 2, 3 ... in construction order, never reset.
extern std::uint32_t g_nNextButtonId;
// Prefix of picture and sound names: a single blank until set-up makes it "shellmedia\".
extern std::string g_strMediaFolder;
void SetMediaFolder(std::string folder);
