#include "files/breedresources.h"
#include "files/projectfile.h"
#include "model/projectstate.h"
#include "platform/errors.h"
#include "platform/filesystem.h"
#include "platform/settingsstore.h"
#include "support/statecompare.h"
#include "support/testsupport.h"

#include <QTemporaryDir>

namespace yw {

using test::readFile;
using test::ScriptedPrompts;
using test::writeFile;

namespace {

const char kHandWritten[] = "[Yolkwright Project File]\r\n"
                            "\"0310\",0,\"Zott\"\r\n"
                            "\"The \x94Great\x94 One\",\"12\",\"\x94"
                            "5\x94\"\r\n"
                            "\"demo one\",\"reg one\"\r\n"
                            "\"say \x94hi\x94\",\"\"\r\n"
                            "\"\",\"reg three\"\r\n"
                            "0,-1,12,5,0,\"say \x94"
                            "ah\x94\",25,255,3,0\r\n"
                            "7,2,-1,143,3,\"left ear\",-255,0,-1,1\r\n"
                            "0,0,0,0,0,\"\",0,0,0,0\r\n"
                            "1,1,1,1,1,\"tail, long\",999,1,1,1\r\n"
                            "\"A \x94quoted\x94 line\r\nand a second\"\r\n"
                            "\"Fast, \x94"
                            "friendly\x94\"\r\n";

} // namespace

class ProjectFile : public ::testing::Test
{
protected:
    void SetUp() override
    {
        state = test::startState(fso, dir.path());
        writeFile(dir.filePath(QStringLiteral("res/Zott.blz")),
                  "\"zt_small.lnz\",\"zt.lnz\",2\r\nhead\r\nleft ear\r\n");
        writeFile(dir.filePath(QStringLiteral("res/Zott.loc")),
                  "Zott\r\nUS\r\n100\t\t50\r\n200\t\t40\r\n3000\r\n1000\r\n400\t\t60\r\n"
                  "500\t\t300\t\t6\r\n");
        state.baseBreed = "Zott";
        state.tipCount = 6;
        state.breedName = "The \"Great\" One";
        state.eggTray = "12";
        state.eggSlot = "\"5\"";
        state.demoTips = {"demo one", "say \"hi\"", ""};
        state.regTips = {"reg one", "", "reg three"};
        state.eBalls[0] = {5, 12, 255, 0, -1, 25, 0, 3, "say \"ah\"", 0};
        state.eBalls[1] = {143, -1, 0, 3, 2, -255, 7, -1, "left ear", 1};
        state.eBalls[3] = {1, 1, 1, 1, 1, 999, 1, 1, "tail, long", 1};
        state.breedDescription = "A \"quoted\" line\r\nand a second";
        // A curly quote the user typed comes back straight, like any stored quote.
        state.breedAttributes = "Fast, \x94"
                                "friendly\"";
    }

    QString path(const char* name) const { return dir.filePath(QLatin1String(name)); }

    QTemporaryDir dir;
    FileSystem fso;
    ProjectState state;
    MemorySettingsStore settings;
    ScriptedPrompts prompts;
};

TEST_F(ProjectFile, SaveWritesTheLayoutByteForByteAndOpenReadsItBack)
{
    SaveOPJ(state, path("p.opj"));
    EXPECT_EQ(readFile(path("p.opj")), QByteArray(kHandWritten));

    const ProjectState saved = state;
    state.resetForStartUp();
    state.eBalls[10].comment = "beyond the breed";
    ASSERT_EQ(OpenOPJ(state, path("p.opj"), prompts, settings), OpenResult::Opened);
    EXPECT_TRUE(prompts.shown.empty());
    ProjectState expected = saved;
    getLOX(expected);
    EXPECT_EQ(expected.locNamePos, 200);
    expected.eBalls[10].comment = "beyond the breed"; // records past 2n are not touched
    expected.breedAttributes = "Fast, \"friendly\"";
    EXPECT_EQ(test::projectDifference(state, expected), "");
}

TEST_F(ProjectFile, VersionQuestionFollowsTheBuildsAndTheSetting)
{
    writeFile(path("older.opj"), QByteArray(kHandWritten).replace("\"0310\"", "\"0012\""));
    writeFile(path("newer.opj"), QByteArray(kHandWritten).replace("\"0310\"", "\"0400beta\""));

    state.breedName = "unchanged";
    prompts.answers = {PromptAnswer::No};
    EXPECT_EQ(OpenOPJ(state, path("older.opj"), prompts, settings), OpenResult::Declined);
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_TRUE(prompts.shown[0].question);
    EXPECT_TRUE(prompts.shown[0].text.startsWith(QStringLiteral(
        "The project file being opened was made by an older version of Yolkwright")));
    EXPECT_EQ(state.breedName, "unchanged");

    prompts.answers = {PromptAnswer::Yes};
    EXPECT_EQ(OpenOPJ(state, path("newer.opj"), prompts, settings), OpenResult::Opened);
    EXPECT_TRUE(prompts.shown[1].text.contains(QStringLiteral("made by a newer version")));
    EXPECT_EQ(state.breedName, "The \"Great\" One");

    prompts.shown.clear();
    for (const char* off : {"0", "2"}) {
        settings.write(kSectionMain, QStringLiteral("optProjVers"), QLatin1String(off));
        EXPECT_EQ(OpenOPJ(state, path("older.opj"), prompts, settings), OpenResult::Opened);
    }
    EXPECT_TRUE(prompts.shown.empty());

    settings.write(kSectionMain, QStringLiteral("optProjVers"), QStringLiteral("on"));
    EXPECT_THROW(OpenOPJ(state, path("older.opj"), prompts, settings), FormatError);
}

} // namespace yw
