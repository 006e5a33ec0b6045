#include "messages.h"
#include "model/projectstate.h"
#include "platform/filesystem.h"
#include "platform/settingsstore.h"
#include "shell/mainwindow/mainwindow.h"
#include "shell/mainwindow/splash.h"
#include "shell/mainwindow/startup.h"
#include "support/testsupport.h"

#include <QDir>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace yw {

using test::ScriptedPrompts;
using test::writeFile;

class StartUpTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        game = dir.filePath(QStringLiteral("Oddballz"));
        writeFile(game + QStringLiteral("/oddballz.wad"), QByteArray(100, 'w'));
        writeFile(dir.filePath(QStringLiteral("windows/oddballz.ini")),
                  "[Oddballz]\r\nlast oddball=" + game.toUtf8() + "/\r\n");
        writeFile(dir.filePath(QStringLiteral("program/res/Quadrapus.blz")),
                  "\"qp_small.lnz\",\"qp.lnz\",1\r\nhead\r\n");
        env.insert(QStringLiteral("windir"), dir.filePath(QStringLiteral("windows")));
        settings.write(kSectionMain, QStringLiteral("CheckedCountry"), QStringLiteral("1"));
        state.resetForStartUp();
    }

    std::unique_ptr<EditorStartUp> startUp()
    {
        auto result = std::make_unique<EditorStartUp>(state, fso, settings, prompts);
        result->setProgramFolder(dir.filePath(QStringLiteral("program")));
        return result;
    }

    QTemporaryDir dir;
    QString game;
    QProcessEnvironment env;
    FileSystem fso;
    ProjectState state;
    MemorySettingsStore settings;
    ScriptedPrompts prompts;
};

TEST_F(StartUpTest, ShowsTheMainWindowAndTheSplash)
{
    auto run = startUp();
    ASSERT_TRUE(run->run(QString(), env));
    ASSERT_NE(run->mainWindow(), nullptr);
    EXPECT_TRUE(run->mainWindow()->isVisible());
    EXPECT_EQ(run->mainWindow()->windowTitle(), test::text::kWindowTitle);
    EXPECT_EQ(state.buildNo, "0310");
    EXPECT_EQ(state.gameFolder, game);
    EXPECT_EQ(state.edition, Edition::US);
    EXPECT_EQ(state.baseBreed, "Quadrapus");
    EXPECT_EQ(state.tipCount, 6);
    EXPECT_TRUE(prompts.shown.empty());

    QPointer<Splash> splash = run->splash();
    ASSERT_TRUE(splash);
    EXPECT_TRUE(splash->isVisible());
    EXPECT_EQ(splash->spVer->text(), QStringLiteral("Build 0310"));
    EXPECT_EQ(splash->size(), QSize(302, 202));
    QTest::mouseClick(splash, Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([&] { return splash.isNull(); }, 2000));
}

TEST_F(StartUpTest, NoSplashWhenSwitchedOff)
{
    settings.write(kSectionMain, QStringLiteral("optSplash"), QStringLiteral("0"));
    auto run = startUp();
    ASSERT_TRUE(run->run(QString(), env));
    EXPECT_TRUE(!run->splash() || !run->splash()->isVisible());
}

TEST_F(StartUpTest, NoGameEndsBeforeAnyWindow)
{
    env.insert(QStringLiteral("windir"), dir.filePath(QStringLiteral("nowhere")));
    auto run = startUp();
    EXPECT_FALSE(run->run(QString(), env));
    EXPECT_EQ(run->mainWindow(), nullptr);
    EXPECT_EQ(run->splash(), nullptr);
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text, test::text::kNoGame);
}

TEST_F(StartUpTest, UnreadableSettingEndsInTheCriticalMessage)
{
    settings.write(kSectionMdi, QStringLiteral("Height"), QStringLiteral("tall"));
    auto run = startUp();
    EXPECT_FALSE(run->run(QString(), env));
    EXPECT_EQ(run->mainWindow(), nullptr);
    ASSERT_EQ(prompts.shown.size(), 1u);
    const QString text = prompts.shown[0].text;
    EXPECT_EQ(prompts.shown[0].icon, PromptIcon::Critical);
    // The reason between the brackets comes from the system.
    const QString framed = test::text::kCritical.arg(13).arg(QString(), QStringLiteral("mfmCore"));
    const qsizetype reason = framed.indexOf(QStringLiteral("() in ")) + 1;
    EXPECT_TRUE(text.startsWith(framed.left(reason))) << text.toStdString();
    EXPECT_TRUE(text.endsWith(framed.mid(reason))) << text.toStdString();
}

TEST_F(StartUpTest, MissingGameDataDuringTheEditionCheckIsCritical)
{
    settings.write(kSectionMain, QStringLiteral("CheckedCountry"), QStringLiteral("0"));
    QFile::remove(game + QStringLiteral("/oddballz.wad"));
    auto run = startUp();
    EXPECT_FALSE(run->run(QString(), env));
    ASSERT_FALSE(prompts.shown.empty());
    EXPECT_TRUE(prompts.shown.back().text.contains(QStringLiteral("Error #53(")));
    // The check is not repeated on the next start.
    EXPECT_EQ(settings.read(kSectionMain, QStringLiteral("CheckedCountry"), QString()),
              QStringLiteral("1"));
}

} // namespace yw
