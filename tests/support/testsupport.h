#pragma once

#include "platform/prompts.h"

#include <QByteArray>
#include <QString>
#include <deque>
#include <ostream>
#include <vector>

namespace yw::test {

// Records what the core showed and answers questions from a script (Yes when the script is
// empty).
class ScriptedPrompts : public Prompts
{
public:
    struct Shown
    {
        QString text;
        PromptIcon icon;
        bool question;
    };

    void message(const QString& text, PromptIcon icon) override;
    PromptAnswer question(const QString& text, PromptButtons buttons, PromptIcon icon) override;

    std::deque<PromptAnswer> answers;
    std::vector<Shown> shown;
};

QByteArray bytesOf(const char* text);
void writeFile(const QString& path, const QByteArray& bytes);
QByteArray readFile(const QString& path);

} // namespace yw::test

// Readable QString values in test failure messages.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}
