#include "shell/commands/importcommand.h"

#include "document/document.h"
#include "files/eggimport.h"
#include "platform/cp1252.h"
#include "platform/errors.h"
#include "platform/prompts.h"
#include "shell/dialogs/filedialogs.h"

#include <QApplication>
#include <QWidget> // filedialogs.h holds a QPointer<QWidget>

namespace yw {

namespace {

const QString kImportFilter =
    QStringLiteral("Oddballz Eggz and Yolkwright Packages (*.ODD *.YPK);;Oddballz Eggz (*.ODD);;"
                   "Yolkwright Package (*.YPK);;All Files (*.*)");

QString findings(const ImportedEgg& imported)
{
    const auto text = [](const std::string& bytes) { return cp1252::toUnicode(bytes); };
    QString shown = QStringLiteral("Base breed: %1\r\nName: %2")
                        .arg(imported.baseListText, text(imported.project.state.breedName));
    if (const auto& package = imported.package)
        shown +=
            QStringLiteral("\r\n\r\nPackage information:\r\nBreed name: %1\r\nSite name: "
                           "%2\r\nSite address: %3")
                .arg(text(package->breedName), text(package->siteName), text(package->siteUrl));
    if (!imported.note.isEmpty())
        shown += QStringLiteral("\r\n\r\n") + imported.note;
    return shown + QStringLiteral("\r\n\r\nSave it as a new project and open it?");
}

} // namespace

bool openEggOrPackage(const Installation& install, const ProjectState& state, Document& document,
                      Prompts& prompts, FileDialogs& dialogs)
{
    if (!document.askSaveQuestion())
        return false;
    const QString source = dialogs.openPath(FileKind::Egg, kImportFilter);
    if (source.isEmpty())
        return false;
    const auto refuse = [&](const Error& error) {
        prompts.message(QStringLiteral("The egg or package could not be opened as a project.\r\n") +
                            error.message(),
                        PromptIcon::Exclamation);
        return false;
    };
    ImportedEgg imported;
    try {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        imported = importFile(install, state, source);
        QApplication::restoreOverrideCursor();
    } catch (const Error& error) {
        QApplication::restoreOverrideCursor();
        return refuse(error);
    }
    if (!imported.losses.empty()) {
        QString lost = QStringLiteral("A project cannot keep all of %1; these parts would be "
                                      "left out:")
                           .arg(source);
        for (const QString& loss : imported.losses)
            lost += QStringLiteral("\r\n- ") + loss;
        if (prompts.question(lost, PromptButtons::ImportWithoutThem, PromptIcon::Exclamation) !=
            PromptAnswer::Yes)
            return false;
    }
    if (prompts.question(findings(imported), PromptButtons::YesNo, PromptIcon::Question) !=
        PromptAnswer::Yes)
        return false;
    dialogs.suggestName(fileNameFrom(cp1252::toUnicode(imported.project.state.breedName)));
    const QString project = dialogs.savePath(FileKind::Project, kProjectFilter);
    if (project.isEmpty())
        return false;
    try {
        // The player has seen and accepted what is left out.
        writeImportedProject(install, imported, project, source, true);
    } catch (const Error& error) {
        return refuse(error);
    }
    document.adoptNew(imported.project, project);
    return true;
}

} // namespace yw
