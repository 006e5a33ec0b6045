#include "platform/errors.h"

namespace yw {

Error::Error(const QString& message) : std::runtime_error(message.toStdString()), m_message(message)
{}

Cancelled::Cancelled() : Error(QStringLiteral("Cancelled.")) {}

FileError::FileError(const QString& path, const QString& reason)
    : Error(QStringLiteral("%1: %2").arg(path, reason)), m_path(path), m_reason(reason)
{}

FormatError::FormatError(const QString& file, const QString& where, const QString& expected)
    : Error(where.isEmpty() ? QStringLiteral("%1: expected %2").arg(file, expected)
                            : QStringLiteral("%1, %2: expected %3").arg(file, where, expected)),
      m_file(file), m_where(where), m_expected(expected)
{}

DoesNotFit::DoesNotFit(const QString& field, qsizetype excessBytes)
    : Error(QStringLiteral("The %1 is %2 byte(s) too long for the base egg.")
                .arg(field)
                .arg(excessBytes)),
      m_field(field), m_excess(excessBytes)
{}

CannotGrow::CannotGrow(const QString& eggPath, const QString& what, const QString& reason)
    : Error(QStringLiteral("%1: %2 cannot grow past the base egg's room: %3.")
                .arg(eggPath, what, reason)),
      m_reason(reason)
{}

BadValue::BadValue(const QString& field, const QString& reason)
    : Error(QStringLiteral("The %1 %2").arg(field, reason)), m_field(field)
{}

} // namespace yw
