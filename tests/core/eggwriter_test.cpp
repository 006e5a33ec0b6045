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
        content.roomFill = '~';
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

TEST_F(EggWriter, EveryEditFillsItsRegionsExactlyAndKeepsEveryOtherByte)
{
    struct Case
    {
        const char* what;
        std::function<void(ProjectState&)> change;
    };
    const std::vector<Case> cases = {
        {"unchanged", [](ProjectState&) {}},
        {"a number one digit longer", [](ProjectState& s) { s.eBalls[1].fillColor = 200; }},
        {"a comment five bytes shorter", [](ProjectState& s) { s.eBalls[4].comment = "b"; }},
        {"a set at one blank",
         [](ProjectState& s) { s.eBalls[0].comment += std::string(100, 'x'); }},
        {"every set shorter",
         [](ProjectState& s) {
             for (int i = 0; i < 6; ++i)
                 s.eBalls[size_t(i)].comment = "c";
         }},
        {"texts filling their rooms",
         [this](ProjectState& s) {
             s.breedDescription = std::string(size_t(layout.descLen), 'd');
             s.breedAttributes = std::string(size_t(layout.attrLen), 'a');
             s.breedName = std::string(size_t(layout.nameLen - 6), 'n');
         }},
        {"empty texts and tips",
         [](ProjectState& s) {
             s.breedDescription.clear();
             s.breedAttributes.clear();
             s.regTips = s.demoTips = {"", "", ""};
         }},
        {"tips filling their room", [](ProjectState& s) { s.regTips[0] = std::string(192, 't'); }},
        {"tips one byte short", [](ProjectState& s) { s.regTips[0] = std::string(191, 't'); }},
        {"tips too long", [](ProjectState& s) { s.demoTips[2] = std::string(300, 't'); }},
        {"an odd tip count", [](ProjectState& s) { s.tipCount = 5; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ProjectState changed = state;
        c.change(changed);
        expectEggFitsBase(patchedEgg(changed, baseEgg, layout.ballsPerSet, prompts, eggPath()),
                          baseEgg, changed, layout.ballsPerSet);
    }
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

TEST_F(EggWriter, StoredCurlyQuotesBecomeStraightQuotesInTheEgg)
{
    state.breedDescription = "Say \x94hi\x94";
    state.breedAttributes = "\x94"
                            "fast\x94";
    const QByteArray egg = patched();
    EXPECT_EQ(at(egg, layout.descPos, 9), bytes("Say \"hi\"\0"));
    EXPECT_EQ(at(egg, layout.attrPos, 7), bytes("\"fast\"\0"));
}

TEST_F(EggWriter, ASetTakesTheWidestSeparatorThatFitsAndSpreadsTheRestBeforeItsFinalCommas)
{
    // Set A's room is its three lines at six blanks; a blank less after each of the 21 commas
    // saves 21 bytes.
    struct Case
    {
        std::string comment0;
        int blanks;
        std::array<int, 3> extra;
    };
    const qsizetype room = ballLines(state, 0, 3).size();
    for (const Case& c :
         {Case{"ball ", 6, {1, 0, 0}}, Case{"b", 6, {2, 2, 1}}, Case{"ball 00", 5, {7, 7, 6}},
          Case{"ball 0" + std::string(10, 'x'), 5, {4, 4, 3}},
          Case{"ball 0" + std::string(105, 'x'), 1, {0, 0, 0}}}) {
        SCOPED_TRACE(c.comment0);
        ProjectState changed = state;
        changed.eBalls[0].comment = c.comment0;
        QByteArray lines;
        for (size_t i = 0; i < 3; ++i) {
            QByteArray line = QByteArray::fromStdString(formatBallLine(changed.eBalls[i]));
            line.replace(",      ", "," + QByteArray(c.blanks, ' '));
            lines += line + QByteArray(c.extra[i], ' ') + ",\r\n";
        }
        ASSERT_EQ(lines.size(), room);
        const QByteArray egg = patchedEgg(changed, baseEgg, layout.ballsPerSet, prompts, eggPath());
        EXPECT_EQ(at(egg, layout.setAPos - 1, int(room)), lines);
    }
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
        {"name block", [](ProjectState& s) { s.breedName = std::string(40 - 6 + 3, 'n'); },
         QStringLiteral("name block (breed name, tray and slot)"), 3},
        {"description",
         [this](ProjectState& s) { s.breedDescription = std::string(layout.descLen + 1, 'd'); },
         QStringLiteral("description"), 1},
        {"attributes",
         [this](ProjectState& s) { s.breedAttributes = std::string(layout.attrLen + 5, 'a'); },
         QStringLiteral("attributes text"), 5},
        {"set B", [](ProjectState& s) { s.eBalls[4].comment += std::string(106, 'x'); },
         QStringLiteral("text of ball set B"), 1},
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
}

TEST_F(EggWriter, RefusesABaseEggWhoseLocatedRegionsAreNotThere)
{
    ProjectState inside = state;
    inside.locSetAPos += 7; // inside a line: not a ball line
    expectFormatError([&] { patchedEgg(inside, baseEgg, layout.ballsPerSet, prompts, eggPath()); },
                      eggPath(), QStringLiteral("byte %1").arg(inside.locSetAPos - 1));
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

    // A missing base egg is an error naming it.
    state.locSetBPos = layout.setBPos;
    QFile::remove(gamePath("eggz/Zott/Zott.odd"));
    try {
        saveODD(state, target, prompts);
        ADD_FAILURE() << "no error";
    } catch (const FileError& error) {
        EXPECT_EQ(error.path(), gamePath("eggz/Zott/Zott.odd"));
    }
    EXPECT_EQ(readFile(target), "old egg");
}

} // namespace yw
