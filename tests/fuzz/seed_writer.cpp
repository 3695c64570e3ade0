// SPDX-License-Identifier: MIT
// Writes the binary seed corpora of the fuzzers into the folder named on the command line, so
// that the repository keeps no picture it cannot regenerate.
#include <filesystem>
#include <fstream>
#include <string>

#include "tests/helpers/bmp_writer.h"
#include "tests/helpers/icon_writer.h"

using testing_support::BmpPicture;
using testing_support::EncodeBmp;
using testing_support::EncodeIconFile;

int main(int argc, char** argv) {
    if (argc != 2) {
        return 2;
    }
    const auto write = [out = std::filesystem::path(argv[1])](const char* fuzzer, int n,
                                                              const std::string& bytes) {
        std::filesystem::create_directories(out / fuzzer);
        std::ofstream(out / fuzzer / ("seed" + std::to_string(n)), std::ios::binary) << bytes;
    };
    const auto colours = [](int x, int y) { return static_cast<std::uint32_t>(x * 0x10203 + y); };
    const std::string button =
        "image_lo = p.bmp\r\nimage_hi = null\r\nimage_bubble = \"p.bmp\"\r\npos_x = 4\r\n"
        "pos_y = 3\r\nrect_l = 1\r\nrect_t = 2\r\nrect_r = 30\r\nrect_b = 40\r\n"
        "sound_hoover = a.wav\r\nsound_click = b.wav\r\nexecute_cmd = \"x y.exe\"\r\n"
        "shutdown = true\r\n";
    int n = 0;
    for (const BmpPicture& picture :
         {BmpPicture{3, 2, 24, 0, colours}, BmpPicture{5, 1, 8, 16, colours},
          BmpPicture{2, 2, 8, 0, colours}, BmpPicture{4, 0, 24},
          BmpPicture{40, 20, 24, 0, colours}}) {
        write("dib_image_fuzzer", n, std::string("\x05\xFE") + EncodeBmp(picture));
        write("background_draw_fuzzer", n, EncodeBmp(picture));
        write("shell_button_fuzzer", n++, button + '\0' + EncodeBmp(picture));
    }
    // An 8-bit background as common tools write it: a 124-byte header, 20 colours.
    std::string v5 = EncodeBmp(BmpPicture{6, 3, 8, 20, colours});
    v5[14] = 124;
    write("background_draw_fuzzer", n, v5);
    n = 0;
    for (const std::string& icon :
         {EncodeIconFile(false, {{16, 0xFF0000}, {32, 0x00FF00, false, true}}),
          EncodeIconFile(true, {{32, 0x0000FF, false, false, 5, 7}}),
          EncodeIconFile(true, {{48, 0x123456, false, true, 40, 2}}),
          EncodeIconFile(false, {{32, 0x123456, true}})}) {
        write("icon_file_fuzzer", n++, icon);
    }
    return 0;
}
