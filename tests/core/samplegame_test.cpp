#include "files/breedresources.h"
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

uint16_t le16(const QByteArray& bytes, qint64 at)
{
    return uint16_t(uint8_t(bytes[at]) | uint8_t(bytes[at + 1]) << 8);
}

struct NeResource
{
    QByteArray type;
    QByteArray name;
    qint64 first = 0; // 1-based, [first, end)
    qint64 end = 0;
};

// The resource table, read as the format describes it.
std::vector<NeResource> resourcesOf(const QByteArray& egg)
{
    EXPECT_TRUE(egg.startsWith("MZ"));
    const qint64 ne = le16(egg, 0x3c) | qint64(le16(egg, 0x3e)) << 16;
    EXPECT_EQ(egg.mid(ne, 2), "NE");
    const qint64 table = ne + le16(egg, ne + 0x24);
    const int shift = le16(egg, table);
    const auto nameOf = [&](uint16_t id) {
        return id & 0x8000 ? QByteArray::number(id & 0x7fff)
                           : egg.mid(table + id + 1, uint8_t(egg[table + id]));
    };
    std::vector<NeResource> resources;
    for (qint64 at = table + 2; at + 8 < egg.size() && le16(egg, at) != 0;) {
        const QByteArray type = nameOf(le16(egg, at));
        const int count = le16(egg, at + 2);
        at += 8;
        for (int i = 0; i < count; ++i, at += 12) {
            const qint64 first = qint64(le16(egg, at)) << shift;
            resources.push_back({type, nameOf(le16(egg, at + 6)), first + 1,
                                 first + 1 + (qint64(le16(egg, at + 2)) << shift)});
        }
    }
    return resources;
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
// their own. Every room is its text and zero bytes up to a non-zero byte, and a non-zero byte
// lies right before every region, so a writer one byte off is seen.
TEST(SampleGame, EggsHoldTheirRegionsInResources)
{
    for (const Edition edition : {Edition::US, Edition::UK}) {
        for (int i = 0; i < sample::breedCount(); ++i) {
            const sample::BreedContent& b = sample::breed(i);
            const sample::EggLayout l = sample::eggLayout(i, edition);
            const QByteArray egg = sample::eggFile(i, edition);
            SCOPED_TRACE(b.stem + (edition == Edition::UK ? " UK" : " US"));
            std::vector<NeResource> resources = resourcesOf(egg);
            ASSERT_GE(resources.size(), 5u);
            std::sort(resources.begin(), resources.end(),
                      [](const auto& x, const auto& y) { return x.first < y.first; });
            for (size_t r = 1; r < resources.size(); ++r)
                EXPECT_LT(resources[r - 1].end, resources[r].first);
            EXPECT_LE(resources.back().end, egg.size());
            const auto holder = [&](qint64 first, qint64 end) -> const NeResource* {
                for (const NeResource& r : resources)
                    if (r.first <= first && end <= r.end)
                        return &r;
                return nullptr;
            };

            for (const auto& [pos, name] : {std::pair{l.locSetAPos - 1, b.lnzNameA},
                                            std::pair{l.locSetBPos - 1, b.lnzNameB}}) {
                const qint64 end = ballLinesEnd(egg, pos, sample::kBallsPerSet);
                const NeResource* lnz = holder(pos, end);
                ASSERT_TRUE(lnz);
                EXPECT_EQ(lnz->type, "LNZ");
                EXPECT_EQ(lnz->name.toStdString(), name);
                EXPECT_TRUE(egg.left(pos - 1).endsWith("[Ballz Info]\r\n"));
                const QByteArray text = egg.mid(lnz->first - 1, lnz->end - lnz->first);
                for (const char* section : {"[Move]", "[Add Ball]", "[Paint Ballz]", "[Linez]"})
                    EXPECT_TRUE(text.contains(section)) << section;
                EXPECT_FALSE(text.contains('\0'));
                EXPECT_NE(egg[end - 1], '\0');
            }

            const QByteArray name =
                QByteArray::fromStdString(b.breedName + "\r\n" + b.eggTray + " " + b.eggSlot);
            const QByteArray tips = "string0=" + QByteArray::fromStdString(b.regTips[0]);
            const struct
            {
                qint64 pos, room;
                QByteArray text;
                bool whole;
            } texts[] = {
                {l.locNamePos, l.locNameLen + 1, name, true},
                {l.locDescPos, l.locDescLen + 1, QByteArray::fromStdString(b.description), true},
                {l.locAttrPos, l.locAttrLen + 1, QByteArray::fromStdString(b.attributes), true},
                {l.locTipsPos, 10 * l.tipCount + l.locTipsLen + 2, tips, false},
            };
            std::set<QByteArray> holders;
            for (const auto& t : texts) {
                const NeResource* r = holder(t.pos, t.pos + t.room);
                ASSERT_TRUE(r) << t.text.toStdString();
                EXPECT_NE(r->type, "LNZ");
                holders.insert(r->name);
                const QByteArray room = egg.mid(t.pos - 1, t.room);
                const qsizetype cut = room.indexOf('\0');
                ASSERT_GT(cut, 0) << t.text.toStdString();
                EXPECT_EQ(room.left(t.whole ? cut : t.text.size()), t.text);
                EXPECT_EQ(room.count('\0'), room.size() - cut);
                EXPECT_NE(egg[t.pos - 2], '\0');
                EXPECT_NE(egg[t.pos - 1 + t.room], '\0');
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
