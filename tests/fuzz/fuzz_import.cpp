// Importing any egg, or any cabinet as a package (through the cabinet reader), against one
// installed base breed. Properties: it never crashes and refuses only with a typed error; an
// imported project written as an egg again imports to the same project.
#include "files/eggimport.h"
#include "files/eggwriter.h"
#include "fuzzsupport.h"
#include "platform/savefile.h"
#include "support/eggreadback.h"
#include "support/statecompare.h"

using namespace yw;

namespace {

const Installation& installation()
{
    static const Installation install = [] {
        const test::SurveyEgg base = test::makeSurveyEgg(fuzz::kImportBaseRecipe);
        fuzz::input(QStringLiteral("res/Honker.blz"),
                    informationFileBytes(base.header, base.labels));
        fuzz::input(QStringLiteral("res/Honker.loc"), locatorFileBytes(base.locator, "Honker"));
        fuzz::input(QStringLiteral("game/eggz/Honker/Honker.odd"), base.bytes);
        Installation made = fuzz::startInstallation();
        made.gameFolder = fuzz::fixturePath(QStringLiteral("game"));
        return made;
    }();
    return install;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray input = fuzz::bytesOf(data, size);
    const bool package = input.startsWith("MSCF");
    const Installation& install = installation();
    const auto import = [&](const QByteArray& bytes, bool asPackage) {
        ImportedEgg imported;
        const bool read = fuzz::succeeds<FormatError>([&] {
            imported = asPackage ? importPackage(install, {}, bytes, QStringLiteral("p.ypk"))
                                 : importEgg(install, {}, bytes, std::nullopt, QStringLiteral("e"));
        });
        return read ? std::optional(imported.project) : std::nullopt;
    };
    const std::optional<NewProject> project = import(input, package);
    if (!project)
        return 0;
    // Projects the writer refuses, or whose tips it cuts, are not compared.
    const ProjectState& state = project->state;
    const int n = project->shape.ballsPerSet();
    for (int i = 0; i < 2 * n; ++i)
        if (state.eBalls[size_t(i)].comment.empty())
            return 0;
    if (state.breedName.empty() || state.eggTray.empty() || state.eggSlot.empty())
        return 0;
    fuzz::YesPrompts prompts;
    const QString base = install.baseEggPath(state.baseBreed);
    QByteArray again;
    if (!fuzz::succeeds([&] {
            again = patchedEgg(state, readWholeFile(base, kEggFileLimit), n, prompts, base);
        }) ||
        prompts.messages > 0)
        return 0;
    const std::optional<NewProject> back = import(again, false);
    fuzz::check(back.has_value(), "an egg written from an imported project does not import");
    // Tips one byte shorter than their room end in the CR of the writer's CR LF, inside the
    // room: the reader takes it into the last tip, as the egg format has it.
    ProjectState read = back->state;
    if (const int last = state.tipCount - 1; last >= 0 && last / 2 < kMaxTipPairs) {
        auto& tips = last % 2 ? read.demoTips : read.regTips;
        const auto& written = last % 2 ? state.demoTips : state.regTips;
        if (tips[size_t(last / 2)] == written[size_t(last / 2)] + '\r')
            tips[size_t(last / 2)].pop_back();
    }
    const std::string difference = test::projectDifference(read, test::asReadFromEgg(state, n));
    fuzz::check(difference.empty(), "the egg written again imports differently", difference);
    return 0;
}
