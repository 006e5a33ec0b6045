#pragma once

#include <QColor>
#include <cstdint>

namespace yw {

// Colour values as the palette and the system colours hold them: red in the low byte, then
// green, then blue (0x00BBGGRR). The one conversion to and from a screen colour.
inline QColor screenColor(uint32_t value)
{
    return QColor(int(value & 0xFF), int(value >> 8 & 0xFF), int(value >> 16 & 0xFF));
}

inline uint32_t colorValueOf(const QColor& color)
{
    return uint32_t(color.red()) | uint32_t(color.green()) << 8 | uint32_t(color.blue()) << 16;
}

} // namespace yw
