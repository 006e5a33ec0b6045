#include "files/breedresources.h"
#include "files/eggwriter.h"
#include "files/neresources.h"
#include "files/newproject.h"
#include "files/survey.h"
#include "samplegame/samplegame.h"
#include "support/statecompare.h"
#include "support/testsupport.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <set>

namespace yw {

// The shipped resource files are the generator's; regenerate them with
// `yw-samplegame --resources data` after changing it.
TEST(SampleGame, ShippedResourceFilesAreTheGeneratorsOutput)
{
    const QString data = QStringLiteral(YW_SOURCE_DIR "/data/");
    std::set<QString> expected;
    for (const auto& [name, bytes] : sample::resourceFiles()) {
        expected.insert(name);
        EXPECT_EQ(test::readFile(data + name), bytes) << name.toStdString();
    }
    EXPECT_EQ(expected.size(), 52u);
    for (const char* folder : {"res", "resUK"}) {
        QDirIterator it(data + QLatin1String(folder), QDir::Files);
        while (it.hasNext()) {
            const QString name =
                QLatin1String(folder) + QLatin1Char('/') + QFileInfo(it.next()).fileName();
            EXPECT_TRUE(expected.count(name)) << "unexpected shipped file " << name.toStdString();
        }
    }
}

// Every breed of both editions. The eggs have the game's shape: 16-bit Windows executables whose
// resources hold the regions, the ball sets under [Ballz Info] in LNZ texts among other sections,
// the texts in resources of their own, a non-zero byte right before every region and right after
// every room (so a writer one byte off is seen), every region elsewhere in the other edition. The
// survey gives the shipped resource files; the new-project reader gives what the generator put
// into the egg; the unchanged project writes the base egg and its companion byte for byte.
TEST(SampleGame, EveryBreedOfBothEditions)
{
    QTemporaryDir work;
    FileSystem fso;
    Installation install = test::sampleGameInstallation(work.path(), fso);
    ProjectState state;
    sample::writeSampleGame(work.path(), Edition::UK);
    const QString target = work.filePath(QStringLiteral("New Breed.odd"));
    const QString companion = work.filePath(QStringLiteral("New Breed.odx"));
    ASSERT_EQ(size_t(sample::breedCount()), baseBreeds().size());
    for (const Edition edition : {Edition::US, Edition::UK}) {
        const bool uk = edition == Edition::UK;
        install.edition = edition;
        install.gameFolder = sample::gameFolder(work.path(), edition);
        for (int i = 0; i < sample::breedCount(); ++i) {
            const sample::BreedContent& b = sample::breed(i);
            SCOPED_TRACE(b.stem + (uk ? " UK" : " US"));
            EXPECT_EQ(QString::fromStdString(b.listText), baseBreeds()[size_t(i)].listText);
            EXPECT_EQ(b.stem, baseBreeds()[size_t(i)].stem);
            const sample::EggLayout l = sample::eggLayout(i, edition);
            const sample::EggLayout other = sample::eggLayout(i, uk ? Edition::US : Edition::UK);
            for (auto m : {&LocatorValues::locSetAPos, &LocatorValues::locSetBPos,
                           &LocatorValues::locNamePos, &LocatorValues::locDescPos,
                           &LocatorValues::locTipsPos, &LocatorValues::locAttrPos})
                EXPECT_NE(l.*m, other.*m);

            const QByteArray egg = sample::eggFile(i, edition);
            const NeResourceTable table = readNeResources(egg);
            ASSERT_EQ(table.kind, NeResourceTable::Kind::Table) << table.problem.toStdString();
            // The resource holding the 1-based bytes [first, end), and its bytes.
            const auto holder = [&](qint64 first, qint64 end) -> std::pair<NeResource, QByteArray> {
                for (const NeResource& r : table.resources)
                    if (r.offset < first && end <= r.offset + r.length + 1)
                        return {r, egg.mid(r.offset, r.length)};
                ADD_FAILURE() << "no resource holds bytes " << first << " to " << end - 1;
                return {};
            };
            for (const auto& [pos, name] : {std::pair{l.locSetAPos - 1, b.lnzNameA},
                                            std::pair{l.locSetBPos - 1, b.lnzNameB}}) {
                qint64 end = pos;
                for (int k = 0; k < sample::kBallsPerSet; ++k)
                    end = parseBallLine(egg, end, QStringLiteral("egg")).nextPosition;
                const auto [lnz, text] = holder(pos, end);
                EXPECT_EQ(lnz.typeName, "LNZ");
                EXPECT_EQ(lnz.name, name);
                EXPECT_TRUE(egg.left(pos - 1).endsWith("[Ballz Info]\r\n"));
                for (const char* section : {"[Move]", "[Add Ball]", "[Paint Ballz]", "[Linez]"})
                    EXPECT_TRUE(text.contains(section)) << section;
                EXPECT_NE(egg[end - 1], '\0');
            }
            std::set<std::string> holders;
            for (const auto& [pos, room] :
                 {std::pair{l.locNamePos, l.locNameLen + 1},
                  std::pair{l.locDescPos, l.locDescLen + 1},
                  std::pair{l.locAttrPos, l.locAttrLen + 1},
                  std::pair{l.locTipsPos, 10 * l.tipCount + l.locTipsLen + 2}}) {
                const NeResource r = holder(pos, pos + room).first;
                EXPECT_EQ(r.typeName, "");
                holders.insert(r.name);
                EXPECT_NE(egg[pos - 2], '\0');
                EXPECT_EQ(egg[pos - 2 + room], '\0');
                EXPECT_NE(egg[pos - 1 + room], '\0');
            }
            EXPECT_EQ(holders.size(), 2u) << "the tips in one resource, the other texts in another";

            const SurveyResult survey = surveyEgg(egg, b.stem);
            ASSERT_TRUE(survey.findings) << survey.refusal.message.toStdString();
            const QString shipped =
                QStringLiteral(YW_SOURCE_DIR) +
                (uk ? QStringLiteral("/data/resUK/") : QStringLiteral("/data/res/")) +
                QString::fromStdString(b.stem);
            EXPECT_EQ(surveyedInformationFile(*survey.findings),
                      test::readFile(shipped + QStringLiteral(".blz")));
            EXPECT_EQ(surveyedLocatorFile(*survey.findings, b.stem),
                      test::readFile(shipped + QStringLiteral(".loc")));

            test::ScriptedPrompts prompts;
            const NewProject project =
                readBaseBreed(install, state, QString::fromStdString(b.listText), prompts);
            ASSERT_EQ(project.status, NewProjectStatus::Created);
            EXPECT_EQ(project.header.lnzNameA + "|" + project.header.lnzNameB,
                      b.lnzNameA + "|" + b.lnzNameB);
            ASSERT_EQ(project.header.ballsPerSet, sample::kBallsPerSet);
            ProjectState expected = project.state;
            l.applyTo(expected);
            expected.baseBreed = b.stem;
            expected.breedName = b.breedName;
            expected.eggTray = b.eggTray;
            expected.eggSlot = b.eggSlot;
            expected.breedDescription = b.description;
            expected.breedAttributes = b.attributes;
            for (int t = 0; t < b.tipCount / 2; ++t) {
                expected.regTips[size_t(t)] = b.regTips[size_t(t)];
                expected.demoTips[size_t(t)] = b.demoTips[size_t(t)];
            }
            for (int k = 0; k < 2 * sample::kBallsPerSet; ++k)
                expected.ball(k) = b.eBalls[size_t(k)];
            EXPECT_EQ(test::projectDifference(project.state, expected), "");

            QFile::remove(companion);
            saveODD(install, project.state, target, prompts);
            EXPECT_TRUE(prompts.shown.empty());
            EXPECT_TRUE(test::readFile(target) == egg) << "egg differs from its base";
            EXPECT_EQ(QFileInfo::exists(companion), b.companion);
            EXPECT_TRUE(!b.companion ||
                        test::readFile(companion) ==
                            test::readFile(install.baseCompanionPath(project.state.baseBreed)));
        }
    }
}

} // namespace yw
