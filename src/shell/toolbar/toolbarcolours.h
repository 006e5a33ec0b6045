#pragma once

#include <cstdint>
#include <optional>

namespace yw {

// Colours as the desktop hands them over: red + 256 * green + 65536 * blue.
using ColourValue = uint32_t;

inline constexpr ColourValue colourValue(int red, int green, int blue)
{
    return ColourValue(red) | ColourValue(green) << 8 | ColourValue(blue) << 16;
}

// The strip behind the toolbar buttons and its three grip lines, from the leftmost line to the
// rightmost.
struct StripColours
{
    ColourValue strip = 0;
    ColourValue fade[3] = {0, 0, 0};
    bool operator==(const StripColours&) const = default;
};

// What the strip shows until the button-face colour first differs from the cache's start (0).
inline constexpr StripColours kDesignStripColours{
    colourValue(255, 128, 128),
    {colourValue(255, 160, 160), colourValue(255, 192, 192), colourValue(255, 224, 224)}};

// Colour `face` with its lightness raised by `lift`, through single-precision HSL. Components
// are rounded half to even and limited to 255, so a white face stays white.
ColourValue liftLightness(ColourValue face, float lift);

// The strip at lightness + 0.1, the grip lines at + 0.075, + 0.05 and + 0.025.
StripColours stripColoursFor(ColourValue face);

// Recomputes only when the desktop's button-face colour has changed since the last repaint.
class StripColourCache
{
public:
    // The new colours when `face` differs from the face last seen, else nothing.
    std::optional<StripColours> update(ColourValue face);

private:
    ColourValue m_face = 0;
};

} // namespace yw
