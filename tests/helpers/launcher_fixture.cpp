#include "tests/helpers/launcher_fixture.h"

#include <sys/stat.h>

#include "app/shell_app.h"
#include "tests/helpers/bmp_writer.h"
#include "tests/helpers/icon_writer.h"

namespace testing_support {
namespace {

std::string ButtonText(const Button& b) {
    const std::string r = " rect_l " + std::to_string(b.x) + " rect_t " + std::to_string(b.y) +
                          " rect_r " + std::to_string(b.x + 100) + " rect_b " +
                          std::to_string(b.y + 20);
    return std::string("image_lo ") + (b.withLo ? "lo.bmp" : "null") +
           " image_hi hi.bmp image_bubble bubble.bmp pos_x " + std::to_string(b.x) + " pos_y " +
           std::to_string(b.y) + r + " sound_hoover over.wav sound_click click.wav execute_cmd \"" +
           b.command + "\" shutdown " + (b.shutdown ? "true" : "false") + "\r\n";
}

}  // namespace

void LauncherTest::WriteMenu(const std::vector<Button>& buttons, bool fullScreen, bool drawRects,
                             const std::vector<std::string>& movies, bool playMovie) {
    std::string shl =
        "app_name \"Test Menu\"\r\napp_icon menu.ico\r\napp_cursor_lo lo.cur\r\n"
        "app_cursor_hi hi.cur\r\napp_fullscreen ";
    shl += std::string(fullScreen ? "true" : "false") + "\r\napp_drawrects " +
           (drawRects ? "true" : "false") + "\r\nbg_image back.bmp\r\nnum_movies " +
           std::to_string(movies.size()) + "\r\n";
    for (const std::string& movie : movies) {
        shl += "movie " + movie + "\r\n";
    }
    shl += std::string("play_movie ") + (playMovie ? "true" : "false") + "\r\nnum_buttons " +
           std::to_string(buttons.size()) + "\r\n";
    for (const Button& b : buttons) {
        shl += "button " + b.file + "\r\n";
        m_folder.Write("ShellMedia/" + b.file, ButtonText(b));
    }
    m_folder.Write("ShellMedia/Menu.SHL", shl);
    auto solid = [](std::uint32_t rgb, int w, int h) {
        return EncodeBmp(BmpSpec{w, h, 24, 0, [rgb](int, int) { return rgb; }});
    };
    m_folder.Write("ShellMedia/back.bmp", solid(kBack, 640, 480));
    m_folder.Write("ShellMedia/LO.bmp", solid(kLo, 100, 20));
    m_folder.Write("ShellMedia/hi.bmp", solid(kHi, 100, 20));
    m_folder.Write("ShellMedia/bubble.bmp", solid(kBubble, 100, 20));
    m_folder.Write("ShellMedia/menu.ico", EncodeIconFile(false, {{32, 0x808080}}));
    m_folder.Write("ShellMedia/lo.cur", EncodeIconFile(true, {{32, 0xFFFFFF}}));
    m_folder.Write("ShellMedia/hi.cur", EncodeIconFile(true, {{32, 0x000000, false, false, 9, 1}}));
    m_folder.Write("ShellMedia/over.wav", "RIFF");
    m_folder.Write("ShellMedia/click.wav", "RIFF");
    m_folder.Write("run.sh", "#!/bin/sh\n");
    chmod((m_folder.Path() + "/run.sh").c_str(), 0755);
}

int LauncherTest::Run() {
    CShellApp app;
    return app.InitInstance() == TRUE ? app.Run() : app.ExitInstance();
}

void LauncherTest::At(std::uint64_t t, std::function<void()> action) {
    m_backend->ScriptAction(std::move(action), t);
}

void LauncherTest::Input(std::uint64_t t, backend::EventType type, int x, int y, int key) {
    backend::InputEvent e;
    e.type = type;
    e.window = m_backend->NewestWindow() + 1;  // the dialog of the next run
    e.x = x;
    e.y = y;
    e.key = key;
    e.button = backend::MouseButton::kLeft;
    m_backend->Script(e, t);
}

void LauncherTest::ClickAt(std::uint64_t t, int x, int y) {
    Input(t, backend::EventType::kMouseDown, x, y);
    Input(t, backend::EventType::kMouseUp, x, y);
}

std::uint32_t LauncherTest::Shown(int x, int y) const {
    const backend::Image* frame = m_backend->LastFrame(m_backend->NewestWindow());
    if (frame == nullptr || x >= frame->width || y >= frame->height) {
        return 0xDEADBEEF;
    }
    return frame->pixels[static_cast<std::size_t>(y) * frame->width + x] & 0xFFFFFF;
}

void LauncherTest::ExpectShown(std::uint64_t t, int x, int y, std::uint32_t rgb, const char* what) {
    At(t, [=] { EXPECT_EQ(Shown(x, y), rgb) << what << " at " << t << " ms"; });
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
    for (const std::string& line : JournalLines("messagebox")) {
        m.push_back(line.substr(line.find(' ') + 1));
    }
    m_backend->ClearJournal();
    return m;
}

}  // namespace testing_support
