#include "files/outputguard.h"

#include "files/keptoriginals.h"
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

FileError refusal(const QString& output, const QString& what)
{
    return FileError(output, what + QStringLiteral(" Choose another name."));
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

// Whether `output` is a file right in `folder`, which need not be there yet.
bool directlyIn(const QString& output, const QString& folder)
{
    const QString parent = QFileInfo(followLinks(output)).absolutePath();
    return sameFile(parent, folder) ||
           QDir::cleanPath(parent).compare(QDir::cleanPath(QFileInfo(folder).absoluteFilePath()),
                                           Qt::CaseInsensitive) == 0;
}

void requireNotProgramFile(const Installation& install, const QString& output)
{
    for (const char* name : {"res", "resUK", "help"}) {
        const QString folder = folderOf(install, install.programFolder, QLatin1String(name));
        if (isInside(output, folder))
            throw refusal(output, QStringLiteral("This is one of Yolkwright's own files (in %1), "
                                                 "which no output replaces.")
                                      .arg(QDir::toNativeSeparators(folder)));
    }
    // The program itself and its sibling (the editor beside the command-line tool).
    if (!QCoreApplication::instance())
        return;
    const QString programs = QCoreApplication::applicationDirPath();
    if (directlyIn(output, programs) &&
        QFileInfo(followLinks(output))
            .fileName()
            .startsWith(QStringLiteral("yolkwright"), Qt::CaseInsensitive))
        throw refusal(output, QStringLiteral("This is Yolkwright itself, which no output "
                                             "replaces."));
}

// The per-user data folder holds the player's own breed files of both editions and the game's
// kept eggs: only a survey writes there, and only its breed's files of the edition in use.
void requireNotPlayersOwn(const Installation& install, const QString& output, OutputKind kind)
{
    for (const QString& root : {install.userRoot(), userDataFolder()}) {
        QString below;
        if (root.isEmpty() || !isInside(output, root, &below))
            continue;
        const QString own = folderOf(install, root, resFolder(install.edition));
        const bool surveyed = kind == OutputKind::BreedFile && directlyIn(output, own) &&
                              hasSuffix(output, {QStringLiteral(".blz"), QStringLiteral(".loc")});
        if (surveyed)
            continue;
        if (below.compare(QStringLiteral("res"), Qt::CaseInsensitive) == 0 ||
            below.compare(QStringLiteral("resUK"), Qt::CaseInsensitive) == 0)
            throw refusal(output, QStringLiteral("This is one of your own breed files (in %1), "
                                                 "which only a survey of that breed replaces.")
                                      .arg(QDir::toNativeSeparators(joinPath(root, below))));
        throw refusal(output, QStringLiteral("This is in Yolkwright's own data folder (%1), "
                                             "where the game's original eggs are kept; no output "
                                             "goes there.")
                                  .arg(QDir::toNativeSeparators(root)));
    }
}

void requireNotGameFile(const Installation& install, const QString& output, OutputKind kind)
{
    const QString name = QFileInfo(followLinks(output)).fileName();
    const QString gameFile = QStringLiteral("This is a file of the game itself (%1), which no "
                                            "output replaces: only an egg goes into its eggz "
                                            "folder.");
    // The settings file lives in the Windows folder, which the installation does not name.
    if (name.compare(QStringLiteral("oddballz.ini"), Qt::CaseInsensitive) == 0 ||
        name.compare(QStringLiteral("oddballz.wad"), Qt::CaseInsensitive) == 0)
        throw refusal(output, gameFile.arg(name));
    QString top;
    if (install.gameFolder.isEmpty() || !isInside(output, install.gameFolder, &top))
        return;
    if (top.compare(QStringLiteral("eggz"), Qt::CaseInsensitive) != 0 ||
        sameFile(joinPath(install.gameFolder, top), output))
        throw refusal(output, gameFile.arg(QDir::toNativeSeparators(install.gameFolder)));
    if (kind != OutputKind::Egg &&
        hasSuffix(name, {QStringLiteral(".odd"), QStringLiteral(".odx")}))
        throw refusal(output, QStringLiteral("This is an egg of the game, which only an egg "
                                             "(or its companion) may replace."));
}

} // namespace

void requireOutputAllowed(const Installation& install, const QString& output,
                          const QStringList& inputs, OutputKind kind)
{
    requireRegularTarget(output);
    for (const QString& input : inputs)
        if (sameFile(output, input))
            throw refusal(output, QStringLiteral("This is a file the command reads (%1), which "
                                                 "would be lost.")
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
    for (const QString& base : {install.programFolder, install.userRoot()}) {
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
    for (const QString& input : protectedInputs(install, state.baseBreed)) {
        // An egg over the base breed's own installed egg is possible: the base is read first,
        // and the egg replaced is kept (keepReplacedGameEgg) and read as the base from then on.
        if (kind == OutputKind::Egg && isInGameEggz(install, input))
            continue;
        if (sameFile(output, input))
            throw FileError(output, QStringLiteral("This is a file of the base breed itself (%1); "
                                                   "choose another name.")
                                        .arg(QDir::toNativeSeparators(input)));
    }
    requireOutputAllowed(install, output, {}, kind);
}

} // namespace yw
