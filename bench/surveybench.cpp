// Surveying a 1 MiB base egg, beside reading the same file (the yardstick): a "New Executable"
// with the breed's resources (67 eBalls per set) and two large ones: a picture, which is only
// looked at, and an LNZ text of numeric lines, which is searched line by line.
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

} // namespace
