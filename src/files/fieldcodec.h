#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <string>
#include <string_view>

namespace yw {

// The comma-separated field syntax shared by project files, information files and
// "ypkinfo.inf": texts in double quotes without escaping, plain decimal numbers, and line ends
// that separate fields just as commas do.
class FieldReader
{
public:
    FieldReader(QByteArray data, QString fileName);

    // One whole line without its line end (for header lines).
    std::string readLine(const QString& what);
    // The next field's text; the quotes of a quoted field are removed. `what` names the field
    // in the error thrown when the file ends first.
    std::string text(const QString& what);
    int16_t int16(const QString& what);
    // A number that must lie in [least, most]; the error names the line, the field and the range.
    int16_t int16(const QString& what, int least, int most);
    int32_t int32(const QString& what);
    // Throws unless the last field read ended its line: a layout of fixed lines is read as a
    // stream of fields, and a line that gained or lost one would shift every field after it.
    void requireLineEnd(const QString& what);
    // Throws unless only blanks and line ends follow; `what` names the last field.
    void requireEnd(const QString& what);

    bool atEnd() const { return m_pos >= m_data.size(); }
    // 1-based line of the next unread byte.
    int line() const { return m_line; }
    const QString& fileName() const { return m_fileName; }

private:
    [[noreturn]] void fail(int line, const QString& expected) const;
    void skipLineEnd();

    QByteArray m_data;
    QString m_fileName;
    qsizetype m_pos = 0;
    int m_line = 1;
    int m_fieldLine = 1; // where the last field began
    bool m_endedLine = true;
};

class FieldWriter
{
public:
    void text(std::string_view value);
    void number(long long value);
    // A field written as it is, such as #FALSE#.
    void raw(std::string_view value);
    // A header line that is not a field.
    void line(std::string_view value);
    void endLine();
    const QByteArray& bytes() const { return m_bytes; }

private:
    void separate();

    QByteArray m_bytes;
    bool m_lineStarted = false;
};

// Double quotes cannot be escaped in the field syntax, so stored texts hold character 148 (the
// Windows-1252 closing curly quote) for each one.
std::string toStoredQuotes(std::string text);
std::string fromStoredQuotes(std::string text);

inline constexpr char kStoredQuote = char(148);

} // namespace yw
