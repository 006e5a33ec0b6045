#pragma once

#include "document/projectedits.h"
#include "document/recentfiles.h"
#include "files/openproject.h"

#include <QObject>
#include <QString>
#include <string>
#include <vector>

class QUndoStack;

namespace yw {

class Prompts;
class SettingsStore;
struct NewProject;
struct Installation;
struct ProjectState;

// What changed in the open project, for the views that show it.
struct DocumentChange
{
    enum class What {
        Ball,    // one eBall record, made, undone or redone
        Text,    // one of the project's texts
        Project, // another project replaced the open one
    };
    What what = What::Project;
    int record = -1;
    ProjectText text = ProjectText::BreedName;
};

// The one owner of the open project: the OpenProject (path, values, the breed's shape) with its
// history on top, whether it is modified and the save question. Widget-free; it speaks to the
// user only through Prompts. Windows and commands ask it, never the disk or each other.
class Document : public QObject
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

    Document(const Installation& install, ProjectState& state, SettingsStore& settings,
             Prompts& prompts, QObject* parent = nullptr);
    ~Document() override;

    const ProjectState& state() const { return m_project.state(); }
    const OpenProject& project() const { return m_project; }
    // Every change of the project goes through here, as a step of the history.
    ProjectEdits& edits() const { return *m_edits; }
    QUndoStack& history() const { return *m_history; }

    // The full path of the open project file; empty while no project is open.
    QString path() const { return m_project.path(); }
    bool isOpen() const { return m_project.isOpen(); }
    // Open, and the history is away from the step at which it was opened, made or saved.
    bool isModified() const;

    const BreedShape& shape() const { return m_project.shape(); }
    int ballsPerSet() const { return shape().ballsPerSet(); }

    Opening open(const QString& path);
    // The File menu's Open: the path goes to the top of the recent files whenever the file was
    // read, even when it was refused. False when it was not opened.
    bool openAndRemember(const QString& path);
    // Recent-file entry k (1 to 4), after the save question; a missing file is told.
    void openRecent(int k);
    // The open project read again from its file, after the save question: so that it takes the
    // breed files of another edition whole, or not at all (then it stays as it was, and the user is
    // told). Nothing happens while no project is open.
    void reopen();

    // A project built elsewhere (the New Project wizard, already written to `path`) replaces
    // the open one.
    void adoptNew(const NewProject& project, const QString& path);

    // Asked whenever a project is open, modified or not. False means the caller stops: Cancel,
    // or the save failed and the user has been told.
    bool askSaveQuestion();
    // Save and Save As: writes the project to `path`, makes it the project path and puts it on
    // top of the recent files. A failure is told; false then.
    bool saveAs(const QString& path);
    // Writes the project to `path` and makes it the project path. Throws on failure.
    void saveTo(const QString& path);

    void CycleRecentFiles(const QString& path);

    // The Options window's "Let texts grow past the base egg's room": the panels' length limits
    // and the eggs written follow it.
    bool textsMayGrow() const;
    // Said after the Options window closed with OK, which may have changed it.
    void optionsChanged() { emit textsMayGrowChanged(); }

signals:
    // Every change of the project's values, made, undone or redone, and every replacement.
    void changed(const yw::DocumentChange& change);
    // Just before opened or created values replace the project: the editors store what they
    // show and close.
    void aboutToReplace();
    void pathChanged(const QString& path);
    void modifiedChanged(bool modified);
    void recentFilesChanged();
    void textsMayGrowChanged();

private:
    void replaced(const QString& oldPath);
    void pathMayHaveChanged(const QString& oldPath);
    void updateModified();

    const Installation& m_install;
    OpenProject m_project;
    SettingsStore& m_settings;
    Prompts& m_prompts;
    RecentFiles m_recent;
    QUndoStack* m_history = nullptr;
    ProjectEdits* m_edits = nullptr;
    bool m_modified = false;
};

} // namespace yw
