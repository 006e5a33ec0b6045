// The bad-input suite: every input a player's files, folders or disks can throw at the readers and
// writers, each with the outcome it must have (the message the user is shown, the state
// unchanged, no file left half-written; yolkwright-cli's refusals are in tests/cli). The cases are
// counted and the count is printed at the end, for the README's reliability table.
#include "files/breedresources.h"
#include "files/breedsheet.h"
#include "files/eggwriter.h"
#include "files/newproject.h"
#include "files/packagewriter.h"
#include "files/projectfile.h"
#include "platform/errors.h"
#include "platform/filesystem.h"
#include "platform/savefile.h"
#include "platform/settingsstore.h"
#include "samplegame/samplegame.h"
#include "support/locator.h"
#include "support/snapshot.h"
#include "support/statecompare.h"
#include "support/testsupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <csignal>
#include <cstdio>
#include <functional>
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace yw {

using namespace test;

namespace {

int g_cases = 0;

class CaseCount : public ::testing::Environment
{
public:
    void TearDown() override { std::printf("bad inputs tried: %d\n", g_cases); }
};

const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new CaseCount);

const QString kDamagedZott = QStringLiteral(
    "It appears that the Zott.odd file in your Oddballz folder is either corrupt, a demo egg, or "
    "your version of Oddballz has not been specified in the Options window.");
const QString kNoResources =
    QStringLiteral("Yolkwright cannot find any information about the breed that was selected. A "
                   "resource file may have been damaged or deleted.");

constexpr int kZott = 3; // the sample breed used throughout: 67 eBalls per set, 6 tips

QByteArray joinLines(const QList<QByteArray>& lines, int count)
{
    QByteArray bytes;
    for (int i = 0; i < count; ++i)
        bytes += lines[i] + "\r\n";
    return bytes;
}

// Runs `fn` and expects a FileError naming `file` with a reason.
void expectFileError(const QString& file, const std::function<void()>& fn)
{
    try {
        fn();
        ADD_FAILURE() << "not refused";
    } catch (const FileError& error) {
        EXPECT_EQ(error.path(), file);
        EXPECT_TRUE(error.message().startsWith(file));
        EXPECT_FALSE(error.reason().isEmpty());
    }
}

void setMode(const QString& path, mode_t mode)
{
    ASSERT_EQ(chmod(QFile::encodeName(path).constData(), mode), 0);
}

} // namespace

class BadInput : public ::testing::Test
{
protected:
    void SetUp() override
    {
        install = test::sampleGameInstallation(work.path(), fso);
        data = install.programFolder;

        NewProject project = readBaseBreed(install, state, QStringLiteral("Zott"), prompts);
        ASSERT_EQ(project.status, NewProjectStatus::Created);
        state = project.state;
        shape = project.shape;
        state.eBalls[kParkingRecord].comment = "parked";
        projectPath = path("good.opj");
        SaveOPJ(install, state, shape, projectPath);
        good = readFile(projectPath);
        lines = good.split('\n');
        for (QByteArray& line : lines)
            line.chop(1);   // the carriage return
        lines.removeLast(); // after the final line end
        prompts.shown.clear();
    }

    QString path(const char* name) const { return work.filePath(QLatin1String(name)); }
    QString resPath(const char* extension) const
    {
        return data + QStringLiteral("/res/Zott") + QLatin1String(extension);
    }
    QString eggPath() const { return install.baseEggPath(state.baseBreed); }

    void writeLocator(const ProjectState& s) { writeFile(resPath(".loc"), test::locatorText(s)); }

    // Opens `bytes` as a project and expects a refusal naming the file (or `faultyFile`, a
    // resource file) and `where`; the state must be exactly as it was and no editor closed.
    void expectOpenRefused(const QByteArray& bytes, const QString& where,
                           const QString& faultyFile = QString())
    {
        ++g_cases;
        const QString file = path("bad.opj");
        writeFile(file, bytes);
        const ProjectState before = state;
        bool closed = false;
        test::expectFormatError(
            [&] {
                OpenOPJ(install, state, openedShape, file, prompts, settings,
                        [&] { closed = true; });
            },
            faultyFile.isEmpty() ? file : faultyFile, where);
        EXPECT_FALSE(closed);
        EXPECT_EQ(test::projectDifference(state, before), "");
        EXPECT_EQ(state.eBalls[kParkingRecord].comment, "parked");
    }

    // Runs `save` expecting a failure of `kind` that leaves the folder of `target` as it was.
    template <typename Kind>
    void expectSaveRefused(const QString& target, const std::function<void()>& save)
    {
        ++g_cases;
        const QString folder = QFileInfo(target).absolutePath();
        const QStringList before = test::snapshot(folder);
        EXPECT_THROW(save(), Kind);
        EXPECT_EQ(test::snapshot(folder), before);
    }

    // The wizard's reading of the (changed) sample Zott: refused, and told exactly once.
    void expectWizardRefusal(NewProjectStatus status, const QString& text)
    {
        ++g_cases;
        ScriptedPrompts told;
        EXPECT_EQ(readBaseBreed(install, state, QStringLiteral("Zott"), told).status, status);
        ASSERT_EQ(told.shown.size(), 1u);
        EXPECT_EQ(told.shown[0].text, text);
        EXPECT_EQ(told.shown[0].icon, PromptIcon::Critical);
    }

    // A damaged egg: the wizard says so, and the egg writer refuses it without leaving a file.
    void expectDamagedEgg()
    {
        expectWizardRefusal(NewProjectStatus::DamagedEgg, kDamagedZott);
        const QString target = path("out.odd");
        expectSaveRefused<FormatError>(target,
                                       [&] { saveODD(install, state, shape, target, prompts); });
    }

    QTemporaryDir work;
    QString data;
    FileSystem fso;
    Installation install;
    ProjectState state;
    BreedShape shape;       // as the project was made
    BreedShape openedShape; // what an open read
    MemorySettingsStore settings;
    ScriptedPrompts prompts;
    QString projectPath;
    QByteArray good;
    QList<QByteArray> lines;
};

TEST_F(BadInput, ProjectFileCutShortAtEveryLine)
{
    ASSERT_EQ(lines.size(), 1 + 2 + 3 + 134 + 2);
    // An empty file or a wrong first line is not a project file: the one message, nothing
    // changed.
    const ProjectState before = state;
    for (const QByteArray& header :
         {QByteArray(), QByteArray("[Yolkwright Project File] "), lines[0].toLower()}) {
        ++g_cases;
        writeFile(path("other.opj"), header.isEmpty() ? header : header + good.mid(25));
        ScriptedPrompts told;
        EXPECT_EQ(OpenOPJ(install, state, openedShape, path("other.opj"), told, settings),
                  OpenResult::NotProjectFile);
        ASSERT_EQ(told.shown.size(), 1u);
        EXPECT_EQ(told.shown[0].text,
                  path("other.opj") +
                      QStringLiteral(" is not a valid project file. It cannot be opened."));
        EXPECT_EQ(test::projectDifference(state, before), "");
    }
    g_cases += 2; // a missing project file, and a project whose information file is missing
    EXPECT_THROW(OpenOPJ(install, state, openedShape, path("missing.opj"), prompts, settings),
                 FileError);
    QFile::rename(resPath(".blz"), resPath(".old"));
    EXPECT_THROW(OpenOPJ(install, state, openedShape, projectPath, prompts, settings), FileError);
    QFile::rename(resPath(".old"), resPath(".blz"));
    EXPECT_EQ(test::projectDifference(state, before), "");

    // Cut after line k: the reader names the line where the file ended.
    for (int k = 1; k < int(lines.size()); ++k) {
        SCOPED_TRACE(k);
        expectOpenRefused(joinLines(lines, k), QStringLiteral("line %1").arg(k + 1));
    }
    // Cut inside a quoted text: the closing quote is missing.
    const qsizetype inside = good.indexOf("\"", good.indexOf("\r\n") + 3) + 2;
    expectOpenRefused(good.left(inside), QStringLiteral("line 2"));
}

TEST_F(BadInput, EveryNumberFieldMadeNonNumeric)
{
    const int firstBall = 1 + 2 + 3; // 0-based line of eBall 0
    const int numeric[] = {0, 1, 2, 3, 4, 6, 7, 8, 9};
    for (int ball = 0; ball < 134; ++ball) {
        for (int field : numeric) {
            QList<QByteArray> changed = lines;
            QList<QByteArray> fields = changed[firstBall + ball].split(',');
            ASSERT_EQ(fields.size(), 10);
            fields[field] = ball % 2 ? "x" : "1e";
            changed[firstBall + ball] = fields.join(',');
            SCOPED_TRACE(testing::Message() << "eBall " << ball << " field " << field);
            expectOpenRefused(joinLines(changed, int(changed.size())),
                              QStringLiteral("line %1").arg(firstBall + ball + 1));
        }
    }
    // Out of the 16-bit range counts as not a number too.
    QList<QByteArray> changed = lines;
    changed[firstBall] = "0,0,0,40000,0,\"x\",0,0,0,0";
    expectOpenRefused(joinLines(changed, int(changed.size())),
                      QStringLiteral("line %1").arg(firstBall + 1));
}

TEST_F(BadInput, ZeroToFourTipPairs)
{
    for (int tipCount : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}) {
        SCOPED_TRACE(tipCount);
        ++g_cases;
        ProjectState edited = state;
        edited.tipCount = tipCount;
        writeLocator(edited);
        const QString file = path("tips.opj");
        QFile::remove(file);
        if (tipCount / 2 <= 3) {
            // Zero to three pairs: saved and read back whole.
            SaveOPJ(install, edited, shape, file);
            EXPECT_EQ(readFile(file).count("\r\n"), 1 + 2 + tipCount / 2 + 134 + 2);
            ProjectState opened = state;
            ASSERT_EQ(OpenOPJ(install, opened, openedShape, file, prompts, settings),
                      OpenResult::Opened);
            for (int t = 0; t < tipCount / 2; ++t)
                EXPECT_EQ(opened.regTips[size_t(t)], state.regTips[size_t(t)]);
            EXPECT_EQ(opened.breedAttributes, state.breedAttributes);
        } else {
            // Four pairs do not fit the state: refused on saving and on opening.
            expectSaveRefused<FormatError>(file, [&] { SaveOPJ(install, edited, shape, file); });
            expectOpenRefused(good, QStringLiteral("line 8"), resPath(".loc"));
        }
    }
}

TEST_F(BadInput, BallsPerSetOutOfRangeOrNotANumber)
{
    const QByteArray info = readFile(resPath(".blz"));
    const qsizetype comma = info.indexOf(",67");
    ASSERT_GT(comma, 0);
    for (const char* count : {"0", "257", "-1", "sixty", "", "67.5x", "99999999999"}) {
        SCOPED_TRACE(count);
        QByteArray changed = info;
        changed.replace(comma + 1, 2, count);
        writeFile(resPath(".blz"), changed);
        ++g_cases;
        test::expectFormatError([&] { readBreedHeader(resPath(".blz")); }, resPath(".blz"),
                                QStringLiteral("line 1"));
        expectOpenRefused(good, QStringLiteral("line 1"), resPath(".blz"));
        // The wizard calls a header that does not read a damaged resource file.
        expectWizardRefusal(NewProjectStatus::NoResources, kNoResources);
    }
}

TEST_F(BadInput, LocatorLineMissingKeepsItsMembers)
{
    const QList<QByteArray> locLines = readFile(resPath(".loc")).split('\n');
    // Every line from 3 to 8 missing in turn: getLOX keeps the members of that line.
    for (int missing = 2; missing < 8; ++missing) {
        SCOPED_TRACE(missing);
        ++g_cases;
        QList<QByteArray> changed = locLines;
        changed[missing] = "\r";
        writeFile(resPath(".loc"), changed.join('\n'));
        ProjectState read = state;
        read.locDescPos = read.locNamePos = read.locSetBPos = read.locSetAPos = read.locAttrPos =
            read.locTipsPos = -5;
        getLOX(install, read);
        const int32_t kept[] = {read.locDescPos, read.locNamePos, read.locSetBPos,
                                read.locSetAPos, read.locAttrPos, read.locTipsPos};
        for (int row = 0; row < 6; ++row)
            EXPECT_EQ(kept[row] == -5, row == missing - 2) << row;
    }
}

TEST_F(BadInput, GarbageLocatorFileChangesNothing)
{
    const QByteArray garbage[] = {"",
                                  "\r\n\r\n",
                                  QByteArray("\0\0\0\0", 4),
                                  "Zott\r\nUS\r\n100\t50\r\n",
                                  "Zott\r\nUS\r\nabc\t\tdef\r\n\t\t\t\t\r\n1e9\t\t2\r\n--\r\n",
                                  QByteArray(5000, '\t')};
    for (const QByteArray& bytes : garbage) {
        ++g_cases;
        writeFile(resPath(".loc"), bytes);
        ProjectState read = state;
        getLOX(install, read);
        EXPECT_EQ(test::projectDifference(read, state), "");
    }
}

TEST_F(BadInput, MissingLocatorFileIsRefused)
{
    // A missing locator file: the project cannot be read, and the wizard says so.
    QFile::remove(resPath(".loc"));
    ++g_cases;
    const ProjectState before = state;
    EXPECT_THROW(OpenOPJ(install, state, openedShape, projectPath, prompts, settings), FileError);
    EXPECT_EQ(test::projectDifference(state, before), "");
    expectWizardRefusal(NewProjectStatus::NoResources, kNoResources);
}

TEST_F(BadInput, EggShorterThanARegionIsDamaged)
{
    const QByteArray egg = readFile(eggPath());
    const sample::EggLayout layout = sample::eggLayout(kZott, sample::Edition::US);
    const qint64 tipsEnd = layout.locTipsPos + 10 * layout.tipCount + layout.locTipsLen;
    const qint64 ends[] = {layout.locDescPos + layout.locDescLen - 1,
                           layout.locNamePos + layout.locNameLen - 1,
                           layout.locAttrPos + layout.locAttrLen - 1,
                           tipsEnd - 1,
                           layout.locSetAPos + 10,
                           layout.locSetBPos + 10};
    for (qint64 end : ends) {
        SCOPED_TRACE(end);
        writeFile(eggPath(), egg.left(end - 1));
        expectDamagedEgg();
    }
}

TEST_F(BadInput, RegionBeyondTheEggsEndIsDamaged)
{
    const QByteArray egg = readFile(eggPath());
    int32_t ProjectState::*positions[] = {&ProjectState::locDescPos, &ProjectState::locNamePos,
                                          &ProjectState::locAttrPos, &ProjectState::locTipsPos,
                                          &ProjectState::locSetAPos, &ProjectState::locSetBPos};
    for (auto member : positions) {
        for (qint64 beyond : {qint64(egg.size()) - 2, qint64(egg.size()) + 1, qint64(2147483647)}) {
            SCOPED_TRACE(beyond);
            ProjectState located = state;
            located.*member = int32_t(beyond);
            writeLocator(located);
            ProjectState moved = state;
            getLOX(install, moved);
            ASSERT_EQ(moved.*member, beyond);
            std::swap(state, moved);
            expectDamagedEgg();
            std::swap(state, moved);
        }
    }
}

TEST_F(BadInput, SetLinesThatDoNotParse)
{
    const QByteArray egg = readFile(eggPath());
    const sample::EggLayout layout = sample::eggLayout(kZott, sample::Edition::US);
    // Each damage replaces `length` bytes at the first `find` from the line's start (at the
    // start itself when `find` is empty) with `with`; a length of -1 replaces every match.
    struct Damage
    {
        const char* what;
        const char* find;
        qsizetype length;
        const char* with;
    };
    const Damage damages[] = {{"a number made a letter", "", 1, "q"},
                              {"a comma removed", ",", 1, " "},
                              {"the comment's four blanks removed", "    ;", 4, "xxxx"},
                              {"a number out of range", "", 3, "99999"},
                              {"no line feed to the end", "\n", -1, " "}};
    for (qint64 setPos : {qint64(layout.locSetAPos), qint64(layout.locSetBPos)}) {
        for (int index : {0, 33, 66}) {
            qsizetype at = setPos - 2; // 0-based first byte of the first line
            for (int i = 0; i < index; ++i)
                at = egg.indexOf('\n', at) + 1;
            for (const Damage& damage : damages) {
                SCOPED_TRACE(testing::Message() << damage.what << " in line " << index);
                QByteArray changed = egg;
                if (damage.length < 0)
                    changed = egg.left(at) + egg.mid(at).replace(damage.find, damage.with);
                else
                    changed.replace(*damage.find ? egg.indexOf(damage.find, at) : at, damage.length,
                                    damage.with);
                writeFile(eggPath(), changed);
                expectDamagedEgg();
            }
        }
    }
}

// Inputs and outputs that are not what they should be, each refused by name before anything is
// written: a pipe would block the reader for ever and a device never end, a target that is not a
// regular file must stay what it is, a missing folder is not made, and an output never replaces
// a file it is made from, however its path is spelt. Pipes are made here: a device under /dev
// would be damaged by a run as root that went wrong.
TEST_F(BadInput, UnfitFilesAreRefusedByName)
{
    const QString pipe = path("pipe");
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(pipe, path("link-to-pipe")));
    QDir().mkpath(path("folder"));
    writeFile(path("plain-file"), "I am a file");
    const QString own = path("own.odx"); // the project whose egg "own.odd" has it as companion
    writeFile(own, good);
    const auto sized = [&](const QString& file, qint64 size) {
        QFile sparse(file);
        ASSERT_TRUE(sparse.open(QIODevice::ReadWrite) && sparse.resize(size));
    };
    const QByteArray egg = readFile(eggPath());
    const QString companion = install.baseCompanionPath(state.baseBreed);
    const qint64 mib = 1 << 20;
    // Each case puts things in place, then expects `run` to be refused naming `file`.
    struct Case
    {
        const char* what;
        QString file;
        std::function<void()> prepare;
        std::function<void()> run;
    };
    const auto open = [&](const QString& project) {
        return [&, project] { OpenOPJ(install, state, openedShape, project, prompts, settings); };
    };
    const auto odd = [&](const QString& target, const QString& project = QString()) {
        return [&, target, project] { saveODD(install, state, shape, target, prompts, project); };
    };
    const auto opj = [&](const QString& target) {
        return [&, target] { SaveOPJ(install, state, shape, target); };
    };
    const auto ypk = [&](const QString& target, const QString& project = QString()) {
        return [&, target, project] {
            SaveYPK(install, state, shape, target, prompts, settings, project);
        };
    };
    const auto pipeAt = [&](const QString& file) {
        return [&, file] {
            QFile::remove(file);
            ASSERT_TRUE(QFile::link(pipe, file));
        };
    };
    const auto nothing = [] {};
    const auto hardLink = [&](const char* name) {
        return link(QFile::encodeName(projectPath).constData(),
                    QFile::encodeName(path(name)).constData()) == 0;
    };
    const auto withCompanion = [&] { writeFile(companion, "companion"); };
    std::vector<Case> cases = {
        {"project is a pipe", pipe, nothing, open(pipe)},
        {"project is a link to a pipe", path("link-to-pipe"), nothing, open(path("link-to-pipe"))},
        {"project is a folder", path("folder"), nothing, open(path("folder"))},
        {"project over 1 MiB", path("big.opj"), [&] { sized(path("big.opj"), mib + 1); },
         open(path("big.opj"))},
        {"information file is a pipe", resPath(".blz"), pipeAt(resPath(".blz")), open(projectPath)},
        {"locator file is a pipe", resPath(".loc"), pipeAt(resPath(".loc")), open(projectPath)},
        {"locator file over 1 MiB", resPath(".loc"), [&] { sized(resPath(".loc"), mib + 1); },
         open(projectPath)},
        {"base egg is a pipe", eggPath(), pipeAt(eggPath()), odd(path("out.odd"))},
        {"base egg over 64 MiB", eggPath(), [&] { sized(eggPath(), 64 * mib + 1); },
         odd(path("out.odd"))},
        {"base companion is a pipe", companion, pipeAt(companion), odd(path("out.odd"))},
        {"egg target is a pipe", pipe, nothing, odd(pipe)},
        {"egg target is a folder", path("folder"), nothing, odd(path("folder"))},
        {"companion target is a pipe", path("out.odx"),
         [&] {
             withCompanion();
             ASSERT_TRUE(QFile::link(pipe, path("out.odx")));
         },
         odd(path("out.odd"))},
        {"project target is a pipe", pipe, nothing, opj(pipe)},
        {"package target is a pipe", pipe, nothing, ypk(pipe)},
        {"egg over its project", projectPath, withCompanion, odd(projectPath, projectPath)},
        {"companion over its project", own, withCompanion, odd(path("own.odd"), own)},
        {"egg named as its own companion", path("Rex"), withCompanion,
         odd(path("Rex"), projectPath)},
        {"egg named as its own companion in capitals", path("BREED.ODX"), withCompanion,
         odd(path("BREED.ODX"), projectPath)},
        {"package over its project", projectPath, withCompanion, ypk(projectPath, projectPath)},
        {"package over the base egg", eggPath(), withCompanion, ypk(eggPath(), projectPath)},
        {"project over the base egg", eggPath(), withCompanion, opj(eggPath())},
        {"project over the base companion", companion, withCompanion, opj(companion)},
        {"egg over a hard link to its project", path("hard.opj"),
         [&] { ASSERT_TRUE(hardLink("hard.opj")); }, odd(path("hard.opj"), projectPath)},
        {"egg over its project in a linked folder", path("mirror/good.opj"),
         [&] { ASSERT_TRUE(QFile::link(work.path(), path("mirror"))); },
         odd(path("mirror/good.opj"), projectPath)},
        // The breed's own files, shipped and the player's (not there yet, in another case).
        {"egg over the locator file", resPath(".loc"), nothing, odd(resPath(".loc"), projectPath)},
        {"package over the information file", resPath(".blz"), nothing, ypk(resPath(".blz"))},
        {"sheet over the locator file", resPath(".loc"), nothing,
         [&] { saveBreedSheet(install, state, shape, resPath(".loc"), projectPath); }},
        {"project as the player's own information file", path("own/res/ZOTT.blz"),
         [&] {
             install.userFolder = path("own");
             QDir().mkpath(path("own/res"));
         },
         opj(path("own/res/ZOTT.blz"))},
        // An egg and its companion are one save: the old egg stays when the companion cannot be.
        {"companion into a folder that is not there", path("out.odx"),
         [&] {
             withCompanion();
             writeFile(path("out.odd"), "old egg");
             ASSERT_TRUE(QFile::link(path("gone/out.odx"), path("out.odx")));
         },
         odd(path("out.odd"))},
    };
    for (const char* base : {"no/such/folder/x", "plain-file/x"}) {
        const auto target = [&](const char* extension) {
            return path(base) + QLatin1String(extension);
        };
        cases.push_back({"project in no folder", target(".opj"), nothing, opj(target(".opj"))});
        cases.push_back({"egg in no folder", target(".odd"), nothing, odd(target(".odd"))});
        cases.push_back({"package in no folder", target(".ypk"), nothing, ypk(target(".ypk"))});
    }
    const QByteArray blz = readFile(resPath(".blz"));
    const QByteArray loc = readFile(resPath(".loc"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ++g_cases;
        c.prepare();
        const QStringList before = test::snapshot(work.path());
        const ProjectState unchanged = state;
        expectFileError(c.file, c.run);
        EXPECT_EQ(test::snapshot(work.path()), before);
        EXPECT_EQ(test::projectDifference(state, unchanged), "");
        for (const QString& file :
             {resPath(".blz"), resPath(".loc"), eggPath(), companion, path("out.odx")})
            QFile::remove(file);
        writeFile(resPath(".blz"), blz);
        writeFile(resPath(".loc"), loc);
        writeFile(eggPath(), egg);
    }
    EXPECT_FALSE(QFileInfo::exists(path("no")));
    // Without a companion the companion's name is an egg like any other.
    EXPECT_NO_THROW(saveODD(install, state, shape, path("Rex"), prompts, projectPath));

    // A bigger egg than the game's own is still an egg, and a link is written through.
    sized(eggPath(), 2 * mib);
    ASSERT_TRUE(QFile::link(path("real.odd"), path("link.odd")));
    saveODD(install, state, shape, path("link.odd"), prompts);
    EXPECT_TRUE(QFileInfo(path("link.odd")).isSymLink());
    EXPECT_EQ(QFileInfo(path("real.odd")).size(), 2 * mib);
}

// Runs `body` with the privileges of a user who may not write into a folder with mode 0555. As
// root every folder is writable, so the body then runs in a child process that has given up
// root; its exit code is the number of failed checks.
int withoutWriteAccess(const std::function<int()>& body)
{
    if (geteuid() != 0)
        return body();
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        if (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0)
            _exit(100);
        _exit(body());
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 200;
}

TEST_F(BadInput, ReadOnlyTargetFolder)
{
    const QString folder = path("locked");
    const QString project = folder + QStringLiteral("/p.opj");
    const QString egg = folder + QStringLiteral("/p.odd");
    writeFile(project, "the old project");
    // The child must reach the folder: the work folder is private to root otherwise.
    setMode(work.path(), 0755);
    setMode(folder, 0555);
    setMode(project, 0444);
    const QStringList before = test::snapshot(folder);
    const QByteArray bytes = projectFileBytes(install, state, 67, 0);
    g_cases += 2;
    const int failures = withoutWriteAccess([&] {
        int failed = 0;
        for (const QString& target : {project, egg}) {
            try {
                saveFileAtomically(target, bytes);
                ++failed;
            } catch (const FileError& error) {
                failed += error.path() == target && !error.reason().isEmpty() ? 0 : 1;
            }
        }
        return failed;
    });
    EXPECT_EQ(failures, 0);
    EXPECT_EQ(test::snapshot(folder), before);
}

TEST_F(BadInput, FullDisk)
{
    // A disk that takes no more bytes, without mounting one: the file-size limit makes every
    // write past 1 KiB fail with "File too large", exactly where a full disk would fail. Small
    // files matter most: they sit in the write buffer until the commit, and QSaveFile alone then
    // commits a cut-off file in place of the old one.
    const QString small = path("small.opj");
    const QString project = path("full.opj");
    const QString egg = path("full.odd");
    const QString package = path("full.ypk");
    for (const QString& file : {small, project, egg})
        writeFile(file, "the old file");
    // A private temporary folder, so the package writer's leftovers (there must be none) are
    // ours to see.
    const QString temp = path("temp");
    QDir().mkpath(temp);
    const QByteArray oldTemp = qgetenv("TMPDIR");
    qputenv("TMPDIR", temp.toLocal8Bit());
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    const rlimit tiny{1024, old.rlim_max};
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tiny), 0);
    const QStringList before = test::snapshot(work.path());
    const std::pair<QString, std::function<void()>> saves[] = {
        {small, [&] { saveFileAtomically(small, QByteArray(5000, 'x')); }},
        {small, [&] { saveFileAtomically(small, QByteArray(200000, 'x')); }},
        {project, [&] { SaveOPJ(install, state, shape, project); }},
        {egg, [&] { saveODD(install, state, shape, egg, prompts); }},
        {package, [&] { SaveYPK(install, state, shape, package, prompts, settings); }}};
    QStringList failed;
    for (const auto& [target, save] : saves) {
        ++g_cases;
        try {
            save();
        } catch (const FileError& error) {
            // The package fails on its work copy of the egg, in the temporary folder. The reason
            // is the system's, not Qt's "Unknown error" for a short write.
            if ((error.path() == target || target == package) &&
                error.reason() == QStringLiteral("File too large."))
                failed << target;
        }
    }
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, SIG_DFL);
    if (oldTemp.isEmpty())
        qunsetenv("TMPDIR");
    else
        qputenv("TMPDIR", oldTemp);
    EXPECT_EQ(failed, (QStringList{small, small, project, egg, package}));
    EXPECT_EQ(test::snapshot(work.path()), before); // the old files, and nothing left in temp
    // With room again the same save goes through.
    saveFileAtomically(small, QByteArray(5000, 'x'));
    EXPECT_EQ(readFile(small).size(), 5000);
}

// A disk that is really full (a small memory disk, where this runs as root) is named as such, for
// a single save and a paired one alike, and the old files stay.
TEST_F(BadInput, AFullDiskSaysSo)
{
    const QString disk = path("disk");
    QDir().mkpath(disk);
    if (geteuid() != 0 ||
        QProcess::execute(QStringLiteral("mount"),
                          {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                           QStringLiteral("size=64k"), QStringLiteral("tmpfs"), disk}) != 0)
        GTEST_SKIP() << "no memory disk can be mounted here";
    struct Unmount
    {
        QString disk;
        ~Unmount() { QProcess::execute(QStringLiteral("umount"), {disk}); }
    } unmount{disk};
    const QString one = disk + QStringLiteral("/one.opj"), two = disk + QStringLiteral("/two.odd");
    writeFile(one, "old");
    const std::pair<QString, std::function<void()>> saves[] = {
        {one, [&] { saveFileAtomically(one, QByteArray(200000, 'x')); }},
        {two, [&] {
             saveFilesTogether({{one, "new"}, {two, QByteArray(200000, 'x')}});
         }}};
    for (const auto& [target, save] : saves) {
        ++g_cases;
        try {
            save();
            ADD_FAILURE() << "saved " << target.toStdString();
        } catch (const FileError& error) {
            EXPECT_EQ(error.path(), target);
            EXPECT_EQ(error.reason(),
                      QStringLiteral("The disk is full: the file needs 200000 bytes."));
        }
    }
    EXPECT_EQ(readFile(one), "old");
    EXPECT_FALSE(QFileInfo::exists(two));
}

// A paired save (an egg and its companion) is one save: when the second rename fails, the first
// file is back as it was, the very same file with its own permissions, and nothing else is left;
// when it succeeds, only the two targets are there, with their permissions kept.
TEST_F(BadInput, PairedSaveIsAllOrNothing)
{
    const QString first = path("pair/a.odd"), second = path("pair/a.odx"), fresh = path("pair/n");
    writeFile(first, "old first");
    writeFile(second, "old second");
    setMode(first, 0640);
    struct stat before
    {};
    ASSERT_EQ(stat(QFile::encodeName(first).constData(), &before), 0);
    const auto names = [&] {
        return QDir(path("pair")).entryList(QDir::Files | QDir::Hidden | QDir::System);
    };
    const std::vector<std::pair<QString, QByteArray>> files = {
        {first, "new first"}, {fresh, "new file"}, {second, "new second"}};
    g_beforePairedRename = [&](const QString& target) {
        if (target == second)
            throw FileError(target, QStringLiteral("The disk went away."));
    };
    g_cases += 2;
    EXPECT_THROW(saveFilesTogether(files), FileError);
    g_beforePairedRename = nullptr;
    EXPECT_EQ(names(), (QStringList{QStringLiteral("a.odd"), QStringLiteral("a.odx")}));
    EXPECT_EQ(readFile(first) + readFile(second), "old firstold second");
    struct stat after
    {};
    ASSERT_EQ(stat(QFile::encodeName(first).constData(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_mode & 07777, 0640u);

    saveFilesTogether(files);
    EXPECT_EQ(readFile(first) + readFile(second) + readFile(fresh), "new firstnew secondnew file");
    EXPECT_EQ(names(),
              (QStringList{QStringLiteral("a.odd"), QStringLiteral("a.odx"), QStringLiteral("n")}));
    ASSERT_EQ(stat(QFile::encodeName(first).constData(), &after), 0);
    EXPECT_EQ(after.st_mode & 07777, 0640u);
}

// Two files are one only when both the device and the inode agree: the roots of /proc and /sys
// share their inode number.
TEST(FileIdentity, TellsFilesOfTwoDevicesApart)
{
    struct stat proc
    {
    }, sys{};
    if (stat("/proc", &proc) != 0 || stat("/sys", &sys) != 0 || proc.st_ino != sys.st_ino)
        GTEST_SKIP() << "no two roots with one inode number here";
    EXPECT_FALSE(sameFile(QStringLiteral("/proc"), QStringLiteral("/sys")));
    EXPECT_TRUE(sameFile(QStringLiteral("/proc"), QStringLiteral("/proc/self/..")));
}

TEST_F(BadInput, PathsWithUnusualCharactersWork)
{
    const QString names[] = {QStringLiteral("My Breed"), QStringLiteral("say \"hi\""),
                             QStringLiteral("Tom & Jerry"), QStringLiteral("Zött Ærø"),
                             QStringLiteral("Ωmega ünïcode & \"all\" of it")};
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        const QString folder = work.filePath(name + QStringLiteral(" folder"));
        QDir().mkpath(folder);
        const QString base = folder + QLatin1Char('/') + name;
        g_cases += 3;
        SaveOPJ(install, state, shape, base + QStringLiteral(".opj"));
        ProjectState opened = state;
        opened.breedName = "changed";
        ASSERT_EQ(
            OpenOPJ(install, opened, openedShape, base + QStringLiteral(".opj"), prompts, settings),
            OpenResult::Opened);
        EXPECT_EQ(test::projectDifference(opened, state), "");
        EXPECT_EQ(saveODD(install, state, shape, base + QStringLiteral(".odd"), prompts),
                  base + QStringLiteral(".odd"));
        SaveYPK(install, state, shape, base + QStringLiteral(".ypk"), prompts, settings);
        EXPECT_TRUE(QFileInfo(base + QStringLiteral(".ypk")).size() > 0);
        EXPECT_EQ(test::snapshot(folder).size(), 3);
    }
}

} // namespace yw
