// The project reader on any bytes. Properties: it never crashes; a refused or failed open leaves
// the state as it was; an opened project saves to bytes that open to the very same project and
// save to the very same bytes again.
#include "files/breedresources.h"
#include "files/projectfile.h"
#include "fuzzsupport.h"
#include "platform/settingsstore.h"
#include "support/statecompare.h"

using namespace yw;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString path = fuzz::input(QStringLiteral("input.opj"), fuzz::bytesOf(data, size));
    const Installation install = fuzz::startInstallation();
    ProjectState state;
    state.eBalls[300].comment = "not in any file";
    const ProjectState before = state;
    fuzz::YesPrompts prompts;
    MemorySettingsStore settings;
    OpenResult result = OpenResult::Declined;
    BreedShape shape;
    if (!fuzz::succeeds(
            [&] { result = OpenOPJ(install, state, shape, path, prompts, settings); }) ||
        result != OpenResult::Opened) {
        fuzz::check(
            test::projectDifference(state, before).empty(),
            "a refused or failed open changed the state:", test::projectDifference(state, before));
        return 0;
    }
    fuzz::check(state.eBalls[300].comment == "not in any file", "records past the breed changed");

    const int n = shape.ballsPerSet();
    const QByteArray saved = projectFileBytes(install, state, n, 0);
    fuzz::writeScratch(path, saved);
    ProjectState again;
    try {
        fuzz::check(OpenOPJ(install, again, shape, path, prompts, settings) == OpenResult::Opened,
                    "a saved project does not open");
    } catch (const Error& error) {
        fuzz::fail("a saved project does not open:", error.message().toStdString());
    }
    // Records past 2n come from the state each was opened into, not from the file.
    again.eBalls[300] = state.eBalls[300];
    fuzz::check(test::projectDifference(again, state).empty(),
                "a saved project opens differently:", test::projectDifference(again, state));
    fuzz::check(projectFileBytes(install, again, n, 0) == saved,
                "saving twice gives different bytes");
    return 0;
}
