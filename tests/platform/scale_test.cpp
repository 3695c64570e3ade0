// SPDX-License-Identifier: MIT
// The factor windows are shown at: MENUSHELL_SCALE, the desktop's setting, and what fits.
#include <gtest/gtest.h>

#include <string>

#include "platform/backend/scale.h"

namespace {

using backend::ChooseScale;
using backend::DesktopScale;
using backend::ParseScaleSetting;
using backend::Rect;
using backend::ScaleSetting;

int Chosen(const char* value, int desktop, const Rect& monitor, const Rect& work) {
    return ChooseScale(ParseScaleSetting(value, nullptr), desktop, monitor, work);
}

TEST(ScaleTest, SettingsAndWhatFits) {
    const Rect fullHd{0, 0, 1920, 1080};
    const Rect panelled{0, 0, 1920, 1040};
    const Rect uhd{0, 0, 3840, 2160};

    // Unset or empty: the desktop's factor; a whole number or "fit" as asked.
    std::string complaint;
    EXPECT_EQ(ParseScaleSetting(nullptr, &complaint).kind, ScaleSetting::Kind::kDesktop);
    EXPECT_EQ(ParseScaleSetting("", &complaint).kind, ScaleSetting::Kind::kDesktop);
    EXPECT_EQ(ParseScaleSetting("fit", &complaint).kind, ScaleSetting::Kind::kFit);
    EXPECT_EQ(ParseScaleSetting("3", &complaint).factor, 3);
    EXPECT_EQ(ParseScaleSetting("8", &complaint).factor, 8);
    EXPECT_EQ(complaint, "");

    // Anything else: scale 1 and one line naming the value.
    for (const char* bad : {"0", "-2", "1.5", "abc", "99", "9", "2x", " 2", "FIT"}) {
        complaint.clear();
        const ScaleSetting s = ParseScaleSetting(bad, &complaint);
        EXPECT_EQ(s.kind, ScaleSetting::Kind::kFactor) << bad;
        EXPECT_EQ(s.factor, 1) << bad;
        EXPECT_NE(complaint.find(std::string("MENUSHELL_SCALE=") + bad + " "), std::string::npos)
            << complaint;
        EXPECT_EQ(complaint.find('\n'), std::string::npos) << complaint;
    }

    // The desktop: a whole GDK_SCALE first, else Xft.dpi in 96ths rounded down, else 1.
    const char* resources = "Xft.antialias:\t1\nXft.dpi:\t192\nXft.hinting:\t1\n";
    EXPECT_EQ(DesktopScale(nullptr, nullptr), 1);
    EXPECT_EQ(DesktopScale(resources, nullptr), 2);
    EXPECT_EQ(DesktopScale("Xft.dpi: 287.5\n", nullptr), 2);
    EXPECT_EQ(DesktopScale("Xft.dpi:\t72", nullptr), 1);
    EXPECT_EQ(DesktopScale("Xft.dpi:\t960000", nullptr), backend::kMaxScale);
    EXPECT_EQ(DesktopScale("Xft.dpis:\t192\n*.dpi:\t192", nullptr), 1);
    EXPECT_EQ(DesktopScale(resources, "3"), 3);
    EXPECT_EQ(DesktopScale(resources, "1.5"), 2);
    EXPECT_EQ(DesktopScale(nullptr, "0"), 1);

    // A factor whose picture does not fit the monitor falls back to the largest that does,
    // whether asked for or the desktop's; the work area does not count.
    EXPECT_EQ(Chosen("2", 1, fullHd, panelled), 2);
    EXPECT_EQ(Chosen("3", 1, fullHd, fullHd), 2);
    EXPECT_EQ(Chosen("8", 1, uhd, uhd), 4);
    EXPECT_EQ(Chosen(nullptr, 3, fullHd, fullHd), 2);
    EXPECT_EQ(Chosen(nullptr, 2, fullHd, panelled), 2);
    EXPECT_EQ(Chosen("2", 1, Rect{0, 0, 1024, 768}, Rect{0, 0, 1024, 768}), 1);
    // MENUSHELL_SCALE wins over the desktop, also when it asks for less.
    EXPECT_EQ(Chosen("1", 2, fullHd, fullHd), 1);
    EXPECT_EQ(Chosen("abc", 2, fullHd, fullHd), 1);

    // "fit": the largest whose picture fits the work area, at least 1.
    EXPECT_EQ(Chosen("fit", 1, fullHd, fullHd), 2);
    EXPECT_EQ(Chosen("fit", 1, uhd, uhd), 4);
    EXPECT_EQ(Chosen("fit", 1, Rect{0, 0, 1920, 1440}, Rect{0, 0, 1920, 1440}), 3);
    EXPECT_EQ(Chosen("fit", 1, Rect{0, 0, 1920, 1440}, Rect{0, 0, 1920, 1400}), 2);
    EXPECT_EQ(Chosen("fit", 1, Rect{0, 0, 800, 400}, Rect{0, 0, 800, 400}), 1);
    EXPECT_EQ(Chosen("fit", 1, Rect{0, 0, 100000, 100000}, Rect{0, 0, 100000, 100000}),
              backend::kMaxScale);

    // Back in the program's pixels: a pointer one screen pixel left of the window is left of
    // it, and a frame keeps the client area inside its window.
    EXPECT_EQ(backend::Shrink(-1, 2), -1);
    EXPECT_EQ(backend::Shrink(-2, 2), -1);
    EXPECT_EQ(backend::Shrink(-3, 2), -2);
    EXPECT_EQ(backend::Shrink(3, 2), 1);
    const backend::Margins frame = backend::Shrink(backend::Margins{1, 29, 2, 0}, 2);
    EXPECT_EQ(frame.left, 1);
    EXPECT_EQ(frame.top, 15);
    EXPECT_EQ(frame.right, 1);
    EXPECT_EQ(frame.bottom, 0);
}

}  // namespace
