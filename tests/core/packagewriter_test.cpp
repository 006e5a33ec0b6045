#include "breedfixture.h"
#include "files/eggwriter.h"
#include "files/packagewriter.h"
#include "platform/errors.h"
#include "platform/settingsstore.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

namespace yw {

using namespace test;

TEST(YpkInfo, OneLineWithTheTagTextsFlagAndSiteFields)
{
    ProjectState state;
    state.breedName = "Ziggy";
    state.breedDescription = "Line one\r\nline two";
    EXPECT_EQ(ypkInfoBytes(state, QString(), QString()),
              "\"YPKFILE|$|2.0\",\"Ziggy\",\"Line one\r\nline two\",#FALSE#,\"\",\"\"\r\n");

    // A double quote anywhere would end its field early; it is stored as character 148.
    state.breedName = "The \"Big\" One";
    state.breedDescription = "Already \x94stored\x94";
    EXPECT_EQ(ypkInfoBytes(state, QStringLiteral("Zig's \"site\""),
                           QStringLiteral("http://example.org/")),
              "\"YPKFILE|$|2.0\",\"The \x94"
              "Big\x94 One\",\"Already \x94stored\x94\",#FALSE#,"
              "\"Zig's \x94site\x94\",\"http://example.org/\"\r\n");
    EXPECT_THROW(ypkInfoBytes(state, QStringLiteral("\u4e2d"), QString()), Error);
}

class PackageWriter : public BreedFixture
{
protected:
    void SetUp() override
    {
        BreedFixture::SetUp();
        ASSERT_TRUE(temp.isValid());
        // QTemporaryDir follows TMPDIR: the package's work folder lands where we can see it.
        savedTmp = qgetenv("TMPDIR");
        qputenv("TMPDIR", temp.path().toLocal8Bit());
        install(true);
        for (size_t i = 0; i < content.balls.size(); ++i)
            state.eBalls[i] = content.balls[i];
        state.breedName = "Ziggy";
        state.eggTray = "12";
        state.eggSlot = "5";
        state.regTips = {"r0", "r1", "r2"};
        state.demoTips = {"d0", "d1", "d2"};
        settings.write(kSectionMain, QStringLiteral("YPKSiteName"), QStringLiteral("Zig's page"));
    }
    void TearDown() override
    {
        if (savedTmp.isNull())
            qunsetenv("TMPDIR");
        else
            qputenv("TMPDIR", savedTmp);
    }

    QStringList leftInTemp() const
    {
        return QDir(temp.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    }

    static QString cabextract()
    {
        return QStandardPaths::findExecutable(QStringLiteral("cabextract"));
    }

    // Runs cabextract and returns its standard output; fails the test on a non-zero exit.
    static QByteArray runCabextract(const QStringList& arguments)
    {
        QProcess process;
        process.start(cabextract(), arguments);
        EXPECT_TRUE(process.waitForFinished(30000));
        EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
        return process.readAllStandardOutput();
    }

    // The member names in cabinet order, as cabextract lists them.
    static QStringList members(const QString& package)
    {
        const QString listing = QString::fromUtf8(runCabextract({QStringLiteral("-l"), package}));
        static const QRegularExpression line(QStringLiteral(R"(^\s*\d+ \| [^|]+ \| (.+)$)"),
                                             QRegularExpression::MultilineOption);
        QStringList names;
        for (const QRegularExpressionMatch& match : line.globalMatch(listing))
            names << match.captured(1);
        return names;
    }

    QTemporaryDir temp;
    QByteArray savedTmp;
    MemorySettingsStore settings;
};

TEST_F(PackageWriter, CabinetHoldsInfoCompanionAndEggInOrderByteForByte)
{
    ASSERT_FALSE(cabextract().isEmpty()) << "scripts/setup installs cabextract";
    const QString package = path(QStringLiteral("My Breed.ypk"));
    SaveYPK(state, package, prompts, settings);

    EXPECT_EQ(members(package),
              (QStringList{QStringLiteral("ypkinfo.inf"), QStringLiteral("My Breed.odx"),
                           QStringLiteral("My Breed.odd")}));

    const QString out = path(QStringLiteral("extracted"));
    runCabextract({QStringLiteral("-q"), QStringLiteral("-d"), out, package});
    EXPECT_EQ(readFile(out + QStringLiteral("/ypkinfo.inf")),
              ypkInfoBytes(state, QStringLiteral("Zig's page"), QString()));
    EXPECT_EQ(readFile(out + QStringLiteral("/My Breed.odx")), baseCompanion);
    EXPECT_EQ(readFile(out + QStringLiteral("/My Breed.odd")),
              patchedEgg(state, baseEgg, layout.ballsPerSet, prompts, QString()));
    EXPECT_EQ(QDir(out).entryList(QDir::Files).size(), 3);
    EXPECT_TRUE(leftInTemp().isEmpty()) << leftInTemp().join(QLatin1Char(' ')).toStdString();
}

TEST_F(PackageWriter, WithoutACompanionThePackageHoldsTwoFilesUnderTheirNames)
{
    ASSERT_FALSE(cabextract().isEmpty()) << "scripts/setup installs cabextract";
    QFile::remove(gamePath("eggz/Zott/Zott.odx"));
    // A name outside ASCII survives as it is (cabinets mark such names as UTF-8).
    const QString package = path(QStringLiteral("Br\u00e9ed.ypk"));
    SaveYPK(state, package, prompts, settings);
    EXPECT_EQ(members(package),
              (QStringList{QStringLiteral("ypkinfo.inf"), QStringLiteral("Br\u00e9ed.odd")}));
}

TEST_F(PackageWriter, SameProjectMakesTheSameBytes)
{
    const QString first = path(QStringLiteral("a.ypk"));
    const QString second = path(QStringLiteral("b/a.ypk"));
    QDir().mkpath(path(QStringLiteral("b")));
    SaveYPK(state, first, prompts, settings);
    SaveYPK(state, second, prompts, settings);
    EXPECT_EQ(readFile(first), readFile(second));
    EXPECT_TRUE(readFile(first).startsWith("MSCF"));
}

TEST_F(PackageWriter, RefusedEggLeavesNoPackageNoTemporaryFilesAndTheOldPackage)
{
    const QString package = path(QStringLiteral("old.ypk"));
    state.breedName = std::string(200, 'n');
    EXPECT_THROW(SaveYPK(state, package, prompts, settings), DoesNotFit);
    EXPECT_FALSE(QFile::exists(package));
    EXPECT_TRUE(leftInTemp().isEmpty());

    writeFile(package, "old package");
    EXPECT_THROW(SaveYPK(state, package, prompts, settings), DoesNotFit);
    EXPECT_EQ(readFile(package), "old package");
    EXPECT_TRUE(leftInTemp().isEmpty());
}

TEST_F(PackageWriter, UnwritableTargetLeavesNoTemporaryFiles)
{
    EXPECT_THROW(SaveYPK(state, path(QStringLiteral("no/such/folder/x.ypk")), prompts, settings),
                 FileError);
    EXPECT_TRUE(leftInTemp().isEmpty());
}

} // namespace yw
