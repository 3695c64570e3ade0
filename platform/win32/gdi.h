// GDI subset: solid brushes, rectangles, and the device contexts BeginPaint hands out.
#pragma once

#include "platform/win32/types.h"

HBRUSH CreateSolidBrush(COLORREF color);
BOOL DeleteObject(HGDIOBJ object);
int FillRect(HDC hdc, const RECT* rect, HBRUSH brush);
int FrameRect(HDC hdc, const RECT* rect, HBRUSH brush);

// Video for Windows DrawDib: unscaled drawing of 24-bit and 8-bit DIBs.
using HDRAWDIB = HANDLE;
HDRAWDIB DrawDibOpen();
BOOL DrawDibClose(HDRAWDIB hdd);
BOOL DrawDibDraw(HDRAWDIB hdd, HDC hdc, int xDst, int yDst, int dxDst, int dyDst,
                 const BITMAPINFOHEADER* header, const void* bits, int xSrc, int ySrc, int dxSrc,
                 int dySrc, UINT flags);
