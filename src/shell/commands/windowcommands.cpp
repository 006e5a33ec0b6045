#include "shell/commands/windowcommands.h"

#include "shell/mainwindow/mainmenus.h"
#include "shell/mainwindow/tiling.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <algorithm>

namespace yw {

WindowCommands::WindowCommands(QMdiArea& area, const WindowMenu& menu, QObject* parent)
    : QObject(parent), m_area(area), m_menu(menu)
{
    connect(menu.tileHorizontally, &QAction::triggered, this, &WindowCommands::tileOneAboveAnother);
    connect(menu.tileVertically, &QAction::triggered, this, &WindowCommands::tileSideBySide);
    connect(menu.cascade, &QAction::triggered, &area, &QMdiArea::cascadeSubWindows);
    connect(menu.arrangeIcons, &QAction::triggered, this, &WindowCommands::arrangeIcons);
    connect(menu.menu, &QMenu::aboutToShow, this, &WindowCommands::listWindows);
}

void WindowCommands::listWindows()
{
    QMenu* menu = m_menu.menu;
    const QList<QAction*> actions = menu->actions();
    const qsizetype fixed = actions.indexOf(m_menu.arrangeIcons) + 1;
    for (qsizetype i = fixed; i < actions.size(); ++i) {
        menu->removeAction(actions[i]);
        actions[i]->deleteLater();
    }
    const QList<QMdiSubWindow*> windows = m_area.subWindowList();
    if (windows.isEmpty())
        return;
    menu->addSeparator();
    int number = 1;
    for (QMdiSubWindow* window : windows) {
        QString caption = window->windowTitle();
        caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* item = menu->addAction(
            number < 10 ? QStringLiteral("&%1 %2").arg(number).arg(caption) : caption);
        item->setCheckable(true);
        item->setChecked(window == m_area.activeSubWindow());
        connect(item, &QAction::triggered, this, [this, window] {
            if (m_area.subWindowList().contains(window))
                m_area.setActiveSubWindow(window);
        });
        ++number;
    }
}

void WindowCommands::tile(bool sideBySide)
{
    QList<QMdiSubWindow*> windows;
    for (QMdiSubWindow* window : m_area.subWindowList())
        if (!window->isMinimized() && !window->isHidden())
            windows.append(window);
    if (windows.isEmpty())
        return;
    const QRect area = m_area.viewport()->rect();
    std::vector<QSize> least;
    std::vector<int> leastAlong;
    for (QMdiSubWindow* window : windows) {
        window->showNormal();
        QSize size = window->minimumSizeHint().expandedTo(window->minimumSize());
        if (const QWidget* inner = window->widget())
            size = size.expandedTo(inner->minimumSize() + window->size() - inner->size());
        least.push_back(size);
        leastAlong.push_back(sideBySide ? size.width() : size.height());
    }
    const std::vector<TileSpan> spans =
        tileSpans(leastAlong, sideBySide ? area.width() : area.height());
    for (qsizetype i = 0; i < windows.size(); ++i) {
        const TileSpan span = spans[size_t(i)];
        const QSize across = least[size_t(i)];
        // Where windows overlap, each lies above the one before it, whose strip stays in view.
        windows[i]->raise();
        windows[i]->setGeometry(
            sideBySide ? QRect(span.start, 0, span.extent, std::max(area.height(), across.height()))
                       : QRect(0, span.start, std::max(area.width(), across.width()), span.extent));
    }
}

void WindowCommands::arrangeIcons()
{
    const QRect area = m_area.viewport()->rect();
    int x = 0;
    for (QMdiSubWindow* window : m_area.subWindowList()) {
        if (!window->isMinimized())
            continue;
        const QSize size = window->size();
        window->move(x, area.height() - size.height());
        x += size.width();
    }
}

} // namespace yw
