#include "files/breedresources.h"
#include "files/neresources.h"
#include "model/gameinstall.h"
#include "model/projectstate.h"
#include "platform/filesystem.h"
#include "platform/settingsstore.h"
#include "samplegame/samplegame.h"
#include "support/testsupport.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <set>

namespace yw {

namespace {

std::string bytesAt(const QByteArray& egg, qint64 position, qint64 length)
{
    return egg.mid(position - 1, length).toStdString();
}

std::string withoutNul(std::string text)
{
    std::erase(text, '\0');
    return text;
}

// 1-based position of the byte after the `count` ball lines from `position`.
qint64 ballLinesEnd(const QByteArray& egg, qint64 position, int count)
{
    for (int k = 0; k < count; ++k)
        position = parseBallLine(egg, position, QStringLiteral("egg")).nextPosition;
    return position;
}

} // namespace

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

// Every egg read back through the program's own readers: the locator and information files
// point at exactly the regions the generator laid out.
TEST(SampleGame, ResourceFilesDescribeTheEggs)
{
    QTemporaryDir dir;
    sample::writeResourceFiles(dir.path());
    FileSystem fso;
    std::set<qint64> sizes;
    for (const Edition edition : {Edition::US, Edition::UK}) {
        for (int i = 0; i < sample::breedCount(); ++i) {
            const sample::BreedContent& b = sample::breed(i);
            ProjectState state;
            state.fso = &fso;
            state.programFolder = dir.path();
            state.edition = edition;
            state.resetForStartUp();
            state.baseBreed = b.stem;
            getLOX(state);
            const BreedHeader header = readBreedHeader(state);
            EXPECT_EQ(header.ballsPerSet, 67);
            EXPECT_EQ(readBreedLabels(state.infoFilePath()).size(), 67u);

            const QByteArray egg = sample::eggFile(i, edition);
            SCOPED_TRACE(b.stem + (edition == Edition::UK ? " UK" : " US"));
            EXPECT_GE(egg.size(), 100 * 1024);
            EXPECT_LE(egg.size(), 1000 * 1000);
            sizes.insert(egg.size());

            qint64 position = state.locSetAPos - 1;
            for (int k = 0; k < 67; ++k) {
                const ParsedBallLine line = parseBallLine(egg, position, QStringLiteral("egg"));
                EXPECT_EQ(line.record, b.eBalls[size_t(k)]) << k;
                position = line.nextPosition;
            }
            position = state.locSetBPos - 1;
            for (int k = 0; k < 67; ++k) {
                const ParsedBallLine line = parseBallLine(egg, position, QStringLiteral("egg"));
                EXPECT_EQ(line.record, b.eBalls[size_t(67 + k)]) << k;
                position = line.nextPosition;
            }

            EXPECT_EQ(withoutNul(bytesAt(egg, state.locDescPos, state.locDescLen)), b.description);
            EXPECT_EQ(withoutNul(bytesAt(egg, state.locAttrPos, state.locAttrLen)), b.attributes);
            EXPECT_EQ(withoutNul(bytesAt(egg, state.locNamePos, state.locNameLen)),
                      b.breedName + "\r\n" + b.eggTray + " " + b.eggSlot);
            const std::string tips =
                bytesAt(egg, state.locTipsPos, 10 * state.tipCount + state.locTipsLen);
            EXPECT_EQ(
                tips.rfind("string0=" + b.regTips[0] + "\r\nstring1=" + b.demoTips[0] + "\r\n", 0),
                0u);
            EXPECT_EQ(state.tipCount, b.tipCount);
            // The writer clears one byte past every text room; those bytes are zero already.
            EXPECT_EQ(egg[state.locDescPos + state.locDescLen - 1], '\0');
            EXPECT_EQ(egg[state.locNamePos + state.locNameLen - 1], '\0');
            EXPECT_EQ(egg[state.locTipsPos + 10 * state.tipCount + state.locTipsLen], '\0');
        }
    }
    EXPECT_EQ(sizes.size(), 26u) << "every egg has a size of its own";
}

// The eggs have the game's shape: 16-bit Windows executables whose resources hold the regions,
// the ball sets under [Ballz Info] in LNZ texts among other sections, the texts in resources of
// their own. A non-zero byte lies right before every region and right after every room, so a
// writer one byte off is seen.
TEST(SampleGame, EggsHoldTheirRegionsInResources)
{
    for (const Edition edition : {Edition::US, Edition::UK}) {
        for (int i = 0; i < sample::breedCount(); ++i) {
            const sample::BreedContent& b = sample::breed(i);
            const sample::EggLayout l = sample::eggLayout(i, edition);
            const QByteArray egg = sample::eggFile(i, edition);
            SCOPED_TRACE(b.stem + (edition == Edition::UK ? " UK" : " US"));
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
                const qint64 end = ballLinesEnd(egg, pos, sample::kBallsPerSet);
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
        }
    }
}

TEST(SampleGame, EditionsPlaceTheRegionsDifferently)
{
    for (int i = 0; i < sample::breedCount(); ++i) {
        const sample::EggLayout us = sample::eggLayout(i, Edition::US);
        const sample::EggLayout uk = sample::eggLayout(i, Edition::UK);
        EXPECT_NE(us.locSetAPos, uk.locSetAPos);
        EXPECT_NE(us.locSetBPos, uk.locSetBPos);
        EXPECT_NE(us.locNamePos, uk.locNamePos);
        EXPECT_NE(us.locDescPos, uk.locDescPos);
        EXPECT_NE(us.locTipsPos, uk.locTipsPos);
        EXPECT_NE(us.locAttrPos, uk.locAttrPos);
    }
}

TEST(SampleGame, InstallationIsFoundAndItsEditionDetected)
{
    QTemporaryDir dir;
    sample::writeSampleGame(dir.path(), Edition::US);
    sample::writeSampleGame(dir.path(), Edition::UK);
    FileSystem fso;
    for (const Edition edition : {Edition::US, Edition::UK}) {
        QProcessEnvironment env;
        env.insert(QStringLiteral("windir"), sample::windowsFolder(dir.path(), edition));
        test::ScriptedPrompts prompts;
        EXPECT_EQ(findGameFolder(fso, prompts, env), sample::gameFolder(dir.path(), edition));

        ProjectState state;
        state.fso = &fso;
        MemorySettingsStore settings;
        checkEdition(state, settings, prompts, env);
        EXPECT_EQ(state.edition, edition);

        const QString game = sample::gameFolder(dir.path(), edition);
        for (int i = 0; i < sample::breedCount(); ++i) {
            const QString stem = QString::fromStdString(sample::breed(i).stem);
            const QString base = game + QStringLiteral("/eggz/") + stem + QLatin1Char('/') + stem;
            EXPECT_EQ(test::readFile(base + QStringLiteral(".odd")), sample::eggFile(i, edition));
            EXPECT_EQ(QFileInfo::exists(base + QStringLiteral(".odx")), sample::breed(i).companion);
        }
    }
    EXPECT_TRUE(sample::breed(0).stem == "quadrpus");
    EXPECT_EQ(sample::breed(0).lnzNameA, "qp_small.lnz");
    EXPECT_EQ(sample::breed(0).lnzNameB, "qp.lnz");
}

} // namespace yw
