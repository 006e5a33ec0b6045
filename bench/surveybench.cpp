// Surveying a 1 MiB base egg, beside reading the same file (the yardstick): a "New Executable"
// with the breed's resources (67 eBalls per set) and two large ones: a picture, which is only
// looked at, and an LNZ text of numeric lines, which is searched line by line. Then the eggs a
// survey must get through in under a second at any size up to the 64 MiB limit, with a peak
// memory under three times the egg (measure one with `/usr/bin/time -v yw_bench
// --benchmark_filter=NAME`): 30 MB of lines shaped like ball lines that do not read as ones,
// 64 MB of ball lines that do, and a 30 MB text resource of 1.5 million short texts.
#include "files/survey.h"
#include "platform/savefile.h"
#include "support/surveyeggs.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <random>
#include <stdexcept>

namespace {

using namespace yw;

struct SurveySetup
{
    SurveySetup()
    {
        test::SurveyEggRecipe recipe;
        recipe.ballsPerSet = 67;
        QByteArray picture(512 * 1024, Qt::Uninitialized);
        std::mt19937 random(12);
        for (char& byte : picture)
            byte = char(random());
        QByteArray lines = "[Linez]\r\n";
        while (lines.size() < 500 * 1024)
            lines += "  12   34    0   -1    5    5    7    8\r\n";
        recipe.more = {{"PICTURE", picture}, {"EXTRA.LNZ", lines}};
        egg = test::makeSurveyEgg(recipe).bytes;
        if (egg.size() < 1024 * 1024 || !surveyEgg(egg, "Honker").findings)
            throw std::runtime_error("the benchmark egg is not what it should be");
        path = dir.filePath(QStringLiteral("Honker.odd"));
        saveFileAtomically(path, egg);
    }
    QTemporaryDir dir;
    QByteArray egg;
    QString path;
};

SurveySetup& surveySetup()
{
    static SurveySetup instance;
    return instance;
}

void BM_SurveyEgg(benchmark::State& run)
{
    SurveySetup& s = surveySetup();
    for (auto _ : run)
        benchmark::DoNotOptimize(surveyEgg(readWholeFile(s.path, kEggFileLimit), "Honker"));
    run.SetBytesProcessed(run.iterations() * s.egg.size());
}
BENCHMARK(BM_SurveyEgg)->Unit(benchmark::kMillisecond);

void BM_ReadEgg(benchmark::State& run)
{
    SurveySetup& s = surveySetup();
    for (auto _ : run)
        benchmark::DoNotOptimize(readWholeFile(s.path, kEggFileLimit));
    run.SetBytesProcessed(run.iterations() * s.egg.size());
}
BENCHMARK(BM_ReadEgg)->Unit(benchmark::kMillisecond);

// The breed's egg followed by `size` bytes of `unit` repeated, built in place so that the peak
// memory measured is the survey's.
QByteArray eggWith(const QByteArray& unit, qint64 size)
{
    test::SurveyEggRecipe recipe;
    recipe.ballsPerSet = 67;
    recipe.resourceTable = false;
    recipe.decoys = false;
    QByteArray egg = test::makeSurveyEgg(recipe).bytes;
    egg.reserve(egg.size() + size + unit.size() + 2);
    egg += '\x01';
    for (const qint64 end = egg.size() + size; egg.size() < end;)
        egg += unit;
    egg += '\x01';
    return egg;
}

void surveyLargeEgg(benchmark::State& run, const QByteArray& unit, qint64 size)
{
    const QByteArray egg = eggWith(unit, size);
    for (auto _ : run)
        benchmark::DoNotOptimize(surveyEgg(egg, "Honker"));
    run.SetBytesProcessed(run.iterations() * egg.size());
}

void BM_SurveyJunkBallLines(benchmark::State& run)
{
    surveyLargeEgg(run, "  1,  2,  3,  4,  5,  6,  7, x    ; junk,\r\n", 30'000'000);
}
BENCHMARK(BM_SurveyJunkBallLines)->Unit(benchmark::kMillisecond);

void BM_SurveyManyBallLines(benchmark::State& run)
{
    surveyLargeEgg(run,
                   " 12,      34,      -1,       0,       1,      40,       0,      -1    ; a,\r\n",
                   60'000'000);
}
BENCHMARK(BM_SurveyManyBallLines)->Unit(benchmark::kMillisecond);

void BM_SurveyShortTexts(benchmark::State& run)
{
    surveyLargeEgg(run, QByteArray("honk loud bright", 16) + QByteArray(4, '\0'), 30'000'000);
}
BENCHMARK(BM_SurveyShortTexts)->Unit(benchmark::kMillisecond);

} // namespace
