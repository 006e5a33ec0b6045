#pragma once

#include "model/projectstate.h"
#include "platform/filesystem.h"
#include "samplegame/samplegame.h"
#include "scripteddialogs.h"
#include "support/testsupport.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace yw::test {

// The sample game (US edition) with the program's resource files beside it, and a state set up
// the way start-up leaves it.
class SampleGameFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        sample::writeSampleGame(dir.path(), sample::Edition::US);
        sample::writeResourceFiles(dir.filePath(QStringLiteral("program")));
        state.programFolder = dir.filePath(QStringLiteral("program"));
        state.edition = Edition::US;
        state.gameFolder = sample::gameFolder(dir.path(), sample::Edition::US);
        state.buildNo = "0310";
        state.fso = &fso;
        state.resetForStartUp();
    }

    QString path(const QString& name) const { return dir.filePath(name); }
    QString eggPath(const QString& stem) const
    {
        return QDir(state.gameFolder).filePath(QStringLiteral("eggz/%1/%1.odd").arg(stem));
    }

    QTemporaryDir dir;
    FileSystem fso;
    ProjectState state;
    ScriptedPrompts prompts;
    ScriptedDialogs dialogs;
};

} // namespace yw::test
