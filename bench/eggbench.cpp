// Writing an egg, a project and a package for a 1 MiB base egg with 67 eBalls per set, each
// next to the yardstick it is compared with in the README.
#include "files/breedresources.h"
#include "files/breedsheet.h"
#include "files/egggrowth.h"
#include "files/eggimport.h"
#include "files/eggwriter.h"
#include "files/newproject.h"
#include "files/packagewriter.h"
#include "files/projectfile.h"
#include "model/installation.h"
#include "model/projectstate.h"
#include "platform/filesystem.h"
#include "platform/prompts.h"
#include "platform/savefile.h"
#include "platform/settingsstore.h"
#include "samplegame/samplegame.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <memory>

namespace {

using namespace yw;

constexpr qsizetype kEggSize = 1024 * 1024;

// The sample game's Quadrapus (67 eBalls per set, with a companion), its egg padded to 1 MiB:
// the regions stay where the locator file says.
struct Setup
{
    Setup()
    {
        if (!dir.isValid())
            throw std::runtime_error("no temporary folder");
        const QString data = dir.filePath(QStringLiteral("data"));
        sample::writeSampleGame(dir.path(), sample::Edition::US);
        sample::writeResourceFiles(data);
        installation.programFolder = data;
        installation.edition = Edition::US;
        installation.gameFolder = sample::gameFolder(dir.path(), sample::Edition::US);
        installation.fso = &fso;
        installation.buildNo = "0310";
        state = ProjectState{};

        QByteArray egg = sample::eggFile(0, sample::Edition::US);
        egg.append(QByteArray(kEggSize - egg.size(), 'z'));
        state.baseBreed = "quadrpus";
        saveFileAtomically(installation.baseEggPath(state.baseBreed), egg);

        NewProject project =
            readBaseBreed(installation, state, QStringLiteral("Quadrapus"), prompts);
        if (project.status != NewProjectStatus::Created)
            throw std::runtime_error("the sample breed did not read");
        state.commitProject(project.state, 2 * project.shape.ballsPerSet());
        shape = project.shape;
        state.breedName = "Bench";
        state.eBalls[5].fillColor = 200;
        projectPath = dir.filePath(QStringLiteral("bench.opj"));
        SaveOPJ(installation, state, shape, projectPath);

        // The three files of a package, for the gcab peer.
        peerFolder = dir.filePath(QStringLiteral("peer"));
        QDir().mkpath(peerFolder);
        saveODD(installation, state, shape, peerFolder + QStringLiteral("/Bench.odd"), prompts);
        saveFileAtomically(peerFolder + QStringLiteral("/ypkinfo.inf"),
                           ypkInfoBytes(state, QString(), QString()));
    }

    QTemporaryDir dir;
    FileSystem fso;
    Installation installation;
    ProjectState state;
    BreedShape shape;
    NoPrompts prompts; // the benchmark project is this build's: no question is asked
    MemorySettingsStore settings;
    QString projectPath;
    QString peerFolder;
};

Setup& setup()
{
    static Setup instance;
    return instance;
}

void BM_SaveODD(benchmark::State& run)
{
    Setup& s = setup();
    const QString target = s.dir.filePath(QStringLiteral("out.odd"));
    for (auto _ : run)
        benchmark::DoNotOptimize(saveODD(s.installation, s.state, s.shape, target, s.prompts));
    run.SetBytesProcessed(run.iterations() * kEggSize);
}
BENCHMARK(BM_SaveODD)->Unit(benchmark::kMillisecond);

// Growing in memory: the description, the tips and ball set A past their rooms. The egg is 16 KiB
// short of 1 MiB, since at the sample's shift of 4 the table reaches no byte past 1048560.
void BM_GrowEgg(benchmark::State& run)
{
    Setup& s = setup();
    const QByteArray base =
        readWholeFile(s.installation.baseEggPath(s.state.baseBreed), kEggFileLimit)
            .left(kEggSize - 16384);
    ProjectState state = s.state;
    state.breedDescription = std::string(size_t(state.locDescLen) + 200, 'd');
    state.regTips[0] = std::string(size_t(state.locTipsLen) + 100, 't');
    for (int i = 0; i < s.shape.ballsPerSet(); ++i)
        state.eBalls[size_t(i)].comment += std::string(60, 'c');
    const QString path = s.installation.baseEggPath(state.baseBreed);
    for (auto _ : run) {
        EggGrowth growth;
        growth.allowed = true;
        benchmark::DoNotOptimize(
            patchedEgg(state, base, s.shape.ballsPerSet(), s.prompts, path, &growth));
        if (growth.grown.size() != 3)
            run.SkipWithError("not the three resources grown");
    }
    run.SetBytesProcessed(run.iterations() * base.size());
}
BENCHMARK(BM_GrowEgg)->Unit(benchmark::kMillisecond);

// The yardstick: a durable copy of the same egg (read whole, QSaveFile, fsync, rename), and the
// companion copied the same way, as saveODD does.
void BM_DurableCopy(benchmark::State& run)
{
    Setup& s = setup();
    const QString target = s.dir.filePath(QStringLiteral("copy.odd"));
    for (auto _ : run) {
        saveFileAtomically(
            target, readWholeFile(s.installation.baseEggPath(s.state.baseBreed), kEggFileLimit));
        saveFileAtomically(
            companionPathFor(target),
            readWholeFile(s.installation.baseCompanionPath(s.state.baseBreed), kEggFileLimit));
    }
    run.SetBytesProcessed(run.iterations() * kEggSize);
}
BENCHMARK(BM_DurableCopy)->Unit(benchmark::kMillisecond);

void BM_OpenAndSaveProject(benchmark::State& run)
{
    Setup& s = setup();
    const QString target = s.dir.filePath(QStringLiteral("again.opj"));
    ProjectState state = s.state;
    BreedShape shape;
    for (auto _ : run) {
        OpenOPJ(s.installation, state, shape, s.projectPath, s.prompts, s.settings);
        SaveOPJ(s.installation, state, shape, target);
    }
}
BENCHMARK(BM_OpenAndSaveProject)->Unit(benchmark::kMicrosecond);

// Opening alone: what the user waits for besides the disk's flush.
void BM_OpenProject(benchmark::State& run)
{
    Setup& s = setup();
    ProjectState state = s.state;
    BreedShape shape;
    for (auto _ : run)
        OpenOPJ(s.installation, state, shape, s.projectPath, s.prompts, s.settings);
}
BENCHMARK(BM_OpenProject)->Unit(benchmark::kMicrosecond);

void BM_SaveYPK(benchmark::State& run)
{
    Setup& s = setup();
    const QString target = s.dir.filePath(QStringLiteral("Bench.ypk"));
    for (auto _ : run)
        SaveYPK(s.installation, s.state, s.shape, target, s.prompts, s.settings);
}
BENCHMARK(BM_SaveYPK)->Unit(benchmark::kMillisecond);

// The peer: the gcab tool packing the same three files with MSZIP, spawned.
void BM_GcabTool(benchmark::State& run)
{
    Setup& s = setup();
    const QString gcab = QStandardPaths::findExecutable(QStringLiteral("gcab"));
    if (gcab.isEmpty()) {
        run.SkipWithError("gcab is not installed");
        return;
    }
    const QString target = s.dir.filePath(QStringLiteral("peer.cab"));
    const QStringList arguments = {QStringLiteral("-c"),
                                   QStringLiteral("-z"),
                                   QStringLiteral("-n"),
                                   target,
                                   s.peerFolder + QStringLiteral("/ypkinfo.inf"),
                                   s.peerFolder + QStringLiteral("/Bench.odx"),
                                   s.peerFolder + QStringLiteral("/Bench.odd")};
    for (auto _ : run) {
        QProcess process;
        process.start(gcab, arguments);
        if (!process.waitForFinished(60000) || process.exitCode() != 0) {
            run.SkipWithError("gcab failed");
            return;
        }
    }
}
BENCHMARK(BM_GcabTool)->Unit(benchmark::kMillisecond);

// The breed sheet of the 2 x 67 breed: layout and SVG text in memory, from the state and the
// information file's values as the editor holds them.
void BM_BreedSheetSvg(benchmark::State& run)
{
    Setup& s = setup();
    for (auto _ : run)
        benchmark::DoNotOptimize(breedSheetSvg(breedSheet(s.state, s.shape)));
}
BENCHMARK(BM_BreedSheetSvg)->Unit(benchmark::kMillisecond);

// What `yolkwright-cli sheet` does after opening the project: lay out the sheet, write the SVG and
// save it atomically.
void BM_SaveBreedSheet(benchmark::State& run)
{
    Setup& s = setup();
    const QString target = s.dir.filePath(QStringLiteral("sheet.svg"));
    for (auto _ : run)
        saveBreedSheet(s.installation, s.state, s.shape, target);
}
BENCHMARK(BM_SaveBreedSheet)->Unit(benchmark::kMillisecond);

// An egg of 1 MiB back into a project, against all 13 installed bases: only the base egg of the
// same size (the padded Quadrapus) is read and compared; its companion is compared too.
void BM_ImportEgg(benchmark::State& run)
{
    Setup& s = setup();
    const QString egg = s.peerFolder + QStringLiteral("/Bench.odd");
    for (auto _ : run)
        benchmark::DoNotOptimize(importFile(s.installation, s.state, egg));
    run.SetBytesProcessed(run.iterations() * kEggSize);
}
BENCHMARK(BM_ImportEgg)->Unit(benchmark::kMillisecond);

// The same egg and companion out of a package: read, checked, unpacked and imported.
void BM_ImportPackage(benchmark::State& run)
{
    Setup& s = setup();
    const QString package = s.dir.filePath(QStringLiteral("Import.ypk"));
    SaveYPK(s.installation, s.state, s.shape, package, s.prompts, s.settings);
    for (auto _ : run)
        benchmark::DoNotOptimize(importFile(s.installation, s.state, package));
}
BENCHMARK(BM_ImportPackage)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
