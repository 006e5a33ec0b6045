#pragma once

#include <QByteArrayView>
#include <cstdint>
#include <string>
#include <string_view>

namespace yw {

// One eBall of a breed: the numbers of its ball line, its comment and whether its texture is used.
struct EBallRecord
{
    int16_t fillColor = 0;
    int16_t borderColor = 0;
    int16_t spreckColor = 0;
    int16_t fuzziness = 0;
    int16_t borderThickness = 0;
    int16_t diameter = 0;
    int16_t auxValue = 0;
    int16_t texture = 0;
    std::string comment;
    int16_t useTexture = 0;

    bool operator==(const EBallRecord&) const = default;
};

// -9..9 take three characters right-aligned; other values their natural width.
std::string formatBallNumber(int16_t value);

// The ball line of a record as an egg holds it, without the comma and line end the egg writer
// adds.
std::string formatBallLine(const EBallRecord& record);

struct ParsedBallLine
{
    EBallRecord record;
    // 1-based position of the byte after the line feed: where the next line is read from (the
    // egg reader consumes that byte as well and reads it again as the next line's first byte).
    qint64 nextPosition = 0;
};

enum class BallLineFault { None, FewFields, Number, CommentGap, Texture };

// One line read as a ball line, or why it is none.
struct BallLineReading
{
    BallLineFault fault = BallLineFault::None;
    int field = 0; // the 1-based field of a Number fault
    EBallRecord record;
    // Where what the reader does not read begins: right after the comment.
    size_t commentEnd = 0;
};

// The one ball-line reader: `line` without its line feed. Never throws, since a survey asks it of
// every line of an egg.
BallLineReading readBallLine(std::string_view line);

// Reads the ball line that starts at the 1-based `position` of `egg`. Throws FormatError (naming
// `fileName` and the byte position) when the line does not read as a ball line.
ParsedBallLine parseBallLine(QByteArrayView egg, qint64 position, const QString& fileName);

} // namespace yw
