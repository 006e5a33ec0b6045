// Undo or redo of one step with the eBall editor open on the record the step changes, so the
// time includes the editor showing the undone value.
#include "document/document.h"
#include "editors/eballeditor.h"
#include "model/installation.h"
#include "model/projectstate.h"
#include "platform/prompts.h"
#include "platform/settingsstore.h"

#include <QApplication>
#include <QUndoStack>
#include <benchmark/benchmark.h>

namespace {

void BM_UndoRedoWithEditorOpen(benchmark::State& run)
{
    yw::ProjectState state;
    for (int i = 0; i < 134; ++i)
        state.eBalls[size_t(i)].diameter = int16_t(10 + i);
    const yw::Installation install;
    yw::MemorySettingsStore settings;
    yw::NoPrompts prompts;
    yw::Document document(install, state, settings, prompts);
    yw::ProjectEdits& edits = document.edits();
    yw::EBallEditor editor(document, prompts);
    editor.show();
    editor.SwitchTo(70, -1, QStringLiteral("qp.lnz"));
    // A history of a realistic length; the step walked is the last one.
    for (int i = 0; i < 200; ++i)
        edits.setBallField(i % 134, i % 2 ? yw::EBallField::Fill : yw::EBallField::Diameter,
                           int16_t(i % 200));
    edits.setBallField(70, yw::EBallField::Diameter, 500);
    QUndoStack& history = document.history();
    bool undo = true;
    for (auto _ : run) {
        if (undo)
            history.undo();
        else
            history.redo();
        undo = !undo;
    }
    benchmark::DoNotOptimize(state.eBalls[70].diameter);
}
BENCHMARK(BM_UndoRedoWithEditorOpen)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
