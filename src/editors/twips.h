#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace yw {

// Window measures are given in twips, 15 to a logical pixel.
inline constexpr int kTwipsPerPixel = 15;

constexpr int twips(int value)
{
    return (value + (value >= 0 ? 7 : -7)) / kTwipsPerPixel;
}

constexpr int toTwips(int pixels)
{
    return pixels * kTwipsPerPixel;
}

constexpr QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(twips(left), twips(top), twips(width), twips(height));
}

// Outer window sizes include the frame and caption of a child window: 120 twips across and 450
// down (the tips window's fixed outer height of 2265 twips holds an inner height of 1815).
constexpr QSize innerSizeOfOuterTwips(int width, int height)
{
    return QSize(twips(width - 120), twips(height - 450));
}

} // namespace yw
