#include "shell/commands/historyactions.h"

#include <QAction>
#include <QUndoStack>

namespace yw {

HistoryActions::HistoryActions(QUndoStack& history, QAction& undo, QAction& redo, QObject* parent)
    : QObject(parent), m_history(history), m_undo(undo), m_redo(redo)
{
    update();
    connect(&history, &QUndoStack::indexChanged, this, &HistoryActions::update);
    connect(&history, &QUndoStack::cleanChanged, this, &HistoryActions::update);
    connect(&undo, &QAction::triggered, &history, &QUndoStack::undo);
    connect(&redo, &QAction::triggered, &history, &QUndoStack::redo);
}

void HistoryActions::update()
{
    auto name = [](const QString& verb, const QString& step) {
        return step.isEmpty() ? verb : verb + QLatin1Char(' ') + step;
    };
    m_undo.setEnabled(m_history.canUndo());
    m_undo.setText(name(tr("Undo"), m_history.undoText()));
    m_redo.setEnabled(m_history.canRedo());
    m_redo.setText(name(tr("Redo"), m_history.redoText()));
}

} // namespace yw
