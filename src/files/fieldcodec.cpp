#include "files/fieldcodec.h"

#include "platform/cp1252.h"
#include "platform/errors.h"
#include "platform/numbers.h"

#include <algorithm>

namespace yw {

FieldReader::FieldReader(QByteArray data, QString fileName)
    : m_data(std::move(data)), m_fileName(std::move(fileName))
{}

void FieldReader::fail(int line, const QString& expected) const
{
    throw FormatError(m_fileName, QStringLiteral("line %1").arg(line), expected);
}

void FieldReader::skipLineEnd()
{
    if (m_pos < m_data.size() && m_data[m_pos] == '\r') {
        ++m_pos;
        if (m_pos < m_data.size() && m_data[m_pos] == '\n')
            ++m_pos;
        ++m_line;
    } else if (m_pos < m_data.size() && m_data[m_pos] == '\n') {
        ++m_pos;
        ++m_line;
    }
}

std::string FieldReader::readLine(const QString& what)
{
    if (atEnd())
        fail(m_line, what);
    const qsizetype start = m_pos;
    while (m_pos < m_data.size() && m_data[m_pos] != '\r' && m_data[m_pos] != '\n')
        ++m_pos;
    std::string result(m_data.constData() + start, size_t(m_pos - start));
    skipLineEnd();
    return result;
}

std::string FieldReader::text(const QString& what)
{
    while (m_pos < m_data.size() && (m_data[m_pos] == ' ' || m_data[m_pos] == '\t'))
        ++m_pos;
    if (atEnd())
        fail(m_line, what);
    const int startLine = m_line;
    std::string result;
    if (m_data[m_pos] == '"') {
        const qsizetype close = m_data.indexOf('"', m_pos + 1);
        if (close < 0)
            fail(startLine, QStringLiteral("the closing double quote of %1").arg(what));
        result.assign(m_data.constData() + m_pos + 1, size_t(close - m_pos - 1));
        m_line += int(std::count(result.begin(), result.end(), '\n'));
        m_pos = close + 1;
        // Words after the closing quote mean a quote inside the text ("Bob "the" Blob"): reading
        // on would cut the text there or shift every later field.
        while (m_pos < m_data.size() && (m_data[m_pos] == ' ' || m_data[m_pos] == '\t'))
            ++m_pos;
        if (m_pos < m_data.size() && m_data[m_pos] != ',' && m_data[m_pos] != '\r' &&
            m_data[m_pos] != '\n')
            fail(m_line, QStringLiteral("a comma or the line end after the closing quote of %1, "
                                        "not more text (a double quote inside a text?)")
                             .arg(what));
    } else {
        const qsizetype start = m_pos;
        while (m_pos < m_data.size() && m_data[m_pos] != ',' && m_data[m_pos] != '\r' &&
               m_data[m_pos] != '\n')
            ++m_pos;
        result.assign(m_data.constData() + start, size_t(m_pos - start));
        while (!result.empty() && (result.back() == ' ' || result.back() == '\t'))
            result.pop_back();
    }
    m_fieldLine = startLine;
    m_endedLine = !(m_pos < m_data.size() && m_data[m_pos] == ',');
    if (m_endedLine)
        skipLineEnd();
    else
        ++m_pos;
    return result;
}

void FieldReader::requireLineEnd(const QString& what)
{
    if (!m_endedLine)
        fail(m_fieldLine,
             QStringLiteral("the line to end after %1, not another field (a field too many, "
                            "or a line shifted by an edit?)")
                 .arg(what));
}

void FieldReader::requireEnd(const QString& what)
{
    while (m_pos < m_data.size() && (m_data[m_pos] == ' ' || m_data[m_pos] == '\t' ||
                                     m_data[m_pos] == '\r' || m_data[m_pos] == '\n')) {
        if (m_data[m_pos] == '\r' || m_data[m_pos] == '\n')
            skipLineEnd();
        else
            ++m_pos;
    }
    if (!atEnd())
        fail(m_line, QStringLiteral("nothing after %1 but blanks and line ends (a line added or "
                                    "written twice, or a breed of another size?)")
                         .arg(what));
}

int16_t FieldReader::int16(const QString& what)
{
    const int line = m_line;
    const std::string field = text(what);
    const auto value = parseInt16(field);
    if (!value)
        fail(line, QStringLiteral("%1 as a number from -32768 to 32767, not \"%2\"")
                       .arg(what, cp1252::toUnicode(field)));
    return *value;
}

int16_t FieldReader::int16(const QString& what, int least, int most)
{
    const int line = m_line;
    const int16_t value = int16(what);
    if (value < least || value > most)
        fail(line,
             QStringLiteral("%1 from %2 to %3, not %4").arg(what).arg(least).arg(most).arg(value));
    return value;
}

int32_t FieldReader::int32(const QString& what)
{
    const int line = m_line;
    const std::string field = text(what);
    const auto value = parseInt32(field);
    if (!value)
        fail(
            line,
            QStringLiteral("%1 as a whole number, not \"%2\"").arg(what, cp1252::toUnicode(field)));
    return *value;
}

void FieldWriter::separate()
{
    if (m_lineStarted)
        m_bytes.append(',');
    m_lineStarted = true;
}

void FieldWriter::text(std::string_view value)
{
    separate();
    m_bytes.append('"');
    m_bytes.append(value.data(), qsizetype(value.size()));
    m_bytes.append('"');
}

void FieldWriter::number(long long value)
{
    separate();
    m_bytes.append(QByteArray::number(value));
}

void FieldWriter::raw(std::string_view value)
{
    separate();
    m_bytes.append(value.data(), qsizetype(value.size()));
}

void FieldWriter::line(std::string_view value)
{
    m_bytes.append(value.data(), qsizetype(value.size()));
    m_bytes.append("\r\n");
    m_lineStarted = false;
}

void FieldWriter::endLine()
{
    m_bytes.append("\r\n");
    m_lineStarted = false;
}

std::string toStoredQuotes(std::string text)
{
    std::replace(text.begin(), text.end(), '"', kStoredQuote);
    return text;
}

std::string fromStoredQuotes(std::string text)
{
    std::replace(text.begin(), text.end(), kStoredQuote, '"');
    return text;
}

} // namespace yw
