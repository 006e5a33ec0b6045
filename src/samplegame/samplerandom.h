#pragma once

#include <QByteArray>
#include <cstdint>
#include <string>

// The sample game's numbers and filler: the same bytes on every platform and compiler.
namespace yw::sample {

// SplitMix64, unlike <random>'s distributions the same everywhere.
class Random
{
public:
    explicit Random(const std::string& seed);
    uint64_t next();
    int below(int bound) { return int(next() % uint64_t(bound)); }

private:
    uint64_t m_state;
};

QByteArray filler(qint64 size, const std::string& seed);

// What a reader of any code page takes for text: printable characters, tab, CR and LF.
bool isTextByte(char c);

// Control characters that no reader takes for text. Every region has one of these right before
// it and right after its room, so a writer that is one byte off changes a byte that matters.
char nonTextByte(Random& random);

// Binary filler with zero bytes, like code and pictures, except that no text runs into a zero
// byte: only the egg's own texts have the shape of a text with its room.
QByteArray binaryFiller(qint64 size, const std::string& seed);

} // namespace yw::sample
