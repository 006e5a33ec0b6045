#pragma once

#include "model/projectstate.h"
#include "platform/filesystem.h"
#include "samplegame/samplegame.h"
#include "shell/dialogs/filedialogs.h"
#include "support/testsupport.h"

#include <QDir>
#include <deque>
#include <gtest/gtest.h>

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
        QString name = {}; // the name a save dialog was to suggest
        bool operator==(const Asked&) const = default;
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
        asked.push_back({save, kind, filter, takeSuggestedName()});
        if (answers.empty())
            return QString();
        const QString path = answers.front();
        answers.pop_front();
        return path;
    }
};

// The sample game (US edition) with the program's resource files beside it, an installation
// pointing at both and the start-up project.
class SampleGameFixture : public TempFolderTest
{
protected:
    void SetUp() override
    {
        TempFolderTest::SetUp();
        installation = sampleGameInstallation(dir.path(), fso);
    }
    QString eggPath(const QString& stem) const
    {
        return QDir(installation.gameFolder).filePath(QStringLiteral("eggz/%1/%1.odd").arg(stem));
    }

    FileSystem fso;
    Installation installation;
    ProjectState state;
    ScriptedPrompts prompts;
    ScriptedDialogs dialogs;
};

} // namespace yw::test
