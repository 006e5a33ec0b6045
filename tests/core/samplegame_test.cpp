#include "files/breedresources.h"
#include "files/neresources.h"
#include "model/projectstate.h"
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

} // namespace yw
