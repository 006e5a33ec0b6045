// The soak: many random projects on the sample game, each made by the new-project reader, edited
// at random (fixed seed), saved, reopened, written as an egg and as a package, and every round trip
// checked: the reopened project equals the saved one, the egg read back as a base breed gives the
// edited breed, and the package holds that very egg. Memory is measured at the start and the end.
// YW_SOAK_COUNT sets the number of projects (CI: a few hundred; by hand: thousands).
#include "files/eggwriter.h"
#include "files/newproject.h"
#include "files/packagewriter.h"
#include "files/projectfile.h"
#include "platform/filesystem.h"
#include "platform/memoryusage.h"
#include "platform/settingsstore.h"
#include "samplegame/samplegame.h"
#include "support/eggreadback.h"
#include "support/statecompare.h"
#include "support/testsupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cstdio>
#include <gtest/gtest.h>
#include <random>

namespace yw {

using namespace test;

namespace {

int soakCount()
{
    bool ok = false;
    const int count = qEnvironmentVariableIntValue("YW_SOAK_COUNT", &ok);
    return ok && count > 0 ? count : 40;
}

class Editor
{
public:
    explicit Editor(unsigned seed) : m_rng(seed) {}

    int number(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_rng); }

    // Windows-1252 text without line breaks, with quotes, curly quotes' neighbours and accents.
    std::string text(int maxLength, bool blanks = true)
    {
        static const std::string alphabet = std::string("abcXYZ019-_.,;!?'\"&()") +
                                            "\xe4\xf6\xfc\xe9\xdf\x80" + std::string(4, ' ');
        const int length = number(1, std::max(1, maxLength));
        std::string out;
        while (int(out.size()) < length) {
            const char c = alphabet[size_t(number(0, int(alphabet.size()) - 1))];
            if (c == ' ' && (!blanks || out.empty()))
                continue;
            out += c;
        }
        while (!out.empty() && out.back() == ' ')
            out.pop_back();
        return out.empty() ? std::string("x") : out;
    }

    void edit(ProjectState& s, int ballsPerSet)
    {
        for (int changes = number(1, 40); changes > 0; --changes) {
            EBallRecord& r = s.eBalls[size_t(number(0, 2 * ballsPerSet - 1))];
            r.fillColor = int16_t(number(-1, 255));
            r.borderColor = int16_t(number(-1, 255));
            r.spreckColor = int16_t(number(-1, 255));
            r.fuzziness = int16_t(number(0, 3));
            r.borderThickness = int16_t(number(-1, 2));
            r.diameter = int16_t(number(1, 120));
            r.useTexture = int16_t(r.texture > -1 ? number(0, 1) : 0);
        }
        // Every text within its room in the egg (the writer refuses more, tested elsewhere).
        s.eggTray = std::to_string(number(0, 99));
        s.eggSlot = std::to_string(number(0, 9));
        s.breedName =
            text(std::min<int>(20, s.locNameLen - int(s.eggTray.size() + s.eggSlot.size()) - 3));
        s.breedDescription = text(std::min(s.locDescLen, 200));
        s.breedAttributes = text(std::min(s.locAttrLen, 60));
        const int perTip = std::max(1, s.locTipsLen / std::max(1, s.tipCount) - 2);
        for (int t = 0; t < s.tipPairs(); ++t) {
            s.regTips[size_t(t)] = number(0, 4) == 0 ? std::string() : text(perTip);
            s.demoTips[size_t(t)] = text(perTip);
        }
    }

private:
    std::mt19937 m_rng;
};

} // namespace

TEST(Soak, RandomProjectsRoundTripThroughEveryFileAndMemoryStaysFlat)
{
    const int count = soakCount();
    QTemporaryDir work;
    ASSERT_TRUE(work.isValid());
    FileSystem fso;
    const Installation install = test::sampleGameInstallation(work.path(), fso);
    const ProjectState start;
    const QString rereadGame = work.filePath(QStringLiteral("reread"));
    Installation reread = install;
    reread.gameFolder = rereadGame;

    MemorySettingsStore settings;
    settings.write(kSectionMain, QStringLiteral("YPKSiteName"), QStringLiteral("Soak \"site\""));
    ASSERT_FALSE(QStandardPaths::findExecutable(QStringLiteral("cabextract")).isEmpty())
        << "scripts/setup installs cabextract";
    const std::vector<BaseBreedEntry>& breeds = baseBreeds();
    const QString project = work.filePath(QStringLiteral("soak project.opj"));
    const QString egg = work.filePath(QStringLiteral("soak egg.odd"));
    const QString package = work.filePath(QStringLiteral("soak package.ypk"));

    long rssStart = 0;
    int roundTrips = 0;
    for (int i = 0; i < count; ++i) {
        SCOPED_TRACE(i);
        if (i == std::min(count - 1, 20))
            rssStart = residentKiB(); // after the caches have filled
        const BaseBreedEntry& breed = breeds[size_t(i) % breeds.size()];
        ScriptedPrompts prompts;
        NewProject made = readBaseBreed(install, start, breed.listText, prompts);
        ASSERT_EQ(made.status, NewProjectStatus::Created) << breed.stem;
        const int n = made.header.ballsPerSet;
        ProjectState edited = made.state;
        Editor(unsigned(i) * 7919u + 1u).edit(edited, n);

        // Project file: saved and reopened into the start-up state, which held something else.
        SaveOPJ(install, edited, project);
        ProjectState opened = start;
        ASSERT_EQ(OpenOPJ(install, opened, project, prompts, settings), OpenResult::Opened);
        ASSERT_EQ(test::projectDifference(opened, edited), "");
        ++roundTrips;

        // Egg: written, then read back as a base breed.
        ASSERT_EQ(saveODD(install, opened, egg, prompts), egg);
        ASSERT_TRUE(prompts.shown.empty()) << prompts.shown.front().text.toStdString();
        const QString stem = QString::fromStdString(breed.stem);
        const QByteArray eggBytes = readFile(egg);
        writeFile(rereadGame + QStringLiteral("/eggz/") + stem + QLatin1Char('/') + stem +
                      QStringLiteral(".odd"),
                  eggBytes);
        NewProject back = readBaseBreed(reread, start, breed.listText, prompts);
        ASSERT_EQ(back.status, NewProjectStatus::Created);
        ASSERT_EQ(test::projectDifference(back.state, test::asReadFromEgg(edited, n)), "");
        ++roundTrips;

        // Package: holds the same egg.
        SaveYPK(install, opened, package, prompts, settings);
        QProcess extract;
        extract.start(QStringLiteral("cabextract"),
                      {QStringLiteral("-q"), QStringLiteral("-p"), QStringLiteral("-F"),
                       QStringLiteral("soak package.odd"), package});
        ASSERT_TRUE(extract.waitForFinished(30000));
        ASSERT_EQ(extract.exitCode(), 0);
        ASSERT_EQ(extract.readAllStandardOutput(), eggBytes);
        ++roundTrips;
    }
    const long rssEnd = residentKiB();
    std::printf("soak: %d projects, %d round trips, VmRSS %ld KiB after warm-up, %ld KiB at the "
                "end\n",
                count, roundTrips, rssStart, rssEnd);
#if !defined(__SANITIZE_ADDRESS__)
    // The sanitizers keep freed memory in quarantine; the bound only means something without.
    EXPECT_LT(rssEnd - rssStart, 8 * 1024) << "resident memory grew by more than 8 MiB";
#endif
}

} // namespace yw
