#include "files/outputguard.h"

#include "model/gameinstall.h"
#include "model/installation.h"
#include "model/projectstate.h"
#include "platform/cp1252.h"
#include "platform/errors.h"
#include "platform/filesystem.h"
#include "platform/savefile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace yw {

namespace {

FileError refusal(const QString& output, const QString& what, const QString& where)
{
    return FileError(output, QStringLiteral("This is %1 (%2), which Yolkwright never replaces; "
                                            "choose another name.")
                                 .arg(what, QDir::toNativeSeparators(where)));
}

QString userRoot(const Installation& install)
{
    return install.userFolder.isEmpty() ? userDataFolder() : install.userFolder;
}

QString folderOf(const Installation& install, const QString& root, const QString& name)
{
    return install.files().resolve(joinPath(root, name));
}

bool hasSuffix(const QString& name, const QStringList& suffixes)
{
    for (const QString& suffix : suffixes)
        if (name.endsWith(suffix, Qt::CaseInsensitive))
            return true;
    return false;
}

void requireNotProgramFile(const Installation& install, const QString& output)
{
    for (const char* name : {"res", "resUK", "help"}) {
        const QString folder = folderOf(install, install.programFolder, QLatin1String(name));
        if (isInside(output, folder))
            throw refusal(output, QStringLiteral("one of Yolkwright's own files"), folder);
    }
    // The program itself and its sibling (the editor beside the command-line tool).
    if (QCoreApplication::instance()) {
        const QString programs = QCoreApplication::applicationDirPath();
        QString name;
        if (isInside(output, programs, &name) && sameFile(joinPath(programs, name), output) &&
            name.startsWith(QStringLiteral("yolkwright"), Qt::CaseInsensitive))
            throw refusal(output, QStringLiteral("Yolkwright itself"), programs);
    }
}

void requireNotPlayersOwn(const Installation& install, const QString& output, OutputKind kind)
{
    const QString root = userRoot(install);
    const QString own = folderOf(install, root, resFolder(install.edition));
    for (const Edition edition : {Edition::US, Edition::UK}) {
        const QString folder = folderOf(install, root, resFolder(edition));
        QString name;
        if (!isInside(output, folder, &name))
            continue;
        // A survey writes its breed's files straight into the edition's own folder.
        const bool surveyed = kind == OutputKind::BreedFile && edition == install.edition &&
                              sameFile(joinPath(own, name), output) &&
                              hasSuffix(name, {QStringLiteral(".blz"), QStringLiteral(".loc")});
        if (!surveyed)
            throw refusal(output, QStringLiteral("a file of your own breed files"), folder);
    }
    const QString kept = folderOf(install, root, QStringLiteral("originals"));
    if (isInside(output, kept))
        throw refusal(output, QStringLiteral("where the game's original eggs are kept"), kept);
}

void requireNotGameFile(const Installation& install, const QString& output, OutputKind kind)
{
    const QString name = QFileInfo(followLinks(output)).fileName();
    if (name.compare(QStringLiteral("oddballz.ini"), Qt::CaseInsensitive) == 0 ||
        name.compare(QStringLiteral("oddballz.wad"), Qt::CaseInsensitive) == 0)
        throw refusal(output, QStringLiteral("a file of the game itself"), output);
    if (install.gameFolder.isEmpty())
        return;
    QString top;
    if (!isInside(output, install.gameFolder, &top))
        return;
    if (top.compare(QStringLiteral("eggz"), Qt::CaseInsensitive) != 0)
        throw refusal(output, QStringLiteral("a file of the game itself"), install.gameFolder);
    if (kind != OutputKind::Egg &&
        hasSuffix(name, {QStringLiteral(".odd"), QStringLiteral(".odx")}))
        throw refusal(output, QStringLiteral("an egg of the game, which only an egg may replace"),
                      output);
}

} // namespace

void requireOutputAllowed(const Installation& install, const QString& output,
                          const QStringList& inputs, OutputKind kind)
{
    requireRegularTarget(output);
    for (const QString& input : inputs)
        if (sameFile(output, input))
            throw FileError(output, QStringLiteral("This is a file the command reads (%1), which "
                                                   "would be lost; choose another name.")
                                        .arg(QDir::toNativeSeparators(input)));
    requireNotProgramFile(install, output);
    requireNotPlayersOwn(install, output, kind);
    requireNotGameFile(install, output, kind);
}

QStringList protectedInputs(const Installation& install, const std::string& baseBreed)
{
    QStringList inputs = {install.baseEggPath(baseBreed), install.baseCompanionPath(baseBreed)};
    // Both the shipped files and the player's own, there or not (a file made in the player's
    // folder would hide the shipped one from every later project of the breed), each found as the
    // program finds it, in any letter case.
    for (const QString& base : {install.programFolder, userRoot(install)}) {
        const QString folder = folderOf(install, base, resFolder(install.edition));
        for (const char* extension : {".blz", ".loc"})
            inputs << install.files().resolve(
                joinPath(folder, cp1252::toUnicode(baseBreed) + QLatin1String(extension)));
    }
    return inputs;
}

void requireSafeOutput(const Installation& install, const ProjectState& state,
                       const QString& output, const QString& projectPath, OutputKind kind)
{
    requireRegularTarget(output);
    if (sameFile(output, projectPath))
        throw FileError(output, QStringLiteral("This is the project file the breed is made from, "
                                               "which would be lost; choose another name."));
    // Replacing the base egg, its companion or the breed's own files would destroy what every
    // later egg and project of the breed starts from.
    for (const QString& input : protectedInputs(install, state.baseBreed))
        if (sameFile(output, input))
            throw FileError(output, QStringLiteral("This is a file of the base breed itself (%1); "
                                                   "choose another name.")
                                        .arg(QDir::toNativeSeparators(input)));
    requireOutputAllowed(install, output, {}, kind);
}

} // namespace yw
