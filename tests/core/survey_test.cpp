// The survey of base eggs, on generated eggs of every shape and on the sample game's eggs.
#include "files/breedresources.h"
#include "files/eggwriter.h"
#include "files/neresources.h"
#include "files/newproject.h"
#include "files/survey.h"
#include "samplegame/samplegame.h"
#include "support/statecompare.h"
#include "support/surveyeggs.h"
#include "support/testsupport.h"

#include <QTemporaryDir>
#include <functional>

namespace yw {

using namespace Qt::StringLiterals;
using namespace test;

// The resource table of every NE egg made here begins at byte 128; its records at 138.
constexpr qsizetype kTable = 128, kRecords = kTable + 10;

// Eggs of every shape: the survey finds exactly the generator's regions and rooms, and an
// unchanged project writes the base egg.
TEST(Survey, FindsEveryRegionOfGeneratedEggs)
{
    for (uint64_t seed = 1; seed <= 240; ++seed) {
        // Seed, resource table, decoys, [Ballz Info] headers, one zero byte after each text.
        SurveyEggRecipe recipe{seed, seed % 2 == 0, seed % 3 != 0, seed % 4 != 1, seed % 5 == 0};
        recipe.ballsPerSet = seed % 11 == 0 ? 67 : 2 + int(seed % 6);
        recipe.tipCount = recipe.onePaddingByte ? 2 * int(1 + seed % 3) : 1 + int(seed % 6);
        if (seed % 7 == 0) {
            // A picture whose bytes hold a text followed by zeros: pictures are not searched.
            QByteArray picture(600, Qt::Uninitialized);
            for (qsizetype i = 0; i < picture.size(); ++i)
                picture[i] = char(0x80 + (i * 37 + qsizetype(seed)) % 128);
            recipe.more = {{"PICTURE", picture.insert(300, "\x01Looks like words\0\0\0", 20)}};
        }
        const SurveyEgg egg = makeSurveyEgg(recipe);
        SCOPED_TRACE("seed " + std::to_string(seed));

        const SurveyResult result = surveyEgg(egg.bytes, "Honker");
        ASSERT_TRUE(result.findings) << result.refusal.message.toStdString();
        const SurveyFindings& found = *result.findings;
        EXPECT_EQ(found.locator, egg.locator);
        EXPECT_EQ(found.header.lnzNameA + "|" + found.header.lnzNameB,
                  egg.header.lnzNameA + "|" + egg.header.lnzNameB);
        EXPECT_EQ(found.header.ballsPerSet, recipe.ballsPerSet);
        EXPECT_EQ(found.labels, egg.labels);
        EXPECT_EQ(found.resourceTable, recipe.resourceTable);
        for (int i = 0; i < 2 * recipe.ballsPerSet; ++i)
            EXPECT_EQ(found.read.eBalls[size_t(i)], egg.eBalls[size_t(i)]) << "eBall " << i;
        EXPECT_EQ(found.read.breedDescription, egg.description);
        EXPECT_EQ(found.read.breedAttributes, egg.attributes);
        EXPECT_EQ(found.read.eggTray + "/" + found.read.eggSlot, "4/2");

        // With one zero byte after the tips the last tip keeps the block's CR (T = room - 2).
        if (!recipe.onePaddingByte) {
            ScriptedPrompts prompts;
            EXPECT_EQ(patchedEgg(found.read, egg.bytes, recipe.ballsPerSet, prompts, QString()),
                      egg.bytes);
            EXPECT_TRUE(prompts.shown.empty());
        }
    }
}

struct RefusalCase
{
    const char* name;
    SurveyEggRecipe recipe;
    std::function<void(SurveyEgg&)> damage;
    SurveyRegion region;
    const char* message;
    SurveyChoices choices = {};
};

TEST(Survey, RefusesWhatItCannotSettleAndChoicesSettleTheTexts)
{
    const SurveyEggRecipe ne{.decoys = false};
    const auto bare = [](int ballsPerSet = 4, int tipCount = 6, bool one = false) {
        SurveyEggRecipe r{.resourceTable = false, .decoys = false, .onePaddingByte = one};
        r.ballsPerSet = ballsPerSet, r.tipCount = tipCount;
        return r;
    };
    const auto appendText = [](const QByteArray& text) {
        return
            [text](SurveyEgg& egg) { egg.bytes += "\x01" + text + QByteArray(4, '\0') + "\x02"; };
    };
    using R = SurveyRegion;
    const std::vector<RefusalCase> cases = {
        {"truncated", ne, [](SurveyEgg& e) { e.bytes.truncate(kTable + 4); }, R::ResourceTable,
         "The egg's resource table is damaged: the list of resource types has no end."},
        {"table past the end", ne, [](SurveyEgg& e) { putU16(e.bytes, 64 + 0x24, 0x7000); },
         R::ResourceTable, "the resource table begins at byte 28737, past the end of the file"},
        {"shift count", ne, [](SurveyEgg& e) { putU16(e.bytes, kTable, 16); }, R::ResourceTable,
         "the resource table's shift count is 16; at most 15 can be."},
        {"offset past the end", ne, [](SurveyEgg& e) { putU16(e.bytes, kRecords + 12, 0xffff); },
         R::ResourceTable, "a resource begins at byte 1048561, past the end of the file"},
        {"overlap", ne,
         [](SurveyEgg& e) { e.bytes.replace(kRecords + 12, 2, e.bytes.mid(kRecords, 2)); },
         R::ResourceTable, "two resources overlap at byte"},
        {"too many records", ne, [](SurveyEgg& e) { putU16(e.bytes, kTable + 4, 60000); },
         R::ResourceTable, "60000 resources are listed at byte 139, more than the file holds."},
        {"name anywhere", ne, [](SurveyEgg& e) { putU16(e.bytes, kRecords + 6, 0x7fff); },
         R::ResourceTable, "the name of a resource lies outside the file (byte 32896 of"},
        {"no ball lines", bare(), [](SurveyEgg& e) { e.bytes.replace(",      ", ";      "); },
         R::BallSets, "No ball lines were found, so there are no ball sets."},
        {"unequal sets", bare(), [](SurveyEgg& e) { e.bytes[e.locator.locSetBPos - 1] = ';'; },
         R::BallSets, "The two runs of ball lines differ in length ("},
        {"a set cut in two", bare(3),
         [](SurveyEgg& e) { e.bytes[e.bytes.indexOf('\n', e.locator.locSetBPos - 2) + 2] = 'x'; },
         R::BallSets, "The two ball sets cannot be told among 3 runs of ball lines ("},
        {"three sets", bare(2),
         [](SurveyEgg& e) {
             const qsizetype from = e.locator.locSetAPos - 2;
             const qsizetype to = e.bytes.indexOf('\n', e.bytes.indexOf('\n', from) + 1) + 1;
             e.bytes += "\x01" + e.bytes.mid(from, to - from);
             e.bytes.replace("[Ballz Info]", "[Ballz Infx]");
         },
         R::BallSets, "The two ball sets cannot be told among 3 runs of ball lines"},
        {"too many eBalls", bare(257), nullptr, R::BallSets,
         "The ball sets have 257 lines each; at most 256 can be edited."},
        {"no tips", bare(), [](SurveyEgg& e) { e.bytes.replace("string0=", "strinG0="); }, R::Tips,
         "No tips block (lines beginning string0=, string1=, ...) was found."},
        {"two tips blocks", bare(), appendText("string0=again\r\nstring1=and again"), R::Tips,
         "2 tips blocks were found (at bytes"},
        {"eight tips", bare(4, 8), nullptr, R::Tips, "has 8 entries; at most 6 can be edited."},
        {"tips without a zero", bare(),
         [](SurveyEgg& e) { e.bytes[e.bytes.indexOf('\0', e.locator.locTipsPos - 1)] = '\x03'; },
         R::Tips, "has no zero byte after it, so its room cannot be measured."},
        {"no name block", bare(),
         [](SurveyEgg& e) { e.bytes.replace("Honker\r\n4 2", "Honker\r\n4x2"); }, R::NameBlock,
         "No name block (the name, a line break, then the tray and the slot"},
        {"two foreign name blocks", bare(),
         [](SurveyEgg& e) {
             e.bytes.replace("Honker\r\n4 2", "Hunker\r\n4 2");
             e.bytes += "\x01Honk\r\n1 1" + QByteArray(3, '\0') + "\x01";
         },
         R::NameBlock, "2 name blocks were found and none is the only one named Honker:"},
        {"attributes without a zero", bare(),
         [](SurveyEgg& e) { e.bytes[e.bytes.indexOf('\0', e.locator.locAttrPos - 1)] = '\x05'; },
         R::Description,
         "Only one text for the description and the attributes (followed by zero bytes)"},
        {"three texts", bare(), appendText("Another text entirely"), R::Description,
         "The description and the attributes cannot be told apart among 3 texts"},
        {"two texts alike in length", bare(),
         [](SurveyEgg& e) {
             const auto size = qsizetype(e.description.size());
             e.bytes.replace(
                 e.locator.locDescPos - 1, size,
                 QByteArray(qsizetype(e.attributes.size()), 'w').leftJustified(size, '\0'));
         },
         R::Description, "cannot be told apart among 2 texts"},
        {"chosen position is no text", bare(), nullptr, R::Description,
         "No text that could be the description begins at byte 3.", SurveyChoices{3, {}}},
        {"one text for both", bare(), nullptr, R::Attributes,
         "The description and the attributes cannot both be the text at byte", SurveyChoices{0, 0}},
        {"odd tips with one zero after", bare(4, 5, true), nullptr, R::Check,
         "The regions found do not read back as the program reads them:"},
    };
    for (RefusalCase c : cases) {
        SurveyEgg egg = makeSurveyEgg(c.recipe);
        if (c.damage)
            c.damage(egg);
        if (c.choices.descriptionPosition == 0)
            c.choices = {egg.locator.locAttrPos, egg.locator.locAttrPos};
        const SurveyResult result = surveyEgg(egg.bytes, "Honker", c.choices);
        EXPECT_FALSE(result.findings) << c.name;
        EXPECT_EQ(result.refusal.region, c.region) << c.name;
        EXPECT_TRUE(result.refusal.message.contains(QLatin1String(c.message)))
            << c.name << ": " << result.refusal.message.toStdString();
    }

    // Three texts: the caller's choice of positions settles which is which.
    SurveyEgg egg = makeSurveyEgg({.resourceTable = false, .decoys = false});
    const qint64 extra = egg.bytes.size() + 1;
    egg.bytes += "Yet another text here" + QByteArray(6, '\0') + "\x04";

    const qint64 desc = egg.locator.locDescPos;
    const qint64 attr = egg.locator.locAttrPos;
    std::vector<qint64> listed;
    for (const TextCandidate& candidate : surveyEgg(egg.bytes, "Honker").refusal.candidates)
        listed.push_back(candidate.position);
    EXPECT_EQ(listed, (std::vector<qint64>{std::min(desc, attr), std::max(desc, attr), extra}));
    const SurveyResult chosen = surveyEgg(egg.bytes, "Honker", {attr, extra});
    ASSERT_TRUE(chosen.findings) << chosen.refusal.message.toStdString();
    EXPECT_EQ(chosen.findings->locator.locDescPos, attr);
    EXPECT_EQ(chosen.findings->locator.locAttrPos, extra);
    EXPECT_EQ(surveyEgg(egg.bytes, "Honker", {extra, std::nullopt}).refusal.region,
              SurveyRegion::Attributes);

    // With two texts left, one choice settles the other.
    egg.bytes.chop(28);
    const SurveyResult one = surveyEgg(egg.bytes, "Honker", {attr, std::nullopt});
    ASSERT_TRUE(one.findings);
    EXPECT_EQ(one.findings->locator.locDescPos, attr);
    EXPECT_EQ(one.findings->locator.locAttrPos, desc);

    // The resource table reader: names, offsets, lengths cut at the end of the file.
    const QByteArray file = neFile({{"FIRST", QByteArray(40, 'a')}, {"B", "bb"}});
    NeResourceTable table = readNeResources(file);
    ASSERT_EQ(table.kind, NeResourceTable::Kind::Table);
    ASSERT_EQ(table.resources.size(), 2u);
    EXPECT_EQ(table.resources[0].name, "FIRST");
    EXPECT_EQ(file.mid(table.resources[0].offset, 40), QByteArray(40, 'a'));
    EXPECT_EQ(table.resources[0].length, 48);
    EXPECT_EQ(table.resources[1].name, "B");
    EXPECT_EQ(table.resources[1].type, 10);
    EXPECT_EQ(file.mid(table.resources[1].offset, 2), "bb");

    QByteArray cut = file;
    putU16(cut, kRecords + 12 + 2, 0x0fff);
    table = readNeResources(cut);
    ASSERT_EQ(table.kind, NeResourceTable::Kind::Table);
    EXPECT_EQ(table.resources[1].offset + table.resources[1].length, cut.size());

    QByteArray none = file;
    putU16(none, 64 + 0x26, 64); // the resource table's offset: no resources
    EXPECT_EQ(readNeResources(none).kind, NeResourceTable::Kind::None);
    EXPECT_EQ(readNeResources(file.mid(1)).kind, NeResourceTable::Kind::None);
}

// Every breed of both editions. The eggs have the game's shape: 16-bit Windows executables whose
// resources hold the regions, the ball sets under [Ballz Info] in LNZ texts among other sections,
// the texts in resources of their own, a non-zero byte right before every region and right after
// every room (so a writer one byte off is seen), every region elsewhere in the other edition. The
// survey gives the shipped resource files; the new-project reader gives what the generator put
// into the egg.
TEST(SampleGame, EveryBreedOfBothEditions)
{
    QTemporaryDir work;
    FileSystem fso;
    Installation install = sampleGameInstallation(work.path(), fso);
    const ProjectState state;
    sample::writeSampleGame(work.path(), Edition::UK);
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
            // Each region lies inside a resource (the sets inside LNZ texts, under [Ballz Info]),
            // with a non-zero byte right before it and right after its room.
            const auto inResource = [&](qint64 first, qint64 end, bool lnz) {
                return std::ranges::any_of(table.resources, [&](const NeResource& r) {
                    return r.offset < first && end <= r.offset + r.length + 1 &&
                           lnz == (r.typeName == "LNZ");
                });
            };
            for (const qint64 pos : {l.locSetAPos - 1, l.locSetBPos - 1}) {
                qint64 end = pos;
                for (int k = 0; k < sample::kBallsPerSet; ++k)
                    end = parseBallLine(egg, end, u"egg"_s).nextPosition;
                EXPECT_TRUE(inResource(pos, end, true)) << pos;
                EXPECT_TRUE(egg.left(pos - 1).endsWith("[Ballz Info]\r\n"));
                EXPECT_NE(egg[end - 1], '\0');
            }
            for (const auto& [pos, room] :
                 {std::pair{l.locNamePos, l.locNameLen + 1},
                  std::pair{l.locDescPos, l.locDescLen + 1},
                  std::pair{l.locAttrPos, l.locAttrLen + 1},
                  std::pair{l.locTipsPos, 10 * l.tipCount + l.locTipsLen + 2}}) {
                EXPECT_TRUE(inResource(pos, pos + room, false)) << pos;
                EXPECT_NE(egg[pos - 2], '\0');
                EXPECT_EQ(egg[pos - 2 + room], '\0');
                EXPECT_NE(egg[pos - 1 + room], '\0');
            }

            const SurveyResult survey = surveyEgg(egg, b.stem);
            ASSERT_TRUE(survey.findings) << survey.refusal.message.toStdString();
            // The shipped files are the survey's (regenerate them with `yw-samplegame
            // --resources data` after changing the sample game).
            const QString shipped = QStringLiteral(YW_SOURCE_DIR "/data/res") +
                                    (uk ? u"UK/"_s : u"/"_s) + QString::fromStdString(b.stem);
            EXPECT_EQ(surveyedInformationFile(*survey.findings), readFile(shipped + u".blz"_s));
            EXPECT_EQ(surveyedLocatorFile(*survey.findings, b.stem), readFile(shipped + u".loc"_s));

            ScriptedPrompts prompts;
            const NewProject project =
                readBaseBreed(install, state, QString::fromStdString(b.listText), prompts);
            ASSERT_EQ(project.status, NewProjectStatus::Created);
            ASSERT_EQ(project.header.ballsPerSet, sample::kBallsPerSet);
            ProjectState expected = project.state;
            l.applyTo(expected);
            expected.baseBreed = b.stem;
            expected.breedName = b.breedName;
            expected.eggTray = b.eggTray;
            expected.eggSlot = b.eggSlot;
            expected.breedDescription = b.description;
            expected.breedAttributes = b.attributes;
            expected.regTips = b.regTips;
            expected.demoTips = b.demoTips;
            std::copy(b.eBalls.begin(), b.eBalls.end(), expected.eBalls.begin());
            EXPECT_EQ(projectDifference(project.state, expected), "");
        }
    }
}

} // namespace yw
