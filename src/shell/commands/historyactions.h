#pragma once

#include <QObject>

class QAction;
class QUndoStack;

namespace yw {

// Edit > Undo and Edit > Redo over the document's history: each is named after the step it takes
// back or makes again ("Undo Fill Color") and is enabled while there is such a step.
class HistoryActions : public QObject
{
    Q_OBJECT
public:
    HistoryActions(QUndoStack& history, QAction& undo, QAction& redo, QObject* parent);

private:
    void update();

    QUndoStack& m_history;
    QAction& m_undo;
    QAction& m_redo;
};

} // namespace yw
