// Draws the live preview of the sample game's Quadrapus, as the editor shows it, into a PNG: the
// picture in the user guide. Usage: yw_preview_shot OUT.png (scripts/preview-screenshot runs it).
#include "editors/breedpreview.h"
#include "editors/projectedits.h"
#include "model/installation.h"
#include "model/projectstate.h"
#include "samplegame/samplegame.h"

#include <QApplication>
#include <QPixmap>
#include <algorithm>
#include <cstdio>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: yw_preview_shot OUT.png\n");
        return 2;
    }
    yw::ProjectState state;
    for (int i = 0; i < yw::sample::breedCount(); ++i) {
        const yw::sample::BreedContent& breed = yw::sample::breed(i);
        if (breed.listText != "Quadrapus")
            continue;
        state.baseBreed = breed.stem;
        state.breedName = breed.breedName;
        std::copy(breed.eBalls.begin(), breed.eBalls.end(), state.eBalls.begin());
    }
    yw::Installation install;
    install.programFolder = QStringLiteral(YW_DATA_DIR); // the shipped files of the sample eggs
    yw::ProjectEdits edits(state);
    yw::BreedPreview preview(edits, install);
    preview.resize(preview.sizeHint());
    if (preview.sheet().swatches.empty() || !preview.grab().save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "yw_preview_shot: the preview could not be drawn or saved\n");
        return 1;
    }
    return 0;
}
