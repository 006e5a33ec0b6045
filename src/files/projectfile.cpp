#include "files/projectfile.h"

#include "files/breedresources.h"
#include "files/eggwriter.h"
#include "files/fieldcodec.h"
#include "model/eballfields.h"
#include "model/installation.h"
#include "model/projectstate.h"
#include "platform/errors.h"
#include "platform/filesystem.h"
#include "platform/numbers.h"
#include "platform/prompts.h"
#include "platform/refusal.h"
#include "platform/savefile.h"
#include "platform/setting.h"

#include <QFileInfo>

namespace yw {

QByteArray projectFileBytes(const Installation& install, const ProjectState& state, int ballsPerSet,
                            int buildField)
{
    FieldWriter out;
    out.line(kProjectHeader);
    out.text(install.buildNo);
    out.number(buildField);
    out.text(state.baseBreed);
    out.endLine();
    out.text(toStoredQuotes(state.breedName));
    out.text(toStoredQuotes(state.eggTray));
    out.text(toStoredQuotes(state.eggSlot));
    out.endLine();
    const int pairs = state.tipPairs(install.locatorFilePath(state.baseBreed));
    for (int i = 0; i < pairs; ++i) {
        out.text(toStoredQuotes(state.demoTips[size_t(i)]));
        out.text(toStoredQuotes(state.regTips[size_t(i)]));
        out.endLine();
    }
    for (int i = 0; i < 2 * ballsPerSet; ++i) {
        const EBallRecord& r = state.ball(i);
        for (int column = 0; column < kBallLineValues; ++column) {
            if (const EBallFieldRow* field = fieldAtColumn(column))
                out.number(r.*field->member);
            else if (column == kBallLineCommentColumn)
                out.text(toStoredQuotes(r.comment));
            else
                out.number(column == kBallLineAuxColumn ? r.auxValue : r.texture);
        }
        out.endLine();
    }
    out.text(toStoredQuotes(state.breedDescription));
    out.endLine();
    out.text(toStoredQuotes(state.breedAttributes));
    out.endLine();
    return out.bytes();
}

void SaveOPJ(const Installation& install, const ProjectState& state, const BreedShape& shape,
             const QString& path)
{
    requireSafeOutput(install, state, path, QString());
    saveFileAtomically(path, projectFileBytes(install, state, shape.ballsPerSet(), 0));
}

namespace {

// Whether a project of another build may be opened, asking when the setting says so.
bool buildAccepted(const Installation& install, const std::string& fileBuild, Prompts& prompts,
                   const SettingsStore& settings)
{
    if (setting::optProjVers.number(settings) != 1)
        return true;
    const long long ours = leadingNumber(install.buildNo);
    const long long theirs = leadingNumber(fileBuild);
    if (ours == theirs)
        return true;
    const QString text =
        ours < theirs
            ? QStringLiteral("The project file being opened was made by a newer version "
                             "of Yolkwright, and may not be compatible with this version. "
                             "Should Yolkwright still try to open it?")
            : QStringLiteral("The project file being opened was made by an older version "
                             "of Yolkwright, and may not be compatible with this version. "
                             "Should Yolkwright still try to open it?");
    return prompts.question(text, PromptButtons::YesNo, PromptIcon::Question) == PromptAnswer::Yes;
}

void readNamesAndTips(FieldReader& in, ProjectState& fresh, const QString& locator)
{
    fresh.breedName = fromStoredQuotes(in.text(QStringLiteral("the breed name")));
    fresh.eggTray = fromStoredQuotes(in.text(QStringLiteral("the tray")));
    fresh.eggSlot = fromStoredQuotes(in.text(QStringLiteral("the slot")));
    in.requireLineEnd(QStringLiteral("the slot"));

    const int pairs = fresh.tipPairs(locator);
    for (int i = 0; i < pairs; ++i) {
        fresh.demoTips[size_t(i)] =
            fromStoredQuotes(in.text(QStringLiteral("demo tip %1").arg(i + 1)));
        fresh.regTips[size_t(i)] =
            fromStoredQuotes(in.text(QStringLiteral("registered tip %1").arg(i + 1)));
        in.requireLineEnd(QStringLiteral("registered tip %1").arg(i + 1));
    }
}

// A hand-edited value outside its field's range is refused like any other hand edit: the egg
// would hold what the editor can neither show nor set.
void readBallLine(FieldReader& in, EBallRecord& r, int index)
{
    const QString ball = QStringLiteral("eBall %1").arg(index);
    for (int column = 0; column < kBallLineValues; ++column) {
        if (const EBallFieldRow* field = fieldAtColumn(column))
            r.*field->member =
                in.int16(ball + QStringLiteral(": ") + QLatin1String(field->fileName), field->least,
                         field->most);
        else if (column == kBallLineCommentColumn)
            r.comment = fromStoredQuotes(in.text(ball + QStringLiteral(": the comment")));
        else if (column == kBallLineAuxColumn)
            r.auxValue = in.int16(ball + QStringLiteral(": the seventh value"));
        else
            r.texture = in.int16(ball + QStringLiteral(": the texture"));
    }
    in.requireLineEnd(ball + QStringLiteral(": the texture flag"));
}

} // namespace

OpenResult OpenOPJ(const Installation& install, ProjectState& state, BreedShape& shape,
                   const QString& path, Prompts& prompts, const SettingsStore& settings,
                   const std::function<void()>& beforeCommit)
{
    try {
        return readProjectFile(install, state, shape, path, prompts, settings, beforeCommit);
    } catch (const Refusal& e) {
        prompts.message(e.reason(), e.icon());
        return OpenResult::NotProjectFile;
    }
}

OpenResult readProjectFile(const Installation& install, ProjectState& state, BreedShape& shape,
                           const QString& path, Prompts& prompts, const SettingsStore& settings,
                           const std::function<void()>& beforeCommit)
{
    FieldReader in(readWholeFile(path, kTextFileLimit), path);
    if (in.atEnd() || in.readLine(QStringLiteral("the project header")) != kProjectHeader)
        throw Refusal(path,
                      path + QStringLiteral(" is not a valid project file. It cannot be opened."),
                      PromptIcon::None);
    const std::string fileBuild = in.text(QStringLiteral("the build of the program that wrote it"));
    in.text(QStringLiteral("the second field of line 2"));
    const std::string baseBreed = in.text(QStringLiteral("the base breed"));
    in.requireLineEnd(QStringLiteral("the base breed"));
    if (!buildAccepted(install, fileBuild, prompts, settings))
        return OpenResult::Declined;

    ProjectState fresh = state;
    fresh.baseBreed = baseBreed;
    // The reader takes the number of tips and eBalls from the resource files; without them the
    // file cannot be read at all.
    const QString locator = install.locatorFilePath(fresh.baseBreed);
    if (!install.files().fileExists(locator))
        throw FileError(locator, QStringLiteral("The locator file of the base breed is missing."));
    readLocatorFile(install, fresh);
    BreedShape freshShape = readBreedShape(install, fresh);
    const int n = freshShape.ballsPerSet();

    readNamesAndTips(in, fresh, locator);
    for (int i = 0; i < 2 * n; ++i)
        readBallLine(in, fresh.ball(i), i);
    fresh.breedDescription = fromStoredQuotes(in.text(QStringLiteral("the description")));
    in.requireLineEnd(QStringLiteral("the description"));
    fresh.breedAttributes = fromStoredQuotes(in.text(QStringLiteral("the attributes")));
    in.requireEnd(QStringLiteral("the attributes"));

    if (beforeCommit)
        beforeCommit();
    state.commitProject(fresh, 2 * n);
    shape = std::move(freshShape);
    return OpenResult::Opened;
}

} // namespace yw
