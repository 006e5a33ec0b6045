#include "platform/cp1252.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace yw::cp1252 {

QString toUnicode(std::string_view bytes)
{
    QStringDecoder decoder("windows-1252");
    return decoder.decode(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
}

std::optional<std::string> fromUnicode(const QString& text)
{
    QStringEncoder encoder("windows-1252");
    const QByteArray bytes = encoder.encode(text);
    if (encoder.hasError())
        return std::nullopt;
    return bytes.toStdString();
}

bool canEncode(const QString& text)
{
    return fromUnicode(text).has_value();
}

} // namespace yw::cp1252
