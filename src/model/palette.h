#pragma once

#include <array>
#include <cstdint>

namespace yw {

inline constexpr int kPaletteSize = 256;

struct PaletteEntry
{
    uint8_t red;
    uint8_t green;
    uint8_t blue;
};

// The game's 256-colour palette in index order; eBall colours are indexes into it.
const std::array<PaletteEntry, kPaletteSize>& paletteTable();

// red + 256 * green + 65536 * blue of a palette index; black for -1 (no colour) and for any
// index beyond the table.
uint32_t paletteColor(int index);

// The RGB value of an entry, red in the lowest byte.
constexpr uint32_t rgbValue(uint8_t red, uint8_t green, uint8_t blue)
{
    return uint32_t(red) + 256u * green + 65536u * blue;
}

} // namespace yw
