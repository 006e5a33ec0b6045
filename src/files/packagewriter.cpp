#include "files/packagewriter.h"

#include "files/eggwriter.h"
#include "files/fieldcodec.h"
#include "model/installation.h"
#include "model/projectstate.h"
#include "platform/cabinet.h"
#include "platform/cp1252.h"
#include "platform/errors.h"
#include "platform/filesystem.h"
#include "platform/savefile.h"
#include "platform/setting.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

namespace yw {

namespace {

std::string siteText(const QString& value, const QString& what)
{
    const std::optional<std::string> bytes = cp1252::fromUnicode(value);
    if (!bytes)
        throw Error(QStringLiteral("The %1 in the Options window holds a character that "
                                   "Oddballz cannot show: %2")
                        .arg(what, value));
    return *bytes;
}

} // namespace

QByteArray ypkInfoBytes(const ProjectState& state, const QString& siteName, const QString& siteUrl)
{
    FieldWriter out;
    out.text("YPKFILE|$|2.0");
    out.text(toStoredQuotes(state.breedName));
    out.text(toStoredQuotes(state.breedDescription));
    out.raw("#FALSE#");
    out.text(toStoredQuotes(siteText(siteName, QStringLiteral("site name"))));
    out.text(toStoredQuotes(siteText(siteUrl, QStringLiteral("site address"))));
    out.endLine();
    return out.bytes();
}

void SaveYPK(const Installation& install, const ProjectState& state, const BreedShape& shape,
             const QString& packagePath, Prompts& prompts, const SettingsStore& settings,
             const QString& projectPath, EggGrowth* growth)
{
    requireSafeOutput(install, state, packagePath, projectPath);
    const QString name = FileSystem::baseName(packagePath);
    const QString siteName = setting::siteName.text(settings);
    const QString siteUrl = setting::siteUrl.text(settings);
    const QByteArray info = ypkInfoBytes(state, siteName, siteUrl);

    // A folder of our own: a fixed name in the shared temporary folder could be another run's
    // (or another user's) file. It is removed when this function leaves, however it leaves.
    QTemporaryDir work(QDir::temp().filePath(QStringLiteral("yolkwright-package-XXXXXX")));
    if (!work.isValid())
        throw FileError(QDir::tempPath(), work.errorString());
    const QString eggPath = work.filePath(name + QStringLiteral(".odd"));
    const QString companionPath = companionPathFor(eggPath);
    const QString infoPath = work.filePath(QStringLiteral("ypkinfo.inf"));

    saveODD(install, state, shape, eggPath, prompts, QString(), growth);
    saveFileAtomically(infoPath, info);

    // Every member carries the base egg's date, so the same project makes the same package.
    const QDateTime date = QFileInfo(install.baseEggPath(state.baseBreed)).lastModified();
    std::vector<CabinetFile> files;
    files.push_back({QStringLiteral("ypkinfo.inf"), infoPath, date});
    if (QFileInfo(companionPath).isFile())
        files.push_back({QFileInfo(companionPath).fileName(), companionPath, date});
    files.push_back({QFileInfo(eggPath).fileName(), eggPath, date});
    saveFileAtomically(packagePath, makeCabinet(files));
}

} // namespace yw
