// SPDX-License-Identifier: MIT
// One frame of the menu: a 640x480 background and eight 160x40 buttons composed into the
// offscreen picture, against a plain memcpy of the same number of bytes.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "imaging/dib_image.h"

namespace {

constexpr int kButtons = 8;
constexpr std::size_t kBytes = 640 * 480 * 3 + kButtons * 160 * 40 * 3;

void Create(DibImage& image, LONG width, LONG height, int seed) {
    BITMAPINFOHEADER h{};
    h.biSize = 40;
    h.biWidth = width;
    h.biHeight = height;
    h.biPlanes = 1;
    h.biBitCount = 24;
    image.Create(h);
    for (std::uint32_t i = 0; i < image.m_nStride * static_cast<std::uint32_t>(height); ++i) {
        image.m_pBits[i] = static_cast<BYTE>(i * 31 + seed);
    }
}

void BM_ComposeFrame(benchmark::State& state) {
    DibImage background;
    DibImage offscreen;
    Create(background, 640, 480, 1);
    Create(offscreen, 640, 480, 0);
    std::vector<DibImage> buttons(kButtons);
    for (int i = 0; i < kButtons; ++i) {
        Create(buttons[i], 160, 40, i);
    }
    for (auto _ : state) {
        background.BlitInto(&offscreen, 0, 0);
        for (int i = 0; i < kButtons; ++i) {
            buttons[i].BlitInto(&offscreen, 40 + (i % 2) * 320, 60 + (i / 2) * 90);
        }
        benchmark::DoNotOptimize(offscreen.m_pBits);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kBytes));
}
BENCHMARK(BM_ComposeFrame);

void BM_MemcpySameBytes(benchmark::State& state) {
    std::vector<unsigned char> from(kBytes, 7);
    std::vector<unsigned char> to(kBytes);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), kBytes);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kBytes));
}
BENCHMARK(BM_MemcpySameBytes);

}  // namespace

BENCHMARK_MAIN();
