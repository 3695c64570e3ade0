// SPDX-License-Identifier: MIT
// The preview's pictures are the launcher's own frames: the same menu run by the launcher on the
// headless backend, moved over in the same way, shows the same pixels; the PNG files hold them.
#include <gtest/gtest.h>
#include <png.h>

#include "tests/helpers/bmp_writer.h"
#include "tests/helpers/launcher_fixture.h"
#include "tools/preview/menu_states.h"
#include "tools/preview/png_file.h"

namespace {

using testing_support::Button;

class PreviewTest : public testing_support::LauncherTest {
  protected:
    // The launcher's frame at virtual time `t` of its run.
    void CaptureAt(std::uint64_t t, backend::Image& into) {
        At(t, [this, &into] { into = *m_backend->LastFrame(m_backend->NewestWindow()); });
    }
};

backend::Image ReadPng(const std::string& path) {
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    backend::Image image;
    if (png_image_begin_read_from_file(&png, path.c_str()) == 0) {
        return image;
    }
    png.format = PNG_FORMAT_BGRA;  // 0xAARRGGBB in memory order on little-endian machines
    image.width = static_cast<int>(png.width);
    image.height = static_cast<int>(png.height);
    image.pixels.resize(static_cast<std::size_t>(image.width) * image.height);
    if (png_image_finish_read(&png, nullptr, image.pixels.data(), 0, nullptr) == 0) {
        return {};
    }
    return image;
}

TEST_F(PreviewTest, PicturesAreTheLaunchersFramesForTheSameState) {
    WriteMenu({Button{"one.btn", 100, 100}, Button{"two.btn", 300, 200}});
    const std::vector<MenuFrame> frames = CaptureMenuStates();
    std::vector<std::string> names;
    names.reserve(frames.size());
    for (const MenuFrame& f : frames) {
        names.push_back(f.name);
    }
    ASSERT_EQ(names,
              (std::vector<std::string>{"normal", "button1-hovered", "button1-bubble",
                                        "button2-hovered", "button2-bubble", "hit-rectangles"}));

    // The launcher, with the pointer brought to the second button as the preview brings it.
    backend::Image normal, hovered, bubble;
    const std::uint64_t t = m_backend->Now();
    MoveAt(t + 1, 0, 0);
    CaptureAt(t + 2, normal);
    MoveAt(t + 1000, 350, 210);
    CaptureAt(t + 1001, hovered);
    CaptureAt(t + 1600, bubble);
    KeyAt(t + 2000, VK_ESCAPE);
    Run();
    EXPECT_EQ(frames[0].image.pixels, normal.pixels);
    EXPECT_EQ(frames[3].image.pixels, hovered.pixels);
    EXPECT_EQ(frames[4].image.pixels, bubble.pixels);
    EXPECT_NE(hovered.pixels, bubble.pixels);
    EXPECT_NE(normal.pixels, hovered.pixels);

    // The launcher's own outline of each hit rectangle, labelled inside.
    const backend::Image& rects = frames[5].image;
    EXPECT_EQ(rects.pixels[static_cast<std::size_t>(119) * rects.width + 150] & 0xFFFFFF,
              0xFF00FFu);
    EXPECT_EQ(rects.pixels[static_cast<std::size_t>(200 + 5) * rects.width + 300 + 5], 0xFFFF00FFu);

    const std::string path = m_folder.Path() + "/bubble.png";
    std::string error;
    ASSERT_TRUE(WritePng(path, frames[4].image, error)) << error;
    const backend::Image read = ReadPng(path);
    EXPECT_EQ(read.width, 640);
    EXPECT_EQ(read.pixels, frames[4].image.pixels);
}

TEST_F(PreviewTest, AMenuTheLauncherRefusesGivesNoPictures) {
    m_folder.Write("shellmedia/menu.shl", "app_name x\r\n");
    EXPECT_TRUE(CaptureMenuStates().empty());
}

// 8-bit backgrounds whose headers say they are longer than 40 bytes, as common tools write them:
// every state is captured, black, and nothing is read from outside the picture.
TEST_F(PreviewTest, EightBitBackgroundsWithLongHeadersAreCapturedBlack) {
    for (const std::uint32_t biSize : {124u, 0x7FFF0000u}) {
        WriteMenu({Button{"one.btn", 100, 100}});
        std::string back = testing_support::EncodeBmp({640, 480, 8, 20});
        std::string field;
        testing_support::Put(field, biSize);
        m_folder.Write("ShellMedia/back.bmp", back.replace(14, 4, field));
        const std::vector<MenuFrame> frames = CaptureMenuStates();
        ASSERT_EQ(frames.size(), 4u) << biSize;
        EXPECT_EQ(frames[0].image.pixels[0] & 0xFFFFFF, 0u);
    }
}

}  // namespace
