// SPDX-License-Identifier: MIT
#include "imaging/dib_image.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <limits>
#include <new>
#include <vector>

#include "platform/file_stream.h"

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = sizeof(BITMAPINFOHEADER);
constexpr std::uint64_t kMaxBuffer = std::numeric_limits<std::uint32_t>::max();
constexpr std::uint32_t kMostColors = 256;
// More pixels than any menu picture has, and than a 32-bit program can count on getting.
constexpr std::uint64_t kMaxPixels = std::uint64_t{256} << 20;
// How far a header may overstate the pixels its file holds before it counts as lying: a file
// cut short keeps the rows it has, but no forged header makes us allocate gigabytes.
constexpr std::uint64_t kMissingPixelsAllowed = std::uint64_t{16} << 20;

std::uint32_t ReadLe32(const BYTE* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

// Rows are padded to 32 bits, computed in 32 bits as the format's readers do: a width whose row
// size overflows gets a stride that is too small (0 for a width of -1), and such a picture is
// then never copied or drawn (see RowsFit).
std::uint32_t StrideOf(const BITMAPINFOHEADER& h) {
    const std::uint32_t bits = static_cast<std::uint32_t>(h.biWidth) * h.biBitCount;
    return ((bits + 31) & ~std::uint32_t{31}) / 8;
}

// biHeight rows of `stride` bytes; a negative height reads as a huge unsigned one.
std::uint64_t BufferSize(const BITMAPINFOHEADER& h, std::uint32_t stride) {
    return static_cast<std::uint64_t>(static_cast<std::uint32_t>(h.biHeight)) * stride;
}

bool ReadExactly(std::istream& in, void* into, std::uint64_t size) {
    in.read(static_cast<char*>(into), static_cast<std::streamsize>(size));
    return static_cast<std::uint64_t>(in.gcount()) == size;
}

std::uint64_t RemainingBytes(std::istream& in) {
    const std::streampos here = in.tellg();
    in.seekg(0, std::ios::end);
    const std::streampos end = in.tellg();
    in.seekg(here);
    return here < 0 || end < here ? 0 : static_cast<std::uint64_t>(end - here);
}

}  // namespace

std::string BmpSizeWarning(std::uint32_t computed, std::uint32_t bfSize) {
    if (computed == bfSize) {
        return {};
    }
    char text[80];
    (void)std::snprintf(text, sizeof text, "WARNING! Computed size: %d, bmfh.bfSize: %d",
                        static_cast<int>(computed), static_cast<int>(bfSize));
    return text;
}

DibImage::~DibImage() {
    delete[] reinterpret_cast<BYTE*>(m_pInfo);
    m_pInfo = nullptr;
    delete[] m_pBits;
    m_pBits = nullptr;
}

BOOL DibImage::AllocHeader(const BITMAPINFOHEADER& header) {
    const std::uint32_t colors = header.biClrUsed == 0 ? 256 : header.biClrUsed;
    if (kInfoHeaderSize + std::uint64_t{4} * colors > kMaxBuffer) {
        return FALSE;  // a block no 32-bit system could allocate
    }
    // Room for the entries an 8-bit picture can index, not for all a header may claim.
    const std::size_t size = kInfoHeaderSize + 4 * std::size_t{std::min(colors, kMostColors)};
    BYTE* block = new (std::nothrow) BYTE[size];
    if (block == nullptr) {
        return FALSE;
    }
    delete[] reinterpret_cast<BYTE*>(m_pInfo);
    m_pInfo = reinterpret_cast<BITMAPINFO*>(block);
    // Pixels sized by another header would be read with this one's sizes.
    delete[] m_pBits;
    m_pBits = nullptr;
    std::memcpy(&m_pInfo->bmiHeader, &header, kInfoHeaderSize);
    m_nColors = colors;
    m_nStride = StrideOf(header);
    return TRUE;
}

BOOL DibImage::AllocBits() {
    return m_nStride == 0 ? FALSE : AllocBuffer();
}

BOOL DibImage::AllocBuffer() {
    if (m_pInfo == nullptr) {
        return FALSE;
    }
    const std::uint64_t size = BufferSize(m_pInfo->bmiHeader, m_nStride);
    if (size > kMaxPixels) {
        return FALSE;
    }
    BYTE* bits = new (std::nothrow) BYTE[size];
    if (bits == nullptr) {
        return FALSE;
    }
    delete[] m_pBits;
    m_pBits = bits;
    return TRUE;
}

BOOL DibImage::Create(const BITMAPINFOHEADER& header) {
    return AllocHeader(header) == TRUE ? AllocBits() : FALSE;
}

BOOL DibImage::Load(const char* path) {
    m_strLoadProblem.clear();
    const auto fail = [this](const char* why) {
        m_strLoadProblem = why;
        return FALSE;
    };
    const auto file = OpenFileStream(path, FileMode::kBinary);
    if (file->fail()) {
        return fail("cannot be opened");
    }
    BYTE fileHeader[kFileHeaderSize];
    if (!ReadExactly(*file, fileHeader, sizeof fileHeader) || fileHeader[0] != 'B' ||
        fileHeader[1] != 'M') {
        return fail("is not a BMP file (it does not start with \"BM\")");
    }
    BITMAPINFOHEADER info{};
    if (!ReadExactly(*file, &info, kInfoHeaderSize)) {
        return fail("ends inside its header");
    }
    const std::uint64_t remaining = RemainingBytes(*file);
    if (AllocHeader(info) == FALSE) {
        return fail("claims more palette colours than any picture has");
    }
    const std::uint32_t computed = static_cast<std::uint32_t>(info.biHeight) * m_nStride +
                                   4 * m_nColors + info.biSize +
                                   static_cast<std::uint32_t>(kFileHeaderSize);
    BmpSizeWarning(computed, ReadLe32(fileHeader + 2));  // composed for diagnostics, not shown

    const WORD depth = info.biBitCount;
    if (depth < 8 || depth == 16 || depth > 24) {
        return fail("has a colour depth that cannot be read (8 or 24 bits per pixel are)");
    }
    std::uint64_t pixelBytes = remaining;
    if (depth == 8) {  // only this path reads the palette, whatever biClrUsed claims
        const std::uint64_t paletteBytes = std::uint64_t{4} * m_nColors;
        const std::uint64_t held = std::uint64_t{4} * PaletteEntries();
        if (paletteBytes > remaining || !ReadExactly(*file, m_pInfo->bmiColors, held) ||
            !file->seekg(static_cast<std::streamoff>(paletteBytes - held), std::ios::cur)) {
            return fail("ends inside its palette");
        }
        pixelBytes -= paletteBytes;
    }
    if (BufferSize(info, m_nStride) > pixelBytes + kMissingPixelsAllowed) {
        return fail("claims far more pixels than the file holds");
    }
    // The palette path needs a non-empty row; the direct path takes even a zero-width picture.
    if ((depth == 8 ? AllocBits() : AllocBuffer()) == FALSE) {
        return fail("is too large, or its width or height is impossible");
    }
    // The file stores the bottom row first; the buffer holds the top row first. Rows of a
    // zero-width picture are empty, however many the header claims.
    const auto height = m_nStride == 0 ? 0 : static_cast<std::uint32_t>(info.biHeight);
    for (std::uint32_t row = 0; row < height; ++row) {
        BYTE* into = m_pBits + std::uint64_t{height - 1 - row} * m_nStride;
        if (!ReadExactly(*file, into, m_nStride)) {
            // The load fails, but whoever goes on with the picture sees the rows the file had
            // and black for the rest.
            const auto got = static_cast<std::size_t>(file->gcount());
            std::memset(into + got, 0, m_nStride - got);
            std::memset(m_pBits, 0, std::size_t{height - 1 - row} * m_nStride);
            return fail("is cut short: rows are missing at its top");
        }
    }
    return TRUE;
}

std::uint32_t DibImage::PaletteEntries() const {
    return std::min(m_nColors, kMostColors);
}

bool DibImage::RowsFit() const {
    const BITMAPINFOHEADER& h = m_pInfo->bmiHeader;
    const std::uint64_t bits =
        static_cast<std::uint64_t>(static_cast<std::uint32_t>(h.biWidth)) * h.biBitCount;
    return ((bits + 31) & ~std::uint64_t{31}) / 8 == m_nStride;
}

void DibImage::BlitInto(DibImage* dest, LONG x, LONG y) const {
    if (dest == nullptr || m_pBits == nullptr || m_pInfo == nullptr || dest->m_pBits == nullptr ||
        dest->m_pInfo == nullptr) {
        return;
    }
    const BITMAPINFOHEADER& s = m_pInfo->bmiHeader;
    const BITMAPINFOHEADER& d = dest->m_pInfo->bmiHeader;
    // Composition copies three bytes per pixel; other depths would be read as garbage.
    if (s.biBitCount != 24 || d.biBitCount != 24 || s.biWidth <= 0 || s.biHeight <= 0 ||
        d.biWidth <= 0 || d.biHeight <= 0 || !RowsFit() || !dest->RowsFit()) {
        return;
    }
    const std::int64_t left = std::max<std::int64_t>(x, 0);
    const std::int64_t right = std::min<std::int64_t>(std::int64_t{x} + s.biWidth, d.biWidth);
    const std::int64_t top = std::max<std::int64_t>(y, 0);
    const std::int64_t bottom = std::min<std::int64_t>(std::int64_t{y} + s.biHeight, d.biHeight);
    if (left >= right || top >= bottom) {
        return;
    }
    const std::size_t bytes = static_cast<std::size_t>(3 * (right - left));
    const std::size_t sourceColumn = static_cast<std::size_t>(3 * (left - x));
    for (std::int64_t row = top; row < bottom; ++row) {
        const BYTE* from = m_pBits + static_cast<std::size_t>(row - y) * m_nStride + sourceColumn;
        BYTE* to = dest->m_pBits +
                   static_cast<std::size_t>(d.biHeight - 1 - row) * dest->m_nStride +
                   static_cast<std::size_t>(3 * left);
        std::memcpy(to, from, bytes);
    }
}

BOOL DibImage::Draw(HDC hdc, LONG x, LONG y) const {
    if (m_pInfo == nullptr || m_pBits == nullptr || !RowsFit()) {
        return FALSE;
    }
    const BITMAPINFOHEADER& h = m_pInfo->bmiHeader;
    // Windows' DrawDib looks for the palette biSize bytes into the header and reads biClrUsed
    // entries; this block holds at most 256 of them, right after the 40 header bytes. A header
    // that says otherwise is drawn from a copy that tells the truth.
    std::vector<BYTE> truthful;
    BITMAPINFOHEADER* header = &m_pInfo->bmiHeader;
    if (h.biSize != kInfoHeaderSize || h.biClrUsed > kMostColors) {
        const auto* block = reinterpret_cast<const BYTE*>(m_pInfo);
        truthful.assign(block, block + kInfoHeaderSize + std::size_t{4} * PaletteEntries());
        header = reinterpret_cast<BITMAPINFOHEADER*>(truthful.data());
        header->biSize = static_cast<DWORD>(kInfoHeaderSize);
        header->biClrUsed = std::min<DWORD>(header->biClrUsed, kMostColors);
    }
    const HDRAWDIB hdd = DrawDibOpen();
    const BOOL drawn =
        DrawDibDraw(hdd, hdc, x, y, -1, -1, header, m_pBits, 0, 0, h.biWidth, h.biHeight, 0);
    DrawDibClose(hdd);
    return drawn;
}
