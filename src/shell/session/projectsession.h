#pragma once

#include "shell/session/recentfiles.h"

#include <QObject>
#include <QString>

namespace yw {

class Prompts;
class SettingsStore;
struct NewProject;
struct Installation;
struct ProjectState;

// The open project as a document: its path, opening, saving, the save question and the recent
// files. Widget-free; it speaks to the user only through Prompts. The main window and the File
// menu's commands both go through it, so each of these steps exists once.
class ProjectSession : public QObject
{
    Q_OBJECT
public:
    enum class Opening {
        Opened,
        // The file was read but not taken: not a project, or a version question answered No.
        Refused,
        // Cancelled, or failed and the user has been told; the open project stays.
        NotOpened,
    };

    ProjectSession(const Installation& install, ProjectState& state, SettingsStore& settings,
                   Prompts& prompts, QObject* parent = nullptr);

    // The full path of the open project file; empty while no project is open.
    QString path() const { return m_path; }
    bool isOpen() const { return !m_path.isEmpty(); }

    // Whether the open project may differ from its file. Nothing records edits yet, so an open
    // project counts as modified and the save question is always asked. A change history turns
    // tracking on; from then on opening, creating and saving mark the project clean and the
    // history reports edits through setModified().
    bool isModified() const;
    void setChangeTracking(bool on);
    void setModified(bool modified);

    Opening open(const QString& path);
    // The File menu's Open: the path goes to the top of the recent files whenever the file was
    // read, even when it was refused. False when it was not opened.
    bool openAndRemember(const QString& path);
    // Recent-file entry k (1 to 4), after the save question; a missing file is told.
    void openRecent(int k);

    // A project built elsewhere (the New Project wizard, already written to `path`) replaces
    // the open one.
    void adoptNew(const NewProject& project, const QString& path);

    // False means the caller stops: Cancel, or the save failed and the user has been told.
    bool askSaveQuestion();
    // Save and Save As: writes the project to `path`, makes it the project path and puts it on
    // top of the recent files. A failure is told; false then.
    bool saveAs(const QString& path);
    // Writes the project to `path` and makes it the project path. Throws on failure.
    void saveTo(const QString& path);

    void CycleRecentFiles(const QString& path);
    const RecentFiles& recentFiles() const { return m_recent; }

signals:
    // Just before opened or created values replace the project: the editors store what they
    // show and close.
    void aboutToReplace();
    // A different project is now open (opened or created): views show it, a history clears.
    void projectReplaced(const QString& path);
    void pathChanged(const QString& path);
    // The project now equals the file at `path` (Save, Save As, Yes to the save question).
    void saved(const QString& path);
    void modifiedChanged(bool modified);
    void recentFilesChanged();

private:
    void setPath(const QString& path);
    void replaced(const QString& path);

    const Installation& m_install;
    ProjectState& m_state;
    SettingsStore& m_settings;
    Prompts& m_prompts;
    RecentFiles m_recent;
    QString m_path;
    bool m_tracking = false;
    bool m_modified = false;
};

} // namespace yw
