#include "files/breedresources.h"
#include "model/projectstate.h"
#include "platform/errors.h"
#include "platform/filesystem.h"
#include "support/locator.h"
#include "support/testsupport.h"

#include <QTemporaryDir>

namespace yw {

using test::located;
using test::locatorText;
using test::writeFile;

class BreedResources : public ::testing::Test
{
protected:
    void SetUp() override
    {
        state = test::startState(fso, dir.path());
        state.baseBreed = "Zott";
    }
    QString res(const char* name)
    {
        return dir.filePath(QStringLiteral("res/") + QLatin1String(name));
    }

    QTemporaryDir dir;
    FileSystem fso;
    ProjectState state;
};

TEST_F(BreedResources, HeaderAndLabels)
{
    EXPECT_THROW(readBreedHeader(state), FileError);
    EXPECT_THROW(readBreedLabels(state.infoFilePath()), FileError);
    // Found in any letter case.
    writeFile(dir.filePath(QStringLiteral("RES/ZOTT.BLZ")),
              "\"zt_small.lnz\",\"zt.lnz\",3\r\nhead\r\n\r\n  tail  \r\n");
    const BreedHeader header = readBreedHeader(state);
    EXPECT_EQ(header.lnzNameA + "|" + header.lnzNameB, "zt_small.lnz|zt.lnz");
    EXPECT_EQ(header.ballsPerSet, 3);
    EXPECT_EQ(readBreedLabels(state.infoFilePath()),
              (std::vector<std::string>{"head", "", "  tail  "}));
    writeFile(state.infoFilePath(), "\"a\",\"b\",256\r\n");
    EXPECT_EQ(readBreedHeader(state).ballsPerSet, 256);
    EXPECT_TRUE(readBreedLabels(state.infoFilePath()).empty());
    for (const char* count : {"0", "257", "-1", "many", "2.5x"}) {
        writeFile(state.infoFilePath(), QByteArray("\"a\",\"b\",") + count + "\r\n");
        test::expectFormatError([&] { readBreedHeader(state); }, state.infoFilePath(),
                                QStringLiteral("line 1"));
    }
}

TEST_F(BreedResources, GetLoxReadsTheElevenValuesAndKeepsGoingPastEveryFailure)
{
    // Line 5 is set B; blanks around a number are allowed.
    writeFile(res("Zott.loc"), "Zott\r\nUS\r\n100\t\t50\r\n200\t\t40\r\n3000\r\n1000\r\n"
                               " 400 \t\t 60 \r\n500\t\t300\t\t6\r\n");
    getLOX(state);
    EXPECT_EQ(locatorText(state),
              locatorText(located({100, 50, 200, 40, 3000, 1000, 400, 60, 500, 300, 6})));

    // Single tabs on line 3, line 6 missing its number, two fields only on line 8: those values
    // stay as they were.
    state = located({11, 12, 1, 1, 1, 13, 1, 1, 1, 1, 4});
    state.programFolder = dir.path();
    state.baseBreed = "Zott";
    state.fso = &fso;
    writeFile(res("Zott.loc"),
              "x\r\ny\r\n100\t50\r\n200\t\t40\r\n3000\r\n\r\n400\t\t60\r\n500\t\t300\r\n");
    getLOX(state);
    const ProjectState expected = located({11, 12, 200, 40, 3000, 13, 400, 60, 500, 300, 4});
    EXPECT_EQ(locatorText(state), locatorText(expected));
    state.baseBreed = "Norvil"; // no locator file at all: nothing changes, nothing thrown
    getLOX(state);
    EXPECT_EQ(locatorText(state), locatorText(expected));
}

TEST_F(BreedResources, EditionAndThePlayersOwnFilesChooseTheFile)
{
    const ProjectState us = located({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 4});
    const ProjectState uk = located({11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 6});
    writeFile(res("Zott.loc"), locatorText(us));
    writeFile(dir.filePath(QStringLiteral("resUK/Zott.loc")), locatorText(uk));
    getLOX(state);
    EXPECT_EQ(locatorText(state), locatorText(us));
    state.edition = Edition::UK;
    getLOX(state);
    EXPECT_EQ(locatorText(state), locatorText(uk));

    // A player's own file wins, one file at a time.
    state.edition = Edition::US;
    QTemporaryDir user;
    state.userFolder = user.path();
    writeFile(res("Zott.blz"), "\"shipped_a\",\"shipped_b\",3\r\n");
    writeFile(user.filePath(QStringLiteral("res/zott.blz")), "\"mine_a\",\"mine_b\",4\r\n");
    EXPECT_EQ(readBreedHeader(state).lnzNameA, "mine_a");
    EXPECT_EQ(state.infoFilePath(), user.filePath(QStringLiteral("res/zott.blz")));
    EXPECT_EQ(state.locatorFilePath(), res("Zott.loc"));
    state.edition = Edition::UK;
    EXPECT_THROW(readBreedHeader(state), FileError); // the user's US file is not the UK one
}

} // namespace yw
