// The soak: many random projects on the sample game, each made by the new-project reader, edited
// at random (fixed seed), saved, reopened, written as an egg and as a package, and every round trip
// checked: the reopened project equals the saved one, the egg imported back gives the edited breed,
// and the package holds that very egg. Memory is measured at the start and the end. YW_SOAK_COUNT
// sets the number of projects (CI: a few hundred; by hand: thousands).
#include "files/eggimport.h"
#include "files/eggwriter.h"
#include "files/newproject.h"
#include "files/packagewriter.h"
#include "files/projectfile.h"
#include "platform/filesystem.h"
#include "platform/memoryusage.h"
#include "platform/settingsstore.h"
#include "samplegame/samplegame.h"
#include "support/eggreadback.h"
#include "support/randomedits.h"
#include "support/statecompare.h"
#include "support/testsupport.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
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

} // namespace

// The sample game, and one random project of the sample breeds in turn per round.
class Soak : public TempFolderTest
{
protected:
    void SetUp() override
    {
        TempFolderTest::SetUp();
        install = test::sampleGameInstallation(dir.path(), fso);
        settings.write(kSectionMain, QStringLiteral("YPKSiteName"),
                       QStringLiteral("Soak \"site\""));
        ASSERT_FALSE(QStandardPaths::findExecutable(QStringLiteral("cabextract")).isEmpty())
            << "scripts/setup installs cabextract";
    }
    // Round `i`: the project through the project file, the egg and the package.
    void roundTrip(int i)
    {
        const std::vector<BaseBreedEntry>& breeds = baseBreeds();
        const BaseBreedEntry& breed = breeds[size_t(i) % breeds.size()];
        ScriptedPrompts prompts;
        NewProject made = readBaseBreed(install, start, breed.listText, prompts);
        ASSERT_EQ(made.status, NewProjectStatus::Created) << breed.stem;
        const int n = made.shape.ballsPerSet();
        ProjectState edited = made.state;
        test::RandomEdits(unsigned(i) * 7919u + 1u).edit(edited, n);

        // Project file: saved and reopened into the start-up state, which held something else.
        SaveOPJ(install, edited, made.shape, project);
        ProjectState opened = start;
        BreedShape shape;
        ASSERT_EQ(OpenOPJ(install, opened, shape, project, prompts, settings), OpenResult::Opened);
        ASSERT_EQ(test::projectDifference(opened, edited), "");
        ++roundTrips;

        // Egg: written, then read back by the new-project reader after its bytes outside the
        // regions are found to be the base egg's.
        QFile::remove(companionPathFor(egg)); // the previous breed's would not be this one's
        ASSERT_EQ(saveODD(install, opened, shape, egg, prompts), egg);
        ASSERT_TRUE(prompts.shown.empty()) << prompts.shown.front().text.toStdString();
        const ImportedEgg back = importFile(install, start, egg);
        ASSERT_EQ(test::projectDifference(back.project.state, test::asReadFromEgg(edited, n)), "");
        const QByteArray eggBytes = readFile(egg);
        ++roundTrips;

        // Package: holds the same egg.
        SaveYPK(install, opened, shape, package, prompts, settings);
        QProcess extract;
        extract.start(QStringLiteral("cabextract"),
                      {QStringLiteral("-q"), QStringLiteral("-p"), QStringLiteral("-F"),
                       QStringLiteral("soak package.odd"), package});
        ASSERT_TRUE(extract.waitForFinished(30000));
        ASSERT_EQ(extract.exitCode(), 0);
        ASSERT_EQ(extract.readAllStandardOutput(), eggBytes);
        ++roundTrips;
    }

    FileSystem fso;
    Installation install;
    const ProjectState start;
    MemorySettingsStore settings;
    const QString project = path(QStringLiteral("soak project.opj"));
    const QString egg = path(QStringLiteral("soak egg.odd"));
    const QString package = path(QStringLiteral("soak package.ypk"));
    int roundTrips = 0;
};

TEST_F(Soak, RandomProjectsRoundTripThroughEveryFile)
{
    const int count = soakCount();
    for (int i = 0; i < count && !HasFatalFailure(); ++i) {
        SCOPED_TRACE(i);
        roundTrip(i);
    }
    std::printf("soak: %d projects, %d round trips\n", count, roundTrips);
}

TEST_F(Soak, MemoryStaysFlatOverManyRoundTrips)
{
    const int count = soakCount();
    long rssStart = 0;
    for (int i = 0; i < count && !HasFatalFailure(); ++i) {
        SCOPED_TRACE(i);
        if (i == std::min(count - 1, 20))
            rssStart = residentKiB(); // after the caches have filled
        roundTrip(i);
    }
    const long rssEnd = residentKiB();
    std::printf("soak: VmRSS %ld KiB after warm-up, %ld KiB at the end\n", rssStart, rssEnd);
#if !defined(__SANITIZE_ADDRESS__)
    // The sanitizers keep freed memory in quarantine; the bound only means something without.
    EXPECT_LT(rssEnd - rssStart, 8 * 1024) << "resident memory grew by more than 8 MiB";
#endif
}

} // namespace yw
