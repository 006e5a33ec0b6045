#include "shell/mainwindow/shortcutfilter.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace yw {

ShortcutFilter::ShortcutFilter(QWidget& window) : QObject(&window), m_window(window)
{
    qApp->installEventFilter(this);
}

ShortcutFilter::~ShortcutFilter()
{
    qApp->removeEventFilter(this);
}

bool ShortcutFilter::eventFilter(QObject* watched, QEvent* event)
{
    const bool isOverride = event->type() == QEvent::ShortcutOverride;
    if (!isOverride && event->type() != QEvent::KeyPress)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != &m_window)
        return false;
    const QKeySequence pressed(static_cast<QKeyEvent*>(event)->keyCombination());
    // A refused override lets the window's shortcut run; a key press that arrives anyway (the
    // action is disabled) must not reach the field's own handling of the key.
    for (const QAction* action : m_always)
        if (action->shortcuts().contains(pressed))
            return true;
    if (isOverride)
        for (const QAction* action : m_whileEnabled)
            if (action->isEnabled() && action->shortcuts().contains(pressed))
                return true;
    return false;
}

} // namespace yw
