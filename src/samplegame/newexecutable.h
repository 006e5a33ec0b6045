#pragma once

#include <QByteArray>
#include <cstdint>
#include <functional>
#include <vector>

// The one writer of 16-bit Windows "New Executable" files, for the sample game's eggs and for
// the eggs the tests build: a DOS stub, an NE header and a resource table, as far as a reader of
// resources needs them (see neresources.h).
namespace yw::sample {

inline constexpr int kNeShift = 4; // resource offsets and lengths count 16-byte units
inline constexpr qint64 kNeUnit = qint64(1) << kNeShift;

inline qint64 roundUpToUnit(qint64 size)
{
    return (size + kNeUnit - 1) / kNeUnit * kNeUnit;
}

void put16(QByteArray& bytes, qint64 at, qint64 value); // little-endian
void append16(QByteArray& bytes, qint64 value);

// One resource. An integer type has `type` set and no `typeName`; an integer ID has `id` set
// and no `name`.
struct NeResourceEntry
{
    uint16_t type = 0;
    QByteArray typeName;
    uint16_t id = 0;
    QByteArray name;
    QByteArray data; // a whole number of units
    qint64 offset = 0;
};

// The DOS header and stub; `padding` gives the bytes up to the NE header at `neOffset` (at
// least 0x80, so the stub's program fits).
QByteArray dosStub(qint64 neOffset, const std::function<char()>& padding);

// The NE header (its resource table at 0x40 from its start), the table and the empty name and
// entry tables. The resources' offsets must be set; its size does not depend on them.
QByteArray neHeader(const std::vector<NeResourceEntry>& resources);

} // namespace yw::sample
