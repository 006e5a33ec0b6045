// The ball-line reader on any bytes, read line after line the way the new-project reader walks a
// ball set. Properties: it never reads outside the bytes; every line it accepts, written again
// by formatBallLine as the egg writer does, reads back as the same record.
#include "fuzzsupport.h"
#include "model/eballrecord.h"

#include <cstring>
#include <memory>

using namespace yw;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // An exact-size copy: AddressSanitizer then catches a read one byte past the end.
    std::unique_ptr<char[]> copy(new char[size ? size : 1]);
    if (size)
        std::memcpy(copy.get(), data, size);
    const QByteArrayView egg(copy.get(), qsizetype(size));
    const QString name = QStringLiteral("fuzz.odd");

    qint64 position = 1;
    for (int line = 0; line < 16; ++line) {
        ParsedBallLine parsed;
        if (!fuzz::succeeds<FormatError>([&] { parsed = parseBallLine(egg, position, name); }))
            return 0;
        fuzz::check(parsed.nextPosition > position && parsed.nextPosition <= qint64(size) + 1,
                    "the next position is outside the line's bytes");
        const EBallRecord& r = parsed.record;
        fuzz::check(r.diameter >= -255, "a diameter below -255");
        fuzz::check(r.useTexture == (r.texture > -1 ? 1 : 0), "the texture flag disagrees");

        // An empty comment cannot be told from a missing one: the reader needs the four blanks
        // before it and the writer's line ends right there. Such lines are not round-tripped.
        if (!r.comment.empty() && r.comment.find('\n') == std::string::npos) {
            const std::string written = formatBallLine(r) + ",\r\n";
            const QByteArrayView view(written.data(), qsizetype(written.size()));
            ParsedBallLine back;
            try {
                back = parseBallLine(view, 1, name);
            } catch (const FormatError& error) {
                fuzz::fail("a written ball line does not read back:",
                           error.expected().toStdString() + " in " + written);
            }
            // Without its texture a line carries -1 in that place, whatever the record held.
            EBallRecord expected = r;
            if (!expected.useTexture)
                expected.texture = -1;
            fuzz::check(back.record == expected, "a written ball line reads back differently",
                        written);
            fuzz::check(back.nextPosition == qint64(written.size()) + 1,
                        "a written ball line is not read to its line feed");
        }
        // The next line starts at the byte after the line feed.
        position = parsed.nextPosition;
        if (position < 1 || position > qint64(size))
            return 0;
    }
    return 0;
}
