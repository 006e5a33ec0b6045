// The egg writer, the new-project reader and the package writer on a synthetic base breed "Zott":
// resource files and a base egg whose regions are laid out by hand here (not by the egg writer),
// so writer and reader are checked against an independent picture of the egg.
#include "files/breedresources.h"
#include "files/eggregions.h"
#include "files/eggwriter.h"
#include "files/fieldcodec.h"
#include "files/newproject.h"
#include "files/packagewriter.h"
#include "platform/errors.h"
#include "platform/filesystem.h"
#include "platform/settingsstore.h"
#include "samplegame/samplegame.h"
#include "support/locator.h"
#include "support/testsupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <random>

namespace yw {

using namespace Qt::StringLiterals;

using namespace test;

namespace {

struct EggLayout
{
    int ballsPerSet = 3, setAPos = 201, setBPos = 801, descPos = 1401, descLen = 100;
    int namePos = 1601, nameLen = 40, attrPos = 1701, attrLen = 80;
    int tipsPos = 1901, tipsLen = 200, tipCount = 6, size = 3000;
};

struct EggContent
{
    std::vector<EBallRecord> balls; // 2 * ballsPerSet
    QByteArray nameBlock = "Zotty\r\n7 3", description = "A small round breed.",
               attributes = "Bouncy";
    QByteArray tipsBlock = "string0=reg zero\r\nstring1=demo zero\r\nstring2=reg one\r\n"
                           "string3=demo one\r\nstring4=reg two\r\nstring5=demo two";
    char roomFill = '\0'; // what the rooms hold after each text
};

QByteArray lines(const std::vector<EBallRecord>& balls, size_t first, size_t count)
{
    QByteArray bytes;
    for (size_t i = first; i < first + count; ++i)
        bytes += QByteArray::fromStdString(formatBallLine(balls[i])) + ",\r\n";
    return bytes;
}

// Letters everywhere else: no ball line, no zero byte.
QByteArray buildEgg(const EggLayout& l, const EggContent& c)
{
    QByteArray egg(l.size, '\0');
    for (int i = 0; i < l.size; ++i)
        egg[i] = char('a' + i % 26);
    const auto place = [&](int at, const QByteArray& b) { egg.replace(at - 1, b.size(), b); };
    // A text region: the text, then the room's fill up to len + 1 bytes.
    const auto padded = [&](const QByteArray& text, int length) {
        return text + QByteArray(length + 1 - text.size(), c.roomFill);
    };
    const auto n = size_t(l.ballsPerSet);
    place(l.setAPos - 1, lines(c.balls, 0, n));
    place(l.setBPos - 1, lines(c.balls, n, n));
    place(l.descPos, padded(c.description, l.descLen));
    place(l.attrPos, padded(c.attributes, l.attrLen));
    place(l.namePos, padded(c.nameBlock, l.nameLen));
    const int room = 10 * l.tipCount + l.tipsLen;
    place(l.tipsPos, c.tipsBlock.size() < room
                         ? c.tipsBlock + "\r\n" + QByteArray(room - c.tipsBlock.size(), c.roomFill)
                         : c.tipsBlock);
    return egg;
}

QByteArray locatorFor(const EggLayout& l)
{
    return locatorText(located({l.descPos, l.descLen, l.namePos, l.nameLen, l.setBPos, l.setAPos,
                                l.attrPos, l.attrLen, l.tipsPos, l.tipsLen, l.tipCount}));
}

// What every egg written from `base` for `s` must be: each set reads back as n ball lines holding
// the state's records and ending where the base egg's lines ended; each text region holds its text
// (quotes as stored in `s`, straight in the egg) and zeros; every other byte is the base egg's.
void expectEggFitsBase(const QByteArray& egg, const QByteArray& base, const ProjectState& s, int n)
{
    ASSERT_EQ(egg.size(), base.size());
    QByteArray expected = base;
    for (const int32_t position : {s.locSetAPos, s.locSetBPos}) {
        const BallSetSpan old = readBallSet(base, position, n, QString(), QString());
        const BallSetSpan now = readBallSet(egg, position, n, QString(), QString());
        EXPECT_EQ(now.end, old.end) << "set at " << position;
        for (int i = 0; i < n; ++i)
            EXPECT_EQ(now.records[size_t(i)], s.ball((position == s.locSetAPos ? 0 : n) + i))
                << "ball " << i << " of the set at " << position;
        expected.replace(old.start - 1, old.end - old.start,
                         egg.mid(old.start - 1, old.end - old.start));
    }
    // A text region: zeros from its position on `clear` bytes past it (so an empty text leaves no
    // byte of the base egg's), then the text from the position.
    const auto text = [&](int32_t position, qint64 clear, const std::string& t) {
        QByteArray bytes = QByteArray::fromStdString(t).replace('\x94', '"');
        expected.replace(position - 1, clear + 1, QByteArray(clear + 1, '\0'));
        expected.replace(position - 1, bytes.size(), bytes);
    };
    text(s.locDescPos, s.locDescLen, s.breedDescription);
    text(s.locAttrPos, s.locAttrLen, s.breedAttributes);
    text(s.locNamePos, s.locNameLen, s.breedName + "\r\n" + s.eggTray + " " + s.eggSlot);
    std::string tips;
    for (int j = 0; j < s.tipCount; ++j) {
        const auto& tip = j % 2 == 0 ? s.regTips : s.demoTips;
        tips += (j > 0 ? "\r\nstring" : "string") + std::to_string(j) + '=' +
                (j / 2 < s.tipCount / 2 ? tip[size_t(j / 2)] : "");
    }
    const size_t room = 10 * size_t(s.tipCount) + size_t(s.locTipsLen);
    text(s.locTipsPos, qint64(room),
         tips.size() < room ? tips + "\r\n" + std::string(room - tips.size(), '\0')
                            : tips.substr(0, room));
    EXPECT_TRUE(egg == expected) << "byte "
                                 << std::mismatch(egg.begin(), egg.end(), expected.begin()).first -
                                        egg.begin() + 1;
}

} // namespace

class BreedEgg : public TempFolderTest
{
protected:
    void SetUp() override
    {
        TempFolderTest::SetUp();
        installation = testInstallation(fso, path(u"program"_s), path(u"game"_s));
        for (int i = 0; i < 2 * layout.ballsPerSet; ++i)
            content.balls.push_back({int16_t(i * 37 % 256), int16_t(i % 3 ? i * 11 : -1),
                                     int16_t(i * 5), int16_t(i % 4), int16_t(i % 4 - 1),
                                     int16_t(10 + i * 3), int16_t(i % 2), int16_t(i % 2 ? i : -1),
                                     "ball " + std::to_string(i), int16_t(i % 2)});
        // Another byte than zero after each text, so that a byte the writer fails to clear or
        // write shows (the reader's tests lay a zero there, as a written egg has).
        content.roomFill = '~';
        install();
        // The edited project the writers write.
        std::copy(content.balls.begin(), content.balls.end(), state.eBalls.begin());
        state.breedName = "Ziggy";
        state.eggTray = "12";
        state.eggSlot = "5";
        state.breedDescription = "New description";
        state.breedAttributes = "Fast";
        state.regTips = {"r0", "r1", "r2"};
        state.demoTips = {"d0", "d1", "d2"};
    }
    // Writes the resource files, the base egg and its companion for the layout and content.
    void install()
    {
        writeFile(installation.programFolder + u"/res/Zott.blz"_s,
                  "\"zt_small.lnz\",\"zt.lnz\",3\r\nlabel 0\r\nlabel 1\r\nlabel 2\r\n");
        writeFile(installation.programFolder + u"/res/Zott.loc"_s, locatorFor(layout));
        baseEgg = buildEgg(layout, content);
        writeFile(eggPath(), baseEgg);
        writeFile(eggPath('x'), baseCompanion);
        state.baseBreed = "Zott";
        getLOX(installation, state);
    }
    // The base egg, or with 'x' its companion.
    QString eggPath(char last = 'd') const
    {
        return installation.gameFolder + u"/eggz/Zott/Zott.od"_s + QLatin1Char(last);
    }
    QByteArray patched(const ProjectState& s)
    {
        return patchedEgg(s, baseEgg, layout.ballsPerSet, prompts, eggPath());
    }
    NewProject readZott()
    {
        prompts.shown.clear();
        return readBaseBreed(installation, state, u"Zott"_s, prompts);
    }

    FileSystem fso;
    Installation installation;
    ProjectState state;
    EggLayout layout;
    EggContent content;
    QByteArray baseEgg;
    QByteArray baseCompanion = QByteArray("companion bytes\0\x01\x02", 18);
    ScriptedPrompts prompts;
};

using EggWriter = BreedEgg;

TEST_F(EggWriter, EveryEditChangesOnlyItsRegions)
{
    struct Case
    {
        const char* what;
        std::function<void(ProjectState&)> change;
        bool notice = false;
    };
    const std::vector<Case> cases = {
        {"unchanged", [](ProjectState&) {}},
        {"a number one digit longer", [](ProjectState& s) { s.eBalls[1].fillColor = 200; }},
        {"a comment five bytes shorter", [](ProjectState& s) { s.eBalls[4].comment = "b"; }},
        {"a set at one blank",
         [](ProjectState& s) { s.eBalls[0].comment += std::string(100, 'x'); }},
        {"every set shorter",
         [](ProjectState& s) {
             std::ranges::for_each(s.eBalls, [](auto& r) { r.comment = "c"; });
         }},
        {"texts filling their rooms, stored curly quotes among them",
         [](ProjectState& s) {
             s.breedDescription = "\x94" + std::string(98, 'd') + "\x94";
             s.breedAttributes = std::string(80, 'a');
             s.breedName = std::string(40 - 6, 'n');
         }},
        {"empty texts and tips",
         [](ProjectState& s) {
             s.breedDescription.clear();
             s.breedAttributes.clear();
             s.regTips = s.demoTips = {"", "", ""};
         }},
        {"tips filling their room", [](ProjectState& s) { s.regTips[0] = std::string(192, 't'); }},
        {"tips one byte short", [](ProjectState& s) { s.regTips[0] = std::string(191, 't'); }},
        {"tips one byte too long", [](ProjectState& s) { s.regTips[0] = std::string(193, 't'); },
         true},
        {"tips far too long", [](ProjectState& s) { s.demoTips[2] = std::string(300, 't'); }, true},
        {"an odd tip count", [](ProjectState& s) { s.tipCount = 5; }},
        {"the attributes' last cleared byte the egg's last",
         [this](ProjectState& s) { s.locAttrPos = layout.size - s.locAttrLen; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ProjectState changed = state;
        c.change(changed);
        prompts.shown.clear();
        expectEggFitsBase(patched(changed), baseEgg, changed, layout.ballsPerSet);
        if (c.notice)
            prompts.expectOne(u"The total length of the on-screen tips was too long. The last "
                              "registered tip might be truncated or removed. This could cause "
                              "problems within Oddballz, so you might want to check the lengths "
                              "of each tip."_s,
                              PromptIcon::Information);
        else
            EXPECT_TRUE(prompts.shown.empty());
    }
}

TEST_F(EggWriter, LaysTheTipsBlockOutRegisteredBeforeDemo)
{
    // The tips block by hand: registered before demo, an odd count ends with an empty entry,
    // then a line end and zeros to T + 2 bytes (T = 10 * 5 + 200).
    state.tipCount = 5;
    const QByteArray block = "string0=r0\r\nstring1=d0\r\nstring2=r1\r\nstring3=d1\r\nstring4=\r\n";
    EXPECT_EQ(patched(state).mid(layout.tipsPos - 1, 253),
              block + QByteArray(252 - block.size(), '\0') + baseEgg[layout.tipsPos + 251]);
    // A block filling its room has no line end to give the unpaired last entry's partner, and
    // still reads back.
    state.regTips[0] += std::string(250 - (block.size() - 2), 'r');
    const QByteArray full = patched(state);
    EXPECT_EQ(full.mid(layout.tipsPos + 240, 10), QByteArray("\nstring4=\0", 10));
    ProjectState back = state;
    back.regTips = back.demoTips = {"x", "x", "x"};
    readEggRegions(back, layout.ballsPerSet, full, eggPath());
    using Tips = std::array<std::string, 3>;
    EXPECT_EQ(back.regTips, (Tips{state.regTips[0], state.regTips[1], ""}));
    EXPECT_EQ(back.demoTips, (Tips{state.demoTips[0], state.demoTips[1], ""}));
}

TEST_F(EggWriter, SetTakesTheWidestSeparatorThatFits)
{
    // A set takes the widest separator that fits and spreads the rest before its final commas.
    // Set A's room is its three lines at six blanks; a blank less after each of the 21 commas
    // saves 21 bytes.
    struct Spread
    {
        std::string comment0;
        int blanks;
        std::array<int, 3> extra;
    };
    const qsizetype room = lines(content.balls, 0, 3).size();
    for (const Spread& c :
         {Spread{"ball ", 6, {1, 0, 0}}, Spread{"b", 6, {2, 2, 1}}, Spread{"ball 00", 5, {7, 7, 6}},
          Spread{"ball 0" + std::string(10, 'x'), 5, {4, 4, 3}},
          Spread{"ball 0" + std::string(105, 'x'), 1, {0, 0, 0}}}) {
        SCOPED_TRACE(c.comment0);
        ProjectState changed = state;
        changed.eBalls[0].comment = c.comment0;
        QByteArray expected;
        for (size_t i = 0; i < 3; ++i) {
            QByteArray line = QByteArray::fromStdString(formatBallLine(changed.eBalls[i]));
            line.replace(",      ", "," + QByteArray(c.blanks, ' '));
            expected += line + QByteArray(c.extra[i], ' ') + ",\r\n";
        }
        ASSERT_EQ(expected.size(), room);
        EXPECT_EQ(patched(changed).mid(layout.setAPos - 2, room), expected);
    }
}

TEST_F(EggWriter, RefusesProjectsTheEggCannotHold)
{
    const BallSetSpan setB =
        readBallSet(baseEgg, state.locSetBPos, layout.ballsPerSet, eggPath(), u"ball set B"_s);
    struct Case
    {
        const char* what;
        std::function<void(ProjectState&)> change;
        QString field; // a text that does not fit, else a FormatError naming the egg
        qsizetype excess = 0;
        QString where = QString();
        QString expects = QString();
    };
    const auto outside = [](int32_t ProjectState::*member, int32_t value) {
        return [member, value](ProjectState& s) { s.*member = value; };
    };
    const auto text = [](std::string ProjectState::*member, const char* value) {
        return [member, value](ProjectState& s) { s.*member = value; };
    };
    const auto comment = [](size_t i, const char* value) {
        return [i, value](ProjectState& s) { s.eBalls[i].comment = value; };
    };
    const QString nothing;
    std::vector<Case> cases = {
        {"name block", [](ProjectState& s) { s.breedName = std::string(40 - 6 + 3, 'n'); },
         u"name block (breed name, tray and slot)"_s, 3},
        {"description", [](ProjectState& s) { s.breedDescription = std::string(100 + 1, 'd'); },
         u"description"_s, 1},
        {"attributes", [](ProjectState& s) { s.breedAttributes = std::string(80 + 5, 'a'); },
         u"attributes text"_s, 5},
        {"attributes one byte over", [](ProjectState& s) { s.breedAttributes.assign(81, 'a'); },
         u"attributes text"_s, 1},
        {"name block one byte over", [](ProjectState& s) { s.breedName.assign(40 - 6 + 1, 'n'); },
         u"name block (breed name, tray and slot)"_s, 1},
        {"set B", [](ProjectState& s) { s.eBalls[4].comment += std::string(106, 'x'); },
         u"text of ball set B"_s, 1},
        {"set A inside a line", [](ProjectState& s) { s.locSetAPos += 7; }, nothing, 0,
         u"byte %1"_s.arg(layout.setAPos + 6)},
        // The name block starting inside the last line of set B would overwrite the line just
        // written (found by fuzzing).
        {"name block inside set B", outside(&ProjectState::locNamePos, int32_t(setB.end - 3)),
         nothing, 0, u"byte %1"_s.arg(setB.end - 3),
         u"the name block to begin after ball set B, which ends at byte %1"_s.arg(setB.end - 1)},
        // The description's cleared bytes reach one byte past its length.
        {"attributes on the description's last cleared byte",
         outside(&ProjectState::locAttrPos, layout.descPos + layout.descLen), nothing},
        {"attributes on the name block's last cleared byte",
         outside(&ProjectState::locAttrPos, layout.namePos + layout.nameLen), nothing},
        {"negative description length", outside(&ProjectState::locDescLen, -1), nothing},
        {"the attributes' last cleared byte past the egg's end",
         outside(&ProjectState::locAttrPos, layout.size - layout.attrLen + 1), nothing},
        // The tips' room is the locator's, whatever the tips' length (here exactly T bytes).
        {"a tips room past the end",
         [this](ProjectState& s) {
             s.locTipsPos = layout.size - 260;
             s.regTips[0] = std::string(192, 't');
         },
         nothing, 0, QString(), u"the tips"_s},
        // Values that would change the egg's structure rather than fill a region.
        {"a line break in a comment", comment(4, "a\r\nb"), u"comment of eBall 4"_s},
        {"an empty comment", comment(0, ""), u"comment of eBall 0"_s},
        {"a diameter the game reads as -255", [](ProjectState& s) { s.ball(3).diameter = -256; },
         u"diameter of eBall 3"_s},
        {"a blank comment before a comma", comment(5, "  ,x"), u"comment of eBall 5"_s},
        {"a line break in the name", text(&ProjectState::breedName, "Zig\ngy"), u"breed name"_s},
        {"a blank in the tray", text(&ProjectState::eggTray, "1 2"), u"tray"_s},
        {"a line break in the slot", text(&ProjectState::eggSlot, "5\r"), u"slot"_s},
        {"a line break in a tip", [](ProjectState& s) { s.demoTips[1] = "a\r\nb"; },
         u"demo tip 2"_s},
        {"a line break in the last tip", [](ProjectState& s) { s.regTips[2] = "a\r\nb"; },
         u"registered tip 3"_s},
    };
    for (auto member : {&ProjectState::locDescPos, &ProjectState::locNamePos,
                        &ProjectState::locAttrPos, &ProjectState::locTipsPos})
        for (const int32_t position : {0, layout.size - 5})
            cases.push_back({"a text outside the egg", outside(member, position), nothing});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ProjectState changed = state;
        c.change(changed);
        try {
            patched(changed);
            ADD_FAILURE() << "not refused";
        } catch (const DoesNotFit& error) {
            EXPECT_EQ(error.field(), c.field);
            EXPECT_EQ(error.excessBytes(), c.excess);
            EXPECT_TRUE(error.message().contains(c.field));
        } catch (const BadValue& error) {
            EXPECT_EQ(error.field(), c.field);
            EXPECT_EQ(c.excess, 0);
        } catch (const FormatError& error) {
            EXPECT_TRUE(c.field.isEmpty());
            EXPECT_EQ(error.file(), eggPath());
            EXPECT_TRUE(c.where.isNull() || error.where() == c.where)
                << error.where().toStdString();
            EXPECT_TRUE(error.expected().startsWith(c.expects)) << error.expected().toStdString();
        }
    }
    EXPECT_TRUE(prompts.shown.empty());
    ProjectState apart = state; // one byte further on, the attributes are clear of it
    apart.locAttrPos = state.locDescPos + state.locDescLen + 1;
    apart.locAttrLen = 10;
    EXPECT_NO_THROW(patched(apart));
}

TEST_F(EggWriter, SavesTheEggWithItsCompanion)
{
    QDir().mkpath(path(u"out"_s));
    const QString target = path(u"out/My Breed.odd"_s);
    EXPECT_EQ(saveODD(installation, state, readBreedShape(installation, state), target, prompts),
              target);
    EXPECT_EQ(readFile(target), patched(state));
    EXPECT_EQ(readFile(path(u"out/My Breed.odx"_s)), baseCompanion);
    saveODD(installation, state, readBreedShape(installation, state), path(u"out/egg"_s), prompts);
    EXPECT_EQ(readFile(path(u"out/egx"_s)), baseCompanion);
    EXPECT_EQ(companionPathFor(u"a/b.ODD"_s), u"a/b.ODx"_s);
}

TEST_F(EggWriter, ARefusedSaveWritesNothing)
{
    // Every refusal leaves no file and keeps an old one.
    state.breedName = std::string(100, 'n');
    const QString refused = path(u"refused.odd"_s);
    EXPECT_THROW(
        saveODD(installation, state, readBreedShape(installation, state), refused, prompts),
        DoesNotFit);
    EXPECT_FALSE(QFile::exists(refused));
    EXPECT_FALSE(QFile::exists(path(u"refused.odx"_s)));
    writeFile(refused, "old egg");
    EXPECT_THROW(
        saveODD(installation, state, readBreedShape(installation, state), refused, prompts),
        DoesNotFit);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{u"refused.odd"_s});
    // A missing base egg is an error naming it.
    state.breedName = "ok";
    QFile::remove(eggPath());
    try {
        saveODD(installation, state, readBreedShape(installation, state), refused, prompts);
        ADD_FAILURE() << "no error";
    } catch (const FileError& error) {
        EXPECT_EQ(error.path(), eggPath());
    }
    EXPECT_EQ(readFile(refused), "old egg");
}

using NewProjectReader = BreedEgg;

TEST_F(NewProjectReader, ReadsEveryRegion)
{
    // A text ends at its first zero byte, as the game shows it; zero bytes leave the tips; a tip
    // line without its key stays whole.
    content.roomFill = '\0';
    content.description = QByteArray("Say \"hi\"\0 there", 15);
    content.attributes = QByteArray("Bouncy\0, shy", 12);
    content.nameBlock = QByteArray("Nulled\r\n12 5\0"
                                   "7",
                                   14);
    content.tipsBlock = QByteArray("string0=first\0tip\r\nno key here\r\nstring2=a string2=b\r\n"
                                   "string3=\r\nstring4=x\r\nstring5=y",
                                   84);
    install();
    const NewProject project = readZott();
    ASSERT_EQ(project.status, NewProjectStatus::Created);
    EXPECT_TRUE(prompts.shown.empty());
    EXPECT_EQ(project.shape.header.lnzNameA + "|" + project.shape.header.lnzNameB,
              "zt_small.lnz|zt.lnz");
    EXPECT_EQ(project.shape.ballsPerSet(), 3);
    const ProjectState& s = project.state;
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(s.eBalls[size_t(i)], content.balls[size_t(i)]) << "eBall " << i;
    EXPECT_EQ(s.breedName + "|" + s.eggTray + "|" + s.eggSlot, "Nulled|12|5");
    EXPECT_EQ(s.regTips, (std::array<std::string, 3>{"firsttip", "a string2=b", "x"}));
    EXPECT_EQ(s.demoTips, (std::array<std::string, 3>{"no key here", "", "y"}));
    EXPECT_EQ(s.breedDescription, "Say \"hi\"");
    EXPECT_EQ(s.breedAttributes, "Bouncy");
    EXPECT_EQ(s.locTipsLen, layout.tipsLen);
}

TEST_F(NewProjectReader, TellsOfADamagedEgg)
{
    ASSERT_EQ(readZott().status, NewProjectStatus::Created); // the egg before damage
    // Eggs whose content is not what a sound egg holds at the located positions, and locator
    // values that do not fit the egg (the other edition's files, say).
    const EggContent sound = content;
    using Change = std::function<void(EggContent&, EggLayout&)>;
    const std::pair<const char*, Change> cases[] = {
        {"name block second line without a blank",
         [](EggContent& e, EggLayout&) { e.nameBlock = "Zotty\r\n12"; }},
        {"name block of one line", [](EggContent& e, EggLayout&) { e.nameBlock = "Zotty"; }},
        {"tips without line ends",
         [](EggContent& e, EggLayout&) { e.tipsBlock = QByteArray(260, 'x'); }},
        {"ball set B off its lines", [](EggContent&, EggLayout& l) { l.setBPos += 3; }},
        {"negative tips room", [](EggContent&, EggLayout& l) { l.tipsLen = -100; }},
        {"a fourth tip pair", [](EggContent&, EggLayout& l) { l.tipCount = 7; }},
    };
    for (const auto& [what, change] : cases) {
        SCOPED_TRACE(what);
        content = sound;
        EggLayout located = layout;
        change(content, located);
        install();
        writeFile(installation.programFolder + u"/res/Zott.loc"_s, locatorFor(located));
        EXPECT_EQ(readZott().status, NewProjectStatus::DamagedEgg);
        prompts.expectOne(u"Zott.odd"_s, PromptIcon::Critical, false);
    }
}

TEST_F(NewProjectReader, TellsOfABreedNotInstalled)
{
    const NewProject unknown = readBaseBreed(installation, state, u"Quadrapus"_s, prompts);
    EXPECT_EQ(unknown.status, NewProjectStatus::NotInstalled);
    EXPECT_EQ(unknown.state.baseBreed, "quadrpus");
    prompts.expectOne(u"Quadrapus"_s, PromptIcon::None, false);
}

TEST_F(NewProjectReader, TellsOfMissingResources)
{
    for (const char* missing : {"/res/Zott.loc", "/res/Zott.blz"}) {
        SCOPED_TRACE(missing);
        QFile::remove(installation.programFolder + QLatin1String(missing));
        EXPECT_EQ(readZott().status, NewProjectStatus::NoResources);
        prompts.expectOne(u"cannot find any information"_s, PromptIcon::Critical, false);
    }
}

class PackageWriter : public BreedEgg
{
protected:
    void SetUp() override
    {
        BreedEgg::SetUp();
        ASSERT_TRUE(temp.isValid());
        // QTemporaryDir follows TMPDIR: the package's work folder lands where we can see it.
        savedTmp = qgetenv("TMPDIR");
        qputenv("TMPDIR", temp.path().toLocal8Bit());
        settings.write(kSectionMain, u"YPKSiteName"_s, u"Zig's page"_s);
    }
    void TearDown() override
    {
        qputenv("TMPDIR", savedTmp); // empty: the system's
        EXPECT_TRUE(QDir(temp.path())
                        .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)
                        .isEmpty())
            << "temporary files left";
    }
    // Runs cabextract and returns its standard output; fails the test on a non-zero exit.
    static QByteArray cabextract(const QStringList& arguments)
    {
        QProcess process;
        process.start(QStandardPaths::findExecutable(u"cabextract"_s), arguments);
        EXPECT_TRUE(process.waitForFinished(30000)) << "scripts/setup installs cabextract";
        EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
        return process.readAllStandardOutput();
    }
    // The member names in cabinet order, as cabextract lists them.
    static QStringList members(const QString& package)
    {
        QStringList names;
        for (const QString& line :
             QString::fromUtf8(cabextract({u"-l"_s, package})).split(QLatin1Char('\n')))
            if (line.count(" | "_L1) == 2)
                names << line.section(" | "_L1, 2);
        return names.mid(1); // after the heading
    }

    QTemporaryDir temp;
    QByteArray savedTmp;
    MemorySettingsStore settings;
};

TEST_F(PackageWriter, InformationFileIsOneLineWithQuotesStoredCurly)
{
    // The information file: one line of the tag, the texts, a flag and the site; a double
    // quote anywhere would end its field early, so it is stored as character 148.
    ProjectState info;
    info.breedName = "Ziggy";
    info.breedDescription = "Line one\r\nline two";
    EXPECT_EQ(ypkInfoBytes(info, QString(), QString()),
              "\"YPKFILE|$|2.0\",\"Ziggy\",\"Line one\r\nline two\",#FALSE#,\"\",\"\"\r\n");
    info.breedName = "The \"Odd\" One";
    info.breedDescription = "Already \x94stored\x94";
    EXPECT_EQ(ypkInfoBytes(info, u"Zig's \"site\""_s, u"http://example.org/"_s),
              "\"YPKFILE|$|2.0\",\"The \x94Odd\x94 One\",\"Already \x94stored\x94\",#FALSE#,"
              "\"Zig's \x94site\x94\",\"http://example.org/\"\r\n");
    EXPECT_THROW(ypkInfoBytes(info, u"\u4e2d"_s, QString()), Error);
}

TEST_F(PackageWriter, CabinetHoldsInformationCompanionThenEgg)
{
    const QString package = path(u"My Breed.ypk"_s);
    SaveYPK(installation, state, readBreedShape(installation, state), package, prompts, settings);
    EXPECT_EQ(members(package),
              (QStringList{u"ypkinfo.inf"_s, u"My Breed.odx"_s, u"My Breed.odd"_s}));
    const QString out = path(u"extracted"_s);
    cabextract({u"-q"_s, u"-d"_s, out, package});
    EXPECT_EQ(readFile(out + u"/ypkinfo.inf"_s), ypkInfoBytes(state, u"Zig's page"_s, QString()));
    EXPECT_EQ(readFile(out + u"/My Breed.odx"_s), baseCompanion);
    EXPECT_EQ(readFile(out + u"/My Breed.odd"_s), patched(state));
    EXPECT_EQ(QDir(out).entryList(QDir::Files).size(), 3);
}

TEST_F(PackageWriter, SameProjectMakesTheSameBytes)
{
    const QString package = path(u"My Breed.ypk"_s);
    SaveYPK(installation, state, readBreedShape(installation, state), package, prompts, settings);
    QDir().mkpath(path(u"b"_s));
    SaveYPK(installation, state, readBreedShape(installation, state), path(u"b/My Breed.ypk"_s),
            prompts, settings);
    EXPECT_EQ(readFile(path(u"b/My Breed.ypk"_s)), readFile(package));
}

TEST_F(PackageWriter, CabinetWithoutCompanionHoldsTwoFiles)
{
    // Without a companion, two files; a name outside ASCII survives as it is (marked UTF-8).
    QFile::remove(eggPath('x'));
    const QString accented = path(u"Br\u00e9ed.ypk"_s);
    SaveYPK(installation, state, readBreedShape(installation, state), accented, prompts, settings);
    EXPECT_EQ(members(accented), (QStringList{u"ypkinfo.inf"_s, u"Br\u00e9ed.odd"_s}));
}

TEST_F(PackageWriter, ARefusedPackageWritesNothing)
{
    // A refused egg or an unwritable target leaves no package and keeps an old one.
    const QString old = path(u"old.ypk"_s);
    state.breedName = std::string(200, 'n');
    EXPECT_THROW(
        SaveYPK(installation, state, readBreedShape(installation, state), old, prompts, settings),
        DoesNotFit);
    EXPECT_FALSE(QFile::exists(old));
    writeFile(old, "old package");
    EXPECT_THROW(
        SaveYPK(installation, state, readBreedShape(installation, state), old, prompts, settings),
        DoesNotFit);
    EXPECT_EQ(readFile(old), "old package");
    state.breedName = "ok";
    EXPECT_THROW(SaveYPK(installation, state, readBreedShape(installation, state),
                         path(u"no/such/folder/x.ypk"_s), prompts, settings),
                 FileError);
}

// Property: whatever project the writer accepts comes back from its egg, read at the located
// places by the wizard's reader, as the project's values up to the reader's documented trimming.
// Random projects from a fixed seed on every sample breed of both editions.
using EggRoundTrip = TempFolderTest;

TEST_F(EggRoundTrip, WhatTheWriterAcceptsTheReaderGivesBack)
{
    FileSystem fso;
    std::mt19937 random(20261206);
    const auto pick = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    const auto text = [&](int length, std::string_view alphabet) {
        std::string t;
        for (int i = 0; i < length; ++i)
            t += alphabet[size_t(pick(0, int(alphabet.size()) - 1))];
        return t;
    };
    // Blanks, commas, quotes straight and stored, and a letter beyond ASCII.
    const std::string_view word = "ab Z,\"\x94\xe9", lines = "ab Z,\"\x94\xe9\r\n";
    const auto asRead = [](std::string c) { // cut at a comma and at four blanks, end trimmed
        c = c.substr(0, c.find(',')).substr(0, c.find("    "));
        return c.erase(c.find_last_not_of(' ') + 1);
    };
    const auto number = [&] { return int16_t(pick(0, 7) ? pick(-20, 300) : pick(-32768, 32767)); };
    sample::writeResourceFiles(path(u"program"_s));
    int accepted = 0;
    for (const Edition edition : {Edition::US, Edition::UK}) {
        sample::writeSampleGame(dir.path(), edition);
        Installation install =
            testInstallation(fso, path(u"program"_s), sample::gameFolder(dir.path(), edition));
        install.edition = edition;
        for (const BaseBreedEntry& breed : baseBreeds()) {
            ScriptedPrompts prompts;
            const NewProject base = readBaseBreed(install, ProjectState{}, breed.listText, prompts);
            ASSERT_EQ(base.status, NewProjectStatus::Created) << breed.stem;
            const int n = base.shape.ballsPerSet();
            const QByteArray baseEgg = readFile(install.baseEggPath(base.state.baseBreed));
            for (int round = 0; round < 4; ++round) {
                SCOPED_TRACE(breed.stem + " round " + std::to_string(round));
                ProjectState s = base.state;
                prompts.shown.clear();
                for (int i = 0; i < 2 * n; ++i) {
                    EBallRecord& r = s.ball(i);
                    for (int16_t* value :
                         {&r.fillColor, &r.borderColor, &r.spreckColor, &r.fuzziness,
                          &r.borderThickness, &r.diameter, &r.auxValue, &r.texture})
                        *value = number();
                    r.diameter = std::max<int16_t>(r.diameter, -255); // the writer refuses less
                    r.comment = text(pick(0, 5), " ") + "w" + text(pick(0, 9), word);
                    r.useTexture = int16_t(pick(0, 1));
                }
                s.breedName = text(pick(0, 14), word);
                s.eggTray = text(pick(0, 3), "0123456789");
                s.eggSlot = text(pick(0, 3), "0123456789");
                s.breedDescription = text(pick(0, s.locDescLen), lines);
                s.breedAttributes = text(pick(0, s.locAttrLen), lines);
                for (int t = 0; t < 3; ++t) {
                    s.regTips[size_t(t)] = text(pick(0, 20), word);
                    s.demoTips[size_t(t)] = text(pick(0, 20), word);
                }
                QByteArray egg;
                try {
                    egg = patchedEgg(s, baseEgg, n, prompts, QString());
                } catch (const DoesNotFit&) {
                    continue; // no room: told, and nothing written
                }
                ++accepted;
                ProjectState read = base.state;
                readEggRegions(read, n, egg, QString());
                for (int i = 0; i < 2 * n; ++i) {
                    EBallRecord expected = s.ball(i);
                    expected.texture = expected.useTexture ? expected.texture : int16_t(-1);
                    expected.useTexture = expected.texture > -1;
                    expected.comment = asRead(expected.comment);
                    ASSERT_EQ(read.ball(i), expected) << "eBall " << i;
                }
                EXPECT_EQ(read.breedName + "|" + read.eggTray + "|" + read.eggSlot,
                          s.breedName + "|" + s.eggTray + "|" + s.eggSlot);
                EXPECT_EQ(read.breedDescription + "|" + read.breedAttributes,
                          fromStoredQuotes(s.breedDescription + "|" + s.breedAttributes));
                // Unless they were cut to their room (as the user is told), the tips come back.
                for (size_t t = 0; prompts.shown.empty() && t < size_t(s.tipCount / 2); ++t)
                    EXPECT_EQ(read.regTips[t] + "|" + read.demoTips[t],
                              s.regTips[t] + "|" + s.demoTips[t]);
            }
        }
    }
    EXPECT_GT(accepted, 40);
}

} // namespace yw
