#include "platform/text.h"

#include "platform/cp1252.h"

namespace yw {

std::string_view trimmed(std::string_view text, std::string_view characters)
{
    const size_t first = text.find_first_not_of(characters);
    if (first == std::string_view::npos)
        return text.substr(text.size());
    return text.substr(first, text.find_last_not_of(characters) - first + 1);
}

std::vector<std::string> splitLines(const QByteArray& data)
{
    std::vector<std::string> lines;
    qsizetype pos = 0;
    while (pos < data.size()) {
        qsizetype end = pos;
        while (end < data.size() && data[end] != '\r' && data[end] != '\n')
            ++end;
        lines.emplace_back(data.constData() + pos, size_t(end - pos));
        if (end < data.size()) {
            const bool carriageReturn = data[end] == '\r';
            ++end;
            if (carriageReturn && end < data.size() && data[end] == '\n')
                ++end;
        }
        pos = end;
    }
    return lines;
}

QString shownBytes(std::string_view bytes, size_t most)
{
    return QLatin1Char('"') + writtenOut(bytes.substr(0, most)) +
           (bytes.size() > most ? QStringLiteral("...\"") : QStringLiteral("\""));
}

QString writtenOut(std::string_view bytes)
{
    QString text;
    for (const char c : bytes) {
        const auto u = uint8_t(c);
        if (c == '\r')
            text += QStringLiteral("\\r");
        else if (c == '\n')
            text += QStringLiteral("\\n");
        else if (u < 0x20 || u == 0x7f)
            text += QStringLiteral("\\x%1").arg(u, 2, 16, QLatin1Char('0'));
        else
            text += cp1252::toUnicode(std::string(1, c));
    }
    return text;
}

} // namespace yw
