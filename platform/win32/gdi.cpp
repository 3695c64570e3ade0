// SPDX-License-Identifier: MIT
// Brushes, rectangles, icons and DrawDib, drawn into the frame of a device context.
#include "platform/win32/gdi.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <map>
#include <memory>
#include <vector>

#include "platform/win32/device_context.h"

namespace {

struct Brush {
    COLORREF color;
};

// Owns every brush until DeleteObject, and at exit those that nobody deleted (class brushes).
std::map<const Brush*, std::unique_ptr<Brush>>& Brushes() {
    static std::map<const Brush*, std::unique_ptr<Brush>> brushes;
    return brushes;
}

Brush* FromHBRUSH(HBRUSH brush) {
    const auto it = Brushes().find(reinterpret_cast<const Brush*>(brush));
    return it == Brushes().end() ? nullptr : it->second.get();
}

std::uint32_t ToArgb(COLORREF c) {
    return 0xFF000000u | static_cast<std::uint32_t>(GetRValue(c)) << 16 |
           static_cast<std::uint32_t>(GetGValue(c)) << 8 | GetBValue(c);
}

// The device context and its frame, or nulls when either is gone.
std::pair<win32::DeviceContext*, win32::Window*> Target(HDC hdc) {
    win32::DeviceContext* dc = win32::FromHDC(hdc);
    win32::Window* top = dc != nullptr ? win32::Find(dc->top) : nullptr;
    return {top != nullptr ? dc : nullptr, top};
}

// a + b, held to LONG's range: rectangles come from menu files and may lie at its edges.
LONG Plus(LONG a, LONG b) {
    return static_cast<LONG>(std::clamp<std::int64_t>(std::int64_t{a} + b, LONG_MIN, LONG_MAX));
}

void Fill(win32::Window* top, const win32::DeviceContext& dc, const RECT& r, std::uint32_t argb) {
    const RECT area = win32::Intersect(
        RECT{Plus(r.left, dc.origin.x), Plus(r.top, dc.origin.y), Plus(r.right, dc.origin.x),
             Plus(r.bottom, dc.origin.y)},
        win32::Intersect(dc.clip, RECT{0, 0, top->frame.width, top->frame.height}));
    for (LONG y = area.top; y < area.bottom; ++y) {
        auto* row = &top->frame.pixels[static_cast<std::size_t>(y) * top->frame.width];
        std::fill(row + area.left, row + area.right, argb);
    }
}

}  // namespace

HBRUSH CreateSolidBrush(COLORREF color) {
    auto brush = std::make_unique<Brush>(Brush{color});
    const Brush* handle = brush.get();
    Brushes()[handle] = std::move(brush);
    return reinterpret_cast<HBRUSH>(const_cast<Brush*>(handle));
}

BOOL DeleteObject(HGDIOBJ object) {
    Brush* brush = FromHBRUSH(reinterpret_cast<HBRUSH>(object));
    if (brush == nullptr) {
        return FALSE;
    }
    Brushes().erase(brush);
    return TRUE;
}

int FillRect(HDC hdc, const RECT* rect, HBRUSH brush) {
    const auto [dc, top] = Target(hdc);
    const Brush* b = FromHBRUSH(brush);
    if (dc == nullptr || b == nullptr || rect == nullptr) {
        return 0;
    }
    Fill(top, *dc, *rect, ToArgb(b->color));
    return 1;
}

int FrameRect(HDC hdc, const RECT* rect, HBRUSH brush) {
    const auto [dc, top] = Target(hdc);
    const Brush* b = FromHBRUSH(brush);
    if (dc == nullptr || b == nullptr || rect == nullptr || win32::IsEmpty(*rect)) {
        return 0;
    }
    const RECT& r = *rect;
    const std::uint32_t argb = ToArgb(b->color);
    Fill(top, *dc, RECT{r.left, r.top, r.right, Plus(r.top, 1)}, argb);
    Fill(top, *dc, RECT{r.left, Plus(r.bottom, -1), r.right, r.bottom}, argb);
    Fill(top, *dc, RECT{r.left, r.top, Plus(r.left, 1), r.bottom}, argb);
    Fill(top, *dc, RECT{Plus(r.right, -1), r.top, r.right, r.bottom}, argb);
    return 1;
}

BOOL DrawIcon(HDC hdc, int x, int y, HICON icon) {
    const auto [dc, top] = Target(hdc);
    const auto* cursor = reinterpret_cast<const backend::Cursor*>(icon);
    if (dc == nullptr || cursor == nullptr) {
        return FALSE;
    }
    const backend::Image& image = cursor->image;
    for (int iy = 0; iy < image.height; ++iy) {
        for (int ix = 0; ix < image.width; ++ix) {
            const std::uint32_t p = image.pixels[static_cast<std::size_t>(iy) * image.width + ix];
            if ((p >> 24) >= 0x80) {  // icons are drawn with their mask, not blended
                win32::PutPixel(top, *dc, x + ix, y + iy, p);
            }
        }
    }
    return TRUE;
}

int StretchDIBits(HDC hdc, int xDest, int yDest, int destWidth, int destHeight, int xSrc, int ySrc,
                  int srcWidth, int srcHeight, const void* bits, const BITMAPINFO* info, UINT usage,
                  DWORD rop) {
    const auto [dc, top] = Target(hdc);
    if (dc == nullptr || bits == nullptr || info == nullptr || usage != DIB_RGB_COLORS ||
        rop != SRCCOPY) {
        return 0;
    }
    const BITMAPINFOHEADER& h = info->bmiHeader;
    const bool bottomUp = h.biHeight > 0;
    const LONG height = bottomUp ? h.biHeight : -h.biHeight;
    if (h.biBitCount != 32 || h.biCompression != BI_RGB || h.biWidth <= 0 || height <= 0 ||
        destWidth <= 0 || destHeight <= 0 || srcWidth <= 0 || srcHeight <= 0 || xSrc < 0 ||
        ySrc < 0 || xSrc + srcWidth > h.biWidth || ySrc + srcHeight > height) {
        return 0;
    }
    const RECT area = win32::Intersect(
        RECT{xDest + dc->origin.x, yDest + dc->origin.y, xDest + destWidth + dc->origin.x,
             yDest + destHeight + dc->origin.y},
        win32::Intersect(dc->clip, RECT{0, 0, top->frame.width, top->frame.height}));
    if (win32::IsEmpty(area)) {
        return srcHeight;
    }
    // The source column of every destination column, once per call.
    std::vector<std::size_t> column(static_cast<std::size_t>(area.right - area.left));
    for (LONG fx = area.left; fx < area.right; ++fx) {
        const auto dx = static_cast<std::int64_t>(fx - dc->origin.x - xDest);
        column[static_cast<std::size_t>(fx - area.left)] =
            static_cast<std::size_t>(xSrc + dx * srcWidth / destWidth);
    }
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    for (LONG fy = area.top; fy < area.bottom; ++fy) {
        const auto dy = static_cast<std::int64_t>(fy - dc->origin.y - yDest);
        const auto sy = static_cast<LONG>(ySrc + dy * srcHeight / destHeight);
        const std::uint32_t* row =
            pixels + static_cast<std::size_t>(bottomUp ? height - 1 - sy : sy) * h.biWidth;
        std::uint32_t* out = &top->frame.pixels[static_cast<std::size_t>(fy) * top->frame.width];
        for (LONG fx = area.left; fx < area.right; ++fx) {
            out[fx] = 0xFF000000u | row[column[static_cast<std::size_t>(fx - area.left)]];
        }
    }
    return srcHeight;
}

HDRAWDIB DrawDibOpen() {
    static int context;
    return &context;
}

BOOL DrawDibClose(HDRAWDIB hdd) {
    return hdd != nullptr ? TRUE : FALSE;
}

BOOL DrawDibDraw(HDRAWDIB hdd, HDC hdc, int xDst, int yDst, int dxDst, int dyDst,
                 BITMAPINFOHEADER* header, void* bits, int xSrc, int ySrc, int dxSrc, int dySrc,
                 UINT /*flags*/) {
    const auto [dc, top] = Target(hdc);
    if (hdd == nullptr || dc == nullptr || header == nullptr || bits == nullptr ||
        (header->biBitCount != 24 && header->biBitCount != 8) || header->biWidth <= 0 ||
        header->biHeight == 0) {
        return FALSE;
    }
    // Unscaled only: -1 means the source's own size.
    if ((dxDst != -1 && dxDst != dxSrc) || (dyDst != -1 && dyDst != dySrc)) {
        return FALSE;
    }
    const int width = header->biWidth;
    const bool bottomUp = header->biHeight > 0;
    const int height = bottomUp ? header->biHeight : -header->biHeight;
    const std::size_t stride =
        ((static_cast<std::size_t>(width) * header->biBitCount + 31) & ~std::size_t{31}) / 8;
    const auto* base = static_cast<const BYTE*>(bits);
    // The palette follows the 40 header bytes, never biSize bytes: a header from a file may
    // claim any size, while the block it came in holds the 40 bytes and the palette alone.
    const auto* palette = reinterpret_cast<const RGBQUAD*>(reinterpret_cast<const BYTE*>(header) +
                                                           sizeof(BITMAPINFOHEADER));
    const std::uint32_t colors = header->biClrUsed == 0 ? 256 : header->biClrUsed;
    // The source rectangle, placed in the frame and cut to the clip and the frame, once; the
    // rows are then copied without a test per pixel (this draws every frame of the menu).
    const int originX = xDst - xSrc + dc->origin.x;
    const int originY = yDst - ySrc + dc->origin.y;
    const RECT source{std::max(0, xSrc), std::max(0, ySrc), std::min(width, xSrc + dxSrc),
                      std::min(height, ySrc + dySrc)};
    const RECT area = win32::Intersect(
        RECT{source.left + originX, source.top + originY, source.right + originX,
             source.bottom + originY},
        win32::Intersect(dc->clip, RECT{0, 0, top->frame.width, top->frame.height}));
    for (LONG fy = area.top; fy < area.bottom; ++fy) {
        const int sy = fy - originY;  // counts from the top of the picture
        const BYTE* row = base + stride * static_cast<std::size_t>(bottomUp ? height - 1 - sy : sy);
        std::uint32_t* out = &top->frame.pixels[static_cast<std::size_t>(fy) * top->frame.width];
        const auto first = static_cast<std::size_t>(area.left - originX);
        const auto count = static_cast<std::size_t>(std::max<LONG>(0, area.right - area.left));
        out += area.left;
        if (header->biBitCount == 24) {
            // Four bytes at a time, B G R and the next pixel's first byte, which the opaque
            // alpha covers (a little-endian layout); the row's last pixel byte by byte, as the
            // bytes after it may not be the picture's.
            const BYTE* p = row + 3 * first;
            for (std::size_t i = 0; i + 1 < count; ++i, p += 3) {
                std::uint32_t bgrx = 0;
                std::memcpy(&bgrx, p, 4);
                out[i] = 0xFF000000u | bgrx;
            }
            if (count > 0) {
                out[count - 1] = 0xFF000000u | static_cast<std::uint32_t>(p[2]) << 16 |
                                 static_cast<std::uint32_t>(p[1]) << 8 | p[0];
            }
            continue;
        }
        for (std::size_t i = 0; i < count; ++i) {
            const BYTE index = row[first + i];
            std::uint32_t rgb = 0;
            if (index < colors) {
                const RGBQUAD& q = palette[index];
                rgb = static_cast<std::uint32_t>(q.rgbRed) << 16 |
                      static_cast<std::uint32_t>(q.rgbGreen) << 8 | q.rgbBlue;
            }
            out[i] = 0xFF000000u | rgb;
        }
    }
    return TRUE;
}
