// SPDX-License-Identifier: MIT
// Button files: every setting, "null" values, and the ways a button fails to load.
#include "description/shell_button.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "imaging/dib_image.h"
#include "tests/helpers/bmp_writer.h"
#include "tests/helpers/scratch_folder.h"

namespace {

using testing_support::BmpPicture;
using testing_support::EncodeBmp;

class ShellButtonTest : public testing::Test {
  protected:
    void SetUp() override {
        SetMediaFolder("shellmedia\\");
        for (const char* name : {"play_lo.bmp", "play_hi.bmp", "play_tip.bmp"}) {
            m_folder.Write(std::string("shellmedia/") + name, EncodeBmp(BmpPicture{4, 2}));
        }
    }
    void TearDown() override { SetMediaFolder(" "); }

    // The description names the file in other case and with a backslash.
    BOOL Load(ShellButton& button, const std::string& text) {
        m_folder.Write("shellmedia/Button.TXT", text);
        return button.Load("shellmedia\\button.txt");
    }

    testing_support::ScratchFolder m_folder;
};

TEST_F(ShellButtonTest, ReadsEverySettingAndNullKeepsTheConstructedValue) {
    ShellButton b;
    ASSERT_EQ(Load(b,
                   "image_lo = play_lo.bmp\r\nimage_hi = play_hi.bmp\r\n"
                   "image_bubble = play_tip.bmp\r\npos_x = 40\r\npos_y = 300\r\nrect_l = 40\r\n"
                   "rect_t = 300\r\nrect_r = 200\r\nrect_b = 340\r\nsound_hoover = over.wav\r\n"
                   "sound_click = click.wav\r\nexecute_cmd = \"Setup Program.exe\"\r\n"
                   "shutdown = true\r\n"),
              TRUE);
    ASSERT_TRUE(b.m_pLoImage != nullptr && b.m_pHiImage != nullptr && b.m_pBubbleImage != nullptr);
    EXPECT_EQ(b.m_pLoImage->m_pInfo->bmiHeader.biWidth, 4);
    EXPECT_EQ(b.m_strLoName, "play_lo.bmp");
    EXPECT_EQ(b.m_strHiName, "play_tip.bmp");  // image_bubble's value replaces image_hi's
    EXPECT_EQ(std::tie(b.m_nPosX, b.m_nPosY, b.m_rcHit.left, b.m_rcHit.top, b.m_rcHit.right,
                       b.m_rcHit.bottom),
              std::make_tuple(40, 300, 40, 300, 200, 340));
    EXPECT_EQ(std::tie(b.m_strSoundHover, b.m_strSoundClick, b.m_strCommand),
              std::make_tuple("over.wav", "click.wav", "Setup Program.exe"));
    EXPECT_EQ(b.m_bShutdown, TRUE);

    // "null" keeps the constructed value, and only "true" is true.
    const std::string nulls =
        "image_lo null image_hi null image_bubble null pos_x null pos_y 7 rect_l null rect_t null "
        "rect_r 9 rect_b null sound_hoover null sound_click null execute_cmd exit shutdown ";
    for (const char* flag : {"null", "TRUE", "yes"}) {
        ShellButton n;
        ASSERT_EQ(Load(n, nulls + flag + "\n"), TRUE);
        EXPECT_EQ(n.m_bShutdown, FALSE) << flag;
        EXPECT_TRUE(n.m_pLoImage == nullptr && n.m_pHiImage == nullptr &&
                    n.m_pBubbleImage == nullptr);
        EXPECT_EQ(std::tie(n.m_nPosX, n.m_nPosY, n.m_rcHit.left, n.m_rcHit.top, n.m_rcHit.right,
                           n.m_rcHit.bottom),
                  std::make_tuple(0, 7, 0, 0, 9, 0));
        EXPECT_EQ(n.m_strCommand, "exit");
    }
}

TEST_F(ShellButtonTest, Failures) {
    // A missing picture fails at once, even though a later key is also wrong; the picture
    // loaded before it is kept until the button is destroyed.
    ShellButton missingPicture;
    EXPECT_EQ(Load(missingPicture, "image_lo play_lo.bmp image_hi gone.bmp WRONG 1\n"), FALSE);
    EXPECT_NE(missingPicture.m_pLoImage, nullptr);

    m_folder.Write("shellmedia/notabmp.bmp", "not a picture");
    for (const char* text :
         {"image_lo null image_hi null image_bubble null pos_y 1\n",
          "image_lo null image_hi null image_bubble null pos_x\n", "image_lo notabmp.bmp\n"}) {
        ShellButton button;
        EXPECT_EQ(Load(button, text), FALSE) << text;
    }
    ShellButton noFile;
    EXPECT_EQ(noFile.Load("shellmedia\\nothing.txt"), FALSE);
}

}  // namespace
