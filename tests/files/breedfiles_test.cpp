// The base breed's resource files (information and locator file) and the project file.
#include "files/breedresources.h"
#include "files/projectfile.h"
#include "model/projectstate.h"
#include "platform/errors.h"
#include "platform/filesystem.h"
#include "platform/settingsstore.h"
#include "support/locator.h"
#include "support/statecompare.h"
#include "support/testsupport.h"

namespace yw {

using namespace Qt::StringLiterals;
using namespace test;

namespace {

const char kHandWritten[] = "[Yolkwright Project File]\r\n"
                            "\"0310\",0,\"Zott\"\r\n"
                            "\"The \x94Great\x94 One\",\"12\",\"\x94one\x94\"\r\n"
                            "\"demo one\",\"reg one\"\r\n"
                            "\"say \x94hi\x94\",\"\"\r\n"
                            "\"\",\"reg three\"\r\n"
                            "0,-1,12,5,0,\"say \x94oh\x94\",25,255,3,0\r\n"
                            "7,2,-1,143,3,\"left ear\",-255,0,-1,1\r\n"
                            "0,0,0,0,0,\"\",0,0,0,0\r\n"
                            "1,1,1,1,1,\"tail, long\",999,1,1,1\r\n"
                            "\"A \x94quoted\x94 line\r\nand a second\"\r\n"
                            "\"Fast, \x94kind\x94\"\r\n";

} // namespace

class BreedFiles : public TempFolderTest
{
protected:
    void SetUp() override
    {
        TempFolderTest::SetUp();
        install = testInstallation(fso, dir.path());
        state.baseBreed = "Zott";
    }
    QString res(const char* name) { return dir.filePath(u"res/"_s + QLatin1String(name)); }
    QString path(const char* name) const { return dir.filePath(QLatin1String(name)); }
    // Zott's files and a project of it with quotes in every text.
    void example()
    {
        writeFile(dir.filePath(u"res/Zott.blz"_s),
                  "\"zt_small.lnz\",\"zt.lnz\",2\r\nhead\r\nleft ear\r\n");
        writeFile(res("Zott.loc"),
                  locatorText(located({100, 50, 200, 40, 3000, 1000, 400, 60, 500, 300, 6})));
        state.tipCount = 6;
        state.breedName = "The \"Great\" One";
        state.eggTray = "12";
        state.eggSlot = "\"one\"";
        state.demoTips = {"demo one", "say \"hi\"", ""};
        state.regTips = {"reg one", "", "reg three"};
        state.eBalls[0] = {5, 12, 255, 0, -1, 25, 0, 3, "say \"oh\"", 0};
        state.eBalls[1] = {143, -1, 0, 3, 2, -255, 7, -1, "left ear", 1};
        state.eBalls[3] = {1, 1, 1, 1, 1, 999, 1, 1, "tail, long", 1};
        state.breedDescription = "A \"quoted\" line\r\nand a second";
        // A curly quote the user typed comes back straight, like any stored quote.
        state.breedAttributes = "Fast, \x94kind\"";
    }

    FileSystem fso;
    Installation install;
    ProjectState state;
    BreedShape shape; // what an open read
    MemorySettingsStore settings;
    ScriptedPrompts prompts;
};

TEST_F(BreedFiles, InformationFileGivesTheHeaderThenTheLabels)
{
    EXPECT_THROW(readBreedHeader(install, state), FileError);
    EXPECT_THROW(readBreedLabels(install.infoFilePath(state.baseBreed)), FileError);
    // Found in any letter case.
    writeFile(dir.filePath(u"RES/ZOTT.BLZ"_s),
              "\"zt_small.lnz\",\"zt.lnz\",3\r\nhead\r\n\r\n  tail  \r\n");
    const QString info = install.infoFilePath(state.baseBreed);
    const BreedHeader header = readBreedHeader(install, state);
    EXPECT_EQ(header.lnzNameA + "|" + header.lnzNameB, "zt_small.lnz|zt.lnz");
    EXPECT_EQ(header.ballsPerSet, 3);
    EXPECT_EQ(readBreedLabels(info), (std::vector<std::string>{"head", "", "  tail  "}));
    for (const int ends : {1, 256}) { // the range of eBalls per set
        writeFile(info, "\"a\",\"b\"," + QByteArray::number(ends) + "\r\n");
        EXPECT_EQ(readBreedHeader(install, state).ballsPerSet, ends);
        EXPECT_TRUE(readBreedLabels(info).empty());
    }
    writeFile(info, "\"a\",\"b\",257\r\n");
    expectFormatError([&] { readBreedHeader(install, state); }, info, u"line 1"_s);
}

TEST_F(BreedFiles, LocatorFileSetsOnlyTheValuesItsLinesGive)
{
    // Line 5 is set B; blanks around a number are allowed.
    writeFile(res("Zott.loc"), "Zott\r\nUS\r\n100\t\t50\r\n200\t\t40\r\n3000\r\n1000\r\n"
                               " 400 \t\t 60 \r\n500\t\t300\t\t6\r\n");
    getLOX(install, state);
    EXPECT_EQ(locatorText(state),
              locatorText(located({100, 50, 200, 40, 3000, 1000, 400, 60, 500, 300, 6})));

    // Single tabs on line 3 and line 6 missing its number: those values stay as they were. Line 8
    // without its tip count gives the start-up count, as stored files have it.
    writeFile(res("Zott.loc"),
              "x\r\ny\r\n111\t55\r\n222\t\t44\r\n3333\r\n\r\n444\t\t66\r\n555\t\t333\r\n");
    state.tipCount = 4;
    getLOX(install, state);
    const ProjectState expected = located({100, 50, 222, 44, 3333, 1000, 444, 66, 555, 333, 6});
    EXPECT_EQ(locatorText(state), locatorText(expected));
    state.baseBreed = "Norvil"; // no locator file at all: nothing changes, nothing thrown
    getLOX(install, state);
    EXPECT_EQ(locatorText(state), locatorText(expected));
    // A word in place of the count reads the same, strictly too.
    state.baseBreed = "Zott";
    for (const char* count : {"", "\t\tnote"}) {
        writeFile(res("Zott.loc"), "x\r\ny\r\n1\t\t2\r\n3\t\t4\r\n5\r\n6\r\n7\t\t8\r\n9\t\t10" +
                                       QByteArray(count) + "\r\n");
        state.tipCount = 2;
        readLocatorFile(install, state);
        EXPECT_EQ(state.tipCount, 6) << count;
    }
}

TEST_F(BreedFiles, EditionChoosesTheLocatorFile)
{
    state.baseBreed = "Zott"; // the edition's file, then the player's own
    const ProjectState us = located({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 4});
    const ProjectState uk = located({11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 6});
    writeFile(res("Zott.loc"), locatorText(us));
    writeFile(dir.filePath(u"resUK/Zott.loc"_s), locatorText(uk));
    getLOX(install, state);
    EXPECT_EQ(locatorText(state), locatorText(us));
    install.edition = Edition::UK;
    getLOX(install, state);
    EXPECT_EQ(locatorText(state), locatorText(uk));
}

TEST_F(BreedFiles, PlayersOwnFileWinsOneFileAtATime)
{
    // A player's own file wins, one file at a time.
    install.edition = Edition::US;
    install.userFolder = path("user");
    writeFile(res("Zott.blz"), "\"shipped_a\",\"shipped_b\",3\r\n");
    writeFile(path("user/res/zott.blz"), "\"mine_a\",\"mine_b\",4\r\n");
    EXPECT_EQ(readBreedHeader(install, state).lnzNameA, "mine_a");
    EXPECT_EQ(install.infoFilePath(state.baseBreed), path("user/res/zott.blz"));
    EXPECT_EQ(install.locatorFilePath(state.baseBreed), res("Zott.loc"));
    install.edition = Edition::UK;
    EXPECT_THROW(readBreedHeader(install, state),
                 FileError); // the user's US file is not the UK one
}

using ProjectFile = BreedFiles;

TEST_F(ProjectFile, SavesTheHandWrittenBytes)
{
    example();
    SaveOPJ(install, state, readBreedShape(install, state), path("p.opj"));
    EXPECT_EQ(readFile(path("p.opj")), QByteArray(kHandWritten));
}

TEST_F(ProjectFile, OpensWhatItSaved)
{
    example();
    SaveOPJ(install, state, readBreedShape(install, state), path("p.opj"));
    const ProjectState saved = state;
    state = ProjectState{};
    state.eBalls[10].comment = "beyond the breed";
    ASSERT_EQ(OpenOPJ(install, state, shape, path("p.opj"), prompts, settings), OpenResult::Opened);
    EXPECT_TRUE(prompts.shown.empty());
    ProjectState expected = saved;
    getLOX(install, expected);
    EXPECT_EQ(expected.locNamePos, 200);
    expected.eBalls[10].comment = "beyond the breed"; // records past 2n are not touched
    expected.breedAttributes = "Fast, \"kind\"";
    EXPECT_EQ(projectDifference(state, expected), "");
}

TEST_F(ProjectFile, AsksAboutOtherBuildsFilesAsTheSettingSays)
{
    example();
    // Made by another build: the question follows the builds and the setting.
    writeFile(path("older.opj"), QByteArray(kHandWritten).replace("\"0310\"", "\"0012\""));
    writeFile(path("newer.opj"), QByteArray(kHandWritten).replace("\"0310\"", "\"0400beta\""));

    state.breedName = "unchanged";
    prompts.answers = {PromptAnswer::No};
    EXPECT_EQ(OpenOPJ(install, state, shape, path("older.opj"), prompts, settings),
              OpenResult::Declined);
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_TRUE(prompts.shown[0].question);
    EXPECT_TRUE(prompts.shown[0].text.startsWith(
        u"The project file being opened was made by an older version of Yolkwright"_s));
    EXPECT_EQ(state.breedName, "unchanged");

    prompts.answers = {PromptAnswer::Yes};
    EXPECT_EQ(OpenOPJ(install, state, shape, path("newer.opj"), prompts, settings),
              OpenResult::Opened);
    EXPECT_TRUE(prompts.shown[1].text.contains(u"made by a newer version"_s));
    EXPECT_EQ(state.breedName, "The \"Great\" One");

    prompts.shown.clear();
    for (const char* off : {"0", "2"}) {
        settings.write(kSectionMain, u"optProjVers"_s, QLatin1String(off));
        EXPECT_EQ(OpenOPJ(install, state, shape, path("older.opj"), prompts, settings),
                  OpenResult::Opened);
    }
    EXPECT_TRUE(prompts.shown.empty());

    settings.write(kSectionMain, u"optProjVers"_s, u"on"_s);
    EXPECT_THROW(OpenOPJ(install, state, shape, path("older.opj"), prompts, settings), FormatError);
}

// Hand edits as players make them: whatever shifts a field into another member, or breaks one, is
// refused naming the file and line, and the open project stays as it was.
TEST_F(ProjectFile, HandEditsThatShiftOrBreakFieldsAreRefusedByLine)
{
    example();
    writeFile(path("p.opj"), kHandWritten);
    const QByteArray lastBall = "1,1,1,1,1,\"tail, long\",999,1,1,1\r\n";
    struct Case
    {
        const char* what;
        const char* file; // edited
        QByteArray from, to;
        const char* where; // in the project file, unless the locator file was edited
    };
    const Case cases[] = {
        {"a blank line before the description", "p.opj", lastBall, lastBall + "\r\n", "line 14"},
        {"the last eBall line twice", "p.opj", lastBall, lastBall + lastBall, "line 11"},
        {"a quote inside the description", "p.opj", "A \x94quoted", "A \"quoted", "line 11"},
        {"words after a closing quote", "p.opj", "\"The \x94Great\x94 One\"",
         "\"Bob \"the\" Blob\"", "line 3"},
        {"a fraction", "p.opj", "999", "60.5", "line 10"},
        {"a field too many", "p.opj", "\"reg one\"", "\"reg one\",\"x\"", "line 4"},
        {"an eBall line with a field too many", "p.opj", "-1,1\r\n0,0", "-1,1,0\r\n0,0", "line 8"},
        {"a fill of 256", "p.opj", "2,-1,143", "2,-1,256", "line 8"},
        {"a fuzziness of 4", "p.opj", "0,0,0,0,0,", "0,0,0,0,4,", "line 9"},
        {"a breed of one eBall fewer", "res/Zott.blz", "\",2", "\",1", "line 9"},
        {"a breed of one eBall more", "res/Zott.blz", "\",2", "\",3", "line 11"},
        {"a fraction in the locator file", "res/Zott.loc", "100\t\t50", "100\t\t50.5", "line 3"},
        {"a locator line without its tips length", "res/Zott.loc", "\t\t300\t\t6", "", "line 8"},
        {"a locator file that stops early", "res/Zott.loc", "400\t\t60\r\n500\t\t300\t\t6\r\n", "",
         "line 7"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QString file = path(c.file);
        const QByteArray before = readFile(file);
        ASSERT_TRUE(before.contains(c.from));
        writeFile(file, QByteArray(before).replace(c.from, c.to));
        const ProjectState unchanged = state;
        expectFormatError([&] { OpenOPJ(install, state, shape, path("p.opj"), prompts, settings); },
                          file.endsWith(u".loc"_s) ? file : path("p.opj"), QLatin1String(c.where));
        EXPECT_EQ(projectDifference(state, unchanged), "");
        writeFile(file, before);
    }
    // Blanks and tabs around fields, and blank lines after the last, change no field.
    writeFile(
        path("p.opj"),
        QByteArray(kHandWritten).replace("7,2,-1", " 7 ,\t2\t,-1").replace("One\",", "One\" \t,") +
            "\r\n \t\r\n");
    EXPECT_EQ(OpenOPJ(install, state, shape, path("p.opj"), prompts, settings), OpenResult::Opened);
}

} // namespace yw
