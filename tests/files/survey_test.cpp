// The survey of base eggs, on generated eggs of every shape and on the sample game's eggs.
#include "files/breedresources.h"
#include "files/eggwriter.h"
#include "files/neresources.h"
#include "files/newproject.h"
#include "files/survey.h"
#include "files/surveyreport.h"
#include "samplegame/newexecutable.h"
#include "samplegame/samplegame.h"
#include "support/statecompare.h"
#include "support/surveyeggs.h"
#include "support/testsupport.h"

#include <functional>

namespace yw {

using namespace Qt::StringLiterals;
using namespace test;

// The NE header of every egg made here begins at byte 128, its resource table at 192, its
// records at 202.
constexpr qsizetype kNe = 128, kTable = kNe + 64, kRecords = kTable + 10;
using sample::put16;

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
            recipe.more = {
                {"PICTURE", picture.insert(300, "\x01Looks like words\0\0\0", 20), true, 2}};
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
        // Two texts: which is the description is the user's to confirm; the sets' diameters tell.
        EXPECT_TRUE(found.textsOpen);
        EXPECT_FALSE(found.babyOpen);
        EXPECT_TRUE(found.notes.empty());
    }
}

namespace {

const QByteArray kTipsEnd("\r\n\0", 3);

std::function<void(SurveyEgg&)> replaceAll(const QByteArray& from, const QByteArray& to)
{
    return [from, to](SurveyEgg& egg) { egg.bytes.replace(from, to); };
}

// One egg the survey refuses: how it is made and damaged, the region the refusal names and words
// of its message. A description position of 0, -1 or -2 stands for a choice made on the egg.
struct RefusalCase
{
    const char* name;
    SurveyEggRecipe recipe;
    std::function<void(SurveyEgg&)> damage;
    SurveyRegion region;
    const char* message;
    SurveyChoices choices = {};

    friend void PrintTo(const RefusalCase& row, std::ostream* out) { *out << row.name; }
};

const SurveyEggRecipe ne{.decoys = false};

SurveyEggRecipe bare(int ballsPerSet = 4, int tipCount = 6, bool one = false)
{
    SurveyEggRecipe r{.resourceTable = false, .decoys = false, .onePaddingByte = one};
    r.ballsPerSet = ballsPerSet, r.tipCount = tipCount;
    return r;
}

std::function<void(SurveyEgg&)> appendText(const QByteArray& text)
{
    return [text](SurveyEgg& egg) { egg.bytes += "\x01" + text + QByteArray(4, '\0') + "\x02"; };
}

std::function<void(SurveyEgg&)> insertAfterTips(const QByteArray& lines)
{
    return [lines](SurveyEgg& e) {
        e.bytes.insert(e.bytes.indexOf(kTipsEnd, e.locator.locTipsPos), lines);
    };
}

using R = SurveyRegion;
const std::vector<RefusalCase> kRefusals = {
    {"truncated", ne, [](SurveyEgg& e) { e.bytes.truncate(kTable + 4); }, R::ResourceTable,
     "The egg's resource table is damaged: the list of resource types has no end."},
    {"table past the end", ne, [](SurveyEgg& e) { put16(e.bytes, kNe + 0x24, 0x7000); },
     R::ResourceTable, "the resource table begins at byte 28801, past the end of the file"},
    {"shift count", ne, [](SurveyEgg& e) { put16(e.bytes, kTable, 16); }, R::ResourceTable,
     "the resource table's shift count is 16; at most 15 can be."},
    {"offset past the end", ne, [](SurveyEgg& e) { put16(e.bytes, kRecords + 12, 0xffff); },
     R::ResourceTable, "a resource begins at byte 1048561, past the end of the file"},
    {"overlap", ne,
     [](SurveyEgg& e) { e.bytes.replace(kRecords + 12, 2, e.bytes.mid(kRecords, 2)); },
     R::ResourceTable, "two resources overlap at byte"},
    {"too many records", ne, [](SurveyEgg& e) { put16(e.bytes, kTable + 4, 60000); },
     R::ResourceTable, "60000 resources are listed at byte 203, more than the file holds."},
    {"name anywhere", ne, [](SurveyEgg& e) { put16(e.bytes, kRecords + 6, 0x7fff); },
     R::ResourceTable, "the name of a resource lies outside the file (byte 32960 of"},
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
    {"two name blocks with the list name", bare(),
     [](SurveyEgg& e) { e.bytes += "\x01Honker\r\n1 1" + QByteArray(3, '\0') + "\x01"; },
     R::NameBlock, "2 name blocks were found and none is the only one named Honker:"},
    {"a given description and three other texts", bare(),
     [](SurveyEgg& e) {
         for (const char* text : {"Another text entirely", "And a further one here"})
             e.bytes += "\x01" + QByteArray(text) + QByteArray(4, '\0') + "\x02";
     },
     R::Attributes, "cannot be told apart among 4 texts", SurveyChoices{-2, {}, {}}},
    {"attributes without a zero", bare(),
     [](SurveyEgg& e) { e.bytes[e.bytes.indexOf('\0', e.locator.locAttrPos - 1)] = '\x05'; },
     R::Description, "Only one text for the description and the attributes"},
    {"three texts", bare(), appendText("Another text entirely"), R::Description,
     "The description and the attributes cannot be told apart among 3 texts"},
    {"chosen position inside a text", bare(), nullptr, R::Description,
     "No description can begin at byte", SurveyChoices{-1, {}, {}}},
    {"one text for both", bare(), nullptr, R::Attributes,
     "The description and the attributes cannot both be the text at byte", SurveyChoices{0, 0, {}}},
    // What the writer would not give back: the round trip names the byte and the loss.
    {"lines after the tips", bare(), insertAfterTips("\r\n[Sounds]\r\nhonk=1.wav"), R::Tips,
     "is followed by other lines (at byte"},
    {"a line between the tips", bare(),
     [](SurveyEgg& e) { e.bytes.replace("\r\nstring2=", "\r\ncount=4\r\nstring2="); }, R::Tips,
     "is followed by other lines (at byte"},
    {"odd tips with a last entry", bare(4, 5),
     [](SurveyEgg& e) { e.bytes.replace("string4=", "string4=lost"); }, R::Check,
     "The tips would lose \"lost\""},
    {"one zero after the tips", bare(4, 6, true),
     [](SurveyEgg& e) { e.bytes.remove(e.bytes.indexOf(kTipsEnd, e.locator.locTipsPos) + 2, 1); },
     R::Check, "The tips would show \"\\r\""},
    {"one zero after the tips without a line end", bare(4, 6, true),
     [](SurveyEgg& e) { e.bytes.remove(e.bytes.indexOf(kTipsEnd, e.locator.locTipsPos), 3); },
     R::Check, "The tips would lose \"=\""},
    {"ball lines without a final comma", bare(), replaceAll(",\r\n", "\r\n"), R::Check,
     "eBall 0 holds a line break"},
    {"ball lines without blanks", bare(), replaceAll(",      ", ","), R::Check,
     "The text of ball set A is 28 byte(s) too long"},
    {"words after the slot", bare(), replaceAll("Honker\r\n4 2", "Honker\r\n4 2 old"), R::Check,
     "The name block would lose \" old\""},
    {"a line after the slot", bare(), replaceAll("Honker\r\n4 2", "Honker\r\n4 2\r\nx"), R::Check,
     "The name block would lose \"\\r\\nx\""},
    {"a byte glued before the name", bare(), replaceAll("Honker\r\n4 2", "WHonker\r\n4 2"),
     R::NameBlock, "reads \"WHonker\": the breed's name Honker has 1 byte(s) glued before it"},
    {"an unreadable line in both sets", bare(8),
     [](SurveyEgg& e) {
         e.bytes.replace("    ; baby tail", "; baby tail").replace("    ; tail", "; tail");
     },
     R::BallSets, "that looks like a ball line but does not read as one"},
    {"a set not filling its section", bare(),
     replaceAll("[Ballz Info]\r\n", "[Ballz Info]\r\nscale 100\r\n"), R::BallSets,
     "do not fill their [Ballz Info] section"},
};

} // namespace

class SurveyRefuses : public ::testing::TestWithParam<RefusalCase>
{};

TEST_P(SurveyRefuses, NamingTheRegionAndTheReason)
{
    RefusalCase c = GetParam();
    SurveyEgg egg = makeSurveyEgg(c.recipe);
    if (c.damage)
        c.damage(egg);
    if (c.choices.descriptionPosition == 0)
        c.choices = {egg.locator.locAttrPos, egg.locator.locAttrPos, {}};
    if (c.choices.descriptionPosition == -1)
        c.choices = {egg.locator.locDescPos + 1, {}, {}};
    if (c.choices.descriptionPosition == -2)
        c.choices = {egg.locator.locDescPos, {}, {}};
    const SurveyResult result = surveyEgg(egg.bytes, "Honker", c.choices);
    EXPECT_FALSE(result.findings);
    EXPECT_EQ(result.refusal.region, c.region);
    EXPECT_TRUE(result.refusal.message.contains(QLatin1String(c.message)))
        << result.refusal.message.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Rows, SurveyRefuses, ::testing::ValuesIn(kRefusals), RowName());

// Ball lines spaced unlike the writer's, and tips that end in zeros or in a line end, lose nothing:
// they are surveyed exactly.
TEST(Survey, OtherSpacingsAreNoLoss)
{
    using B = QByteArray;
    const std::pair<B, B> spacings[] = {{",\r\n", ", \r\n"},       {",\r\n", ",\n"},
                                        {",      ", ",\t"},        {",      ", ", "},
                                        {",      ", ",        "},  {"0,      ", "0,  "},
                                        {kTipsEnd, B("\0\0\0", 3)}};
    for (const auto& [from, to] : spacings) {
        SurveyEgg egg = makeSurveyEgg({.resourceTable = false, .decoys = false});
        if (from == kTipsEnd) // the tips' own end, not a ball set's
            egg.bytes.replace(egg.bytes.indexOf(from, egg.locator.locTipsPos), from.size(), to);
        else
            egg.bytes.replace(from, to);
        const SurveyResult result = surveyEgg(egg.bytes, "Honker");
        ASSERT_TRUE(result.findings)
            << to.toStdString() << ": " << result.refusal.message.toStdString();
        for (size_t i = 0; i < egg.eBalls.size(); ++i)
            EXPECT_EQ(result.findings->read.eBalls[i], egg.eBalls[i]) << to.toStdString();
        EXPECT_EQ(result.findings->read.breedDescription, egg.description);
    }
}

// What the egg does not tell is taken by default and marked open, or settled by the choices,
// which work for any text at a place where a region can begin.
TEST(Survey, ChoicesSettleWhatTheEggDoesNotTell)
{
    struct Case
    {
        const char* name;
        std::function<void(SurveyEgg&)> change;
        std::function<SurveyChoices(const SurveyEgg&)> choose;
        bool textsOpen, babyOpen;
        std::function<void(const SurveyEgg&, const SurveyFindings&)> check;
    };
    const auto equalDiameters = [](SurveyEgg& e) {
        const size_t n = e.eBalls.size() / 2; // set B's diameters become set A's
        for (size_t k = 0; k < n; ++k) {
            EBallRecord b = e.eBalls[n + k];
            b.diameter = e.eBalls[k].diameter;
            e.bytes.replace(formatBallLine(e.eBalls[n + k]).c_str(), formatBallLine(b).c_str());
        }
    };
    const std::vector<Case> cases = {
        {"the two texts", nullptr, nullptr, true, false,
         [](const SurveyEgg& e, const SurveyFindings& f) {
             EXPECT_EQ(f.read.breedDescription, e.description);
             EXPECT_EQ(f.withTextsSwapped().descriptionPosition, e.locator.locAttrPos);
         }},
        {"the texts chosen", nullptr,
         [](const SurveyEgg& e) {
             return SurveyChoices{e.locator.locAttrPos, {}, {}};
         },
         false, false,
         [](const SurveyEgg& e, const SurveyFindings& f) {
             EXPECT_EQ(f.read.breedDescription, e.attributes);
             EXPECT_EQ(f.read.breedAttributes, e.description);
         }},
        {"a description like a section", replaceAll("The Honker is", "[Rare] The Honker is"),
         nullptr, true, false,
         [](const SurveyEgg&, const SurveyFindings& f) {
             EXPECT_EQ(f.read.breedDescription.substr(0, 7), "[Rare] ");
         }},
        {"a curly quote comes back straight", replaceAll("The Honker is", "The \x93Honker\x94 is"),
         nullptr, true, false,
         [](const SurveyEgg&, const SurveyFindings& f) {
             EXPECT_EQ(f.read.breedDescription.substr(0, 12), "The \x93Honker\x94");
         }},
        {"attributes of symbols by position",
         [](SurveyEgg& e) {
             const auto size = qsizetype(e.attributes.size());
             e.bytes.replace(e.locator.locAttrPos - 1, size, QByteArray(size, '\x95'));
         },
         [](const SurveyEgg& e) {
             return SurveyChoices{e.locator.locDescPos, e.locator.locAttrPos, {}};
         },
         false, false,
         [](const SurveyEgg& e, const SurveyFindings& f) {
             EXPECT_EQ(f.read.breedAttributes, std::string(e.attributes.size(), '\x95'));
         }},
        {"equal diameters", equalDiameters, nullptr, true, true,
         [](const SurveyEgg& e, const SurveyFindings& f) {
             EXPECT_EQ(f.locator.locSetAPos, std::min(e.locator.locSetAPos, e.locator.locSetBPos));
             EXPECT_EQ(f.withSetsSwapped().baby, BabySet::B);
         }},
        {"the baby chosen", equalDiameters,
         [](const SurveyEgg&) {
             return SurveyChoices{{}, {}, BabySet::B};
         },
         true, false,
         [](const SurveyEgg&, const SurveyFindings& f) {
             EXPECT_GT(f.locator.locSetAPos, f.locator.locSetBPos);
         }},
        {"another name", replaceAll("Honker\r\n4 2", "Hunker\r\n4 2"), nullptr, true, false,
         [](const SurveyEgg&, const SurveyFindings& f) {
             EXPECT_EQ(f.notes,
                       QStringList{u"The name in the egg, \"Hunker\", is not the breed's list "
                                   u"name Honker."_s});
         }},
    };
    for (const Case& c : cases) {
        SurveyEgg egg = makeSurveyEgg({.resourceTable = false, .decoys = false});
        if (c.change)
            c.change(egg);
        const SurveyResult result =
            surveyEgg(egg.bytes, "Honker", c.choose ? c.choose(egg) : SurveyChoices{});
        ASSERT_TRUE(result.findings) << c.name << ": " << result.refusal.message.toStdString();
        EXPECT_EQ(result.findings->textsOpen, c.textsOpen) << c.name;
        EXPECT_EQ(result.findings->babyOpen, c.babyOpen) << c.name;
        if (c.check)
            c.check(egg, *result.findings);
    }

    // An empty attributes region and a copyright text: two texts, never decided silently; the
    // empty region is given by position.
    SurveyEgg egg = makeSurveyEgg({.resourceTable = false, .decoys = false});
    const qint64 attr = egg.locator.locAttrPos;
    egg.bytes.replace(attr - 1, qsizetype(egg.attributes.size()),
                      QByteArray(qsizetype(egg.attributes.size()), '\0'));
    egg.bytes += "\x01"
                 "Copyright 1997 Brindlecote" +
                 QByteArray(3, '\0') + "\x02";
    EXPECT_TRUE(surveyEgg(egg.bytes, "Honker").findings->textsOpen);
    const SurveyResult empty = surveyEgg(egg.bytes, "Honker", {egg.locator.locDescPos, attr, {}});
    ASSERT_TRUE(empty.findings) << empty.refusal.message.toStdString();
    EXPECT_EQ(empty.findings->read.breedAttributes, "");
    EXPECT_EQ(empty.findings->locator.locAttrLen, egg.locator.locAttrLen);
}

// The layout report a player shares: where the regions lie and what kind of byte is at their
// edges, never the egg's words.
TEST(Survey, LayoutReportHoldsByteClassesNotTexts)
{
    const SurveyEgg egg = makeSurveyEgg({.resourceTable = false, .decoys = false});
    const QByteArray report =
        surveyLayoutReport(egg.bytes, "Honker", surveyEgg(egg.bytes, "Honker"));
    EXPECT_TRUE(report.contains("name block at byte " + QByteArray::number(egg.locator.locNamePos) +
                                ": 11 bytes, room " +
                                QByteArray::number(egg.locator.locNameLen + 1) + "; before CCCC"))
        << report.toStdString();
    EXPECT_TRUE(report.contains("| first LL, last OD | after ZZ"));
    EXPECT_FALSE(report.contains(QByteArray::fromStdString(egg.description.substr(0, 14))));

    // A refusal quotes the egg's words; its report does not.
    SurveyEgg renamed = makeSurveyEgg({.resourceTable = false, .decoys = false});
    renamed.bytes.replace("Honker\r\n4 2", "Hunker\r\n4 2");
    renamed.bytes += "\x01Honk\r\n1 1" + QByteArray(3, '\0') + "\x01";
    const SurveyResult refused = surveyEgg(renamed.bytes, "Honker");
    ASSERT_TRUE(refused.refusal.message.contains(QStringLiteral("Hunker")));
    const QByteArray refusedReport = surveyLayoutReport(renamed.bytes, "Honker", refused);
    EXPECT_TRUE(refusedReport.contains("Outcome: refused (")) << refusedReport.toStdString();
    EXPECT_FALSE(refusedReport.contains("Hunker") || refusedReport.contains("Honk\\r"));

    // A resource name stays on its line, written out and cut after 32 bytes.
    const SurveyEgg named =
        makeSurveyEgg({.more = {{"TWO\nLINES\x1b" + std::string(40, 'N'), "x"}}});
    const QByteArray namedReport =
        surveyLayoutReport(named.bytes, "Honker", surveyEgg(named.bytes, "Honker"));
    EXPECT_TRUE(namedReport.contains("TWO\\nLINES\\x1b" + QByteArray(22, 'N') + "..., offset"))
        << namedReport.toStdString();
}

// The resource table reader: names, offsets, lengths cut at the end of the file; touching
// resources; a table that lists none.
TEST(Survey, ReadsTheResourceTable)
{
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
    put16(cut, kRecords + 12 + 2, 0x0fff);
    table = readNeResources(cut);
    ASSERT_EQ(table.kind, NeResourceTable::Kind::Table);
    EXPECT_EQ(table.resources[1].offset + table.resources[1].length, cut.size());

    QByteArray touching = file;
    put16(touching, kRecords + 12, (table.resources[0].offset + 48) >> 4);
    EXPECT_EQ(readNeResources(touching).kind, NeResourceTable::Kind::Table);

    QByteArray none = file;
    put16(none, kNe + 0x26, 64); // the resource table's offset: no resources
    EXPECT_EQ(readNeResources(none).kind, NeResourceTable::Kind::None);
    QByteArray listsNone = file;
    put16(listsNone, kTable + 2, 0); // the type list ends at once
    EXPECT_EQ(readNeResources(listsNone).kind, NeResourceTable::Kind::None);
    EXPECT_EQ(readNeResources(file.mid(1)).kind, NeResourceTable::Kind::None);
}

// Every breed of both editions. The eggs have the game's shape: 16-bit Windows executables whose
// resources hold the regions, the ball sets under [Ballz Info] in LNZ texts among other sections,
// the texts in resources of their own, a non-zero byte right before every region and right after
// every room (so a writer one byte off is seen), every region elsewhere in the other edition. The
// survey gives the shipped resource files; the new-project reader gives what the generator put
// into the egg.
using SampleGame = test::TempFolderTest;

TEST_F(SampleGame, EveryBreedOfBothEditions)
{
    FileSystem fso;
    Installation install = sampleGameInstallation(dir.path(), fso);
    const ProjectState state;
    sample::writeSampleGame(dir.path(), Edition::UK);
    ASSERT_EQ(size_t(sample::breedCount()), baseBreeds().size());
    for (const Edition edition : {Edition::US, Edition::UK}) {
        const bool uk = edition == Edition::UK;
        install.edition = edition;
        install.gameFolder = sample::gameFolder(dir.path(), edition);
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

            const SurveyResult survey = surveyEgg(egg, b.stem, {l.locDescPos, l.locAttrPos, {}});
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
            ASSERT_EQ(project.shape.ballsPerSet(), sample::kBallsPerSet);
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
