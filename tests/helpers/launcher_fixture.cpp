// SPDX-License-Identifier: MIT
#include "tests/helpers/launcher_fixture.h"

#include <sstream>

#include "app/shell_app.h"
#include "tests/helpers/bmp_writer.h"
#include "tests/helpers/icon_writer.h"

namespace testing_support {

std::string SolidBmp(std::uint32_t rgb, int width, int height, std::uint32_t colours) {
    return EncodeBmp(BmpPicture{width, height, 24, colours, [rgb](int, int) { return rgb; }});
}

void LauncherTest::WriteMenu(const std::vector<Button>& buttons, bool fullScreen, bool drawRects,
                             const std::vector<std::string>& movies, bool playMovie) {
    const auto flag = [](bool on) { return on ? "true" : "false"; };
    std::ostringstream shl;
    shl << "app_name \"Test Menu\"\r\napp_icon menu.ico\r\napp_cursor_lo lo.cur\r\n"
        << "app_cursor_hi hi.cur\r\napp_fullscreen " << flag(fullScreen) << "\r\napp_drawrects "
        << flag(drawRects) << "\r\nbg_image back.bmp\r\nnum_movies " << movies.size() << "\r\n";
    for (const std::string& movie : movies) {
        shl << "movie " << movie << "\r\n";
    }
    shl << "play_movie " << flag(playMovie) << "\r\nnum_buttons " << buttons.size() << "\r\n";
    for (const Button& b : buttons) {
        shl << "button " << b.file << "\r\n";
        std::ostringstream text;
        text << "image_lo " << (b.withLo ? "lo.bmp" : "null")
             << " image_hi hi.bmp image_bubble bubble.bmp pos_x " << b.x << " pos_y " << b.y
             << " rect_l " << b.x << " rect_t " << b.y << " rect_r " << b.x + 100 << " rect_b "
             << b.y + 20 << " sound_hoover over.wav sound_click click.wav execute_cmd \""
             << b.command << "\" shutdown " << flag(b.shutdown) << "\r\n";
        m_folder.Write("ShellMedia/" + b.file, text.str());
    }
    m_folder.Write("ShellMedia/Menu.SHL", shl.str());
    m_folder.Write("ShellMedia/back.bmp", SolidBmp(kBack, 640, 480));
    m_folder.Write("ShellMedia/LO.bmp", SolidBmp(kLo, 100, 20));
    m_folder.Write("ShellMedia/hi.bmp", SolidBmp(kHi, 100, 20));
    m_folder.Write("ShellMedia/bubble.bmp", SolidBmp(kBubble, 100, 20));
    m_folder.Write("ShellMedia/menu.ico", EncodeIconFile(false, {{32, 0x808080}}));
    m_folder.Write("ShellMedia/lo.cur", EncodeIconFile(true, {{32, 0xFFFFFF}}));
    m_folder.Write("ShellMedia/hi.cur", EncodeIconFile(true, {{32, 0x000000, false, false, 9, 1}}));
    m_folder.Write("ShellMedia/over.wav", "RIFF");
    m_folder.Write("ShellMedia/click.wav", "RIFF");
    m_folder.WriteScript("run.sh", "");
}

int LauncherTest::Run() {
    CShellApp app;
    return app.InitInstance() == TRUE ? app.Run() : app.ExitInstance();
}

void LauncherTest::ExpectShown(std::uint64_t t, int x, int y, std::uint32_t rgb, const char* what) {
    ++m_checksDue;
    At(t, [=] {
        --m_checksDue;
        EXPECT_EQ(PixelAt(nullptr, x, y), rgb) << what << " at " << t << " ms";
    });
}

void LauncherTest::TearDown() {
    EXPECT_EQ(m_checksDue, 0) << "checks of frames after the launcher ended";
    HeadlessTest::TearDown();
}

std::vector<std::string> LauncherTest::Effects() const {
    std::vector<std::string> effects;
    for (const std::string& line : m_backend->Journal()) {
        for (const char* kind : {"sound", "command", "messagebox", "cursor", "watchdog"}) {
            if (line.rfind(kind, 0) == 0) {
                effects.push_back(line);
            }
        }
    }
    return effects;
}

std::vector<std::string> LauncherTest::TakeMessages() {
    std::vector<std::string> m;
    for (const std::string& line : JournalLines("messagebox ")) {
        m.push_back(line.substr(11));
    }
    m_backend->ClearJournal();
    return m;
}

}  // namespace testing_support
