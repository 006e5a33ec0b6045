#pragma once

#include "shell/dialogs/filedialogs.h"

#include <QString>
#include <deque>
#include <vector>

namespace yw::test {

// File dialogs that answer from a script (Cancel when it is empty) and record what was asked.
class ScriptedDialogs : public FileDialogs
{
public:
    struct Asked
    {
        bool save;
        FileKind kind;
        QString filter;
    };

    QString openPath(FileKind kind, const QString& filter) override
    {
        return answer(false, kind, filter);
    }
    QString savePath(FileKind kind, const QString& filter) override
    {
        return answer(true, kind, filter);
    }

    std::deque<QString> answers;
    std::vector<Asked> asked;

private:
    QString answer(bool save, FileKind kind, const QString& filter)
    {
        asked.push_back({save, kind, filter});
        if (answers.empty())
            return QString();
        QString path = answers.front();
        answers.pop_front();
        return path;
    }
};

} // namespace yw::test
