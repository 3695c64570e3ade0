#include "imaging/dib_image.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <limits>
#include <new>

#include "platform/file_stream.h"

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = sizeof(BITMAPINFOHEADER);
constexpr std::uint64_t kMaxBuffer = std::numeric_limits<std::uint32_t>::max();

std::uint32_t ReadLe32(const BYTE* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

// Rows are padded to 32 bits. Zero when the stride would not fit in 32 bits.
std::uint32_t StrideOf(const BITMAPINFOHEADER& h) {
    const std::uint64_t bits =
        static_cast<std::uint64_t>(static_cast<std::uint32_t>(h.biWidth)) * h.biBitCount;
    const std::uint64_t stride = ((bits + 31) & ~std::uint64_t{31}) / 8;
    return stride > kMaxBuffer ? 0 : static_cast<std::uint32_t>(stride);
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
    const std::uint64_t size = kInfoHeaderSize + std::uint64_t{4} * colors;
    const std::uint32_t stride = StrideOf(header);
    if (size > kMaxBuffer || (stride == 0 && header.biWidth != 0 && header.biBitCount != 0)) {
        return FALSE;  // a block no 32-bit system could allocate
    }
    BYTE* block = new (std::nothrow) BYTE[size];
    if (block == nullptr) {
        return FALSE;
    }
    delete[] reinterpret_cast<BYTE*>(m_pInfo);
    m_pInfo = reinterpret_cast<BITMAPINFO*>(block);
    std::memcpy(&m_pInfo->bmiHeader, &header, kInfoHeaderSize);
    m_nColors = colors;
    m_nStride = stride;
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
    if (size > kMaxBuffer) {
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
    const auto file = OpenFileStream(path, FileMode::kBinary);
    if (file->fail()) {
        return FALSE;
    }
    BYTE fileHeader[kFileHeaderSize];
    if (!ReadExactly(*file, fileHeader, sizeof fileHeader)) {
        return FALSE;
    }
    if (fileHeader[0] != 'B' || fileHeader[1] != 'M') {
        return FALSE;
    }
    BITMAPINFOHEADER info{};
    if (!ReadExactly(*file, &info, kInfoHeaderSize)) {
        return FALSE;
    }
    // A palette or pixel buffer larger than the whole file cannot be filled from it: refuse it
    // before allocating, so a forged header cannot claim gigabytes.
    const std::uint64_t remaining = RemainingBytes(*file);
    const std::uint32_t colors = info.biClrUsed == 0 ? 256 : info.biClrUsed;
    if (info.biClrUsed != 0 && std::uint64_t{4} * colors > remaining) {
        return FALSE;
    }
    if (AllocHeader(info) == FALSE) {
        return FALSE;
    }
    const std::uint32_t computed = static_cast<std::uint32_t>(info.biHeight) * m_nStride +
                                   4 * m_nColors + info.biSize +
                                   static_cast<std::uint32_t>(kFileHeaderSize);
    BmpSizeWarning(computed, ReadLe32(fileHeader + 2));  // composed for diagnostics, not shown

    const WORD depth = info.biBitCount;
    if (depth < 8 || depth == 16 || depth > 24) {
        return FALSE;
    }
    std::uint64_t pixelBytes = remaining;
    if (depth == 8) {
        if (!ReadExactly(*file, m_pInfo->bmiColors, std::uint64_t{4} * m_nColors)) {
            return FALSE;
        }
        pixelBytes -= std::uint64_t{4} * m_nColors;
    }
    if (BufferSize(info, m_nStride) > pixelBytes) {
        return FALSE;
    }
    // The palette path needs a non-empty row; the direct path takes even a zero-width picture.
    if ((depth == 8 ? AllocBits() : AllocBuffer()) == FALSE) {
        return FALSE;
    }
    // The file stores the bottom row first; the buffer holds the top row first. Rows of a
    // zero-width picture are empty, however many the header claims.
    const auto height = m_nStride == 0 ? 0 : static_cast<std::uint32_t>(info.biHeight);
    for (std::uint32_t row = 0; row < height; ++row) {
        if (!ReadExactly(*file, m_pBits + std::uint64_t{height - 1 - row} * m_nStride, m_nStride)) {
            return FALSE;
        }
    }
    return TRUE;
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
        d.biWidth <= 0 || d.biHeight <= 0) {
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
    if (m_pInfo == nullptr) {
        return FALSE;
    }
    const BITMAPINFOHEADER& h = m_pInfo->bmiHeader;
    const HDRAWDIB hdd = DrawDibOpen();
    const BOOL drawn =
        DrawDibDraw(hdd, hdc, x, y, -1, -1, &h, m_pBits, 0, 0, h.biWidth, h.biHeight, 0);
    DrawDibClose(hdd);
    return drawn;
}
