#include "shell/toolbar/toolbarcolours.h"

#include <gtest/gtest.h>

namespace yw {

namespace {

StripColours expected(ColourValue strip, ColourValue fade0, ColourValue fade1, ColourValue fade2)
{
    return {strip, {fade0, fade1, fade2}};
}

} // namespace

TEST(StripColours, LightnessRisesInSinglePrecisionWithHalvesToEven)
{
    // Reference values worked out independently with single-precision arithmetic.
    EXPECT_EQ(stripColoursFor(colourValue(212, 208, 200)),
              expected(colourValue(234, 232, 229), colourValue(229, 226, 221),
                       colourValue(223, 220, 214), colourValue(218, 214, 207)));
    EXPECT_EQ(stripColoursFor(colourValue(236, 233, 216)),
              expected(colourValue(253, 252, 250), colourValue(249, 248, 242),
                       colourValue(244, 243, 233), colourValue(240, 238, 225)));
    // Grey 240 + 0.025 lands on 246.5, which rounds to the even 246; the top values clip.
    EXPECT_EQ(stripColoursFor(colourValue(240, 240, 240)),
              expected(colourValue(255, 255, 255), colourValue(255, 255, 255),
                       colourValue(253, 253, 253), colourValue(246, 246, 246)));
}

TEST(StripColours, HueIsKeptInEverySector)
{
    // Red strongest with green below blue: the hue is negative and is not wrapped.
    EXPECT_EQ(liftLightness(colourValue(200, 50, 100), 0.1f), colourValue(213, 88, 130));
    EXPECT_EQ(liftLightness(colourValue(0, 0, 128), 0.1f), colourValue(0, 0, 179));
    // Green strongest, and blue strongest with red above green.
    EXPECT_EQ(liftLightness(colourValue(40, 160, 80), 0.0f), colourValue(40, 160, 80));
    EXPECT_EQ(liftLightness(colourValue(90, 30, 200), 0.0f), colourValue(90, 30, 200));
    EXPECT_EQ(liftLightness(colourValue(200, 180, 20), 0.0f), colourValue(200, 180, 20));
}

TEST(StripColours, CacheRecomputesOnlyAfterTheFaceChanged)
{
    // The cache starts at black, so a black face never computes anything.
    StripColourCache cache;
    EXPECT_FALSE(cache.update(colourValue(0, 0, 0)).has_value());
    const ColourValue face = colourValue(212, 208, 200);
    const auto first = cache.update(face);
    ASSERT_TRUE(first.has_value());
    EXPECT_EQ(*first, stripColoursFor(face));
    EXPECT_FALSE(cache.update(face).has_value());
    const ColourValue white = colourValue(255, 255, 255);
    EXPECT_EQ(cache.update(white), expected(white, white, white, white));
}

} // namespace yw
