#include "samplegame/samplerandom.h"

namespace yw::sample {

Random::Random(const std::string& seed) : m_state(1469598103934665603ull)
{
    for (const char c : seed)
        m_state = (m_state ^ uint8_t(c)) * 1099511628211ull;
}

uint64_t Random::next()
{
    uint64_t z = (m_state += 0x9e3779b97f4a7c15ull);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
    return z ^ (z >> 31);
}

QByteArray filler(qint64 size, const std::string& seed)
{
    QByteArray bytes(size, Qt::Uninitialized);
    Random random(seed);
    qint64 i = 0;
    while (i < size) {
        uint64_t value = random.next();
        for (int b = 0; b < 8 && i < size; ++b, ++i, value >>= 8)
            bytes[i] = char(value & 0xff);
    }
    return bytes;
}

bool isTextByte(char c)
{
    const auto u = uint8_t(c);
    return u == '\t' || u == '\n' || u == '\r' || (u >= 0x20 && u != 0x7f);
}

char nonTextByte(Random& random)
{
    static constexpr char kBytes[] = {1,  2,  3,  4,  5,  6,  7,  8,  14, 15, 16, 17, 18, 19,
                                      20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 127};
    return kBytes[random.below(int(std::size(kBytes)))];
}

QByteArray binaryFiller(qint64 size, const std::string& seed)
{
    QByteArray bytes = filler(size, seed);
    Random random(seed + "/cut");
    for (qint64 i = 1; i < size; ++i)
        if (bytes[i] == '\0' && isTextByte(bytes[i - 1]))
            bytes[i - 1] = nonTextByte(random);
    return bytes;
}

} // namespace yw::sample
