#include "document/document.h"
#include "document/recentfiles.h"
#include "model/installation.h"
#include "model/projectstate.h"
#include "platform/errors.h"
#include "platform/filesystem.h"
#include "platform/settingsstore.h"
#include "shell/commands/maincommands.h"
#include "shell/dialogs/filedialogs.h"
#include "shell/dialogs/guiprompts.h"
#include "shell/mainwindow/lazyiconstyle.h"
#include "shell/mainwindow/mainwindow.h"
#include "shell/mainwindow/startup.h"
#include "startupprobe.h"
#include "startupwork.h"

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>

int main(int argc, char** argv)
{
    yw::loadFontConfiguration();
    QApplication app(argc, argv);
    QApplication::setStyle(new yw::LazyIconStyle(QApplication::style()));
    QApplication::setApplicationName(QStringLiteral("Yolkwright"));
    QApplication::setOrganizationName(QStringLiteral("Brindlecote"));
    yw::StartupProbe::installIfAsked();

    // The one file-system object, settings store and project state of the run.
    yw::FileSystem fso;
    try {
        yw::QSettingsStore::requireReadable(yw::QSettingsStore::defaultFileName());
    } catch (const yw::Error& e) {
        QMessageBox::critical(nullptr, QStringLiteral("Yolkwright"), e.message());
        return 1;
    }
    yw::QSettingsStore settings;
    yw::GuiPrompts prompts;
    yw::Installation install;
    yw::ProjectState state;

    yw::EditorStartUp startUp(install, state, fso, settings, prompts);
    if (!startUp.run(yw::commandLineProject(QApplication::arguments())))
        return 1;
    prompts.setParent(startUp.mainWindow());
    yw::QtFileDialogs dialogs(startUp.mainWindow());
    dialogs.setFallbackFolder([&] {
        QString near = startUp.mainWindow()->document().path();
        if (near.isEmpty())
            near = yw::RecentFiles(settings).entry(1);
        return near.isEmpty() ? QString() : QFileInfo(near).absolutePath();
    });
    startUp.mainWindow()->commands().addFileCommands(dialogs);
    return QApplication::exec();
}
