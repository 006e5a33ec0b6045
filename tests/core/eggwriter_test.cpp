#include "breedfixture.h"
#include "files/eggregions.h"
#include "files/eggwriter.h"
#include "files/fieldcodec.h"
#include "platform/errors.h"

#include <QDir>
#include <QFile>
#include <cstring>

namespace yw {

using namespace test;

namespace {

const QString kTipsNotice = QStringLiteral(
    "The total length of the on-screen tips was too long. The last registered tip might be "
    "truncated or removed. This could cause problems within Oddballz, so you might want to "
    "check the lengths of each tip.");

// A literal with its embedded zero bytes.
template <size_t N> QByteArray bytes(const char (&text)[N])
{
    return QByteArray(text, N - 1);
}

QByteArray ballLines(const ProjectState& state, int first, int count)
{
    QByteArray lines;
    for (int i = first; i < first + count; ++i)
        lines += QByteArray::fromStdString(formatBallLine(state.eBalls[size_t(i)])) + ",\r\n";
    return lines;
}

} // namespace

class EggWriter : public BreedFixture
{
protected:
    void SetUp() override
    {
        BreedFixture::SetUp();
        install();
        for (size_t i = 0; i < content.balls.size(); ++i)
            state.eBalls[i] = content.balls[i];
        state.breedName = "Ziggy";
        state.eggTray = "12";
        state.eggSlot = "5";
        state.breedDescription = "New description";
        state.breedAttributes = "Fast";
        state.regTips = {"r0", "r1", "r2"};
        state.demoTips = {"d0", "d1", "d2"};
    }

    QByteArray patched()
    {
        return patchedEgg(state, baseEgg, layout.ballsPerSet, prompts, eggPath());
    }
    QString eggPath() const { return gamePath("eggz/Zott/Zott.odd"); }
    // The bytes at a 1-based position.
    static QByteArray at(const QByteArray& egg, int position, int length)
    {
        return egg.mid(position - 1, length);
    }
    int tipsRoom() const { return 10 * layout.tipCount + layout.tipsLen; }
};

TEST_F(EggWriter, PatchesEveryRegionAndKeepsAllOtherBytes)
{
    const QByteArray egg = patched();
    ASSERT_EQ(egg.size(), baseEgg.size());
    const int n = layout.ballsPerSet;
    const QByteArray setA = ballLines(state, 0, n);
    const QByteArray setB = ballLines(state, n, n);
    EXPECT_EQ(at(egg, layout.setAPos - 1, setA.size()), setA);
    EXPECT_EQ(at(egg, layout.setBPos - 1, setB.size()), setB);
    EXPECT_EQ(at(egg, layout.namePos, layout.nameLen + 1),
              "Ziggy\r\n12 5" + QByteArray(layout.nameLen + 1 - 11, '\0'));
    EXPECT_EQ(at(egg, layout.descPos, 16), bytes("New description\0"));
    EXPECT_EQ(at(egg, layout.attrPos, 5), bytes("Fast\0"));

    // Outside the regions nothing changed.
    QByteArray outside = egg, baseOutside = baseEgg;
    const auto blank = [&](int position, int length) {
        std::memset(outside.data() + position - 1, 0, size_t(length));
        std::memset(baseOutside.data() + position - 1, 0, size_t(length));
    };
    blank(layout.setAPos - 1, setA.size());
    blank(layout.setBPos - 1, setB.size());
    blank(layout.namePos, layout.nameLen + 1);
    blank(layout.descPos, layout.descLen + 1);
    blank(layout.attrPos, layout.attrLen + 1);
    blank(layout.tipsPos, tipsRoom() + 2);
    EXPECT_EQ(outside, baseOutside);
    EXPECT_TRUE(prompts.shown.empty());
}

TEST_F(EggWriter, TipsBlockIsPaddedWithALineEndAndZerosToTwoBytesMoreThanItsRoom)
{
    // tipCount 6, locTipsLen 200: T = 260. The keys and line ends take 58 bytes; 132 more make
    // a block of 190.
    state.regTips = {std::string(132, 't'), "", ""};
    state.demoTips = {"", "", ""};
    const QByteArray block = "string0=" + QByteArray(132, 't') +
                             "\r\nstring1=\r\nstring2=\r\nstring3=\r\nstring4=\r\nstring5=";
    ASSERT_EQ(block.size(), 190);
    const QByteArray egg = patched();
    EXPECT_EQ(at(egg, layout.tipsPos, 262), block + "\r\n" + QByteArray(70, '\0'));
    EXPECT_EQ(at(egg, layout.tipsPos + 262, 1), at(baseEgg, layout.tipsPos + 262, 1));
    EXPECT_TRUE(prompts.shown.empty());
}

TEST_F(EggWriter, TipsBlockLongerThanItsRoomIsCutAfterTheNotice)
{
    state.regTips = {std::string(203, 't'), "", ""};
    state.demoTips = {"", "", ""};
    const QByteArray block = "string0=" + QByteArray(203, 't') +
                             "\r\nstring1=\r\nstring2=\r\nstring3=\r\nstring4=\r\nstring5=";
    ASSERT_EQ(block.size(), 261);
    const QByteArray egg = patched();
    EXPECT_EQ(at(egg, layout.tipsPos, 260), block.left(260));
    // The byte the block would have taken is cleared; the one after the cleared room is kept.
    EXPECT_EQ(at(egg, layout.tipsPos + 260, 1), QByteArray(1, '\0'));
    EXPECT_EQ(at(egg, layout.tipsPos + 261, 1), at(baseEgg, layout.tipsPos + 261, 1));
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text, kTipsNotice);
    EXPECT_EQ(prompts.shown[0].icon, PromptIcon::Information);
}

TEST_F(EggWriter, TipsOrderRegisteredBeforeDemoAndAnOddCountEndsWithAnEmptyEntry)
{
    state.tipCount = 5;
    const QByteArray block = "string0=r0\r\nstring1=d0\r\nstring2=r1\r\nstring3=d1\r\nstring4=";
    const QByteArray egg = patched();
    EXPECT_EQ(at(egg, layout.tipsPos, block.size() + 2), block + "\r\n");
    const int room = 10 * 5 + layout.tipsLen;
    EXPECT_EQ(at(egg, layout.tipsPos + block.size() + 2, room - block.size()),
              QByteArray(room - block.size(), '\0'));
}

TEST_F(EggWriter, EmptyDescriptionKeepsTheFirstByteAndClearsTheRest)
{
    state.breedDescription.clear();
    const QByteArray egg = patched();
    EXPECT_EQ(at(egg, layout.descPos, 1), at(baseEgg, layout.descPos, 1));
    EXPECT_EQ(at(egg, layout.descPos + 1, layout.descLen), QByteArray(layout.descLen, '\0'));
}

TEST_F(EggWriter, StoredCurlyQuotesBecomeStraightQuotesInTheEgg)
{
    state.breedDescription = "Say \x94hi\x94";
    state.breedAttributes = "\x94"
                            "fast\x94";
    const QByteArray egg = patched();
    EXPECT_EQ(at(egg, layout.descPos, 9), bytes("Say \"hi\"\0"));
    EXPECT_EQ(at(egg, layout.attrPos, 7), bytes("\"fast\"\0"));
}

TEST_F(EggWriter, ShorterSetLeavesTheBaseEggsLastBytesAfterIt)
{
    state.eBalls[2].comment = "ball "; // one byte shorter than "ball 2"
    const QByteArray newLines = ballLines(state, 0, layout.ballsPerSet);
    const QByteArray baseLines = at(baseEgg, layout.setAPos - 1, newLines.size() + 1);
    const QByteArray egg = patched();
    EXPECT_EQ(at(egg, layout.setAPos - 1, newLines.size() + 1), newLines + baseLines.right(1));
    EXPECT_EQ(baseLines.right(1), "\n");
}

TEST_F(EggWriter, LongerSetIsWrittenWithTheWidestUniformSeparatorThatFits)
{
    // 10 bytes more; one blank less after each of the 21 commas saves 21.
    state.eBalls[0].comment += std::string(10, 'x');
    const QByteArray egg = patched();
    const QByteArray base = ballLines(state, 0, layout.ballsPerSet);
    QByteArray narrowed = base;
    narrowed.replace(",      ", ",     ");
    ASSERT_EQ(narrowed.size(), base.size() - 21);
    EXPECT_EQ(at(egg, layout.setAPos - 1, narrowed.size()), narrowed);
    // The narrowed lines still read back as the same records.
    qint64 position = layout.setAPos - 1;
    for (int i = 0; i < layout.ballsPerSet; ++i) {
        const ParsedBallLine line = parseBallLine(egg, position, eggPath());
        EXPECT_EQ(line.record, state.eBalls[size_t(i)]);
        position = line.nextPosition;
    }
    // Set B was not touched by the narrowing of set A.
    EXPECT_EQ(at(egg, layout.setBPos - 1, 10), at(ballLines(state, 3, 3), 1, 10));
}

TEST_F(EggWriter, RefusesTextsThatDoNotFitTheirRoom)
{
    struct Case
    {
        const char* what;
        std::function<void(ProjectState&)> change;
        QString field;
        qsizetype excess;
    };
    const std::vector<Case> cases = {
        {"name block", [](ProjectState& s) { s.breedName = std::string(41 - 6 + 3, 'n'); },
         QStringLiteral("name block (breed name, tray and slot)"), 3},
        {"description",
         [this](ProjectState& s) { s.breedDescription = std::string(layout.descLen + 2, 'd'); },
         QStringLiteral("description"), 1},
        {"attributes",
         [this](ProjectState& s) { s.breedAttributes = std::string(layout.attrLen + 5, 'a'); },
         QStringLiteral("attributes text"), 4},
        {"set B", [](ProjectState& s) { s.eBalls[4].comment += std::string(200, 'x'); },
         QStringLiteral("text of ball set B"), 200 - 5 * 21},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ProjectState changed = state;
        c.change(changed);
        try {
            patchedEgg(changed, baseEgg, layout.ballsPerSet, prompts, eggPath());
            ADD_FAILURE() << "not refused";
        } catch (const DoesNotFit& error) {
            EXPECT_EQ(error.field(), c.field);
            EXPECT_EQ(error.excessBytes(), c.excess);
            EXPECT_TRUE(error.message().contains(c.field));
        }
    }
    // Exactly len + 1 bytes fit: the room includes the byte at the position itself.
    state.breedName = std::string(layout.nameLen + 1 - 6, 'n');
    state.breedDescription = std::string(layout.descLen + 1, 'd');
    EXPECT_NO_THROW(patched());
}

TEST_F(EggWriter, RefusesABaseEggWhoseLocatedRegionsAreNotThere)
{
    {
        ProjectState other = state;
        other.locSetAPos += 7; // inside a line: not a ball line
        try {
            patchedEgg(other, baseEgg, layout.ballsPerSet, prompts, eggPath());
            ADD_FAILURE() << "not refused";
        } catch (const FormatError& error) {
            EXPECT_EQ(error.file(), eggPath());
            EXPECT_TRUE(error.where().startsWith(QStringLiteral("byte ")));
            EXPECT_TRUE(error.message().contains(QStringLiteral("Options")));
        }
    }
    for (auto member : {&ProjectState::locDescPos, &ProjectState::locNamePos,
                        &ProjectState::locAttrPos, &ProjectState::locTipsPos}) {
        ProjectState other = state;
        other.*member = layout.size - 5;
        EXPECT_THROW(patchedEgg(other, baseEgg, layout.ballsPerSet, prompts, eggPath()),
                     FormatError);
        other.*member = 0;
        EXPECT_THROW(patchedEgg(other, baseEgg, layout.ballsPerSet, prompts, eggPath()),
                     FormatError);
    }
    ProjectState negative = state;
    negative.locDescLen = -1;
    EXPECT_THROW(patchedEgg(negative, baseEgg, layout.ballsPerSet, prompts, eggPath()),
                 FormatError);
    EXPECT_TRUE(prompts.shown.empty());
}

TEST_F(EggWriter, RefusesRegionsThatOverlap)
{
    // A locator file whose name block starts inside the last line of ball set B: writing the
    // name block would overwrite the ball line just written (found by fuzzing).
    const BallSetSpan setB = readBallSet(baseEgg, state.locSetBPos, layout.ballsPerSet, eggPath(),
                                         QStringLiteral("ball set B"));
    ProjectState other = state;
    other.locNamePos = int32_t(setB.end - 3);
    try {
        patchedEgg(other, baseEgg, layout.ballsPerSet, prompts, eggPath());
        ADD_FAILURE() << "not refused";
    } catch (const FormatError& error) {
        EXPECT_EQ(error.file(), eggPath());
        EXPECT_EQ(error.where(), QStringLiteral("byte %1").arg(setB.end - 3));
        EXPECT_TRUE(error.expected().startsWith(
            QStringLiteral("the name block to begin after ball set B, which ends at byte %1")
                .arg(setB.end - 1)));
    }
    // The description's cleared bytes reach one byte past its length: an attributes region
    // starting right there overlaps it too.
    other = state;
    other.locAttrPos = state.locDescPos + state.locDescLen;
    EXPECT_THROW(patchedEgg(other, baseEgg, layout.ballsPerSet, prompts, eggPath()), FormatError);
    other.locAttrPos = state.locDescPos + state.locDescLen + 1;
    other.locAttrLen = 10;
    EXPECT_NO_THROW(patchedEgg(other, baseEgg, layout.ballsPerSet, prompts, eggPath()));
    EXPECT_TRUE(prompts.shown.empty());
}

TEST_F(EggWriter, SaveWritesTheEggAndTheCompanionNamedAfterTheTarget)
{
    install(true);
    const QString target = path(QStringLiteral("out/My Breed.odd"));
    QDir().mkpath(path(QStringLiteral("out")));
    EXPECT_EQ(saveODD(state, target, prompts), target);
    EXPECT_EQ(readFile(target), patched());
    EXPECT_EQ(readFile(path(QStringLiteral("out/My Breed.odx"))), baseCompanion);

    const QString bare = path(QStringLiteral("out/egg"));
    saveODD(state, bare, prompts);
    EXPECT_EQ(readFile(path(QStringLiteral("out/egx"))), baseCompanion);
    EXPECT_EQ(companionPathFor(QStringLiteral("a/b.ODD")), QStringLiteral("a/b.ODx"));
}

TEST_F(EggWriter, SaveWithoutACompanionWritesOnlyTheEgg)
{
    const QString target = path(QStringLiteral("plain.odd"));
    saveODD(state, target, prompts);
    EXPECT_TRUE(QFile::exists(target));
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("plain.odx"))));
}

TEST_F(EggWriter, EveryRefusalLeavesNoFileAndKeepsAnOldOne)
{
    install(true);
    state.breedName = std::string(100, 'n');
    const QString target = path(QStringLiteral("refused.odd"));
    EXPECT_THROW(saveODD(state, target, prompts), DoesNotFit);
    EXPECT_FALSE(QFile::exists(target));
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("refused.odx"))));

    writeFile(target, "old egg");
    EXPECT_THROW(saveODD(state, target, prompts), DoesNotFit);
    EXPECT_EQ(readFile(target), "old egg");

    state.breedName = "ok";
    state.locSetBPos = 5;
    EXPECT_THROW(saveODD(state, target, prompts), FormatError);
    EXPECT_EQ(readFile(target), "old egg");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("refused.odd")});
}

TEST_F(EggWriter, NeverReplacesTheBaseEggItself)
{
    install(true);
    EXPECT_THROW(saveODD(state, gamePath("eggz/Zott/Zott.odd"), prompts), FileError);
    EXPECT_THROW(saveODD(state, gamePath("eggz/Zott/Zott.odx"), prompts), FileError);
    EXPECT_EQ(readFile(gamePath("eggz/Zott/Zott.odd")), baseEgg);
    EXPECT_EQ(readFile(gamePath("eggz/Zott/Zott.odx")), baseCompanion);
}

TEST_F(EggWriter, MissingBaseEggIsAFileErrorNamingIt)
{
    QFile::remove(gamePath("eggz/Zott/Zott.odd"));
    try {
        saveODD(state, path(QStringLiteral("x.odd")), prompts);
        ADD_FAILURE() << "no error";
    } catch (const FileError& error) {
        EXPECT_TRUE(error.path().endsWith(QStringLiteral("Zott.odd")));
    }
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("x.odd"))));
}

} // namespace yw
