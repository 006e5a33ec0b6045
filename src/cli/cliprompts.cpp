#include "cli/cliprompts.h"

#include <QRegularExpression>

namespace yw::cli {

QString oneLine(const QString& text)
{
    static const QRegularExpression lineBreaks(QStringLiteral("[\\r\\n]+"));
    return QString(text).replace(lineBreaks, QStringLiteral(" ")).trimmed();
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
