#pragma once

#include <QObject>

class QAction;
class QMdiArea;
class QMenu;
class QWidget;

namespace yw {

// The Edit menu's target: the text field (QLineEdit, QPlainTextEdit or QTextEdit) that has, or
// last had, the focus in the MDI area's current child window; null when there is none.
QWidget* editTarget(const QMdiArea& area);
bool isReadOnlyField(const QWidget& field);
QString selectedFieldText(const QWidget& field);
// Replaces the selection (or inserts at the caret), read-only or not.
void replaceFieldSelection(QWidget& field, const QString& text);

// Cut, Copy, Paste and Clear on the target with the system clipboard's plain text. The menu's
// enabling is set when it opens: all four greyed without a target (until a field takes the
// focus), by the target's read-only flag otherwise; the commands themselves do not look at it.
class EditCommands : public QObject
{
    Q_OBJECT
public:
    struct Actions
    {
        QAction* cut = nullptr;
        QAction* copy = nullptr;
        QAction* paste = nullptr;
        QAction* clear = nullptr;
    };

    EditCommands(QMdiArea& area, QMenu& mnuEdit, const Actions& actions, QObject* parent);

    void updateEnabling();
    void cut();
    void copy();
    void paste();
    void clear();

private:
    QMdiArea& m_area;
    Actions m_actions;
    bool m_greyedWithoutTarget = false;
};

} // namespace yw
