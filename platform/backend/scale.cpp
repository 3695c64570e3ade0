// SPDX-License-Identifier: MIT
#include "platform/backend/scale.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace backend {
namespace {

// A whole number from 1 to kMaxScale, written in digits alone; 0 otherwise.
int WholeFactor(const char* text) {
    const std::size_t length = std::strlen(text);
    if (length == 0 || length > 2 || std::strspn(text, "0123456789") != length) {
        return 0;
    }
    const int n = std::atoi(text);
    return n >= 1 && n <= kMaxScale ? n : 0;
}

double XftDpi(const char* resources) {
    static const char kName[] = "Xft.dpi:";
    for (const char* line = resources; line != nullptr && *line != '\0';) {
        if (std::strncmp(line, kName, sizeof kName - 1) == 0) {
            return std::strtod(line + sizeof kName - 1, nullptr);
        }
        line = std::strchr(line, '\n');
        line = line != nullptr ? line + 1 : nullptr;
    }
    return 0;
}

// The largest factor whose picture fits `area`.
int Fitting(const Rect& area) {
    int k = 1;
    while (k < kMaxScale && (k + 1) * kPictureWidth <= area.width &&
           (k + 1) * kPictureHeight <= area.height) {
        ++k;
    }
    return k;
}

}  // namespace

ScaleSetting ParseScaleSetting(const char* value, std::string* complaint) {
    ScaleSetting setting;
    if (value == nullptr || *value == '\0') {
        return setting;
    }
    if (std::strcmp(value, "fit") == 0) {
        setting.kind = ScaleSetting::Kind::kFit;
        return setting;
    }
    setting.kind = ScaleSetting::Kind::kFactor;
    setting.factor = WholeFactor(value);
    if (setting.factor == 0) {
        setting.factor = 1;
        if (complaint != nullptr) {
            *complaint = std::string("MENUSHELL_SCALE=") + value +
                         " is neither a whole number from 1 to " + std::to_string(kMaxScale) +
                         " nor fit: scale 1";
        }
    }
    return setting;
}

int DesktopScale(const char* resources, const char* gdkScale) {
    if (gdkScale != nullptr && WholeFactor(gdkScale) != 0) {
        return WholeFactor(gdkScale);
    }
    return static_cast<int>(std::clamp(XftDpi(resources) / 96, 1.0, double{kMaxScale}));
}

int ChooseScale(const ScaleSetting& setting, int desktop, const Rect& monitor,
                const Rect& workArea) {
    switch (setting.kind) {
        case ScaleSetting::Kind::kFit:
            return Fitting(workArea);
        case ScaleSetting::Kind::kFactor:
            return std::min(setting.factor, Fitting(monitor));
        case ScaleSetting::Kind::kDesktop:
            break;
    }
    return std::clamp(desktop, 1, Fitting(monitor));
}

int ScaleFromEnvironment(const char* resources, const Rect& monitor, const Rect& workArea) {
    std::string complaint;
    const ScaleSetting setting = ParseScaleSetting(std::getenv("MENUSHELL_SCALE"), &complaint);
    if (!complaint.empty()) {
        (void)std::fprintf(stderr, "%s: %s\n", program_invocation_short_name, complaint.c_str());
    }
    return ChooseScale(setting, DesktopScale(resources, std::getenv("GDK_SCALE")), monitor,
                       workArea);
}

Image Enlarge(const Image& image, int factor) {
    Image big;
    big.width = image.width * factor;
    big.height = image.height * factor;
    big.pixels.resize(static_cast<std::size_t>(big.width) * big.height);
    auto to = big.pixels.begin();
    for (int y = 0; y < image.height; ++y) {
        const auto row = to;
        for (int x = 0; x < image.width; ++x) {
            to = std::fill_n(to, factor,
                             image.pixels[static_cast<std::size_t>(y) * image.width + x]);
        }
        for (int copy = 1; copy < factor; ++copy) {
            to = std::copy(row, row + big.width, to);
        }
    }
    return big;
}

}  // namespace backend
