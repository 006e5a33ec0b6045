#pragma once

#include "shell/session/recentfiles.h"

#include <QObject>
#include <QString>
#include <array>
#include <functional>

class QAction;
class QMenu;

namespace yw {

class FileDialogs;
class MainWindow;
class NewProjectWizard;
class Prompts;
class SettingsStore;
struct Installation;
struct ProjectState;

// The File menu's commands on the main window: New, Open, Save, Save As, the egg and the
// package, and reopening a recent file. Failures are told in a "Yolkwright" message naming the
// file and the reason; a cancelled dialog or question ends a command with nothing changed.
// Created after the main window and destroyed before it.
class FileCommands : public QObject
{
    Q_OBJECT
public:
    // The File menu's items these commands answer.
    struct Actions
    {
        QMenu* file = nullptr;
        QAction* newProject = nullptr;
        QAction* open = nullptr;
        QAction* saveProject = nullptr;
        QAction* saveEgg = nullptr;
        QAction* savePackage = nullptr;
        QAction* saveAs = nullptr;
        QAction* exportSheet = nullptr;
        std::array<QAction*, kRecentFileCount> recent{};
        QAction* openEggOrPackage = nullptr;
    };

    FileCommands(MainWindow& window, const Installation& install, ProjectState& state,
                 SettingsStore& settings, Prompts& prompts, FileDialogs& dialogs);
    ~FileCommands() override;

    // Shows the wizard modally; on success the new project replaces the open one.
    void New();
    void mnuOpen_Click();
    void Save();
    void SaveAs();
    void SaveEgg();
    void SavePackage();
    // Export Breed Sheet...: PNG, or SVG for a name ending in .svg; then shows the sheet in a
    // window of its own.
    void ExportSheet();
    // Reopens recent-file entry k (1 to 4).
    void openRecent(int k);

    // How the wizard is shown: modally by default; tests drive it themselves. True when it
    // created a project.
    using WizardRunner = std::function<bool(NewProjectWizard&)>;
    void setWizardRunner(WizardRunner runner) { m_runWizard = std::move(runner); }

protected:
    // Text fields on Linux take Ctrl+K and Ctrl+E for themselves (delete to and move to the
    // line's end); the save commands' shortcuts win over them, as the menu promises.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void reportFailure(const QString& what, const QString& reason);

    MainWindow& m_window;
    Actions m_actions;
    const Installation& m_install;
    ProjectState& m_state;
    SettingsStore& m_settings;
    Prompts& m_prompts;
    FileDialogs& m_dialogs;
    WizardRunner m_runWizard;
};

} // namespace yw
