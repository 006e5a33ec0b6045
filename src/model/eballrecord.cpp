#include "model/eballrecord.h"

#include "platform/errors.h"
#include "platform/numbers.h"
#include "platform/text.h"

#include <string_view>
#include <vector>

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
    const std::string_view line(egg.data() + start, size_t(lineFeed - start));

    std::vector<std::string_view> fields;
    size_t from = 0;
    for (;;) {
        const size_t comma = line.find(',', from);
        if (comma == std::string_view::npos) {
            fields.push_back(line.substr(from));
            break;
        }
        fields.push_back(line.substr(from, comma - from));
        from = comma + 1;
    }
    if (fields.size() < 8)
        throw fail(QStringLiteral("eight comma-separated fields in the ball line"));

    int16_t numbers[7];
    for (int i = 0; i < 7; ++i) {
        const auto value = parseInt16(trimmed(fields[size_t(i)]));
        if (!value)
            throw fail(QStringLiteral("a 16-bit number in field %1 of the ball line").arg(i + 1));
        numbers[i] = *value;
    }

    const std::string_view last = trimmed(fields[7]);
    const size_t gap = last.find(kCommentGap);
    if (gap == std::string_view::npos)
        throw fail(QStringLiteral("four blanks between the texture and the comment"));
    const auto texture = parseInt16(last.substr(0, gap));
    if (!texture)
        throw fail(QStringLiteral("a 16-bit texture number in field 8 of the ball line"));
    std::string_view comment = last.substr(gap + kCommentGap.size());
    const size_t nextGap = comment.find(kCommentGap);
    if (nextGap != std::string_view::npos)
        comment = comment.substr(0, nextGap);

    ParsedBallLine result;
    EBallRecord& r = result.record;
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
    result.nextPosition = qint64(lineFeed) + 2;
    return result;
}

} // namespace yw
