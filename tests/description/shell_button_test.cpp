#include "description/shell_button.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "imaging/dib_image.h"
#include "tests/helpers/bmp_writer.h"
#include "tests/helpers/scratch_folder.h"

namespace {

using testing_support::BmpSpec;
using testing_support::EncodeBmp;
using testing_support::ScratchFolder;

const char kComplete[] =
    "image_lo = play_lo.bmp\r\n"
    "image_hi = play_hi.bmp\r\n"
    "image_bubble = play_tip.bmp\r\n"
    "pos_x = 40\r\n"
    "pos_y = 300\r\n"
    "rect_l = 40\r\n"
    "rect_t = 300\r\n"
    "rect_r = 200\r\n"
    "rect_b = 340\r\n"
    "sound_hoover = over.wav\r\n"
    "sound_click = click.wav\r\n"
    "execute_cmd = \"Setup Program.exe\"\r\n"
    "shutdown = true\r\n";

class ShellButtonTest : public testing::Test {
  protected:
    void SetUp() override {
        SetMediaFolder("shellmedia\\");
        for (const char* name : {"play_lo.bmp", "play_hi.bmp", "play_tip.bmp"}) {
            m_folder.Write(std::string("shellmedia/") + name, EncodeBmp(BmpSpec{4, 2}));
        }
    }
    void TearDown() override { SetMediaFolder(" "); }

    ScratchFolder m_folder;
};

TEST_F(ShellButtonTest, ReadsEverySettingAndPicture) {
    m_folder.Write("shellmedia/play.txt", kComplete);
    ShellButton button;
    ASSERT_EQ(button.Load("shellmedia\\play.txt"), TRUE);
    ASSERT_NE(button.m_pLoImage, nullptr);
    ASSERT_NE(button.m_pHiImage, nullptr);
    ASSERT_NE(button.m_pBubbleImage, nullptr);
    EXPECT_EQ(button.m_pLoImage->m_pInfo->bmiHeader.biWidth, 4);
    EXPECT_EQ(button.m_strLoName, "play_lo.bmp");
    EXPECT_EQ(button.m_strHiName, "play_tip.bmp");  // image_bubble's value replaces image_hi's
    EXPECT_EQ(button.m_nPosX, 40);
    EXPECT_EQ(button.m_nPosY, 300);
    EXPECT_EQ(button.m_rcHit.left, 40);
    EXPECT_EQ(button.m_rcHit.top, 300);
    EXPECT_EQ(button.m_rcHit.right, 200);
    EXPECT_EQ(button.m_rcHit.bottom, 340);
    EXPECT_EQ(button.m_strSoundHover, "over.wav");
    EXPECT_EQ(button.m_strSoundClick, "click.wav");
    EXPECT_EQ(button.m_strCommand, "Setup Program.exe");
    EXPECT_EQ(button.m_bShutdown, TRUE);
    EXPECT_EQ(button.m_nState, 0);
    EXPECT_EQ(button.m_bTimerActive, FALSE);
    EXPECT_EQ(button.m_bHoverSoundPlayed, FALSE);
}

TEST_F(ShellButtonTest, NullKeepsTheConstructedValue) {
    m_folder.Write("shellmedia/Null.TXT",
                   "image_lo null image_hi null image_bubble null pos_x null pos_y 7 rect_l null "
                   "rect_t null rect_r 9 rect_b null sound_hoover null sound_click null "
                   "execute_cmd exit shutdown null\n");
    ShellButton button;
    // The description names the file in other case and with a backslash.
    ASSERT_EQ(button.Load("shellmedia\\null.txt"), TRUE);
    EXPECT_EQ(button.m_pLoImage, nullptr);
    EXPECT_EQ(button.m_pHiImage, nullptr);
    EXPECT_EQ(button.m_pBubbleImage, nullptr);
    EXPECT_EQ(button.m_nPosX, 0);
    EXPECT_EQ(button.m_nPosY, 7);
    EXPECT_EQ(button.m_rcHit.left, 0);
    EXPECT_EQ(button.m_rcHit.top, 0);
    EXPECT_EQ(button.m_rcHit.right, 9);
    EXPECT_EQ(button.m_rcHit.bottom, 0);
    EXPECT_EQ(button.m_strCommand, "exit");
    EXPECT_EQ(button.m_bShutdown, FALSE);
    for (const char* flag : {"TRUE", "yes"}) {
        m_folder.Write("shellmedia/flag.txt",
                       std::string("image_lo null image_hi null image_bubble null pos_x 0 pos_y 0 "
                                   "rect_l 0 rect_t 0 rect_r 0 rect_b 0 sound_hoover a "
                                   "sound_click b execute_cmd c shutdown ") +
                           flag + "\n");
        ShellButton flagged;
        ASSERT_EQ(flagged.Load("shellmedia\\flag.txt"), TRUE);
        EXPECT_EQ(flagged.m_bShutdown, FALSE) << flag;
    }
}

TEST_F(ShellButtonTest, Failures) {
    // A missing picture fails at once, even though a later key is also wrong.
    m_folder.Write("shellmedia/a.txt", "image_lo play_lo.bmp image_hi gone.bmp WRONG 1\n");
    ShellButton missingPicture;
    EXPECT_EQ(missingPicture.Load("shellmedia\\a.txt"), FALSE);
    EXPECT_NE(missingPicture.m_pLoImage, nullptr);  // kept until the button is destroyed

    m_folder.Write("shellmedia/b.txt", "image_lo null image_hi null image_bubble null pos_y 1\n");
    ShellButton wrongKey;
    EXPECT_EQ(wrongKey.Load("shellmedia\\b.txt"), FALSE);

    m_folder.Write("shellmedia/c.txt", "image_lo null image_hi null image_bubble null pos_x\n");
    ShellButton runsOut;
    EXPECT_EQ(runsOut.Load("shellmedia\\c.txt"), FALSE);

    m_folder.Write("shellmedia/notabmp.bmp", "not a picture");
    m_folder.Write("shellmedia/d.txt", "image_lo notabmp.bmp\n");
    ShellButton badPicture;
    EXPECT_EQ(badPicture.Load("shellmedia\\d.txt"), FALSE);

    ShellButton noFile;
    EXPECT_EQ(noFile.Load("shellmedia\\nothing.txt"), FALSE);
}

TEST(ShellButtonIds, CountUpInConstructionOrder) {
    const std::uint32_t first = g_nNextButtonId;
    const auto buttons = std::make_unique<ShellButton[]>(3);
    EXPECT_EQ(buttons[0].m_nId, first);
    EXPECT_EQ(buttons[1].m_nId, first + 1);
    EXPECT_EQ(buttons[2].m_nId, first + 2);
    EXPECT_EQ(g_nNextButtonId, first + 3);
}

TEST(MediaFolder, PrefixesPictureNames) {
    ScratchFolder folder;
    folder.Write("pics/x.bmp", EncodeBmp(BmpSpec{1, 1}));
    folder.Write("button.txt", "image_lo x.bmp\n");
    EXPECT_EQ(g_strMediaFolder, " ");
    SetMediaFolder("pics\\");
    ShellButton button;
    // The button file loads; it then stops at the missing image_hi key, with image_lo loaded.
    EXPECT_EQ(button.Load("button.txt"), FALSE);
    EXPECT_NE(button.m_pLoImage, nullptr);
    EXPECT_NE(button.m_pLoImage->m_pBits, nullptr);
    SetMediaFolder(" ");
}

}  // namespace
