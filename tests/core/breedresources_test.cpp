#include "files/breedresources.h"
#include "model/projectstate.h"
#include "platform/errors.h"
#include "platform/filesystem.h"
#include "support/locator.h"
#include "support/testsupport.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace yw {

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
    writeFile(res("Zott.blz"), "\"zt_small.lnz\",\"zt.lnz\",3\r\nhead\r\n\r\n  tail  \r\n");
    const BreedHeader header = readBreedHeader(state);
    EXPECT_EQ(header.lnzNameA, "zt_small.lnz");
    EXPECT_EQ(header.lnzNameB, "zt.lnz");
    EXPECT_EQ(header.ballsPerSet, 3);
    const std::vector<std::string> labels = readBreedLabels(state.infoFilePath());
    EXPECT_EQ(labels, (std::vector<std::string>{"head", "", "  tail  "}));

    writeFile(res("Zott.blz"), "\"a\",\"b\",1\r\n");
    EXPECT_TRUE(readBreedLabels(state.infoFilePath()).empty());
}

TEST_F(BreedResources, BallsPerSetMustBeAWholeNumberFrom1To256)
{
    for (const char* count : {"0", "257", "-1", "many", "2.5x"}) {
        writeFile(res("Zott.blz"), QByteArray("\"a\",\"b\",") + count + "\r\n");
        test::expectFormatError([&] { readBreedHeader(state); }, res("Zott.blz"),
                                QStringLiteral("line 1"));
    }
    writeFile(res("Zott.blz"), "\"a\",\"b\",256\r\n");
    EXPECT_EQ(readBreedHeader(state).ballsPerSet, 256);
}

TEST_F(BreedResources, MissingInformationFileIsAFileError)
{
    EXPECT_THROW(readBreedHeader(state), FileError);
    EXPECT_THROW(readBreedLabels(state.infoFilePath()), FileError);
}

TEST_F(BreedResources, ResourceFilesAreFoundInAnyLetterCase)
{
    writeFile(dir.filePath(QStringLiteral("RES/ZOTT.BLZ")), "\"a\",\"b\",2\r\n");
    EXPECT_EQ(readBreedHeader(state).ballsPerSet, 2);
}

TEST_F(BreedResources, GetLoxReadsAllElevenValues)
{
    writeFile(res("Zott.loc"), "Zott\r\nUS\r\n100\t\t50\r\n200\t\t40\r\n3000\r\n1000\r\n"
                               " 400 \t\t 60 \r\n500\t\t300\t\t6\r\n");
    getLOX(state);
    // Line 5 is set B.
    EXPECT_EQ(test::locatorText(state), test::locatorText(test::located(
                                            {100, 50, 200, 40, 3000, 1000, 400, 60, 500, 300, 6})));
}

TEST_F(BreedResources, GetLoxKeepsGoingPastEveryFailure)
{
    state.locDescPos = 11;
    state.locDescLen = 12;
    state.tipCount = 6;
    state.locSetAPos = 13;
    // Single tabs on line 3, a short line 8, line 6 missing its number.
    writeFile(res("Zott.loc"),
              "x\r\ny\r\n100\t50\r\n200\t\t40\r\n3000\r\n\r\n400\t\t60\r\n500\t\t300\r\n");
    getLOX(state);
    EXPECT_EQ(state.locDescPos, 11);
    EXPECT_EQ(state.locDescLen, 12);
    EXPECT_EQ(state.locNamePos, 200);
    EXPECT_EQ(state.locSetAPos, 13);
    EXPECT_EQ(state.locAttrLen, 60);
    EXPECT_EQ(state.locTipsLen, 300);
    EXPECT_EQ(state.tipCount, 6); // line 8 had two fields only

    state.baseBreed = "Norvil"; // no locator file at all: nothing changes, nothing thrown
    getLOX(state);
    EXPECT_EQ(state.locNamePos, 200);
}

TEST_F(BreedResources, SwitchingTheEditionReplacesEveryValue)
{
    const ProjectState us = test::located({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 4});
    const ProjectState uk = test::located({11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 6});
    writeFile(res("Zott.loc"), test::locatorText(us));
    writeFile(dir.filePath(QStringLiteral("resUK/Zott.loc")), test::locatorText(uk));
    getLOX(state);
    EXPECT_EQ(test::locatorText(state), test::locatorText(us));
    state.edition = Edition::UK;
    getLOX(state);
    EXPECT_EQ(test::locatorText(state), test::locatorText(uk));
}

TEST_F(BreedResources, APlayersOwnFilesWinOneFileAtATime)
{
    QTemporaryDir user;
    state.userFolder = user.path();
    writeFile(res("Zott.blz"), "\"shipped_a\",\"shipped_b\",3\r\n");
    writeFile(res("Zott.loc"), "a\r\nb\r\n1\t\t2\r\n");
    writeFile(user.filePath(QStringLiteral("res/zott.blz")), "\"mine_a\",\"mine_b\",4\r\n");
    EXPECT_EQ(readBreedHeader(state).lnzNameA, "mine_a");
    EXPECT_EQ(state.infoFilePath(), user.filePath(QStringLiteral("res/zott.blz")));
    // The locator file the player did not add still comes from the shipped folder.
    EXPECT_EQ(state.locatorFilePath(), res("Zott.loc"));
    state.edition = Edition::UK;
    EXPECT_THROW(readBreedHeader(state), FileError); // the user's US file is not the UK one
}

} // namespace yw
