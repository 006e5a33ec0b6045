#pragma once

#include <QObject>
#include <QString>
#include <functional>

namespace yw {

class FileDialogs;
enum class FileKind;
struct FileMenu;
class MainWindow;
class NewProjectWizard;
class Prompts;
class SettingsStore;
struct Installation;
struct ProjectState;

// The File menu's commands on the main window: New, Open, Save, Save As, the egg and the
// package, and reopening a recent file. Failures are told in a "Yolkwright" message naming the
// file and the reason; a cancelled dialog or question ends a command with nothing changed.
class FileCommands : public QObject
{
    Q_OBJECT
public:
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
    // Restore Game Egg...: puts back the game's original egg of a breed chosen among those kept.
    void RestoreGameEgg();

    // How the wizard is shown: modally by default; tests drive it themselves. True when it
    // created a project.
    using WizardRunner = std::function<bool(NewProjectWizard&)>;
    void setWizardRunner(WizardRunner runner) { m_runWizard = std::move(runner); }
    // How the breed to restore is chosen among those kept: a list dialog by default; "" cancels.
    using BreedChooser = std::function<QString(const QStringList&)>;
    void setBreedChooser(BreedChooser chooser) { m_chooseBreed = std::move(chooser); }

private:
    void reportFailure(const QString& what, const QString& reason);
    // Save Egg, Save Package and Export Sheet: asks where, named after the breed, and runs
    // `write` there under the busy pointer. A failure is told with `failure` ("The egg %1 could
    // not be written.") and the reason; a question `write` asks may throw Cancelled to stop
    // quietly. True when the file was written.
    bool writeFile(FileKind kind, const QString& filter, const QString& failure,
                   const std::function<void(const QString& path)>& write);

    MainWindow& m_window;
    const FileMenu& m_menu;
    const Installation& m_install;
    ProjectState& m_state;
    SettingsStore& m_settings;
    Prompts& m_prompts;
    FileDialogs& m_dialogs;
    WizardRunner m_runWizard;
    BreedChooser m_chooseBreed;
};

} // namespace yw
