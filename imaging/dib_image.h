// SPDX-License-Identifier: MIT
// A device-independent bitmap in memory: a BITMAPINFOHEADER with palette room, and the pixel rows.
// Pictures loaded from BMP files hold their top row first; the offscreen picture made with Create
// and filled with BlitInto holds its bottom row first, as a positive biHeight means when drawn.
#pragma once

#include <cstdint>
#include <string>

#include "platform/windows.h"

class DibImage {
  public:
    DibImage() = default;
    ~DibImage();
    DibImage(const DibImage&) = delete;
    DibImage& operator=(const DibImage&) = delete;

    // Loads an uncompressed BMP of 8 (palette) or 9-24 bits but 16; 1 on success, 0 on any
    // failure, keeping what was allocated (after a short last row: the rows read, the rest
    // black). Shows nothing.
    BOOL Load(const char* path);
    // Header and pixel buffer for `header`'s size and depth; pixels and palette not cleared.
    BOOL Create(const BITMAPINFOHEADER& header);
    BOOL AllocHeader(const BITMAPINFOHEADER& header);
    BOOL AllocBits();
    // Copies this (top row first) 24-bit picture into the bottom-up 24-bit `dest` with its
    // top-left corner at (x, y) counted from dest's top, clipped to dest.
    void BlitInto(DibImage* dest, LONG x, LONG y) const;
    // Draws the whole (bottom-up) picture unscaled with its top-left corner at (x, y).
    BOOL Draw(HDC hdc, LONG x, LONG y) const;

    // Palette entries held after the header: m_nColors, but never more than the 256 an 8-bit
    // picture can index.
    std::uint32_t PaletteEntries() const;

    BITMAPINFO* m_pInfo = nullptr;  // owned: the header and PaletteEntries() palette entries
    BYTE* m_pBits = nullptr;        // owned: biHeight rows of m_nStride bytes
    std::uint32_t m_nStride = 0;    // bytes per row, padded to a multiple of 4
    std::uint32_t m_nColors = 0;    // palette entries: biClrUsed, or 256 when that is 0
    std::string m_strLoadProblem;   // why the last Load failed, in a menu author's words

  private:
    // biHeight x m_nStride bytes into m_pBits; FALSE when that cannot be allocated.
    BOOL AllocBuffer();
    // Whether rows of m_nStride bytes hold biWidth pixels (a row size that overflowed 32 bits
    // gives a stride that is too small).
    bool RowsFit() const;
};

// The note a load composes when a file's bfSize differs from the size its headers imply
// (ordinary 24-bit files differ by the 1024 bytes of unused palette room); empty when equal.
std::string BmpSizeWarning(std::uint32_t computed, std::uint32_t bfSize);
