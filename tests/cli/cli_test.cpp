#include "files/breedresources.h"
#include "files/neresources.h"
#include "samplegame/samplegame.h"
#include "support/snapshot.h"
#include "support/surveyeggs.h"
#include "support/testsupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <random>
#include <sys/stat.h> // mkfifo

namespace yw {

using namespace test;

namespace {

struct Outcome
{
    int code = -1;
    QString out;
    QString err;
};

std::string describe(const Outcome& run)
{
    return "exit " + std::to_string(run.code) + "\nstdout: " + run.out.toStdString() +
           "\nstderr: " + run.err.toStdString();
}

// One command-line argument, written as text or as a path.
struct Arg
{
    Arg() = default;
    Arg(const char* text) : text(QString::fromUtf8(text)) {}
    Arg(QString text) : text(std::move(text)) {}
    QString text;
};
using Args = std::vector<Arg>;

} // namespace

class Cli : public test::TempFolderTest
{
protected:
    // The sample game of both editions; a US game without the Lips egg whose Honker egg is cut
    // short; a data folder without Zott's locator file and Snowbo's information file. Each is
    // written when first asked for, as a table's row runs in a process of its own.
    static void SetUpTestSuite() { s_root = std::make_unique<QTemporaryDir>(); }
    static void TearDownTestSuite() { s_root.reset(); }
    static QString shared(const char* name) { return s_root->filePath(QLatin1String(name)); }
    static QString game(Edition edition)
    {
        if (!QFileInfo::exists(sample::gameFolder(shared("game"), edition)))
            sample::writeSampleGame(shared("game"), edition);
        return shared("game");
    }
    static QString broken()
    {
        const QString game = sample::gameFolder(shared("broken"), Edition::US);
        if (!QFileInfo::exists(game)) {
            sample::writeSampleGame(shared("broken"), Edition::US);
            QFile::remove(game + QStringLiteral("/eggz/Lips/Lips.odd"));
            const QString honker = game + QStringLiteral("/eggz/Honker/Honker.odd");
            writeFile(honker, readFile(honker).left(3000));
        }
        return game;
    }
    static QString data()
    {
        if (!QFileInfo::exists(shared("data"))) {
            sample::writeResourceFiles(shared("data"));
            QFile::remove(shared("data") + QStringLiteral("/res/Zott.loc"));
            QFile::remove(shared("data") + QStringLiteral("/res/Snowbo.blz"));
            // Norvil's name 3 bytes late still reads, but its room would wipe what follows it.
            const QString norvil = shared("data") + QStringLiteral("/res/Norvil.loc");
            writeFile(norvil, readFile(norvil).replace("\r\n15796\t\t", "\r\n15799\t\t"));
        }
        return shared("data");
    }
    static QString baseEgg(Edition edition, const char* stem, const char* extension = ".odd")
    {
        return sample::gameFolder(game(edition), edition) +
               QStringLiteral("/eggz/%1/%1%2").arg(QLatin1String(stem), QLatin1String(extension));
    }

    void SetUp() override
    {
        TempFolderTest::SetUp();
        // Never the user's own settings or data folder.
        env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), path("home"));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), path("config"));
        env.insert(QStringLiteral("XDG_DATA_HOME"), path("data"));
        env.remove(QStringLiteral("WINEPREFIX"));
        useGame(Edition::US);
    }
    void useGame(Edition edition)
    {
        env.insert(QStringLiteral("windir"), sample::windowsFolder(game(edition), edition));
    }
    QString path(const char* name) const { return dir.filePath(QLatin1String(name)); }

    Outcome run(const Args& args)
    {
        QStringList arguments;
        for (const Arg& arg : args)
            arguments << arg.text;
        QProcess process;
        process.setProcessEnvironment(env);
        process.setWorkingDirectory(dir.path());
        process.start(QStringLiteral(YW_CLI), arguments);
        const bool finished = process.waitForFinished(60000);
        return {finished && process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }
    template <typename... Words> Outcome cli(Words... words) { return run(Args{Arg(words)...}); }
    // Runs a command that must work.
    template <typename... Words> Outcome ok(Words... words)
    {
        const Outcome outcome = cli(words...);
        EXPECT_EQ(outcome.code, 0) << describe(outcome);
        return outcome;
    }
    QJsonObject show(const char* project)
    {
        return QJsonDocument::fromJson(ok("show", project).out.toUtf8()).object();
    }
    // Replaces one line (0-based) of a project file.
    void replaceLine(const QString& file, int line, const QByteArray& text)
    {
        QList<QByteArray> lines = readFile(file).split('\n');
        lines[line] = text + "\r";
        writeFile(file, lines.join('\n'));
    }

    static std::unique_ptr<QTemporaryDir> s_root;
    QProcessEnvironment env;
};

std::unique_ptr<QTemporaryDir> Cli::s_root;

TEST_F(Cli, HelpExplainsTheCommands)
{
    for (const char* flag : {"--help", "-h"}) {
        const Outcome outcome = ok(flag);
        for (const char* text :
             {"breeds", "new BREED PROJECT", "show PROJECT", "egg PROJECT TARGET",
              "package PROJECT TARGET [--grow]", "sheet PROJECT TARGET",
              "import EGG|PACKAGE PROJECT [--base BREED] [--accept-losses]", "--game-dir DIR",
              "--edition us|uk", "--data-dir DIR", "yolkwright-cli new Honker my.opj"})
            EXPECT_TRUE(outcome.out.contains(QLatin1String(text))) << text;
    }
}

// One refusal: the command line, where @work, @own, @data, @us, @win and @broken stand for the
// test's folder, the player's own data folder, the shared data folder, the US game, its Windows
// folder and the broken game; the exit code; for exit 1, the file named first on stderr (@last:
// the last argument); words of the message.
struct RefusedCommand
{
    std::vector<const char*> args;
    int code;
    const char* file;
    const char* keyword;
    bool noGame = false; // no oddballz.ini in the Windows folder

    std::string arguments() const
    {
        std::string words;
        for (const char* arg : args)
            words += std::string(" ") + arg;
        return words;
    }
    friend void PrintTo(const RefusedCommand& row, std::ostream* out)
    {
        *out << "yolkwright-cli" << row.arguments();
    }
};

const RefusedCommand kRefusals[] = {
    {{}, 2, {}, "No command given."},
    {{"hatch"}, 2, {}, "Unknown command hatch."},
    {{"egg", "a.opj"}, 2, {}, "Usage: yolkwright-cli egg PROJECT TARGET"},
    {{"sheet", "h.opj"}, 2, {}, "Usage: yolkwright-cli sheet PROJECT TARGET"},
    {{"--edition", "fr", "breeds"}, 2, {}, "The edition must be us or uk, not fr."},
    {{"--colour", "breeds"}, 2, {}, "Unknown option --colour."},
    {{"breeds", "--game-dir"}, 2, {}, "The option --game-dir needs a value."},
    {{"--data-dir=", "breeds"}, 2, {}, "The option --data-dir needs a value."},
    {{"new", "Dodo", "d.opj"}, 2, {}, "There is no base breed called \"Dodo\"."},
    {{"breeds", "--to", "x"}, 2, {}, "The option --to does not go with the command breeds."},
    {{"import", "h.odd", "x.opj", "--accept-losses=no"}, 2, {}, "takes no value."},
    {{"survey", "Zott", "--attributes", "0"}, 2, {}, "(a whole number from 1 on), not 0."},
    {{"survey", "Zott", "--description", "first"}, 2, {}, "byte position"},
    {{"survey", "Zott", "--baby", "C"}, 2, {}, "The option --baby takes A or B, not C."},
    {{"breeds"},
     1,
     "@work/oddballz.ini",
     "run Yolkwright. Yolkwright looked for oddballz.ini in ",
     true},
    {{"--game-dir", "@work/nowhere", "breeds"}, 1, "@work/nowhere", ": The game folder does not"},
    {{"--game-dir", "@work/bare", "breeds"}, 1, "@work/bare/oddballz.wad", "--edition"},
    {{"--game-dir", "@broken", "new", "Lips", "l.opj"},
     1,
     "@broken/eggz/Lips/Lips.odd",
     "Lips, is not installed"},
    {{"--data-dir", "@data", "new", "Zott", "z.opj"},
     1,
     "@data/res/Zott.loc",
     "cannot find any information"},
    {{"new", "Honker", "no/such/h.opj"}, 1, "no/such/h.opj", ""},
    {{"show", "cut short.opj"}, 1, "cut short.opj", "line 51"},
    {{"egg", "nonnumeric.opj", "out & egg.odd"}, 1, "nonnumeric.opj", "line 7"},
    {{"package", "hello.opj", "p.ypk"}, 1, "hello.opj", "is not a valid project file"},
    {{"show", "empty.opj"}, 1, "empty.opj", "is not a valid project file"},
    {{"egg", "missing.opj", "out & egg.odd"}, 1, "missing.opj", ""},
    {{"show", "pipe.opj"}, 1, "pipe.opj", "not a regular file"},
    {{"egg", "h.opj", "h.opj"}, 1, "h.opj", "is the project file"},
    {{"egg", "h.opj", "no/such/h.odd"}, 1, "no/such/h.odd", ""},
    {{"egg", "long.opj", "long.odd"}, 1, "long.odd", "description is 1 byte(s) too long"},
    {{"package", "h.opj", "no/such/h.ypk"}, 1, "no/such/h.ypk", ""},
    {{"sheet", "missing.opj", "m.svg"}, 1, "missing.opj", ""},
    {{"sheet", "h.opj", "no/such/h.svg"}, 1, "no/such/h.svg", ""},
    {{"sheet", "h.opj", "h.opj"}, 1, "h.opj", "project file"},
    {{"sheet", "h.opj", "@work"}, 1, "@work", "not a regular file"},
    {{"--edition", "us", "sheet", "h.opj", "@us/eggz/Honker/Honker.odd"}, 1, "@last", "base breed"},
    {{"--data-dir", "@data", "sheet", "h.opj", "@data/res/Honker.blz"}, 1, "@last", "base breed"},
    {{"--data-dir", "@data", "sheet", "s.opj", "s.svg"}, 1, "@data/res/Snowbo.blz", ""},
    {{"import", "h.odd", "h.odd"}, 1, "h.odd", "is read from"},
    {{"import", "hello.ypk", "x.opj"}, 1, "hello.ypk", "MSCF"},
    {{"import", "h.odd", "x.opj", "--base", "Zott"}, 1, "h.odd", "no Zott"},
    {{"egg", "tray.opj", "t.odd"}, 1, "t.odd", "The tray holds a blank"},
    {{"--data-dir", "@data", "egg", "h.opj", "@data/res/Honker.loc"}, 1, "@last", "base breed"},
    {{"--data-dir", "@data", "new", "Honker", "@data/res/Honker.blz"}, 1, "@last", "base breed"},
    // No output replaces the game's files, the program's or the player's own breed files.
    {{"survey", "Honker", "--report", "@us/eggz/Honker/Honker.odd"},
     1,
     "@last",
     "a file the command reads"},
    {{"survey", "Honker", "--report", "@us/eggz/Zott/Zott.odd"}, 1, "@last", "an egg of the game"},
    {{"--data-dir", "@data", "survey", "Honker", "--report", "@data/res/Honker.loc"},
     1,
     "@last",
     "Yolkwright's own files"},
    {{"--data-dir", "@data", "--edition", "us", "survey", "Honker", "--to", "@data/resUK"},
     1,
     "@data/resUK/Honker.blz",
     "Yolkwright's own files"},
    {{"--edition", "us", "survey", "Zott", "--to", "@own/resUK"},
     1,
     "@own/resUK/Zott.blz",
     "own breed files"},
    {{"--data-dir", "@data", "new", "Honker", "@data/res/Zott.loc"}, 1, "@last", "own files"},
    {{"import", "h.odd", "@own/res/Zott.loc"}, 1, "@own/res/Zott.loc", "own breed files"},
    {{"new", "Honker", "@us/oddballz.wad"}, 1, "@us/oddballz.wad", "the game itself"},
    {{"sheet", "h.opj", "@win/oddballz.ini"}, 1, "@win/oddballz.ini", "the game itself"},
    {{"egg", "h.opj", "@us/h.odd"}, 1, "@us/h.odd", "the game itself"},
    {{"package", "h.opj", "@us/eggz/Zott/Zott.odd"}, 1, "@last", "which only an egg"},
};

// The refusals' projects, egg and damaged files in the test's folder.
class CliRefusal : public Cli, public ::testing::WithParamInterface<RefusedCommand>
{
protected:
    void SetUp() override
    {
        Cli::SetUp();
        ok("new", "Honker", "h.opj");
        ok("new", "Snowbo", "s.opj");
        ok("egg", "h.opj", "h.odd");
        const QList<QByteArray> lines = readFile(path("h.opj")).split('\n');
        QList<QByteArray> nonNumeric = lines;
        nonNumeric[6] = "0,0,0,x,0,\"a\",0,0,0,0\r";
        writeFile(path("cut short.opj"), lines.mid(0, 50).join('\n') + '\n');
        writeFile(path("nonnumeric.opj"), nonNumeric.join('\n'));
        writeFile(path("hello.opj"), "hello");
        writeFile(path("hello.ypk"), "hello");
        writeFile(path("empty.opj"), "");
        writeFile(path("long.opj"), readFile(path("h.opj")));
        replaceLine(path("long.opj"), int(lines.size()) - 3, "\"" + QByteArray(238, 'd') + "\"");
        ASSERT_EQ(mkfifo(QFile::encodeName(path("pipe.opj")).constData(), 0600), 0);
        // A tray with a blank in it would move the slot in the egg.
        writeFile(path("tray.opj"), readFile(path("h.opj")));
        replaceLine(path("tray.opj"), 2, "\"Honker\",\"4 4\",\"2\"");
        QDir().mkpath(path("bare"));
    }
    QString expanded(const char* text) const
    {
        QString arg = QString::fromUtf8(text);
        const std::pair<const char*, std::function<QString()>> folders[] = {
            {"@work", [&] { return dir.path(); }},
            {"@own", [&] { return path("data/Brindlecote/Yolkwright"); }},
            {"@data", data},
            {"@us", [] { return sample::gameFolder(game(Edition::US), Edition::US); }},
            {"@win", [] { return sample::windowsFolder(game(Edition::US), Edition::US); }},
            {"@broken", broken}};
        for (const auto& [key, folder] : folders)
            if (arg.contains(QLatin1String(key)))
                arg.replace(QLatin1String(key), folder());
        return arg;
    }
};

// A wrong command line exits with 2 and points to --help, a failure with 1 and one line naming the
// file; neither prints anything on stdout, nor writes, replaces or leaves behind any file.
TEST_P(CliRefusal, ExitsCleanly)
{
    const RefusedCommand& c = GetParam();
    if (c.noGame)
        env.insert(QStringLiteral("windir"), dir.path());
    Args args;
    for (const char* arg : c.args)
        args.push_back(expanded(arg));
    const bool last = c.file && std::string_view(c.file) == "@last";
    const QString file = last ? args.back().text : expanded(c.file);
    const auto everything = [&] {
        return test::snapshot(dir.path()) + test::snapshot(s_root->path());
    };
    const QStringList before = everything();
    const Outcome outcome = run(args);
    SCOPED_TRACE(describe(outcome));
    EXPECT_EQ(outcome.code, c.code);
    EXPECT_TRUE(outcome.err.contains(QLatin1String(c.keyword)));
    EXPECT_EQ(outcome.err.count(QLatin1Char('\n')), c.code == 2 ? 2 : 1);
    if (c.code == 1) {
        EXPECT_TRUE(outcome.err.startsWith(QStringLiteral("yolkwright-cli: ") + file));
    } else {
        EXPECT_TRUE(outcome.err.contains(QStringLiteral("--help")));
    }
    EXPECT_TRUE(outcome.out.isEmpty());
    EXPECT_EQ(everything(), before);
}

// Each row is named after its command line.
INSTANTIATE_TEST_SUITE_P(Rows, CliRefusal, ::testing::ValuesIn(kRefusals), [](const auto& info) {
    return info.param.args.empty() ? std::string("no_command")
                                   : test::testName(info.param.arguments());
});

// Random over-long descriptions, attributes, tips and ball-line comments on every sample breed of
// both editions: refused without --grow (naming it), and with it the egg grows, the same bytes
// every time, import gives the project back, both our NE reader and wrestool read a sound
// table listing the base egg's resources, and every resource left alone keeps its bytes.
TEST_F(Cli, GrownEggsImportBackAndStaySound)
{
    const QString wrestool = QStandardPaths::findExecutable(QStringLiteral("wrestool"));
    ASSERT_FALSE(wrestool.isEmpty()) << "scripts/setup installs icoutils";
    const auto listing = [&](const QString& egg) {
        QProcess process;
        process.start(wrestool, {QStringLiteral("-l"), egg});
        EXPECT_TRUE(process.waitForFinished(60000) && process.exitCode() == 0) << egg.toStdString();
        EXPECT_TRUE(process.readAllStandardError().isEmpty());
        QStringList names; // "--type=10 --name='BREED'", without the offsets
        for (const QByteArray& line : process.readAllStandardOutput().split('\n'))
            if (!line.isEmpty())
                names << QString::fromLatin1(line.left(line.indexOf('[')));
        return names;
    };
    std::mt19937 random(26);
    const auto words = [&](int least, int most) {
        QByteArray text(least + int(random() % uint32_t(most - least + 1)), 'a');
        // Single blanks: four in a row would end a ball line's comment.
        for (qsizetype i = 0; i < text.size(); ++i)
            text[i] = random() % 6 || text[i - (i > 0)] == ' ' ? char('a' + random() % 26) : ' ';
        text[0] = text[text.size() - 1] = 'z';
        return text;
    };
    for (const Edition edition : {Edition::US, Edition::UK}) {
        useGame(edition);
        for (int b = 0; b < sample::breedCount(); ++b) {
            const sample::BreedContent& breed = sample::breed(b);
            SCOPED_TRACE(breed.listText + (edition == Edition::UK ? " UK" : " US"));
            const QString name = QString::fromStdString(breed.stem);
            ok("new", breed.listText.c_str(), "a.opj");
            QList<QByteArray> lines = readFile(path("a.opj")).split('\n');
            const QJsonObject fresh = show("a.opj");
            const qsizetype pairs = fresh.value(QStringLiteral("regTips")).toArray().size();
            const qsizetype texts =
                3 + pairs + 2 * fresh.value(QStringLiteral("ballsPerSet")).toInt();
            // Long enough that every part grows: the tips' room is at most 560, and a set has
            // 35 bytes per line to spare at one blank after each comma.
            const int tip = 560 / int(std::max<qsizetype>(2 * pairs, 1));
            for (qsizetype t = 0; t < pairs; ++t)
                lines[3 + t] =
                    "\"" + words(tip, tip + 150) + "\",\"" + words(tip, tip + 150) + "\"\r";
            for (qsizetype i = 3 + pairs; i < texts; ++i)
                lines[i].insert(lines[i].indexOf("\","), " " + words(35, 90));
            // A base breed's texts may hold line breaks: the new ones replace them whole.
            lines.resize(texts);
            lines << "\"" + words(300, 700) + "\"\r"
                  << "\"" + words(150, 400) + "\"\r"
                  << "";
            writeFile(path("a.opj"), lines.join('\n'));

            Outcome refused = cli("egg", "a.opj", name + QStringLiteral(".odd"));
            EXPECT_EQ(refused.code, 1) << describe(refused);
            EXPECT_TRUE(refused.err.contains(QStringLiteral("--grow"))) << describe(refused);
            const Outcome grown = ok("egg", "--grow", "a.opj", name + QStringLiteral(".odd"));
            EXPECT_TRUE(grown.out.startsWith(QStringLiteral("grown: "))) << describe(grown);
            ok("egg", "a.opj", "again.odd", "--grow");
            const QByteArray egg = readFile(dir.filePath(name + QStringLiteral(".odd")));
            const QByteArray base = readFile(baseEgg(edition, breed.stem.c_str()));
            EXPECT_TRUE(readFile(path("again.odd")) == egg);
            ok("import", name + QStringLiteral(".odd"), "b.opj");
            EXPECT_EQ(show("b.opj"), show("a.opj"));

            EXPECT_EQ(listing(dir.filePath(name + QStringLiteral(".odd"))),
                      listing(baseEgg(edition, breed.stem.c_str())));
            const NeResourceTable was = readNeResources(base), now = readNeResources(egg);
            ASSERT_EQ(now.kind, NeResourceTable::Kind::Table) << now.problem.toStdString();
            ASSERT_EQ(now.resources.size(), was.resources.size());
            EXPECT_EQ(now.shift, was.shift);
            int moved = 0;
            for (size_t i = 0; i < now.resources.size(); ++i) {
                const NeResource &r = now.resources[i], &old = was.resources[i];
                EXPECT_EQ(r.offset % (qint64(1) << now.shift), 0);
                EXPECT_EQ(r.offset + r.length <= egg.size(), true);
                if (r.offset == old.offset) {
                    EXPECT_EQ(r.length, old.length);
                    EXPECT_TRUE(egg.mid(r.offset, r.length) == base.mid(r.offset, r.length));
                } else {
                    EXPECT_GE(r.offset, base.size());
                    EXPECT_GT(r.length, old.length);
                    ++moved;
                }
            }
            EXPECT_EQ(grown.out.count(QLatin1Char('\n')), moved);
        }
    }
}

// A grown egg where the game's own should be is neither surveyed nor started from; an egg without
// a resource table cannot grow; --grow takes no value.
TEST_F(Cli, GrowingRefusesWhatCannotBeSound)
{
    sample::writeSampleGame(path("copy"), Edition::US);
    const QString game = sample::gameFolder(path("copy"), Edition::US);
    const QString honker = game + QStringLiteral("/eggz/Honker/Honker.odd");
    ok("new", "Honker", "h.opj");
    QList<QByteArray> lines = readFile(path("h.opj")).split('\n');
    lines[lines.size() - 3] = "\"" + QByteArray(400, 'd') + "\"\r";
    writeFile(path("h.opj"), lines.join('\n'));
    ok("egg", "--grow", "h.opj", "grown.odd");
    writeFile(honker, readFile(path("grown.odd")));
    for (const Args& args : {Args{"--game-dir", game, "survey", "Honker"},
                             Args{"--game-dir", game, "new", "Honker", "n.opj"}}) {
        const Outcome outcome = run(args);
        EXPECT_EQ(outcome.code, 1) << describe(outcome);
        EXPECT_TRUE(outcome.err.contains(QStringLiteral("not the game's own egg")))
            << describe(outcome);
    }
    QByteArray egg = readFile(baseEgg(Edition::US, "Honker"));
    egg[uint8_t(egg[0x3c]) | uint8_t(egg[0x3d]) << 8] = 'X';
    writeFile(honker, egg);
    const Outcome outcome = cli("--game-dir", game, "egg", "--grow", "h.opj", "h.odd");
    EXPECT_EQ(outcome.code, 1) << describe(outcome);
    EXPECT_TRUE(outcome.err.startsWith(QStringLiteral("yolkwright-cli: ") + honker));
    EXPECT_TRUE(outcome.err.contains(QStringLiteral("the description cannot grow past the base "
                                                    "egg's room: the egg has no resource table")));
    EXPECT_FALSE(QFileInfo::exists(path("h.odd")));
    EXPECT_EQ(cli("egg", "--grow=yes", "h.opj", "h.odd").code, 2);
}

TEST_F(Cli, PipeAsTheSettingsFileIsNamedNotWaitedOn)
{
    // The settings file is read like every other file: a pipe there is named, not waited on.
    const QString settings = path("config/Brindlecote.ini");
    QDir().mkpath(path("config"));
    ASSERT_EQ(mkfifo(QFile::encodeName(settings).constData(), 0600), 0);
    const Outcome piped = cli("breeds");
    EXPECT_EQ(piped.code, 1);
    EXPECT_TRUE(piped.err.startsWith(QStringLiteral("yolkwright-cli: ") + settings))
        << describe(piped);
}

TEST_F(Cli, BreedsListsTheStateOfEachBreed)
{
    const QStringList lines = ok("--data-dir", data(), "--game-dir", broken(), "breeds")
                                  .out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 13);
    EXPECT_EQ(lines[0], QStringLiteral("Quadrapus\tquadrpus\tinstalled\tresources\tmatches"));
    EXPECT_EQ(lines[1], QStringLiteral("Honker\tHonker\tinstalled\tresources\tdoes-not-match"));
    EXPECT_EQ(lines[2], QStringLiteral("Norvil\tNorvil\tinstalled\tresources\tdoes-not-match"));
    EXPECT_EQ(lines[3], QStringLiteral("Zott\tZott\tinstalled\tno-resources\t-"));
    EXPECT_EQ(lines[9], QStringLiteral("Lips\tLips\tmissing\tresources\t-"));
    EXPECT_EQ(lines[12], QStringLiteral("Grinnz\tGrinnz\tinstalled\tresources\tmatches"));
}

// A game whose Honker egg is a "New Executable" with three texts that could be the description.
TEST_F(Cli, SurveyThenNewWritesTheBaseEggAgain)
{
    sample::writeSampleGame(path("copy"), Edition::US);
    const QString game = sample::gameFolder(path("copy"), Edition::US);
    test::SurveyEggRecipe recipe;
    recipe.ballsPerSet = 67;
    recipe.thirdText = true;
    const test::SurveyEgg egg = test::makeSurveyEgg(recipe);
    writeFile(game + QStringLiteral("/eggz/Honker/Honker.odd"), egg.bytes);
    const QString own = path("data/Brindlecote/Yolkwright/res/Honker");
    const QString desc = QString::number(egg.locator.locDescPos);
    const QString attr = QString::number(egg.locator.locAttrPos);
    const auto breeds = [&] { return ok("--game-dir", game, "--edition", "us", "breeds").out; };

    Outcome outcome = cli("--game-dir", game, "survey", "Honker", "--report", path("r.txt"));
    EXPECT_EQ(outcome.code, 1) << describe(outcome);
    const QByteArray report = readFile(path("r.txt"));
    EXPECT_TRUE(report.contains("Outcome: refused (description): The description and the"));
    EXPECT_FALSE(report.contains(QByteArray::fromStdString(egg.attributes)));
    for (const QString& text :
         {QStringLiteral("Honker.odd: The description and the attributes cannot be told apart "
                         "among 3 texts"),
          QStringLiteral("byte ") + desc + QStringLiteral(" \""),
          QStringLiteral("byte ") + attr + QStringLiteral(" \"") +
              QString::fromStdString(egg.attributes),
          QStringLiteral("--description POS and --attributes POS")})
        EXPECT_TRUE(outcome.err.contains(text)) << text.toStdString() << "\n" << describe(outcome);
    EXPECT_EQ(outcome.err.count(QLatin1Char('\n')), 1);
    EXPECT_FALSE(QFileInfo::exists(own + QStringLiteral(".blz")));
    EXPECT_TRUE(breeds().contains(QStringLiteral("Honker\tinstalled\tresources\tdoes-not-match")));

    outcome = ok("--game-dir", game, "survey", "honker", "--description", desc,
                 QStringLiteral("--attributes=") + attr);
    for (const char* text :
         {"Baby ball set HK_SMALL.LNZ: 67 eBalls", "(Body, ", "Adult ball set HK.LNZ",
          "Name: Honker, tray 4, slot 2", "Tips: 3 pairs", "Wrote "})
        EXPECT_TRUE(outcome.out.contains(QLatin1String(text))) << text << "\n" << describe(outcome);
    EXPECT_EQ(readFile(own + QStringLiteral(".blz")), informationFileBytes(egg.header, egg.labels));
    EXPECT_EQ(readFile(own + QStringLiteral(".loc")),
              locatorFileBytes(egg.locator, "Locator of Honker.odd (surveyed)"));
    EXPECT_TRUE(readFile(own + QStringLiteral(".loc"))
                    .contains(QByteArray::number(egg.locator.locSetBPos) + "\r\n" +
                              QByteArray::number(egg.locator.locSetAPos) + "\r\n"));
    EXPECT_TRUE(breeds().contains(QStringLiteral("Honker\tinstalled\tresources\tmatches")));
    ok("--game-dir", game, "new", "Honker", "h.opj");
    ok("--game-dir", game, "egg", "h.opj", "h.odd");
    EXPECT_TRUE(readFile(path("h.odd")) == egg.bytes);

    // Two texts: which is the description a script must say.
    outcome = cli("--game-dir", game, "survey", "Zott");
    EXPECT_EQ(outcome.code, 1) << describe(outcome);
    for (const char* text :
         {"The egg does not tell which text is the description", "The texts: byte ",
          "Give their positions with --description POS and --attributes POS."})
        EXPECT_TRUE(outcome.err.contains(QLatin1String(text))) << text << describe(outcome);

    // --to writes elsewhere; --baby names the adult's set (A comes first in the egg) the baby.
    const bool babyFirst = egg.locator.locSetAPos < egg.locator.locSetBPos;
    ok("--game-dir", game, "survey", "Honker", "--to", path("out"), "--description", attr,
       "--attributes", desc, "--baby", babyFirst ? "b" : "a");
    const QByteArray swapped = readFile(path("out/Honker.loc"));
    EXPECT_TRUE(swapped.contains(attr.toLatin1() + "\t\t"));
    EXPECT_TRUE(swapped.contains(QByteArray::number(egg.locator.locSetAPos) + "\r\n" +
                                 QByteArray::number(egg.locator.locSetBPos) + "\r\n"));
}

// On each edition (the UK one chosen in the editor's settings, with a site name for packages):
// a new project's egg is its base egg, and so is the egg in its package; the sheet draws every
// eBall; show prints every value.
TEST_F(Cli, NewProjectsFilesAreTrueToTheBaseBreedOnBothEditions)
{
    const QString cabextract = QStandardPaths::findExecutable(QStringLiteral("cabextract"));
    ASSERT_FALSE(cabextract.isEmpty()) << "scripts/setup installs cabextract";
    for (const Edition edition : {Edition::US, Edition::UK}) {
        SCOPED_TRACE(edition == Edition::UK ? "UK" : "US");
        useGame(edition);
        if (edition == Edition::UK)
            writeFile(path("config/Brindlecote.ini"),
                      "[QuorrelYW]\nCheckedCountry=1\noptUK=1\nYPKSiteName=Odd Corner\n");
        QDir(path("out")).removeRecursively();
        QFile::remove(path("q.opj"));
        EXPECT_TRUE(ok("new", "Quadrapus", "q.opj").err.isEmpty());
        EXPECT_TRUE(readFile(path("q.opj"))
                        .startsWith("[Yolkwright Project File]\r\n\"0310\",2,\"quadrpus\"\r\n"));
        ok("egg", "q.opj", "q.odd");
        EXPECT_TRUE(ok("package", "q.opj", "My Breed.ypk").err.isEmpty());
        QProcess extract;
        extract.start(cabextract, {QStringLiteral("-q"), QStringLiteral("-d"), path("out"),
                                   path("My Breed.ypk")});
        ASSERT_TRUE(extract.waitForFinished(60000) && extract.exitCode() == 0);
        EXPECT_EQ(QDir(path("out")).entryList(QDir::Files, QDir::Name),
                  (QStringList{QStringLiteral("My Breed.odd"), QStringLiteral("My Breed.odx"),
                               QStringLiteral("ypkinfo.inf")}));
        for (const char* file : {"q.odd", "out/My Breed.odd", "q.odx", "out/My Breed.odx"})
            EXPECT_TRUE(readFile(path(file)) ==
                        readFile(baseEgg(edition, "quadrpus", strchr(file, '.'))))
                << file;
        const QByteArray info = readFile(path("out/ypkinfo.inf"));
        EXPECT_TRUE(info.startsWith("\"YPKFILE|$|2.0\",\"Quadrapus\",\"Four arms")) << info.data();
        EXPECT_TRUE(info.endsWith(edition == Edition::UK ? ",#FALSE#,\"Odd Corner\",\"\"\r\n"
                                                         : ",#FALSE#,\"\",\"\"\r\n"))
            << info.data();

        for (const char* source : {"q.odd", "My Breed.ypk"}) { // both give the project back
            QFile::remove(path("back.opj"));
            const QString out = ok("import", source, "back.opj").out;
            EXPECT_TRUE(out.startsWith(QStringLiteral("base breed: Quadrapus\nname: Quadrapus\n")));
            EXPECT_EQ(out.contains(QStringLiteral("site name: Odd Corner")),
                      edition == Edition::UK && source[0] == 'M');
            EXPECT_EQ(readFile(path("back.opj")), readFile(path("q.opj")));
        }

        const Outcome sheet = ok("sheet", "q.opj", "q.svg");
        EXPECT_TRUE(sheet.out.isEmpty() && sheet.err.isEmpty()) << describe(sheet);
        QXmlStreamReader xml(readFile(path("q.svg")));
        int swatches = 0;
        while (!xml.atEnd())
            swatches += xml.readNext() == QXmlStreamReader::StartElement &&
                        xml.attributes().value(QLatin1String("class")) == QLatin1String("swatch");
        EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
        EXPECT_EQ(swatches, 2 * 67);
    }
}

TEST_F(Cli, ShowPrintsEveryValue)
{
    ok("new", "Quadrapus", "q.opj");
    const QJsonObject json = show("q.opj");
    const sample::BreedContent& quadrapus = sample::breed(0);
    const std::pair<const char*, std::string> texts[] = {{"build", "0310"},
                                                         {"baseBreed", "quadrpus"},
                                                         {"breedName", "Quadrapus"},
                                                         {"eggTray", "3"},
                                                         {"eggSlot", "1"},
                                                         {"description", quadrapus.description},
                                                         {"attributes", quadrapus.attributes}};
    for (const auto& [key, value] : texts)
        EXPECT_EQ(json[QLatin1String(key)].toString().toStdString(), value) << key;
    EXPECT_EQ(json[QStringLiteral("ballSetFiles")].toArray(),
              (QJsonArray{QStringLiteral("qp_small.lnz"), QStringLiteral("qp.lnz")}));
    EXPECT_EQ(json[QStringLiteral("ballsPerSet")].toInt(), 67);
    ASSERT_EQ(json[QStringLiteral("regTips")].toArray().size(), 3);
    ASSERT_EQ(json[QStringLiteral("demoTips")].toArray().size(), 3);
    EXPECT_EQ(json[QStringLiteral("demoTips")].toArray()[2].toString().toStdString(),
              quadrapus.demoTips[2]);
    const QJsonArray balls = json[QStringLiteral("eBalls")].toArray();
    ASSERT_EQ(balls.size(), 134);
    for (int i : {0, 66, 67, 133}) {
        const QJsonObject ball = balls[i].toObject();
        const EBallRecord& r = quadrapus.eBalls[size_t(i)];
        const QList<int> values = {r.fillColor, r.borderColor,     r.spreckColor,
                                   r.fuzziness, r.borderThickness, r.diameter,
                                   r.auxValue,  r.texture,         r.useTexture};
        QList<int> shown;
        for (const char* key : {"fillColor", "borderColor", "spreckColor", "fuzziness",
                                "borderThickness", "diameter", "auxValue", "texture", "useTexture"})
            shown << ball[QLatin1String(key)].toInt(-9999);
        EXPECT_EQ(shown, values) << i;
        EXPECT_EQ(ball[QStringLiteral("comment")].toString().toStdString(), r.comment);
    }
}

TEST_F(Cli, ShowConvertsTextsFromTheCodePage)
{
    ok("new", "snowbo", "s.opj");
    EXPECT_EQ(show("s.opj")[QStringLiteral("description")].toString(),
              QStringLiteral("Snowbo dreams of snowy hills and cr\u00e8me br\u00fbl\u00e9e."));
}

TEST_F(Cli, ShowRestoresStoredQuotes)
{
    ok("new", "Honker", "h.opj");
    EXPECT_TRUE(readFile(path("h.opj")).contains("loves to \x94honk\x94 at"));
    EXPECT_TRUE(show("h.opj")[QStringLiteral("description")].toString().contains(
        QStringLiteral("loves to \"honk\" at")));
}

TEST_F(Cli, DetectionStoresNothing)
{
    useGame(Edition::UK);
    // Detection on the UK game reads the UK files and stores nothing.
    ok("new", "Zott", "z.opj");
    EXPECT_FALSE(QFileInfo::exists(path("config/Brindlecote.ini")));
}

TEST_F(Cli, StoredEditionWinsOverDetection)
{
    useGame(Edition::UK);
    const QString ini = path("config/Brindlecote.ini");
    // The editor's stored US choice makes the UK egg read as damaged; --edition overrides it.
    writeFile(ini, "[QuorrelYW]\nCheckedCountry=1\noptUK=False\n");
    const Outcome outcome = cli("new", "Zott", "z2.opj");
    EXPECT_EQ(outcome.code, 1);
    EXPECT_EQ(outcome.err, QStringLiteral("yolkwright-cli: ") + baseEgg(Edition::UK, "Zott") +
                               QStringLiteral(": It appears that the Zott.odd file in your "
                                              "Oddballz folder is either corrupt, a demo egg, or "
                                              "your version of Oddballz has not been specified in "
                                              "the Options window.\n"));
    EXPECT_FALSE(QFileInfo::exists(path("z2.opj")));
    ok("--edition", "uk", "new", "Zott", "z2.opj");
}

TEST_F(Cli, NonFatalMessagesGoToStderr)
{
    ok("new", "Honker", "h.opj");
    // Another build wrote it, and its tips are longer than the egg has room for.
    replaceLine(path("h.opj"), 1, "\"0001\",0,\"Honker\"");
    replaceLine(path("h.opj"), 3,
                "\"" + QByteArray(300, 'd') + "\",\"" + QByteArray(300, 'r') + "\"");

    const Outcome shown = ok("show", "h.opj");
    EXPECT_TRUE(shown.err.startsWith(QStringLiteral(
        "yolkwright-cli: warning: The project file being opened was made by an older version")))
        << describe(shown);
    EXPECT_EQ(QJsonDocument::fromJson(shown.out.toUtf8())[QStringLiteral("build")].toString(),
              QStringLiteral("0001"));

    const Outcome egg = ok("egg", "h.opj", "h.odd");
    EXPECT_TRUE(egg.err.contains(QStringLiteral(
        "yolkwright-cli: note: The total length of the on-screen tips was too long.")))
        << describe(egg);
    EXPECT_TRUE(egg.out.isEmpty());
    EXPECT_TRUE(QFileInfo::exists(path("h.odd")));
}

TEST_F(Cli, PlayersOwnDataFolderComesFirst)
{
    const QString mine = path("data/Brindlecote/Yolkwright");
    sample::writeResourceFiles(mine);
    QByteArray blz = readFile(mine + QStringLiteral("/res/Honker.blz"));
    blz.replace("\"hk_small.lnz\",\"hk.lnz\"", "\"my_small.lnz\",\"my.lnz\"");
    writeFile(mine + QStringLiteral("/res/Honker.blz"), blz);
    ok("new", "Honker", "h.opj");
    EXPECT_EQ(show("h.opj")[QStringLiteral("ballSetFiles")].toArray(),
              (QJsonArray{QStringLiteral("my_small.lnz"), QStringLiteral("my.lnz")}));
}

// Writing over the game's eggs: the first egg replaced is kept as the breed's original (egg and
// companion) and never replaced; the last three later ones too. New starts from the original
// while the installed egg is one Yolkwright wrote; restore puts the original back as one save.
TEST_F(Cli, TheGamesOwnEggsAreKeptAndRestored)
{
    sample::writeSampleGame(path("copy"), Edition::US);
    const QString game = sample::gameFolder(path("copy"), Edition::US);
    const QString egg = game + QStringLiteral("/eggz/Norvil/Norvil.odd");
    const QString companion = game + QStringLiteral("/eggz/Norvil/Norvil.odx");
    const QByteArray original = readFile(egg), originalCompanion = readFile(companion);
    const QString keptFolder = path("data/Brindlecote/Yolkwright/originals/res/Norvil/");
    const auto kept = [&](const char* name) { return keptFolder + QLatin1String(name); };
    ok("--game-dir", game, "new", "Norvil", "n.opj");
    ok("--game-dir", game, "egg", "n.opj", "elsewhere.odd"); // outside eggz nothing is kept
    EXPECT_FALSE(QFileInfo::exists(keptFolder));
    const QByteArray nameLine = readFile(path("n.opj")).split('\n')[2];
    QStringList written;
    for (const char* name : {"One", "Two", "Three", "Four", "Five"}) {
        replaceLine(path("n.opj"), 2,
                    nameLine.left(nameLine.indexOf('\r')).replace("Norvil", name));
        // Over the project's own base egg: the base is the kept original.
        const Outcome outcome = ok("--game-dir", game, "egg", "n.opj", egg);
        EXPECT_TRUE(outcome.err.contains(QStringLiteral("is kept in ") + kept("original")))
            << describe(outcome);
        written << QString::fromLatin1(readFile(egg).toHex());
    }
    EXPECT_EQ(readFile(kept("original/Norvil.odd")), original);
    EXPECT_EQ(readFile(kept("original/Norvil.odx")), originalCompanion);
    QStringList previous;
    for (const QString& version :
         QDir(kept("previous")).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
        previous << QString::fromLatin1(
            readFile(kept("previous/") + version + QStringLiteral("/Norvil.odd")).toHex());
    EXPECT_EQ(previous, written.mid(1, 3));
    ok("--game-dir", game, "new", "Norvil", "again.opj");
    EXPECT_EQ(show("again.opj")[QStringLiteral("breedName")], QStringLiteral("Norvil"));

    // An egg without a companion leaves none of the egg it replaced beside it.
    ok("--game-dir", game, "new", "Honker", "h.opj");
    ok("--game-dir", game, "egg", "h.opj", egg);
    EXPECT_FALSE(QFileInfo::exists(companion));
    QDir(game + QStringLiteral("/eggz/Norvil")).removeRecursively(); // even with its folder gone
    EXPECT_EQ(ok("--game-dir", game, "restore", "norvil").out,
              QStringLiteral("Restored ") + egg + QStringLiteral(".\n"));
    EXPECT_EQ(readFile(egg), original);
    EXPECT_EQ(readFile(companion), originalCompanion);
    const Outcome none = cli("--game-dir", game, "restore", "Honker");
    EXPECT_EQ(none.code, 1);
    EXPECT_TRUE(none.err.contains(QStringLiteral("No original egg of Honker is kept")))
        << describe(none);
}

// What stands in a file's place is named: a pipe, a folder, a link loop; and what an egg or a
// package holds reaches the terminal with its control characters written out.
TEST_F(Cli, MessagesNameWhatIsThere)
{
    sample::writeSampleGame(path("copy"), Edition::US);
    const QString game = sample::gameFolder(path("copy"), Edition::US);
    const QString zott = game + QStringLiteral("/eggz/Zott/Zott.odd");
    QFile::remove(zott);
    const auto refuses = [&](const char* says, auto... words) {
        const Outcome outcome = cli("--game-dir", game, words...);
        EXPECT_EQ(outcome.code, 1) << describe(outcome);
        EXPECT_TRUE(outcome.err.contains(QLatin1String(says))) << describe(outcome);
    };
    ASSERT_EQ(mkfifo(QFile::encodeName(zott).constData(), 0600), 0);
    refuses("Zott.odd: This is not a regular file but a pipe", "new", "Zott", "z.opj");
    refuses("Zott.odd: This is not a regular file but a pipe", "survey", "Zott");
    QFile::remove(zott);
    QDir().mkpath(zott);
    refuses("Zott.odd: This is not a regular file but a folder", "new", "Zott", "z.opj");
    QDir().rmdir(zott);
    ASSERT_TRUE(QFile::link(zott, zott));
    refuses("Zott.odd: This is not a regular file but a symbolic link that leads back to itself",
            "new", "Zott", "z.opj");
    QFile::remove(game + QStringLiteral("/eggz/Lips/Lips.odd"));
    refuses("is not installed", "new", "Lips", "l.opj"); // truly missing: the game's own words

    ok("--game-dir", game, "new", "Honker", "h.opj");
    ASSERT_TRUE(QFile::link(path("loop.odd"), path("loop.odd")));
    refuses("loop.odd: This is not a regular file but a symbolic link", "egg", "h.opj", "loop.odd");
    EXPECT_TRUE(QFileInfo(path("loop.odd")).isSymLink());

    const QByteArray nameLine = readFile(path("h.opj")).split('\n')[2];
    replaceLine(path("h.opj"), 2,
                nameLine.left(nameLine.indexOf('\r')).replace("\"Honker\"", "\"Hon\x1b[2Jk\x07\""));
    ok("--game-dir", game, "package", "h.opj", "h.ypk");
    const Outcome imported = ok("--game-dir", game, "import", "h.ypk", "back.opj");
    EXPECT_TRUE(imported.out.contains(QStringLiteral("\nname: Hon\\x1b[2Jk\\x07\n")))
        << describe(imported);
    EXPECT_TRUE(imported.out.contains(QStringLiteral("package breed name: Hon\\x1b[2Jk\\x07\n")));
    EXPECT_FALSE(imported.out.contains(QChar(0x1b)) || imported.err.contains(QChar(0x1b)));
}

} // namespace yw
