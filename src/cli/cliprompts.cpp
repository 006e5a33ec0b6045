#include "cli/cliprompts.h"

#include <QRegularExpression>

namespace yw::cli {

QString terminalText(const QString& text)
{
    QString shown;
    shown.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == '\r')
            shown += QStringLiteral("\\r");
        else if (u == '\n')
            shown += QStringLiteral("\\n");
        else if (u < 0x20 || (u >= 0x7f && u < 0xa0))
            shown += QStringLiteral("\\x%1").arg(uint(u), 2, 16, QLatin1Char('0'));
        else
            shown += c;
    }
    return shown;
}

QString oneLine(const QString& text)
{
    static const QRegularExpression lineBreaks(QStringLiteral("[\\r\\n]+"));
    return terminalText(QString(text).replace(lineBreaks, QStringLiteral(" ")).trimmed());
}

void CliPrompts::message(const QString& text, PromptIcon)
{
    m_messages.append(oneLine(text));
}

PromptAnswer CliPrompts::question(const QString& text, PromptButtons, PromptIcon)
{
    m_err << "yolkwright-cli: warning: " << oneLine(text) << " (answered Yes)\n";
    m_err.flush();
    return PromptAnswer::Yes;
}

QStringList CliPrompts::takeMessages()
{
    QStringList messages;
    messages.swap(m_messages);
    return messages;
}

} // namespace yw::cli
