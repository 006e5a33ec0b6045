#pragma once

#include <QObject>

class QAction;
class QLabel;
class QMenu;
class QStatusBar;
class QWidget;

namespace yw {

class ProjectEdits;
class ProjectSession;

// Edit > Undo and Edit > Redo over the project's history, named after the step they take back
// or make again, and the status bar's mark of unsaved changes, which follows the history:
// undoing back to the saved state clears it. Opening or creating a project clears the history.
// The save question is not touched: it is asked whenever a project is open.
class UndoCommands : public QObject
{
    Q_OBJECT
public:
    UndoCommands(ProjectEdits& edits, ProjectSession& session, QMenu& mnuEdit, QStatusBar& bar,
                 QWidget& window);
    ~UndoCommands() override;

    QAction* undoAction() const { return m_undo; }
    QAction* redoAction() const { return m_redo; }

protected:
    // Text fields keep an undo of their own on the same keys; the project's history wins, so
    // there is one way back for every change.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showMark();

    ProjectEdits& m_edits;
    ProjectSession& m_session;
    QWidget& m_window;
    QAction* m_undo = nullptr;
    QAction* m_redo = nullptr;
    QLabel* m_mark = nullptr;
};

} // namespace yw
