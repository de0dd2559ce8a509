// The renderer the game draws its window with: an OpenGL driver that
// rasterises on the processor gives way to SDL's software renderer, a
// graphics chip's driver does not.
#include <gtest/gtest.h>

#include "engine/engine_testing.h"

namespace {

TEST(RendererChoice, OnlyOpenGlOnTheProcessorGivesWayToSdlsSoftwareRenderer)
{
    const struct {
        const char* glRenderer;
        bool processor;
    } cases[] = {
        { "llvmpipe (LLVM 15.0.6, 256 bits)", true },
        { "softpipe", true },
        { "Software Rasterizer", true },
        { "Mesa X11 swrast", true },
        { "LLVMPIPE", true },
        { "AMD Radeon RX 6600 (navi23, LLVM 15.0.6, DRM 3.49, 6.1.0-13-amd64)", false },
        { "Mesa Intel(R) UHD Graphics 630 (CFL GT2)", false },
        { "NVIDIA GeForce GTX 1060 6GB/PCIe/SSE2", false },
        { "virgl", false },
        { "", false },
    };
    for (const auto& c : cases)
        EXPECT_EQ(engine::IsProcessorRasteriser(c.glRenderer), c.processor) << c.glRenderer;
}

} // namespace
