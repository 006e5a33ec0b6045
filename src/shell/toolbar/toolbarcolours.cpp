#include "shell/toolbar/toolbarcolours.h"

#include <algorithm>
#include <cmath>

namespace yw {

namespace {

struct Hsl
{
    float h = 0; // sixths of the colour circle, not wrapped (may be negative)
    float s = 0;
    float l = 0;
};

Hsl toHsl(ColourValue colour)
{
    const float r = float(colour & 0xFF) / 255.0f;
    const float g = float(colour >> 8 & 0xFF) / 255.0f;
    const float b = float(colour >> 16 & 0xFF) / 255.0f;
    const float max = std::max({r, g, b});
    const float min = std::min({r, g, b});
    Hsl hsl;
    hsl.l = (max + min) / 2.0f;
    if (max == min)
        return hsl;
    const float d = max - min;
    hsl.s = hsl.l <= 0.5f ? d / (max + min) : d / (2.0f - max - min);
    if (r == max)
        hsl.h = (g - b) / d;
    else if (g == max)
        hsl.h = 2.0f + (b - r) / d;
    else
        hsl.h = 4.0f + (r - g) / d;
    return hsl;
}

int toByte(float component)
{
    const float scaled = std::nearbyint(component * 255.0f); // halves to even
    return int(std::clamp(scaled, 0.0f, 255.0f));
}

ColourValue fromHsl(float h, float s, float l)
{
    if (s == 0.0f)
        return colourValue(toByte(l), toByte(l), toByte(l));
    const float m2 = l <= 0.5f ? l * (1.0f + s) : l + s - l * s;
    const float m1 = 2.0f * l - m2;
    const float span = m2 - m1;
    float r = 0, g = 0, b = 0;
    if (h < 0.0f) {
        r = m2, g = m1, b = m1 - span * h;
    } else if (h < 1.0f) {
        r = m2, g = m1 + span * h, b = m1;
    } else if (h < 2.0f) {
        r = m1 + span * (2.0f - h), g = m2, b = m1;
    } else if (h < 3.0f) {
        r = m1, g = m2, b = m1 + span * (h - 2.0f);
    } else if (h < 4.0f) {
        r = m1, g = m1 + span * (4.0f - h), b = m2;
    } else {
        r = m1 + span * (h - 4.0f), g = m1, b = m2;
    }
    return colourValue(toByte(r), toByte(g), toByte(b));
}

} // namespace

ColourValue liftLightness(ColourValue face, float lift)
{
    const Hsl hsl = toHsl(face);
    return fromHsl(hsl.h, hsl.s, hsl.l + lift);
}

StripColours stripColoursFor(ColourValue face)
{
    return {liftLightness(face, 0.1f),
            {liftLightness(face, 0.075f), liftLightness(face, 0.05f), liftLightness(face, 0.025f)}};
}

std::optional<StripColours> StripColourCache::update(ColourValue face)
{
    if (face == m_face)
        return std::nullopt;
    m_face = face;
    return stripColoursFor(face);
}

} // namespace yw
