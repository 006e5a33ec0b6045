// A repaint of the live preview of a breed of 2 x 67 eBalls, each with fill, ring, sprecks and
// fuzz, at the size the preview opens with; the budget is 2 ms. The second measures the
// relayout that every change of an eBall runs before that repaint.
#include "document/document.h"
#include "editors/breedpreview.h"
#include "files/breedresources.h"
#include "files/newproject.h"
#include "model/installation.h"
#include "model/projectstate.h"
#include "platform/errors.h"
#include "platform/prompts.h"
#include "platform/settingsstore.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

namespace {

struct Breed
{
    Breed()
    {
        install.programFolder = QStringLiteral(YW_DATA_DIR);
        yw::NewProject project;
        project.state.baseBreed = "quadrpus";
        try {
            project.shape = yw::readBreedShape(install.infoFilePath(project.state.baseBreed));
        } catch (const yw::Error&) {
            // The benchmarks skip an empty preview.
        }
        for (int i = 0; i < 134; ++i) {
            yw::EBallRecord& ball = project.state.eBalls[size_t(i)];
            ball = {int16_t(i % 256),
                    int16_t((i * 7) % 256),
                    int16_t(i % 5 ? i : -1),
                    int16_t(i % 4),
                    int16_t(i % 4 - 1),
                    int16_t(8 + i % 80),
                    0,
                    0,
                    "eBall",
                    1};
        }
        document.adoptNew(project, QStringLiteral("bench.opj"));
    }
    yw::Installation install;
    yw::ProjectState state;
    yw::MemorySettingsStore settings;
    yw::NoPrompts prompts;
    yw::Document document{install, state, settings, prompts};
};

void BM_PreviewRepaint(benchmark::State& run)
{
    Breed breed;
    yw::BreedPreview preview(breed.document);
    preview.resize(preview.sizeHint());
    if (preview.sheet().swatches.size() != 134)
        run.SkipWithError("the breed's information file was not read");
    QImage target(preview.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : run) {
        preview.render(&target);
        benchmark::DoNotOptimize(target.bits());
    }
}
BENCHMARK(BM_PreviewRepaint)->Unit(benchmark::kMicrosecond);

void BM_PreviewChangeAndRepaint(benchmark::State& run)
{
    Breed breed;
    yw::BreedPreview preview(breed.document);
    preview.resize(preview.sizeHint());
    QImage target(preview.size(), QImage::Format_ARGB32_Premultiplied);
    int16_t diameter = 10;
    for (auto _ : run) {
        breed.document.edits().setBallField(70, yw::EBallField::Diameter,
                                            diameter = int16_t(diameter % 90 + 1));
        preview.render(&target);
        benchmark::DoNotOptimize(target.bits());
    }
}
BENCHMARK(BM_PreviewChangeAndRepaint)->Unit(benchmark::kMicrosecond);

} // namespace
