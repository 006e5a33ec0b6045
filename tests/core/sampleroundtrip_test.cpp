#include "breedfixture.h"
#include "files/eggwriter.h"
#include "files/newproject.h"
#include "files/projectfile.h"
#include "platform/filesystem.h"
#include "platform/settingsstore.h"
#include "samplegame/samplegame.h"
#include "support/statecompare.h"
#include "support/testsupport.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace yw {

using test::readFile;

// Every shipped breed of both editions, on the sample game: the wizard's reading gives what the
// generator put into the egg, the project file keeps it, and an unchanged project writes an egg
// byte-identical to its base.
class SampleRoundTrip : public ::testing::TestWithParam<std::tuple<Edition, int>>
{
protected:
    static void SetUpTestSuite()
    {
        s_game = std::make_unique<QTemporaryDir>();
        sample::writeSampleGame(s_game->path(), Edition::US);
        sample::writeSampleGame(s_game->path(), Edition::UK);
    }
    static void TearDownTestSuite() { s_game.reset(); }

    void SetUp() override
    {
        edition = std::get<0>(GetParam());
        index = std::get<1>(GetParam());
        state.fso = &fso;
        state.programFolder = QStringLiteral(YW_SOURCE_DIR "/data");
        state.edition = edition;
        state.gameFolder = sample::gameFolder(s_game->path(), edition);
        state.buildNo = "0310";
        state.resetForStartUp();
    }
    QString baseEgg(const ProjectState& s, const char* extension) const
    {
        const QString stem = QString::fromStdString(s.baseBreed);
        return s.gameFolder + QStringLiteral("/eggz/") + stem + QLatin1Char('/') + stem +
               QLatin1String(extension);
    }

    static std::unique_ptr<QTemporaryDir> s_game;
    Edition edition = Edition::US;
    int index = 0;
    QTemporaryDir work;
    FileSystem fso;
    ProjectState state;
    test::ScriptedPrompts prompts;
    MemorySettingsStore settings;
};

std::unique_ptr<QTemporaryDir> SampleRoundTrip::s_game;

TEST_P(SampleRoundTrip, NewProjectEggAndProjectFile)
{
    const sample::BreedContent& b = sample::breed(index);
    const NewProject project =
        readBaseBreed(state, QString::fromLatin1(b.listText.c_str()), prompts);
    ASSERT_EQ(project.status, NewProjectStatus::Created);
    EXPECT_TRUE(prompts.shown.empty());
    const ProjectState& fresh = project.state;
    const int n = project.header.ballsPerSet;
    ASSERT_EQ(n, sample::kBallsPerSet);
    EXPECT_EQ(project.header.lnzNameA, b.lnzNameA);
    EXPECT_EQ(project.header.lnzNameB, b.lnzNameB);

    // What the generator put into the egg.
    ProjectState expected = fresh;
    expected.baseBreed = b.stem;
    expected.breedName = b.breedName;
    expected.eggTray = b.eggTray;
    expected.eggSlot = b.eggSlot;
    expected.breedDescription = b.description;
    expected.breedAttributes = b.attributes;
    expected.tipCount = b.tipCount;
    for (int t = 0; t < b.tipCount / 2; ++t) {
        expected.regTips[size_t(t)] = b.regTips[size_t(t)];
        expected.demoTips[size_t(t)] = b.demoTips[size_t(t)];
    }
    for (int i = 0; i < 2 * n; ++i)
        expected.ball(i) = b.eBalls[size_t(i)];
    EXPECT_EQ(test::projectDifference(fresh, expected), "");

    // Unchanged: the egg and its companion are the base's bytes.
    const QString target = work.filePath(QStringLiteral("New Breed.odd"));
    saveODD(fresh, target, prompts);
    EXPECT_TRUE(prompts.shown.empty());
    EXPECT_TRUE(readFile(target) == readFile(baseEgg(fresh, ".odd")))
        << "egg differs from its base";
    EXPECT_EQ(QFileInfo::exists(work.filePath(QStringLiteral("New Breed.odx"))), b.companion);
    if (b.companion) {
        EXPECT_TRUE(readFile(work.filePath(QStringLiteral("New Breed.odx"))) ==
                    readFile(baseEgg(fresh, ".odx")));
    }

    // The new project's file opens to the same project, which writes the same egg.
    const QString opj = work.filePath(QStringLiteral("new.opj"));
    writeNewProjectFile(project, opj);
    ProjectState opened = state;
    ASSERT_EQ(OpenOPJ(opened, opj, prompts, settings), OpenResult::Opened);
    EXPECT_EQ(test::projectDifference(opened, fresh), "");
    const QString again = work.filePath(QStringLiteral("again.odd"));
    saveODD(opened, again, prompts);
    EXPECT_TRUE(readFile(again) == readFile(target));
}

TEST_P(SampleRoundTrip, ChangedEggReadsBackAsChanged)
{
    const sample::BreedContent& b = sample::breed(index);
    NewProject project = readBaseBreed(state, QString::fromLatin1(b.listText.c_str()), prompts);
    ASSERT_EQ(project.status, NewProjectStatus::Created);
    ProjectState& changed = project.state;
    changed.breedName = "Changeling";
    changed.eggTray = "45";
    changed.eggSlot = "12";
    changed.breedDescription = "Quote \x94here\x94.";
    changed.regTips[0] = "A new tip.";
    changed.ball(3).fillColor = 200;
    changed.ball(70).diameter = 99;
    changed.ball(70).useTexture = 1;
    changed.ball(70).texture = 4;
    changed.ball(80).comment.resize(1);

    // The changed egg becomes the base egg of a second installation and is read again.
    ProjectState second = state;
    second.gameFolder = work.filePath(QStringLiteral("game"));
    const QString stem = QString::fromStdString(b.stem);
    const QString target = second.gameFolder + QStringLiteral("/eggz/") + stem + QLatin1Char('/') +
                           stem + QStringLiteral(".odd");
    ASSERT_TRUE(QDir().mkpath(QFileInfo(target).path()));
    saveODD(changed, target, prompts);
    test::expectEggFitsBase(readFile(target), readFile(baseEgg(changed, ".odd")), changed,
                            project.header.ballsPerSet);
    const NewProject reread =
        readBaseBreed(second, QString::fromLatin1(b.listText.c_str()), prompts);
    ASSERT_EQ(reread.status, NewProjectStatus::Created);
    EXPECT_EQ(reread.state.breedDescription, "Quote \"here\".");
    changed.breedDescription = "Quote \"here\".";
    changed.gameFolder = second.gameFolder;
    EXPECT_EQ(test::projectDifference(reread.state, changed), "");
}

TEST(SampleGame, HasEveryBaseBreedOfTheWizard)
{
    ASSERT_EQ(size_t(sample::breedCount()), baseBreeds().size());
    for (int i = 0; i < sample::breedCount(); ++i) {
        EXPECT_EQ(QString::fromStdString(sample::breed(i).listText),
                  baseBreeds()[size_t(i)].listText);
        EXPECT_EQ(sample::breed(i).stem, baseBreeds()[size_t(i)].stem);
    }
}

INSTANTIATE_TEST_SUITE_P(EveryBreed, SampleRoundTrip,
                         ::testing::Combine(::testing::Values(Edition::US, Edition::UK),
                                            ::testing::Range(0, 13)),
                         [](const ::testing::TestParamInfo<SampleRoundTrip::ParamType>& info) {
                             std::string name = sample::breed(std::get<1>(info.param)).stem;
                             return (std::get<0>(info.param) == Edition::UK ? "UK_" : "US_") + name;
                         });

} // namespace yw
