// Draws the live preview of the sample game's Quadrapus, as the editor shows it, into a PNG: the
// picture in the user guide. Usage: yw_preview_shot OUT.png (scripts/preview-screenshot runs it).
#include "document/document.h"
#include "editors/breedpreview.h"
#include "files/breedresources.h"
#include "files/newproject.h"
#include "model/installation.h"
#include "model/projectstate.h"
#include "platform/errors.h"
#include "platform/prompts.h"
#include "platform/settingsstore.h"
#include "samplegame/samplegame.h"

#include <QApplication>
#include <QPixmap>
#include <algorithm>
#include <cstdio>

namespace {} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: yw_preview_shot OUT.png\n");
        return 2;
    }
    yw::NewProject project;
    for (int i = 0; i < yw::sample::breedCount(); ++i) {
        const yw::sample::BreedContent& breed = yw::sample::breed(i);
        if (breed.listText != "Quadrapus")
            continue;
        project.state.baseBreed = breed.stem;
        project.state.breedName = breed.breedName;
        std::copy(breed.eBalls.begin(), breed.eBalls.end(), project.state.eBalls.begin());
    }
    yw::Installation install;
    install.programFolder = QStringLiteral(YW_DATA_DIR); // the shipped files of the sample eggs
    try {
        project.shape = yw::readBreedShape(install.infoFilePath(project.state.baseBreed));
    } catch (const yw::Error& e) {
        std::fprintf(stderr, "yw_preview_shot: %s\n", qPrintable(e.message()));
        return 1;
    }
    yw::ProjectState state;
    yw::MemorySettingsStore settings;
    yw::NoPrompts prompts;
    yw::Document document(install, state, settings, prompts);
    document.adoptNew(project, QStringLiteral("preview.opj"));
    yw::BreedPreview preview(document);
    preview.resize(preview.sizeHint());
    if (preview.sheet().swatches.empty() || !preview.grab().save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "yw_preview_shot: the preview could not be drawn or saved\n");
        return 1;
    }
    return 0;
}
