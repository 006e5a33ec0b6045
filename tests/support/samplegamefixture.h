#pragma once

#include "model/projectstate.h"
#include "platform/filesystem.h"
#include "samplegame/samplegame.h"
#include "support/testsupport.h"

#include <QDir>
#include <gtest/gtest.h>

namespace yw::test {

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
};

} // namespace yw::test
