#pragma once

#include <QList>
#include <QObject>

class QAction;
class QWidget;

namespace yw {

// Text fields keep shortcuts of their own on some of the window's keys (their own undo on
// Ctrl+Z, and on Linux delete to and move to the line's end on Ctrl+K and Ctrl+E). This one
// application-wide filter decides, for the fields of `window`, which shortcut wins.
class ShortcutFilter : public QObject
{
    Q_OBJECT
public:
    explicit ShortcutFilter(QWidget& window);
    ~ShortcutFilter() override;

    // The window's action wins while it is enabled; a disabled one leaves the key to the field.
    void winWhileEnabled(QAction* action) { m_whileEnabled.append(action); }
    // The key never reaches a field, enabled or not: there is one way back for every change.
    void alwaysWin(QAction* action) { m_always.append(action); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& m_window;
    QList<QAction*> m_whileEnabled;
    QList<QAction*> m_always;
};

} // namespace yw
