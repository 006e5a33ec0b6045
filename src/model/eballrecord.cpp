#include "model/eballrecord.h"

#include "platform/errors.h"
#include "platform/numbers.h"
#include "platform/text.h"

#include <algorithm>
#include <string_view>

namespace yw {

namespace {

constexpr std::string_view kSeparator = ",      ";
constexpr std::string_view kCommentGap = "    ";

} // namespace

std::string formatBallNumber(int16_t value)
{
    if (value >= -9 && value <= 9) {
        std::string text = std::to_string(value);
        return std::string(3 - text.size(), ' ') + text;
    }
    return std::to_string(value);
}

std::string formatBallLine(const EBallRecord& r)
{
    const int16_t numbers[] = {r.fillColor,       r.borderColor,
                               r.spreckColor,     r.fuzziness,
                               r.borderThickness, r.diameter,
                               r.auxValue,        r.useTexture != 0 ? r.texture : int16_t(-1)};
    std::string line;
    line.reserve(80 + r.comment.size());
    for (size_t i = 0; i < std::size(numbers); ++i) {
        if (i > 0)
            line += kSeparator;
        line += formatBallNumber(numbers[i]);
    }
    line += kCommentGap;
    line += r.comment;
    return line;
}

BallLineReading readBallLine(std::string_view line)
{
    BallLineReading reading;
    // The first seven fields end at a comma; the eighth at the next comma or the line's end.
    // Fields after it are not read.
    int16_t numbers[7];
    size_t from = 0;
    for (int i = 0; i < 7; ++i) {
        const size_t comma = line.find(',', from);
        if (comma == std::string_view::npos) {
            reading.fault = BallLineFault::FewFields;
            return reading;
        }
        const auto value = parseInt16(trimmed(line.substr(from, comma - from)));
        if (!value) {
            reading.fault = BallLineFault::Number;
            reading.field = i + 1;
            return reading;
        }
        numbers[i] = *value;
        from = comma + 1;
    }
    const std::string_view last = trimmed(line.substr(from, line.find(',', from) - from));
    const size_t gap = last.find(kCommentGap);
    if (gap == std::string_view::npos) {
        reading.fault = BallLineFault::CommentGap;
        return reading;
    }
    const auto texture = parseInt16(last.substr(0, gap));
    if (!texture) {
        reading.fault = BallLineFault::Texture;
        return reading;
    }
    std::string_view comment = last.substr(gap + kCommentGap.size());
    comment = comment.substr(0, comment.find(kCommentGap));

    EBallRecord& r = reading.record;
    r.fillColor = numbers[0];
    r.borderColor = numbers[1];
    r.spreckColor = numbers[2];
    r.fuzziness = numbers[3];
    r.borderThickness = numbers[4];
    r.diameter = std::max<int16_t>(numbers[5], -255);
    r.auxValue = numbers[6];
    r.texture = *texture;
    r.useTexture = *texture > -1 ? 1 : 0;
    r.comment = std::string(comment);
    reading.commentEnd = size_t(comment.data() + comment.size() - line.data());
    return reading;
}

ParsedBallLine parseBallLine(QByteArrayView egg, qint64 position, const QString& fileName)
{
    const auto fail = [&](const QString& expected) -> FormatError {
        return FormatError(fileName, QStringLiteral("byte %1").arg(position), expected);
    };
    if (position < 1 || position > egg.size())
        throw fail(QStringLiteral("a ball line inside the file"));
    const qsizetype start = qsizetype(position - 1);
    const qsizetype lineFeed = egg.indexOf('\n', start);
    if (lineFeed < 0)
        throw fail(QStringLiteral("a ball line ending in a line feed"));
    BallLineReading reading =
        readBallLine(std::string_view(egg.data() + start, size_t(lineFeed - start)));
    switch (reading.fault) {
    case BallLineFault::None:
        break;
    case BallLineFault::FewFields:
        throw fail(QStringLiteral("eight comma-separated fields in the ball line"));
    case BallLineFault::Number:
        throw fail(
            QStringLiteral("a 16-bit number in field %1 of the ball line").arg(reading.field));
    case BallLineFault::CommentGap:
        throw fail(QStringLiteral("four blanks between the texture and the comment"));
    case BallLineFault::Texture:
        throw fail(QStringLiteral("a 16-bit texture number in field 8 of the ball line"));
    }
    return {std::move(reading.record), qint64(lineFeed) + 2};
}

} // namespace yw
