// Importing any egg, or any cabinet as a package, against one installed base breed. Properties:
// it never crashes and refuses only with a typed error; a cabinet never yields more than the
// limits allow; an imported project written as an egg again imports to the same project.
#include "files/eggimport.h"
#include "files/eggwriter.h"
#include "fuzzsupport.h"
#include "platform/cabinet.h"
#include "support/statecompare.h"

#include <QDir>

using namespace yw;

namespace {

const Installation& installation()
{
    static const Installation install = [] {
        const test::SurveyEgg base = test::makeSurveyEgg(fuzz::importBaseRecipe());
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
    const Installation& install = installation();
    const ProjectState current;
    if (input.startsWith("MSCF")) {
        std::vector<CabinetMember> members;
        if (fuzz::succeeds<FormatError>(
                [&] { members = readCabinet(input, QStringLiteral("p")); })) {
            qint64 total = 0;
            for (const CabinetMember& member : members) {
                fuzz::check(member.bytes.size() <= kEggFileLimit, "a member over the egg limit");
                total += member.bytes.size();
            }
            fuzz::check(members.size() <= size_t(kCabinetMemberLimit), "too many members");
            fuzz::check(total <= kCabinetTotalLimit, "more unpacked than the limit");
        }
    }
    ImportedEgg imported;
    const bool read = fuzz::succeeds<FormatError>([&] {
        imported = input.startsWith("MSCF")
                       ? importPackage(install, current, input, QStringLiteral("p.ypk"))
                       : importEgg(install, current, input, std::nullopt, QStringLiteral("e.odd"));
    });
    if (!read)
        return 0;
    const ProjectState& state = imported.project.state;
    const int n = imported.project.header.ballsPerSet;
    // Projects the writer refuses, or whose tips it cuts, are not compared.
    for (int i = 0; i < 2 * n; ++i)
        if (state.eBalls[size_t(i)].comment.empty())
            return 0;
    if (state.breedName.empty() || state.eggTray.empty() || state.eggSlot.empty())
        return 0;
    fuzz::YesPrompts prompts;
    const QString basePath = install.baseEggPath(state.baseBreed);
    QByteArray again;
    if (!fuzz::succeeds([&] {
            again = patchedEgg(state, readWholeFile(basePath, kEggFileLimit), n, prompts, basePath);
        }) ||
        prompts.messages > 0)
        return 0;
    ImportedEgg back;
    fuzz::check(fuzz::succeeds<FormatError>([&] {
                    back =
                        importEgg(install, current, again, std::nullopt, QStringLiteral("e.odd"));
                }),
                "an egg written from an imported project does not import");
    const std::string difference = test::projectDifference(back.project.state, state);
    fuzz::check(difference.empty(), "the egg written again imports differently", difference);
    return 0;
}
