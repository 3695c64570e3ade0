// SPDX-License-Identifier: MIT
// BMP files as the loader takes or refuses them, and the offscreen picture they are copied into.
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

// Distinct colour for every pixel, so any misplaced byte shows.
std::uint32_t Pattern(int x, int y) {
    return 0x100000u * static_cast<std::uint32_t>(y + 1) +
           0x10u * static_cast<std::uint32_t>(x + 1);
}

std::string Bmp24(int width, int height) {
    return EncodeBmp(BmpPicture{width, height, 24, 0, Pattern});
}

// `bytes` with the 32-bit field at `offset` set to `v`.
std::string With(std::string bytes, std::size_t offset, std::uint32_t v) {
    std::string field;
    testing_support::Put(field, v);
    return bytes.replace(offset, 4, field);
}

class DibImageTest : public testing::Test {
  protected:
    BOOL Load(const std::string& bytes, DibImage& image) const {
        m_folder.Write("p.bmp", bytes);
        return image.Load("p.bmp");
    }

    testing_support::ScratchFolder m_folder;
};

TEST_F(DibImageTest, Loads24And8BitPictures) {
    DibImage image;
    ASSERT_EQ(Load(Bmp24(3, 2), image), TRUE);
    EXPECT_EQ(image.m_nStride, 12u);  // 9 pixel bytes and 3 of padding
    EXPECT_EQ(image.m_nColors, 256u);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) {
            EXPECT_EQ(PixelAt(image.m_pBits, image.m_nStride, x, y), Pattern(x, y));
        }
    }
    // Data is taken to follow the headers, whatever bfOffBits says.
    DibImage shifted;
    ASSERT_EQ(Load(With(Bmp24(3, 2), 10, 200), shifted), TRUE);
    EXPECT_EQ(PixelAt(shifted.m_pBits, shifted.m_nStride, 0, 0), Pattern(0, 0));

    DibImage full;
    ASSERT_EQ(Load(EncodeBmp(BmpPicture{5, 1, 8, 0, [](int x, int) { return x * 50u; }}), full),
              TRUE);
    EXPECT_EQ(full.m_nStride, 8u);
    EXPECT_EQ(full.m_pInfo->bmiColors[255].rgbRed, 255);
    EXPECT_EQ(full.m_pBits[4], 200);
    DibImage small;
    ASSERT_EQ(Load(EncodeBmp(BmpPicture{2, 2, 8, 16}), small), TRUE);
    EXPECT_EQ(small.m_nColors, 16u);
    // A palette of 16 entries reads 64 bytes: one byte less and the rows come up short.
    std::string cut = EncodeBmp(BmpPicture{2, 2, 8, 16});
    cut.pop_back();
    DibImage shortFile;
    EXPECT_EQ(Load(cut, shortFile), FALSE);
}

TEST_F(DibImageTest, RejectsWhatItCannotRead) {
    const std::string good = Bmp24(4, 4);
    auto fails = [&](const std::string& bytes, const char* why) {
        DibImage image;
        EXPECT_EQ(Load(bytes, image), FALSE) << why;
    };
    fails("", "empty");
    fails(good.substr(0, 13), "short file header");
    fails(good.substr(0, 53), "short info header");
    fails("MB" + good.substr(2), "not BM");
    for (std::uint16_t depth : {1, 4, 16, 32}) {
        fails(EncodeBmp(BmpPicture{4, 4, depth}), "depth");
    }
    fails(good.substr(0, good.size() - 1), "last row one byte short");
    fails(With(good, 22, static_cast<std::uint32_t>(-4)), "top-down height");
    fails(With(good, 46, 0x40000000), "palette room beyond 32 bits");
    fails(With(EncodeBmp(BmpPicture{4, 4, 8}), 46, 1u << 20), "palette larger than the file");
    DibImage liar;  // 16 M rows of 12 bytes in a file of four
    EXPECT_EQ(Load(With(good, 22, 0x00FFFFFF), liar), FALSE);
    EXPECT_EQ(liar.m_pBits, nullptr) << "a lying height allocates nothing";
    DibImage none;
    EXPECT_EQ(none.Load("no such file.bmp"), FALSE);
    // Zero rows, or rows of zero bytes however many, read nothing and succeed at once.
    DibImage empty;
    EXPECT_EQ(Load(EncodeBmp(BmpPicture{4, 0}), empty), TRUE);
    DibImage zeroWidth;
    EXPECT_EQ(Load(With(EncodeBmp(BmpPicture{0, 1}), 22, 0x7FFFFFFF), zeroWidth), TRUE);
}

// A bottom-up offscreen picture of 4 x 4, filled with 0xEE.
void MakeOffscreen(DibImage& off, WORD depth = 24) {
    ASSERT_EQ(off.Create(BITMAPINFOHEADER{40, 4, 4, 1, depth, 0, 0, 0, 0, 0, 0}), TRUE);
    std::memset(off.m_pBits, 0xEE, std::size_t{4} * off.m_nStride);
}

// Colour at (x, y) counted from the top of a bottom-up picture.
std::uint32_t Shown(const DibImage& off, int x, int y) {
    return PixelAt(off.m_pBits, off.m_nStride, x, off.m_pInfo->bmiHeader.biHeight - 1 - y);
}

// A picture cut short keeps what was read; one whose rows overflow is never copied past them.
TEST_F(DibImageTest, KeepsWhatACutPictureHeldAndCopiesNoMoreThanItHas) {
    // Its last (top) row cut short: the load fails, but the rows read are there, the rest black.
    const std::string whole = Bmp24(3, 3);
    DibImage cut;
    EXPECT_EQ(Load(whole.substr(0, whole.size() - 8), cut), FALSE);
    ASSERT_NE(cut.m_pBits, nullptr);
    EXPECT_EQ(PixelAt(cut.m_pBits, cut.m_nStride, 2, 2), Pattern(2, 2));
    EXPECT_EQ(PixelAt(cut.m_pBits, cut.m_nStride, 0, 1), Pattern(0, 1));
    EXPECT_EQ(PixelAt(cut.m_pBits, cut.m_nStride, 0, 0), Pattern(0, 0));  // 4 bytes came
    EXPECT_EQ(PixelAt(cut.m_pBits, cut.m_nStride, 2, 0), 0u);

    // A width whose row size wraps to a few bytes: copying it would read past its rows.
    DibImage wraps;
    ASSERT_EQ(Load(With(Bmp24(3, 2), 18, 0x40000001), wraps), TRUE);
    EXPECT_EQ(wraps.m_nStride, 4u);
    DibImage dest;
    MakeOffscreen(dest);
    wraps.BlitInto(&dest, 0, 0);
    EXPECT_EQ(Shown(dest, 0, 3), 0xEEEEEEu);
}

TEST_F(DibImageTest, BlitIntoPlacesClipsAndRefuses) {
    DibImage source;
    ASSERT_EQ(Load(Bmp24(2, 2), source), TRUE);
    constexpr std::uint32_t kUntouched = 0xEEEEEE;

    DibImage off;
    MakeOffscreen(off);
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
        MakeOffscreen(clipped);
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
        MakeOffscreen(outside);
        source.BlitInto(&outside, far, 0);
        source.BlitInto(&outside, 0, far);
        EXPECT_EQ(Shown(outside, 0, 0), kUntouched);
    }

    source.BlitInto(nullptr, 0, 0);  // nothing to do, nothing to crash on
    DibImage noBits;
    DibImage untouched;
    MakeOffscreen(untouched);
    noBits.BlitInto(&untouched, 0, 0);
    EXPECT_EQ(Shown(untouched, 0, 0), kUntouched);
    // Three bytes per pixel on both sides, or no copy at all.
    DibImage eight;
    MakeOffscreen(eight, 8);
    source.BlitInto(&eight, 0, 0);
    EXPECT_EQ(eight.m_pBits[0], 0xEE);
    DibImage palette;
    ASSERT_EQ(Load(EncodeBmp(BmpPicture{2, 2, 8}), palette), TRUE);
    palette.BlitInto(&untouched, 0, 0);
    EXPECT_EQ(Shown(untouched, 0, 0), kUntouched);
}

TEST(DibImageCreateTest, SizesBeyond32BitsAndZeroWidths) {
    BITMAPINFOHEADER header{40, 0, 2, 1, 24, 0, 0, 0, 0, 16, 0};
    DibImage zero;
    EXPECT_EQ(zero.AllocHeader(header), TRUE);
    EXPECT_EQ(zero.AllocBits(), FALSE);  // no stride, nothing to allocate
    DibImage huge;
    header.biWidth = 0x10000;
    header.biHeight = 0x10000;
    EXPECT_EQ(huge.Create(header), FALSE);  // 12 GiB: beyond 32 bits
}

}  // namespace
