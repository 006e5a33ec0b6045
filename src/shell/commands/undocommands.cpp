#include "shell/commands/undocommands.h"

#include "editors/projectedits.h"
#include "shell/session/projectsession.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>
#include <QUndoStack>

namespace yw {

UndoCommands::UndoCommands(ProjectEdits& edits, ProjectSession& session, QMenu& mnuEdit,
                           QStatusBar& bar, QWidget& window)
    : QObject(&window), m_edits(edits), m_session(session), m_window(window)
{
    QUndoStack& history = edits.history();
    QAction* first = mnuEdit.actions().value(0);
    m_undo = new QAction(tr("Undo"), &mnuEdit);
    m_undo->setObjectName(QStringLiteral("mnuUndo"));
    m_undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    m_redo = new QAction(tr("Redo"), &mnuEdit);
    m_redo->setObjectName(QStringLiteral("mnuRedo"));
    m_redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    mnuEdit.insertAction(first, m_undo);
    mnuEdit.insertAction(first, m_redo);
    mnuEdit.insertSeparator(first);

    auto name = [](const QString& verb, const QString& step) {
        return step.isEmpty() ? verb : verb + QLatin1Char(' ') + step;
    };
    auto update = [this, &history, name] {
        m_undo->setEnabled(history.canUndo());
        m_undo->setText(name(tr("Undo"), history.undoText()));
        m_redo->setEnabled(history.canRedo());
        m_redo->setText(name(tr("Redo"), history.redoText()));
    };
    update();
    connect(&history, &QUndoStack::indexChanged, this, update);
    connect(&history, &QUndoStack::cleanChanged, this, update);
    connect(m_undo, &QAction::triggered, &history, &QUndoStack::undo);
    connect(m_redo, &QAction::triggered, &history, &QUndoStack::redo);

    m_mark = new QLabel(&bar);
    m_mark->setObjectName(QStringLiteral("modifiedMark"));
    m_mark->setToolTip(tr("The project has changes that are not saved."));
    bar.addPermanentWidget(m_mark);
    connect(&history, &QUndoStack::cleanChanged, this, &UndoCommands::showMark);
    connect(&session, &ProjectSession::pathChanged, this, &UndoCommands::showMark);
    showMark();

    connect(&session, &ProjectSession::projectReplaced, &edits, &ProjectEdits::clear);
    connect(&session, &ProjectSession::saved, &edits, &ProjectEdits::markSaved);
    qApp->installEventFilter(this);
}

UndoCommands::~UndoCommands()
{
    qApp->removeEventFilter(this);
}

void UndoCommands::showMark()
{
    const bool unsaved = m_session.isOpen() && !m_edits.history().isClean();
    m_mark->setText(unsaved ? tr("Modified") : QString());
}

bool UndoCommands::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != &m_window)
        return false;
    const QKeySequence pressed(static_cast<QKeyEvent*>(event)->keyCombination());
    for (QAction* action : {m_undo, m_redo}) {
        // A refused override lets the window's shortcut run; a key press that arrives anyway
        // (nothing to undo) must not reach the field's own undo.
        if (action->shortcuts().contains(pressed))
            return true;
    }
    return false;
}

} // namespace yw
