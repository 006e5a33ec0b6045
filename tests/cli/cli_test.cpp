#include "files/breedresources.h"
#include "samplegame/samplegame.h"
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
#include <gtest/gtest.h>
#include <memory>

namespace yw {

using test::readFile;
using test::writeFile;

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

} // namespace

class Cli : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_game = std::make_unique<QTemporaryDir>();
        sample::writeSampleGame(s_game->path(), Edition::US);
        sample::writeSampleGame(s_game->path(), Edition::UK);
    }
    static void TearDownTestSuite() { s_game.reset(); }

    void SetUp() override
    {
        // Never the user's own settings or data folder.
        env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), work.filePath(QStringLiteral("home")));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), work.filePath(QStringLiteral("config")));
        env.insert(QStringLiteral("XDG_DATA_HOME"), work.filePath(QStringLiteral("data")));
        env.remove(QStringLiteral("WINEPREFIX"));
        useGame(Edition::US);
    }
    void useGame(Edition edition)
    {
        env.insert(QStringLiteral("windir"), sample::windowsFolder(s_game->path(), edition));
    }
    static QString game(Edition edition) { return sample::gameFolder(s_game->path(), edition); }
    static QString baseEgg(Edition edition, const QString& stem, const char* extension = ".odd")
    {
        return game(edition) + QStringLiteral("/eggz/") + stem + QLatin1Char('/') + stem +
               QLatin1String(extension);
    }
    QString path(const char* name) const { return work.filePath(QLatin1String(name)); }

    Outcome cli(const QStringList& args)
    {
        QProcess process;
        process.setProcessEnvironment(env);
        process.setWorkingDirectory(work.path());
        process.start(QStringLiteral(YW_CLI), args);
        Outcome run;
        if (!process.waitForFinished(60000)) {
            ADD_FAILURE() << "yolkwright-cli did not finish";
            process.kill();
            process.waitForFinished();
            return run;
        }
        run.code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        run.out = QString::fromUtf8(process.readAllStandardOutput());
        run.err = QString::fromUtf8(process.readAllStandardError());
        return run;
    }
    // Replaces one line (0-based) of a project file.
    void replaceLine(const QString& file, int line, const QByteArray& text)
    {
        QList<QByteArray> lines = readFile(file).split('\n');
        lines[line] = text + "\r";
        writeFile(file, lines.join('\n'));
    }
    QJsonObject showJson(const QString& project)
    {
        const Outcome run = cli({QStringLiteral("show"), project});
        EXPECT_EQ(run.code, 0) << describe(run);
        QJsonParseError error;
        const QJsonDocument doc = QJsonDocument::fromJson(run.out.toUtf8(), &error);
        EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
        return doc.object();
    }

    static std::unique_ptr<QTemporaryDir> s_game;
    QTemporaryDir work;
    QProcessEnvironment env;
};

std::unique_ptr<QTemporaryDir> Cli::s_game;

TEST_F(Cli, HelpExplainsTheCommands)
{
    for (const char* flag : {"--help", "-h"}) {
        const Outcome run = cli({QLatin1String(flag)});
        EXPECT_EQ(run.code, 0);
        for (const char* text :
             {"breeds", "new BREED PROJECT", "show PROJECT", "egg PROJECT TARGET",
              "package PROJECT TARGET", "sheet PROJECT TARGET", "--game-dir DIR", "--edition us|uk",
              "--data-dir DIR", "yolkwright-cli new Honker my.opj"})
            EXPECT_TRUE(run.out.contains(QLatin1String(text))) << text;
    }
}

TEST_F(Cli, UsageErrorsExitWith2)
{
    const QList<std::pair<QStringList, const char*>> cases = {
        {{}, "No command given."},
        {{QStringLiteral("hatch")}, "Unknown command hatch."},
        {{QStringLiteral("egg"), QStringLiteral("a.opj")},
         "Usage: yolkwright-cli egg PROJECT TARGET"},
        {{QStringLiteral("--edition"), QStringLiteral("fr"), QStringLiteral("breeds")},
         "The edition must be us or uk, not fr."},
        {{QStringLiteral("--colour"), QStringLiteral("breeds")}, "Unknown option --colour."},
        {{QStringLiteral("breeds"), QStringLiteral("--game-dir")},
         "The option --game-dir needs a value."},
        {{QStringLiteral("new"), QStringLiteral("Dodo"), QStringLiteral("d.opj")},
         "There is no base breed called \"Dodo\"."},
        {{QStringLiteral("breeds"), QStringLiteral("--to"), QStringLiteral("x")},
         "The option --to does not go with the command breeds."},
        {{QStringLiteral("survey"), QStringLiteral("Zott"), QStringLiteral("--attributes"),
          QStringLiteral("0")},
         "The option --attributes needs a byte position (a whole number from 1 on), not 0."},
    };
    for (const auto& [args, message] : cases) {
        const Outcome run = cli(args);
        EXPECT_EQ(run.code, 2) << describe(run);
        EXPECT_TRUE(run.err.contains(QLatin1String(message))) << describe(run);
        EXPECT_TRUE(run.err.contains(QStringLiteral("--help"))) << describe(run);
        EXPECT_TRUE(run.out.isEmpty());
    }
    EXPECT_FALSE(QFileInfo::exists(path("d.opj")));
}

TEST_F(Cli, BreedsTellsWhatIsInstalledAndWhatHasResources)
{
    // A data folder that lacks Zott's locator file, on a game without the Lips egg.
    const QString data = path("mydata");
    QTemporaryDir gameCopy;
    sample::writeSampleGame(gameCopy.path(), Edition::US);
    QFile::remove(sample::gameFolder(gameCopy.path(), Edition::US) +
                  QStringLiteral("/eggz/Lips/Lips.odd"));
    sample::writeResourceFiles(data);
    QFile::remove(data + QStringLiteral("/res/Zott.loc"));
    const QString honker = sample::gameFolder(gameCopy.path(), Edition::US) +
                           QStringLiteral("/eggz/Honker/Honker.odd");
    writeFile(honker, readFile(honker).left(3000));

    const Outcome run =
        cli({QStringLiteral("--data-dir"), data, QStringLiteral("--game-dir"),
             sample::gameFolder(gameCopy.path(), Edition::US), QStringLiteral("breeds")});
    ASSERT_EQ(run.code, 0) << describe(run);
    const QStringList lines = run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 13);
    EXPECT_EQ(lines[0], QStringLiteral("Quadrapus\tquadrpus\tinstalled\tresources\tmatches"));
    EXPECT_EQ(lines[1], QStringLiteral("Honker\tHonker\tinstalled\tresources\tdoes-not-match"));
    EXPECT_EQ(lines[3], QStringLiteral("Zott\tZott\tinstalled\tno-resources\t-"));
    EXPECT_EQ(lines[9], QStringLiteral("Lips\tLips\tmissing\tresources\t-"));
    EXPECT_EQ(lines[12], QStringLiteral("Grinnz\tGrinnz\tinstalled\tresources\tmatches"));
}

// A game whose Honker egg is a "New Executable" with three texts that could be the description.
TEST_F(Cli, SurveyThenNewWritesTheBaseEggAgain)
{
    QTemporaryDir gameCopy;
    sample::writeSampleGame(gameCopy.path(), Edition::US);
    const QString game = sample::gameFolder(gameCopy.path(), Edition::US);
    test::SurveyEggRecipe recipe;
    recipe.ballsPerSet = 67;
    recipe.thirdText = true;
    const test::SurveyEgg egg = test::makeSurveyEgg(recipe);
    writeFile(game + QStringLiteral("/eggz/Honker/Honker.odd"), egg.bytes);
    const auto honker = [&](const QStringList& args) {
        return cli(QStringList{QStringLiteral("--game-dir"), game, QStringLiteral("--edition"),
                               QStringLiteral("us")} +
                   args);
    };
    const QString own = path("data/Brindlecote/Yolkwright/res/Honker");
    const QString desc = QString::number(egg.locator.locDescPos);
    const QString attr = QString::number(egg.locator.locAttrPos);

    Outcome run = honker({QStringLiteral("survey"), QStringLiteral("Honker")});
    EXPECT_EQ(run.code, 1) << describe(run);
    for (const QString& text :
         {QStringLiteral("Honker.odd: The description and the attributes cannot be told apart "
                         "among 3 texts"),
          QStringLiteral("byte ") + desc + QStringLiteral(" \""),
          QStringLiteral("byte ") + attr + QStringLiteral(" \"") +
              QString::fromStdString(egg.attributes),
          QStringLiteral("--description POS and --attributes POS")})
        EXPECT_TRUE(run.err.contains(text)) << text.toStdString() << "\n" << describe(run);
    EXPECT_EQ(run.err.count(QLatin1Char('\n')), 1);
    EXPECT_FALSE(QFileInfo::exists(own + QStringLiteral(".blz")));
    EXPECT_TRUE(honker({QStringLiteral("breeds")})
                    .out.contains(QStringLiteral("Honker\tinstalled\tresources\tdoes-not-match")));

    run = honker({QStringLiteral("survey"), QStringLiteral("honker"),
                  QStringLiteral("--description"), desc, QStringLiteral("--attributes=") + attr});
    ASSERT_EQ(run.code, 0) << describe(run);
    for (const char* text :
         {"Baby ball set HK_SMALL.LNZ: 67 eBalls", "(Body, ", "Adult ball set HK.LNZ",
          "Name: Honker, tray 4, slot 2", "Tips: 3 pairs", "Wrote "})
        EXPECT_TRUE(run.out.contains(QLatin1String(text))) << text << "\n" << describe(run);
    EXPECT_EQ(readFile(own + QStringLiteral(".blz")), informationFileBytes(egg.header, egg.labels));
    EXPECT_EQ(readFile(own + QStringLiteral(".loc")),
              locatorFileBytes(egg.locator, "Locator of Honker.odd (surveyed)"));
    EXPECT_TRUE(honker({QStringLiteral("breeds")})
                    .out.contains(QStringLiteral("Honker\tinstalled\tresources\tmatches")));

    ASSERT_EQ(
        honker({QStringLiteral("new"), QStringLiteral("Honker"), QStringLiteral("h.opj")}).code, 0);
    ASSERT_EQ(
        honker({QStringLiteral("egg"), QStringLiteral("h.opj"), QStringLiteral("h.odd")}).code, 0);
    EXPECT_TRUE(readFile(path("h.odd")) == egg.bytes);

    // --to writes elsewhere; a position that is no number is a usage error.
    run = honker({QStringLiteral("survey"), QStringLiteral("Honker"), QStringLiteral("--to"),
                  path("out"), QStringLiteral("--description"), attr,
                  QStringLiteral("--attributes"), desc});
    ASSERT_EQ(run.code, 0) << describe(run);
    EXPECT_TRUE(readFile(path("out/Honker.loc")).contains(attr.toLatin1() + "\t\t"));
    EXPECT_EQ(honker({QStringLiteral("survey"), QStringLiteral("Honker"),
                      QStringLiteral("--description"), QStringLiteral("first")})
                  .code,
              2);
}

TEST_F(Cli, NewEggAndShowOnBothEditions)
{
    for (const Edition edition : {Edition::US, Edition::UK}) {
        useGame(edition);
        SCOPED_TRACE(edition == Edition::UK ? "UK" : "US");
        QFile::remove(path("my.opj"));
        Outcome run =
            cli({QStringLiteral("new"), QStringLiteral("Quadrapus"), QStringLiteral("my.opj")});
        ASSERT_EQ(run.code, 0) << describe(run);
        EXPECT_TRUE(run.err.isEmpty()) << describe(run);
        EXPECT_TRUE(readFile(path("my.opj"))
                        .startsWith("[Yolkwright Project File]\r\n\"0310\",2,\"quadrpus\"\r\n"));

        run = cli({QStringLiteral("egg"), QStringLiteral("my.opj"), QStringLiteral("my.odd")});
        ASSERT_EQ(run.code, 0) << describe(run);
        EXPECT_TRUE(readFile(path("my.odd")) ==
                    readFile(baseEgg(edition, QStringLiteral("quadrpus"))));
        EXPECT_TRUE(readFile(path("my.odx")) ==
                    readFile(baseEgg(edition, QStringLiteral("quadrpus"), ".odx")));
    }

    const QJsonObject json = showJson(QStringLiteral("my.opj"));
    const sample::BreedContent& quadrapus = sample::breed(0);
    EXPECT_EQ(json[QStringLiteral("build")].toString(), QStringLiteral("0310"));
    EXPECT_EQ(json[QStringLiteral("baseBreed")].toString(), QStringLiteral("quadrpus"));
    EXPECT_EQ(json[QStringLiteral("ballSetFiles")].toArray(),
              (QJsonArray{QStringLiteral("qp_small.lnz"), QStringLiteral("qp.lnz")}));
    EXPECT_EQ(json[QStringLiteral("ballsPerSet")].toInt(), 67);
    EXPECT_EQ(json[QStringLiteral("breedName")].toString(), QStringLiteral("Quadrapus"));
    EXPECT_EQ(json[QStringLiteral("eggTray")].toString(), QStringLiteral("3"));
    EXPECT_EQ(json[QStringLiteral("eggSlot")].toString(), QStringLiteral("1"));
    EXPECT_EQ(json[QStringLiteral("description")].toString().toStdString(), quadrapus.description);
    EXPECT_EQ(json[QStringLiteral("attributes")].toString().toStdString(), quadrapus.attributes);
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

TEST_F(Cli, ShowConvertsTextsAndRestoresQuotes)
{
    ASSERT_EQ(cli({QStringLiteral("new"), QStringLiteral("snowbo"), QStringLiteral("s.opj")}).code,
              0);
    EXPECT_EQ(showJson(QStringLiteral("s.opj"))[QStringLiteral("description")].toString(),
              QStringLiteral("Snowbo dreams of snowy hills and cr\u00e8me br\u00fbl\u00e9e."));

    ASSERT_EQ(cli({QStringLiteral("new"), QStringLiteral("Honker"), QStringLiteral("h.opj")}).code,
              0);
    EXPECT_TRUE(readFile(path("h.opj")).contains("loves to \x94honk\x94 at"));
    EXPECT_TRUE(
        showJson(QStringLiteral("h.opj"))[QStringLiteral("description")].toString().contains(
            QStringLiteral("loves to \"honk\" at")));
}

TEST_F(Cli, GameAndEditionFailures)
{
    // No settings file in the Windows folder.
    env.insert(QStringLiteral("windir"), work.path());
    Outcome run = cli({QStringLiteral("breeds")});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err,
              QStringLiteral("yolkwright-cli: ") + work.path() +
                  QStringLiteral("/oddballz.ini: Oddballz does not appear to be installed. "
                                 "You must install it before you can run Yolkwright. (Or "
                                 "name the game folder with --game-dir.)\n"));

    run = cli({QStringLiteral("--game-dir"), path("nowhere"), QStringLiteral("breeds")});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err, QStringLiteral("yolkwright-cli: ") + path("nowhere") +
                           QStringLiteral(": The game folder does not exist.\n"));

    // A game folder without oddballz.wad, no stored edition, no --edition.
    QDir().mkpath(path("bare"));
    run = cli({QStringLiteral("--game-dir"), path("bare"), QStringLiteral("breeds")});
    EXPECT_EQ(run.code, 1);
    EXPECT_TRUE(run.err.startsWith(QStringLiteral("yolkwright-cli: ") + path("bare") +
                                   QStringLiteral("/oddballz.wad: ")))
        << describe(run);
    EXPECT_TRUE(run.err.contains(QStringLiteral("--edition"))) << describe(run);
    EXPECT_EQ(run.err.count(QLatin1Char('\n')), 1);
}

TEST_F(Cli, StoredEditionWinsOverDetectionAndNothingIsStored)
{
    useGame(Edition::UK);
    const QString ini = work.filePath(QStringLiteral("config/Brindlecote.ini"));
    // Detection on the UK game reads the UK files and stores nothing.
    ASSERT_EQ(cli({QStringLiteral("new"), QStringLiteral("Zott"), QStringLiteral("z.opj")}).code,
              0);
    EXPECT_FALSE(QFileInfo::exists(ini));

    // The editor's stored US choice makes the UK egg read as damaged.
    writeFile(ini, "[QuorrelYW]\nCheckedCountry=1\noptUK=False\n");
    Outcome run = cli({QStringLiteral("new"), QStringLiteral("Zott"), QStringLiteral("z2.opj")});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err, QStringLiteral("yolkwright-cli: ") +
                           baseEgg(Edition::UK, QStringLiteral("Zott")) +
                           QStringLiteral(": It appears that the Zott.odd file in your Oddballz "
                                          "folder is either corrupt, a demo egg, or your version "
                                          "of Oddballz has not been specified in the Options "
                                          "window.\n"));
    EXPECT_FALSE(QFileInfo::exists(path("z2.opj")));

    // --edition overrides the stored choice.
    run = cli({QStringLiteral("--edition"), QStringLiteral("uk"), QStringLiteral("new"),
               QStringLiteral("Zott"), QStringLiteral("z2.opj")});
    EXPECT_EQ(run.code, 0) << describe(run);
}

TEST_F(Cli, NewProjectFailuresWriteNothing)
{
    QTemporaryDir gameCopy;
    sample::writeSampleGame(gameCopy.path(), Edition::US);
    const QString gameDir = sample::gameFolder(gameCopy.path(), Edition::US);
    QFile::remove(gameDir + QStringLiteral("/eggz/Lips/Lips.odd"));
    const QString data = path("mydata");
    sample::writeResourceFiles(data);
    QFile::remove(data + QStringLiteral("/res/Zott.loc"));
    const QStringList base = {QStringLiteral("--game-dir"), gameDir, QStringLiteral("--data-dir"),
                              data, QStringLiteral("new")};

    Outcome run = cli(base + QStringList{QStringLiteral("Lips"), QStringLiteral("l.opj")});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err, QStringLiteral("yolkwright-cli: ") + gameDir +
                           QStringLiteral("/eggz/Lips/Lips.odd: The breed that was selected, Lips, "
                                          "is not installed in the Oddballz folder. Yolkwright "
                                          "cannot use it.\n"));
    run = cli(base + QStringList{QStringLiteral("Zott"), QStringLiteral("z.opj")});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err, QStringLiteral("yolkwright-cli: ") + data +
                           QStringLiteral("/res/Zott.loc: Yolkwright cannot find any information "
                                          "about the breed that was selected. A resource file may "
                                          "have been damaged or deleted.\n"));
    // The project's folder does not exist.
    run = cli(base + QStringList{QStringLiteral("Honker"), path("no/such/folder/h.opj")});
    EXPECT_EQ(run.code, 1);
    EXPECT_TRUE(run.err.startsWith(QStringLiteral("yolkwright-cli: ") +
                                   path("no/such/folder/h.opj") + QStringLiteral(": ")))
        << describe(run);
    EXPECT_TRUE(QDir(work.path()).entryList({QStringLiteral("*.opj")}, QDir::Files).isEmpty());
}

TEST_F(Cli, EggRefusalsLeaveNoFile)
{
    ASSERT_EQ(cli({QStringLiteral("new"), QStringLiteral("Honker"), QStringLiteral("h.opj")}).code,
              0);
    const QList<QByteArray> lines = readFile(path("h.opj")).split('\n');
    const int descriptionLine = int(lines.size()) - 3; // then attributes and the final empty piece
    replaceLine(path("h.opj"), descriptionLine, "\"" + QByteArray(400, 'd') + "\"");

    const Outcome run =
        cli({QStringLiteral("egg"), QStringLiteral("h.opj"), QStringLiteral("h.odd")});
    EXPECT_EQ(run.code, 1);
    EXPECT_TRUE(run.err.startsWith(QStringLiteral("yolkwright-cli: h.odd: The "))) << describe(run);
    EXPECT_TRUE(run.err.contains(QStringLiteral("too long"))) << describe(run);
    EXPECT_FALSE(QFileInfo::exists(path("h.odd")));
}

TEST_F(Cli, NoticesAndWarningsGoToStderr)
{
    ASSERT_EQ(cli({QStringLiteral("new"), QStringLiteral("Honker"), QStringLiteral("h.opj")}).code,
              0);
    // Another build wrote it, and its tips are longer than the egg has room for.
    replaceLine(path("h.opj"), 1, "\"0001\",0,\"Honker\"");
    replaceLine(path("h.opj"), 3,
                "\"" + QByteArray(300, 'd') + "\",\"" + QByteArray(300, 'r') + "\"");

    const Outcome shown = cli({QStringLiteral("show"), QStringLiteral("h.opj")});
    EXPECT_EQ(shown.code, 0) << describe(shown);
    EXPECT_TRUE(shown.err.startsWith(QStringLiteral(
        "yolkwright-cli: warning: The project file being opened was made by an older version")))
        << describe(shown);
    EXPECT_EQ(QJsonDocument::fromJson(shown.out.toUtf8())[QStringLiteral("build")].toString(),
              QStringLiteral("0001"));

    const Outcome egg =
        cli({QStringLiteral("egg"), QStringLiteral("h.opj"), QStringLiteral("h.odd")});
    EXPECT_EQ(egg.code, 0) << describe(egg);
    EXPECT_TRUE(egg.err.contains(QStringLiteral(
        "yolkwright-cli: note: The total length of the on-screen tips was too long.")))
        << describe(egg);
    EXPECT_TRUE(egg.out.isEmpty());
    EXPECT_TRUE(QFileInfo::exists(path("h.odd")));
}

TEST_F(Cli, PackageHoldsTheEggItsCompanionAndTheInfoLine)
{
    useGame(Edition::UK);
    writeFile(work.filePath(QStringLiteral("config/Brindlecote.ini")),
              "[QuorrelYW]\nCheckedCountry=1\noptUK=1\nYPKSiteName=Odd Corner\n");
    ASSERT_EQ(
        cli({QStringLiteral("new"), QStringLiteral("Quadrapus"), QStringLiteral("q.opj")}).code, 0);
    Outcome run =
        cli({QStringLiteral("package"), QStringLiteral("q.opj"), QStringLiteral("My Breed.ypk")});
    ASSERT_EQ(run.code, 0) << describe(run);
    EXPECT_TRUE(run.err.isEmpty()) << describe(run);

    const QString cabextract = QStandardPaths::findExecutable(QStringLiteral("cabextract"));
    ASSERT_FALSE(cabextract.isEmpty()) << "scripts/setup installs cabextract";
    QProcess extract;
    extract.start(cabextract,
                  {QStringLiteral("-q"), QStringLiteral("-d"), path("out"), path("My Breed.ypk")});
    ASSERT_TRUE(extract.waitForFinished(60000));
    ASSERT_EQ(extract.exitCode(), 0) << extract.readAllStandardError().toStdString();
    EXPECT_EQ(QDir(path("out")).entryList(QDir::Files, QDir::Name),
              (QStringList{QStringLiteral("My Breed.odd"), QStringLiteral("My Breed.odx"),
                           QStringLiteral("ypkinfo.inf")}));
    EXPECT_TRUE(readFile(path("out/My Breed.odd")) ==
                readFile(baseEgg(Edition::UK, QStringLiteral("quadrpus"))));
    EXPECT_TRUE(readFile(path("out/My Breed.odx")) ==
                readFile(baseEgg(Edition::UK, QStringLiteral("quadrpus"), ".odx")));
    const QByteArray info = readFile(path("out/ypkinfo.inf"));
    EXPECT_TRUE(info.startsWith("\"YPKFILE|$|2.0\",\"Quadrapus\",\"Four arms")) << info.constData();
    EXPECT_TRUE(info.endsWith(",#FALSE#,\"Odd Corner\",\"\"\r\n")) << info.constData();

    run = cli({QStringLiteral("package"), QStringLiteral("q.opj"), path("no/such/q.ypk")});
    EXPECT_EQ(run.code, 1);
    EXPECT_TRUE(run.err.startsWith(QStringLiteral("yolkwright-cli: ") + path("no/such/q.ypk")))
        << describe(run);
}

TEST_F(Cli, SheetDrawsEveryEBallAndFailsWithoutWriting)
{
    ASSERT_EQ(cli({QStringLiteral("new"), QStringLiteral("Honker"), QStringLiteral("h.opj")}).code,
              0);
    Outcome run = cli({QStringLiteral("sheet"), QStringLiteral("h.opj"), QStringLiteral("h.svg")});
    ASSERT_EQ(run.code, 0) << describe(run);
    EXPECT_TRUE(run.out.isEmpty() && run.err.isEmpty()) << describe(run);
    QXmlStreamReader xml(readFile(path("h.svg")));
    int swatches = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement &&
            xml.attributes().value(QLatin1String("class")) == QLatin1String("swatch"))
            ++swatches;
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_EQ(swatches,
              2 * showJson(QStringLiteral("h.opj"))[QStringLiteral("ballsPerSet")].toInt());

    // One data folder without the breed's information file, one whole.
    const QString data = path("mydata");
    const QString whole = path("whole");
    sample::writeResourceFiles(data);
    sample::writeResourceFiles(whole);
    QFile::remove(data + QStringLiteral("/res/Honker.blz"));
    const QString info = whole + QStringLiteral("/res/Honker.blz");
    const QByteArray project = readFile(path("h.opj"));
    const QByteArray infoBytes = readFile(info);
    const QString egg = baseEgg(Edition::US, QStringLiteral("Honker"));
    const QByteArray eggBytes = readFile(egg);
    const QList<std::pair<QStringList, QString>> failures = {
        {{QStringLiteral("missing.opj"), QStringLiteral("m.svg")}, QStringLiteral("missing.opj")},
        {{QStringLiteral("h.opj"), path("no/such/h.svg")}, path("no/such/h.svg")},
        {{QStringLiteral("h.opj"), path("h.opj")}, path("h.opj")},
        {{QStringLiteral("h.opj"), work.path()}, work.path()},
        {{QStringLiteral("--edition"), QStringLiteral("us"), QStringLiteral("h.opj"), egg}, egg},
        {{QStringLiteral("--data-dir"), whole, QStringLiteral("h.opj"), info}, info},
        {{QStringLiteral("--data-dir"), data, QStringLiteral("h.opj"), QStringLiteral("d.svg")},
         data + QStringLiteral("/res/Honker.blz")},
    };
    for (const auto& [args, file] : failures) {
        QStringList line = args;
        line.insert(line.size() - 2, QStringLiteral("sheet"));
        run = cli(line);
        EXPECT_EQ(run.code, 1) << describe(run);
        EXPECT_TRUE(run.err.startsWith(QStringLiteral("yolkwright-cli: ") + file)) << describe(run);
        EXPECT_EQ(run.err.count(QLatin1Char('\n')), 1) << describe(run);
    }
    EXPECT_TRUE(readFile(path("h.opj")) == project);
    EXPECT_TRUE(readFile(info) == infoBytes);
    EXPECT_TRUE(readFile(egg) == eggBytes);
    EXPECT_EQ(QDir(work.path()).entryList({QStringLiteral("*.svg")}, QDir::Files),
              QStringList{QStringLiteral("h.svg")});
    EXPECT_EQ(cli({QStringLiteral("sheet"), QStringLiteral("h.opj")}).code, 2);
}

TEST_F(Cli, PlayersOwnDataFolderComesFirst)
{
    const QString mine = work.filePath(QStringLiteral("data/Brindlecote/Yolkwright"));
    sample::writeResourceFiles(mine);
    QByteArray blz = readFile(mine + QStringLiteral("/res/Honker.blz"));
    blz.replace("\"hk_small.lnz\",\"hk.lnz\"", "\"my_small.lnz\",\"my.lnz\"");
    writeFile(mine + QStringLiteral("/res/Honker.blz"), blz);

    ASSERT_EQ(cli({QStringLiteral("new"), QStringLiteral("Honker"), QStringLiteral("h.opj")}).code,
              0);
    EXPECT_EQ(showJson(QStringLiteral("h.opj"))[QStringLiteral("ballSetFiles")].toArray(),
              (QJsonArray{QStringLiteral("my_small.lnz"), QStringLiteral("my.lnz")}));
}

} // namespace yw
