#pragma once

#include "platform/prompts.h"

#include <QStringList>
#include <QTextStream>

namespace yw::cli {

// The command-line tool's answers to the core's prompts: questions (the project-version
// question) are answered Yes with a warning on stderr; messages are held so that a command can
// print them as notices when it succeeds. Failures come as exceptions, never from these.
class CliPrompts : public Prompts
{
public:
    explicit CliPrompts(QTextStream& err) : m_err(err) {}

    void message(const QString& text, PromptIcon icon) override;
    PromptAnswer question(const QString& text, PromptButtons buttons, PromptIcon icon) override;

    QStringList takeMessages();

private:
    QTextStream& m_err;
    QStringList m_messages;
};

// A message on one line: its line breaks become blanks, other control characters are written
// out as terminalText does.
QString oneLine(const QString& text);
// `text` with every control character written out (\r, \n, \x1b), so nothing read from an egg or
// a package can move the cursor, ring or clear the terminal.
QString terminalText(const QString& text);

} // namespace yw::cli
