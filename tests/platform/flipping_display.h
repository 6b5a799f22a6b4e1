#pragma once

// The game's display surfaces, made through a System under test.

#include <gtest/gtest.h>

#include "display/platform.h"

namespace platform_testing {

// A primary surface with one back buffer, as the game flips; null (and a failed check)
// when it is refused.
inline platform::Surface* CreateFlippingPrimary(platform::DirectDraw* directDraw) {
    platform::SurfaceDesc desc;
    desc.flags = platform::DDSD_CAPS | platform::DDSD_BACKBUFFERCOUNT;
    desc.backBufferCount = 1;
    desc.caps.caps =
        platform::DDSCAPS_PRIMARYSURFACE | platform::DDSCAPS_FLIP | platform::DDSCAPS_COMPLEX;
    platform::Surface* primary = nullptr;
    EXPECT_EQ(directDraw->CreateSurface(&desc, &primary, nullptr), platform::DD_OK);
    return primary;
}

}  // namespace platform_testing
