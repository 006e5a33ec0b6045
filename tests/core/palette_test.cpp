#include "model/palette.h"

#include <gtest/gtest.h>

namespace yw {

TEST(Palette, ColoursAreRedPlusGreenTimes256PlusBlueTimes65536)
{
    EXPECT_EQ(paletteColor(143), 255u + 256u * 180 + 65536u * 92);
    EXPECT_EQ(paletteColor(73), 255u + 256u * 181 + 65536u * 196);
    EXPECT_EQ(paletteColor(2), 128u + 256u * 128); // olive: no blue
    EXPECT_EQ(paletteColor(3), 65536u * 128);      // navy: blue only
    EXPECT_EQ(paletteColor(255), 0xFFFFFFu);
    EXPECT_EQ(paletteColor(224), 254u + 256u * 237);               // first of row 14
    EXPECT_EQ(paletteColor(16), 215u + 256u * 212 + 65536u * 208); // first of row 1
}

TEST(Palette, NoColourAndIndexesBeyondTheTableAreBlack)
{
    for (int index : {-1, -32768, 256, 300, 32767})
        EXPECT_EQ(paletteColor(index), 0u) << index;
}

} // namespace yw
