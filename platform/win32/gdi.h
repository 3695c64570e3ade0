// SPDX-License-Identifier: MIT
// GDI subset: solid brushes, rectangles, and the device contexts BeginPaint hands out.
#pragma once

#include "platform/win32/types.h"

HBRUSH CreateSolidBrush(COLORREF color);
BOOL DeleteObject(HGDIOBJ object);
int FillRect(HDC hdc, const RECT* rect, HBRUSH brush);
int FrameRect(HDC hdc, const RECT* rect, HBRUSH brush);

constexpr DWORD BI_RGB = 0;
constexpr UINT DIB_RGB_COLORS = 0;
constexpr DWORD SRCCOPY = 0x00CC0020;
// Draws a 32-bit BI_RGB DIB (rows bottom first, or top first for a negative height) into the
// destination rectangle, stretched to it pixel by pixel (nearest source pixel); SRCCOPY only.
// Returns the number of source rows, 0 on failure.
int StretchDIBits(HDC hdc, int xDest, int yDest, int destWidth, int destHeight, int xSrc, int ySrc,
                  int srcWidth, int srcHeight, const void* bits, const BITMAPINFO* info, UINT usage,
                  DWORD rop);

// Video for Windows DrawDib: unscaled drawing of 24-bit and 8-bit DIBs. An 8-bit header is
// followed by its palette right after its first 40 bytes (biClrUsed entries, or 256 when 0),
// whatever biSize says. The pointers are not const, as in the system's own declaration; nothing
// is written through them.
using HDRAWDIB = HANDLE;
HDRAWDIB DrawDibOpen();
BOOL DrawDibClose(HDRAWDIB hdd);
BOOL DrawDibDraw(HDRAWDIB hdd, HDC hdc, int xDst, int yDst, int dxDst, int dyDst,
                 BITMAPINFOHEADER* header, void* bits, int xSrc, int ySrc, int dxSrc, int dySrc,
                 UINT flags);
