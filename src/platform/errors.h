#pragma once

#include <QString>
#include <stdexcept>

namespace yw {

// Every file routine throws one of these; commands catch them and tell the user.
class Error : public std::runtime_error
{
public:
    explicit Error(const QString& message);
    QString message() const { return m_message; }

private:
    QString m_message;
};

// The user cancelled a dialog or a question: the command stops without a message.
class Cancelled : public Error
{
public:
    Cancelled();
};

// A file could not be read, written, created or renamed.
class FileError : public Error
{
public:
    FileError(const QString& path, const QString& reason);
    QString path() const { return m_path; }
    QString reason() const { return m_reason; }

private:
    QString m_path;
    QString m_reason;
};

// A file's content is not what its format requires. `where` is "line 7", "byte 1234", ...
class FormatError : public Error
{
public:
    FormatError(const QString& file, const QString& where, const QString& expected);
    QString file() const { return m_file; }
    QString where() const { return m_where; }
    QString expected() const { return m_expected; }

private:
    QString m_file;
    QString m_where;
    QString m_expected;
};

// A text or ball set does not fit its room in the base egg.
class DoesNotFit : public Error
{
public:
    DoesNotFit(const QString& field, qsizetype excessBytes);
    QString field() const { return m_field; }
    qsizetype excessBytes() const { return m_excess; }

private:
    QString m_field;
    qsizetype m_excess;
};

// A region too long for its room that cannot be given more: `reason` says why.
class CannotGrow : public Error
{
public:
    CannotGrow(const QString& eggPath, const QString& what, const QString& reason);
    QString reason() const { return m_reason; }

private:
    QString m_reason;
};

// A value that the target format cannot hold without changing its structure (a line break in a
// ball line's comment, a blank in the tray). `field` names it; the message says why.
class BadValue : public Error
{
public:
    BadValue(const QString& field, const QString& reason);
    QString field() const { return m_field; }

private:
    QString m_field;
};

} // namespace yw
