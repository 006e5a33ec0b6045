#include "shell/filecommands.h"

#include "files/eggwriter.h"
#include "files/packagewriter.h"
#include "files/projectfile.h"
#include "model/projectstate.h"
#include "platform/errors.h"
#include "platform/filesystem.h"
#include "platform/prompts.h"
#include "shell/filedialogs.h"
#include "shell/mainwindow.h"
#include "shell/newprojectwizard.h"
#include "shell/recentfiles.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>

namespace yw {

namespace {

// The busy pointer for the length of a write, restored however the write ends.
class BusyPointer
{
public:
    BusyPointer() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyPointer() { QApplication::restoreOverrideCursor(); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;
};

} // namespace

FileCommands::FileCommands(MainWindow& window, ProjectState& state, SettingsStore& settings,
                           Prompts& prompts, FileDialogs& dialogs)
    : m_window(window), m_state(state), m_settings(settings), m_prompts(prompts),
      m_dialogs(dialogs),
      m_runWizard([](NewProjectWizard& wizard) { return wizard.exec() == QDialog::Accepted; })
{
    connect(window.mnuNew, &QAction::triggered, this, &FileCommands::New);
    connect(window.mnuOpen, &QAction::triggered, this, &FileCommands::mnuOpen_Click);
    connect(window.mnuSaveOPJ, &QAction::triggered, this, &FileCommands::Save);
    connect(window.mnuSaveODD, &QAction::triggered, this, &FileCommands::SaveEgg);
    connect(window.mnuSaveYPK, &QAction::triggered, this, &FileCommands::SavePackage);
    connect(window.mnuSaveAs, &QAction::triggered, this, &FileCommands::SaveAs);
    for (int k = 1; k <= kRecentFileCount; ++k)
        connect(window.mnuRecentFile[size_t(k)], &QAction::triggered, this,
                [this, k] { openRecent(k); });
    // The save commands follow the Save button, copied each time the File menu opens.
    connect(window.mnuFile, &QMenu::aboutToShow, this,
            [this] { m_window.setSaveEnabled(m_window.isSaveEnabled()); });
    qApp->installEventFilter(this);
}

FileCommands::~FileCommands()
{
    qApp->removeEventFilter(this);
}

bool FileCommands::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::ShortcutOverride)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != &m_window)
        return false;
    const QKeySequence pressed(static_cast<QKeyEvent*>(event)->keyCombination());
    for (QAction* action : {m_window.mnuSaveOPJ, m_window.mnuSaveODD, m_window.mnuSaveYPK}) {
        // Left unaccepted, the override lets the window's shortcut run.
        if (action->isEnabled() && action->shortcut() == pressed)
            return true;
    }
    return false;
}

void FileCommands::reportFailure(const QString& what, const QString& reason)
{
    m_prompts.message(what + QStringLiteral("\r\n") + reason, PromptIcon::Exclamation);
}

void FileCommands::New()
{
    NewProjectWizard wizard(m_state, m_prompts, m_dialogs, &m_window);
    if (!m_runWizard(wizard))
        return;
    commitNewProject(wizard);
}

void FileCommands::commitNewProject(const NewProjectWizard& wizard)
{
    const NewProject& project = wizard.created();
    // The editors store what they show while closing; the new project then replaces it.
    m_window.closeEditors();
    m_state.commitProject(project.state, 2 * project.header.ballsPerSet);
    m_window.enterProjectOpenState(wizard.createdPath());
    m_window.CycleRecentFiles(wizard.createdPath());
}

bool FileCommands::openAndRemember(const QString& path)
{
    OpenResult result = OpenResult::Opened;
    try {
        result = OpenOPJ(m_state, path, m_prompts, m_settings, [this] { m_window.closeEditors(); });
    } catch (const Cancelled&) {
        return false;
    } catch (const Error& e) {
        reportFailure(QStringLiteral("The project %1 could not be opened.").arg(path), e.message());
        return false;
    }
    if (result == OpenResult::Opened)
        m_window.enterProjectOpenState(path);
    m_window.CycleRecentFiles(path);
    return true;
}

void FileCommands::mnuOpen_Click()
{
    if (!m_window.askSaveQuestion())
        return;
    const QString path = m_dialogs.openPath(FileKind::Project, kProjectFilter);
    if (path.isEmpty())
        return;
    openAndRemember(path);
}

void FileCommands::Save()
{
    // The shortcut reaches here only while saving is enabled; the guard keeps it that way.
    const QString path = m_window.projectPath();
    if (!m_window.isSaveEnabled() || path.isEmpty())
        return;
    saveProjectTo(path);
}

void FileCommands::SaveAs()
{
    if (!m_window.isSaveEnabled())
        return;
    const QString path = m_dialogs.savePath(FileKind::Project, kProjectFilter);
    if (path.isEmpty())
        return;
    saveProjectTo(path);
}

void FileCommands::saveProjectTo(const QString& path)
{
    try {
        m_window.saveProject(path);
    } catch (const Error& e) {
        reportFailure(QStringLiteral("The project %1 could not be saved.").arg(path), e.message());
        return;
    }
    m_window.CycleRecentFiles(path);
}

void FileCommands::SaveEgg()
{
    if (!m_window.isSaveEnabled())
        return;
    const QString path = m_dialogs.savePath(FileKind::Egg, kEggFilter);
    if (path.isEmpty())
        return;
    try {
        const BusyPointer busy;
        saveODD(m_state, path, m_prompts);
    } catch (const Error& e) {
        reportFailure(QStringLiteral("The egg %1 could not be written.").arg(path), e.message());
    }
}

void FileCommands::SavePackage()
{
    if (!m_window.isSaveEnabled())
        return;
    const QString path = m_dialogs.savePath(FileKind::Package, kPackageFilter);
    if (path.isEmpty())
        return;
    try {
        const BusyPointer busy;
        SaveYPK(m_state, path, m_prompts, m_settings);
    } catch (const Error& e) {
        reportFailure(QStringLiteral("The package %1 could not be written.").arg(path),
                      e.message());
    }
}

void FileCommands::openRecent(int k)
{
    if (!m_window.askSaveQuestion())
        return;
    const QString path = RecentFiles(m_settings).entry(k);
    if (path.isEmpty())
        return;
    if (!m_state.fso || !m_state.fso->fileExists(path)) {
        m_prompts.message(
            QStringLiteral("That file has been removed or renamed. Yolkwright cannot open it."),
            PromptIcon::Information);
        return;
    }
    openAndRemember(path);
}

} // namespace yw
