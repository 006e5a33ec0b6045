#pragma once

#include "model/eballrecord.h"

#include <QByteArray>
#include <QString>
#include <vector>

// Where the regions of a base egg lie: the egg writer and the new-project reader must agree
// on every position, so both take them from here.
namespace yw {

struct ProjectState;

// The n ball lines of one set as the base egg holds them: 1-based [start, end).
struct BallSetSpan
{
    qint64 start = 0;
    qint64 end = 0;
    std::vector<EBallRecord> records;
};

// Reads `count` ball lines, the first from byte `locSetPos` - 1. Throws FormatError naming the
// egg and the byte position, suggesting the edition setting, when they do not read.
BallSetSpan readBallSet(const QByteArray& egg, qint64 locSetPos, int count, const QString& eggPath,
                        const QString& setName);

// Throws FormatError unless the 1-based bytes [first, first + length) lie inside the egg.
void requireInside(const QByteArray& egg, qint64 first, qint64 length, const QString& eggPath,
                   const QString& what);

// One region the egg writer writes: 1-based [first, end).
struct EggSpan
{
    qint64 first = 0;
    qint64 end = 0;
    QString what;
};

// The six regions the egg writer writes for `state`, its sets at `setA` and `setB`: each text at
// its position and its cleared byte after it, the tips block T + 2 bytes (a line end and zeros).
std::vector<EggSpan> writtenRegions(const ProjectState& state, const BallSetSpan& setA,
                                    const BallSetSpan& setB);

// Throws FormatError unless the regions lie apart: where two overlap, writing the later one
// would destroy what was just written into the earlier one.
void requireApart(std::vector<EggSpan> spans, const QString& eggPath);

// T: the room of the tips block, the tip texts' room plus ten bytes per entry ("string0=" and
// a line end).
qint64 tipsRoom(const ProjectState& state);

} // namespace yw
