#include "imaging/dib_image.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "tests/helpers/bmp_writer.h"
#include "tests/helpers/scratch_folder.h"

namespace {

using testing_support::BmpPicture;
using testing_support::EncodeBmp;
using testing_support::PixelAt;
using testing_support::ScratchFolder;

// Distinct colour for every pixel, so any misplaced byte shows.
std::uint32_t Pattern(int x, int y) {
    return 0x100000u * static_cast<std::uint32_t>(y + 1) +
           0x10u * static_cast<std::uint32_t>(x + 1);
}

BOOL LoadBytes(const ScratchFolder& folder, const std::string& bytes, DibImage& image) {
    folder.Write("p.bmp", bytes);
    return image.Load("p.bmp");
}

void PutLe32(std::string& bytes, std::size_t offset, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        bytes[offset + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
    }
}

TEST(DibImageTest, Loads24BitTopRowFirst) {
    ScratchFolder folder;
    DibImage image;
    ASSERT_EQ(LoadBytes(folder, EncodeBmp(BmpPicture{3, 2, 24, 0, Pattern}), image), TRUE);
    EXPECT_EQ(image.m_nStride, 12u);  // 9 pixel bytes and 3 of padding
    EXPECT_EQ(image.m_nColors, 256u);
    EXPECT_EQ(image.m_pInfo->bmiHeader.biWidth, 3);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) {
            EXPECT_EQ(PixelAt(image.m_pBits, image.m_nStride, x, y), Pattern(x, y));
        }
    }
    // Data is taken to follow the headers, whatever bfOffBits says.
    std::string shifted = EncodeBmp(BmpPicture{3, 2, 24, 0, Pattern});
    PutLe32(shifted, 10, 200);
    DibImage again;
    ASSERT_EQ(LoadBytes(folder, shifted, again), TRUE);
    EXPECT_EQ(PixelAt(again.m_pBits, again.m_nStride, 0, 0), Pattern(0, 0));
}

TEST(DibImageTest, Loads8BitWithItsPalette) {
    ScratchFolder folder;
    DibImage full;
    ASSERT_EQ(
        LoadBytes(folder, EncodeBmp(BmpPicture{5, 1, 8, 0, [](int x, int) { return x * 50u; }}),
                  full),
        TRUE);
    EXPECT_EQ(full.m_nColors, 256u);
    EXPECT_EQ(full.m_nStride, 8u);
    EXPECT_EQ(full.m_pInfo->bmiColors[255].rgbRed, 255);
    EXPECT_EQ(full.m_pBits[4], 200);
    DibImage small;
    ASSERT_EQ(LoadBytes(folder, EncodeBmp(BmpPicture{2, 2, 8, 16}), small), TRUE);
    EXPECT_EQ(small.m_nColors, 16u);
    // A palette of 16 entries reads 64 bytes: one byte less and the rows come up short.
    std::string cut = EncodeBmp(BmpPicture{2, 2, 8, 16});
    cut.pop_back();
    DibImage shortFile;
    EXPECT_EQ(LoadBytes(folder, cut, shortFile), FALSE);
}

TEST(DibImageTest, RejectsWhatItCannotRead) {
    ScratchFolder folder;
    const std::string good = EncodeBmp(BmpPicture{4, 4, 24, 0, Pattern});
    auto fails = [&](const std::string& bytes, const char* why) {
        DibImage image;
        EXPECT_EQ(LoadBytes(folder, bytes, image), FALSE) << why;
    };
    fails("", "empty");
    fails(good.substr(0, 13), "short file header");
    fails(good.substr(0, 53), "short info header");
    fails("MB" + good.substr(2), "not BM");
    for (std::uint16_t depth : {1, 4, 16, 32}) {
        fails(EncodeBmp(BmpPicture{4, 4, depth}), "depth");
    }
    fails(good.substr(0, good.size() - 1), "last row one byte short");
    std::string negative = good;
    PutLe32(negative, 22, static_cast<std::uint32_t>(-4));
    fails(negative, "top-down height");
    std::string palette = good;
    PutLe32(palette, 46, 0x40000000);
    fails(palette, "palette room beyond 32 bits");
    std::string palette8 = EncodeBmp(BmpPicture{4, 4, 8});
    PutLe32(palette8, 46, 1u << 20);
    fails(palette8, "palette larger than the file");
    std::string lying = good;
    PutLe32(lying, 22, 0x00FFFFFF);  // 16 M rows of 12 bytes in a file of four
    DibImage liar;
    EXPECT_EQ(LoadBytes(folder, lying, liar), FALSE);
    EXPECT_EQ(liar.m_pBits, nullptr) << "a lying height allocates nothing";
    DibImage none;
    EXPECT_EQ(none.Load("no such file.bmp"), FALSE);
    // Zero rows, or rows of zero bytes however many, read nothing and succeed at once.
    DibImage empty;
    EXPECT_EQ(LoadBytes(folder, EncodeBmp(BmpPicture{4, 0}), empty), TRUE);
    std::string narrow = EncodeBmp(BmpPicture{0, 1});
    PutLe32(narrow, 22, 0x7FFFFFFF);
    DibImage zeroWidth;
    EXPECT_EQ(LoadBytes(folder, narrow, zeroWidth), TRUE);
}

// What a Windows reader loads, this one loads, and it keeps what it read when it fails.
TEST(DibImageTest, LoadsWhatTheFormatAllows) {
    ScratchFolder folder;
    // A 24-bit picture reads no palette, however many colours the header claims.
    std::string colours = EncodeBmp(BmpPicture{3, 2, 24, 0, Pattern});
    PutLe32(colours, 46, 1u << 24);
    DibImage many;
    ASSERT_EQ(LoadBytes(folder, colours, many), TRUE);
    EXPECT_EQ(many.m_nColors, 1u << 24);
    EXPECT_EQ(PixelAt(many.m_pBits, many.m_nStride, 2, 1), Pattern(2, 1));

    // Its last (top) row cut short: the load fails, but the rows read are there, the rest black.
    const std::string whole = EncodeBmp(BmpPicture{3, 3, 24, 0, Pattern});
    DibImage cut;
    EXPECT_EQ(LoadBytes(folder, whole.substr(0, whole.size() - 8), cut), FALSE);
    ASSERT_NE(cut.m_pBits, nullptr);
    EXPECT_EQ(PixelAt(cut.m_pBits, cut.m_nStride, 2, 2), Pattern(2, 2));
    EXPECT_EQ(PixelAt(cut.m_pBits, cut.m_nStride, 0, 1), Pattern(0, 1));
    EXPECT_EQ(PixelAt(cut.m_pBits, cut.m_nStride, 0, 0), Pattern(0, 0));  // 4 bytes came
    EXPECT_EQ(PixelAt(cut.m_pBits, cut.m_nStride, 2, 0), 0u);

    // A width of -1 makes a stride of 0: the picture loads empty, cannot be made again, and is
    // never drawn or copied.
    std::string minus = EncodeBmp(BmpPicture{3, 2, 24, 0, Pattern});
    PutLe32(minus, 18, static_cast<std::uint32_t>(-1));
    DibImage wide;
    EXPECT_EQ(LoadBytes(folder, minus, wide), TRUE);
    EXPECT_EQ(wide.m_nStride, 0u);
    DibImage copy;
    EXPECT_EQ(copy.Create(wide.m_pInfo->bmiHeader), FALSE);
    // A width whose row size wraps to a few bytes: copying it would read past its rows.
    std::string wrapped = EncodeBmp(BmpPicture{3, 2, 24, 0, Pattern});
    PutLe32(wrapped, 18, 0x40000001);
    DibImage wraps;
    ASSERT_EQ(LoadBytes(folder, wrapped, wraps), TRUE);
    EXPECT_EQ(wraps.m_nStride, 4u);
    DibImage dest;
    ASSERT_EQ(dest.Create(BITMAPINFOHEADER{40, 4, 4, 1, 24, 0, 0, 0, 0, 0, 0}), TRUE);
    std::memset(dest.m_pBits, 0x55, std::size_t{4} * dest.m_nStride);
    wraps.BlitInto(&dest, 0, 0);
    EXPECT_EQ(PixelAt(dest.m_pBits, dest.m_nStride, 0, 0), 0x555555u);
}

TEST(DibImageTest, SizeWarning) {
    // An ordinary 24-bit file differs by the 1024 bytes of palette room it never uses.
    EXPECT_EQ(BmpSizeWarning(1078, 54), "WARNING! Computed size: 1078, bmfh.bfSize: 54");
    EXPECT_EQ(BmpSizeWarning(54, 54), "");
}

// A bottom-up offscreen picture of `w` x `h`, filled with 0xEE.
void MakeOffscreen(DibImage& off, LONG w, LONG h, WORD depth = 24) {
    BITMAPINFOHEADER header{};
    header.biSize = 40;
    header.biWidth = w;
    header.biHeight = h;
    header.biPlanes = 1;
    header.biBitCount = depth;
    ASSERT_EQ(off.Create(header), TRUE);
    std::memset(off.m_pBits, 0xEE, static_cast<std::size_t>(h) * off.m_nStride);
}

// Colour at (x, y) counted from the top of a bottom-up picture.
std::uint32_t Shown(const DibImage& off, int x, int y) {
    return PixelAt(off.m_pBits, off.m_nStride, x, off.m_pInfo->bmiHeader.biHeight - 1 - y);
}

TEST(DibImageTest, BlitIntoPlacesClipsAndRefuses) {
    ScratchFolder folder;
    DibImage source;
    ASSERT_EQ(LoadBytes(folder, EncodeBmp(BmpPicture{2, 2, 24, 0, Pattern}), source), TRUE);
    constexpr std::uint32_t kUntouched = 0xEEEEEE;

    DibImage off;
    MakeOffscreen(off, 4, 4);
    source.BlitInto(&off, 0, 0);
    EXPECT_EQ(Shown(off, 0, 0), Pattern(0, 0));
    EXPECT_EQ(Shown(off, 1, 1), Pattern(1, 1));
    EXPECT_EQ(Shown(off, 2, 0), kUntouched);
    source.BlitInto(&off, 2, 2);
    EXPECT_EQ(Shown(off, 2, 2), Pattern(0, 0));
    EXPECT_EQ(Shown(off, 3, 3), Pattern(1, 1));
    EXPECT_EQ(off.m_pBits[12], 0xEE);  // row padding is never written

    // Partly outside on every side: only the overlap is copied, nothing outside is touched.
    struct Clip {
        LONG x, y;
        int shownX, shownY;  // where source pixel (1, 1) lands
    };
    for (const Clip& c : {Clip{-1, -1, 0, 0}, Clip{3, 3, 3, 3}, Clip{-1, 3, 0, 3}}) {
        DibImage clipped;
        MakeOffscreen(clipped, 4, 4);
        source.BlitInto(&clipped, c.x, c.y);
        const std::uint32_t expected = c.x == 3   ? Pattern(0, 0)
                                       : c.y == 3 ? Pattern(1, 0)
                                                  : Pattern(1, 1);
        EXPECT_EQ(Shown(clipped, c.shownX, c.shownY), expected) << c.x << "," << c.y;
        int changed = 0;
        for (int y = 0; y < 4; ++y) {
            for (int x = 0; x < 4; ++x) {
                changed += Shown(clipped, x, y) != kUntouched ? 1 : 0;
            }
        }
        EXPECT_EQ(changed, 1);
    }
    for (LONG far : {-2, 4, 0x7FFFFFFF, -0x7FFFFFFF - 1}) {
        DibImage outside;
        MakeOffscreen(outside, 4, 4);
        source.BlitInto(&outside, far, 0);
        source.BlitInto(&outside, 0, far);
        EXPECT_EQ(Shown(outside, 0, 0), kUntouched);
    }

    source.BlitInto(nullptr, 0, 0);  // nothing to do, nothing to crash on
    DibImage noBits;
    DibImage untouched;
    MakeOffscreen(untouched, 4, 4);
    noBits.BlitInto(&untouched, 0, 0);
    EXPECT_EQ(Shown(untouched, 0, 0), kUntouched);
    // Three bytes per pixel on both sides, or no copy at all.
    DibImage eight;
    MakeOffscreen(eight, 4, 4, 8);
    source.BlitInto(&eight, 0, 0);
    EXPECT_EQ(eight.m_pBits[0], 0xEE);
    DibImage palette;
    ASSERT_EQ(LoadBytes(folder, EncodeBmp(BmpPicture{2, 2, 8}), palette), TRUE);
    palette.BlitInto(&untouched, 0, 0);
    EXPECT_EQ(Shown(untouched, 0, 0), kUntouched);
}

TEST(DibImageTest, CreateAndAlloc) {
    DibImage off;
    BITMAPINFOHEADER header{40, 3, 2, 1, 24, 0, 0, 0, 0, 16, 0};
    ASSERT_EQ(off.Create(header), TRUE);
    EXPECT_EQ(off.m_nColors, 16u);
    EXPECT_EQ(off.m_nStride, 12u);
    EXPECT_NE(off.m_pBits, nullptr);
    DibImage zero;
    header.biWidth = 0;
    EXPECT_EQ(zero.AllocHeader(header), TRUE);
    EXPECT_EQ(zero.AllocBits(), FALSE);  // no stride, nothing to allocate
    DibImage huge;
    header.biWidth = 0x10000;
    header.biHeight = 0x10000;
    EXPECT_EQ(huge.Create(header), FALSE);  // 12 GiB: beyond 32 bits
}

}  // namespace
