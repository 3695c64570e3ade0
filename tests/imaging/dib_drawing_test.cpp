// SPDX-License-Identifier: MIT
// 8-bit pictures drawn as the launcher draws its frame, whatever size and palette length their
// headers claim: the palette is read from where the picture keeps it, and nowhere else (the
// sanitizer build catches any read past the header block).
#include <gtest/gtest.h>

#include <string>

#include "imaging/dib_image.h"
#include "tests/helpers/bmp_writer.h"
#include "tests/helpers/headless.h"
#include "tests/helpers/scratch_folder.h"

namespace {

constexpr int kWidth = 4, kHeight = 2;
const DibImage* g_drawn = nullptr;

LRESULT CALLBACK DrawerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_PAINT) {
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    PAINTSTRUCT ps;
    const HDC hdc = BeginPaint(hwnd, &ps);
    g_drawn->Draw(hdc, 0, 0);
    EndPaint(hwnd, &ps);
    return 0;
}

// Palette indices below 20, so that every claimed palette length holds them.
std::uint32_t Index(int x, int y) {
    return static_cast<std::uint32_t>(3 * x + 5 * y + 1);
}

std::string Field(std::uint32_t v) {
    std::string out;
    testing_support::Put(out, v);
    return out;
}

class DibDrawingTest : public testing_support::HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        WNDCLASSA wc{};
        wc.lpfnWndProc = DrawerProc;
        wc.lpszClassName = "Drawer";
        RegisterClassA(&wc);
    }

    testing_support::ScratchFolder m_folder;
};

TEST_F(DibDrawingTest, EightBitPalettesComeFromThePicturesBlockWhateverTheHeaderClaims) {
    for (const std::uint32_t biSize : {12u, 40u, 108u, 124u, 0x7FFF0000u}) {
        for (const std::uint32_t clrUsed : {0u, 20u, 256u, 0xFFFFFFFFu}) {
            SCOPED_TRACE(testing::Message() << "biSize " << biSize << ", biClrUsed " << clrUsed);
            // The file as a tool writes it: entry i is grey i, 20 entries where it says 20.
            std::string file =
                testing_support::EncodeBmp({kWidth, kHeight, 8, clrUsed == 20 ? 20u : 0u, Index});
            file.replace(14, 4, Field(biSize));
            file.replace(46, 4, Field(clrUsed));
            m_folder.Write("p.bmp", file);
            DibImage loaded;
            if (clrUsed == 0xFFFFFFFFu) {
                // No block could hold that palette: nothing is kept, nothing can be drawn.
                EXPECT_EQ(loaded.Load("p.bmp"), FALSE);
                EXPECT_EQ(loaded.m_pInfo, nullptr);
                continue;
            }
            ASSERT_EQ(loaded.Load("p.bmp"), TRUE);

            // The launcher's offscreen picture: the background's header, here with the
            // file's palette and pixels put in, bottom row first.
            DibImage frame;
            ASSERT_EQ(frame.Create(loaded.m_pInfo->bmiHeader), TRUE);
            for (std::uint32_t i = 0; i < frame.PaletteEntries(); ++i) {
                const auto grey = static_cast<BYTE>(i);
                frame.m_pInfo->bmiColors[i] = RGBQUAD{grey, grey, grey, 0};
            }
            for (int y = 0; y < kHeight; ++y) {
                for (int x = 0; x < kWidth; ++x) {
                    frame.m_pBits[static_cast<std::size_t>(kHeight - 1 - y) * frame.m_nStride +
                                  static_cast<std::size_t>(x)] = static_cast<BYTE>(Index(x, y));
                }
            }
            g_drawn = &frame;
            const HWND top = CreateWindowExA(0, "Drawer", "", WS_POPUP | WS_VISIBLE, 0, 0, 8, 4,
                                             nullptr, nullptr, nullptr, nullptr);
            PumpUntilIdle();
            for (int y = 0; y < kHeight; ++y) {
                for (int x = 0; x < kWidth; ++x) {
                    EXPECT_EQ(PixelAt(top, x, y), 0x010101u * Index(x, y)) << x << "," << y;
                    EXPECT_EQ(loaded.m_pInfo->bmiColors[Index(x, y)].rgbRed, Index(x, y));
                }
            }
            DestroyWindow(top);
        }
    }
}

}  // namespace
