#include "shell/mainwindow/mainmenus.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <map>
#include <memory>

namespace yw {

namespace {

class MenuBuilder
{
public:
    explicit MenuBuilder(QMainWindow& window) : m_window(window) {}

    QMenu* menu(const char* name, const char* caption)
    {
        QMenu* menu = m_window.menuBar()->addMenu(QString::fromLatin1(caption));
        menu->setObjectName(QString::fromLatin1(name));
        return menu;
    }

    QMenu* submenu(QMenu* parent, const char* name, const char* caption)
    {
        auto* menu = new QMenu(QString::fromLatin1(caption), parent);
        menu->setObjectName(QString::fromLatin1(name));
        itemsOf(parent).append(menu->menuAction());
        return menu;
    }

    QAction* add(QMenu* menu, const char* name, const char* caption,
                 const QList<QKeySequence>& shortcuts = {})
    {
        auto* action = new QAction(QString::fromLatin1(caption), menu);
        action->setObjectName(QString::fromLatin1(name));
        if (!shortcuts.isEmpty()) {
            action->setShortcuts(shortcuts);
            m_window.addAction(action);
        }
        itemsOf(menu).append(action);
        return action;
    }

    QAction* addTicked(QMenu* menu, const char* name, const char* caption)
    {
        QAction* action = add(menu, name, caption);
        action->setCheckable(true);
        action->setChecked(true);
        return action;
    }

    void separate(QMenu* menu)
    {
        auto* separator = new QAction(menu);
        separator->setSeparator(true);
        itemsOf(menu).append(separator);
    }

private:
    QList<QAction*>& itemsOf(QMenu* menu)
    {
        std::shared_ptr<QList<QAction*>>& items = m_pending[menu];
        if (!items) {
            items = std::make_shared<QList<QAction*>>();
            // Made first, so it runs before the menu's own reactions to opening.
            QObject::connect(
                menu, &QMenu::aboutToShow, menu,
                [menu, items = items] {
                    menu->addActions(*items);
                    items->clear();
                },
                Qt::SingleShotConnection);
        }
        return *items;
    }

    QMainWindow& m_window;
    std::map<QMenu*, std::shared_ptr<QList<QAction*>>> m_pending;
};

QKeySequence ctrl(Qt::Key key)
{
    return QKeySequence(Qt::CTRL | key);
}

} // namespace

MainMenus buildMainMenus(QMainWindow& window)
{
    MenuBuilder build(window);
    MainMenus menus;

    FileMenu& file = menus.file;
    file.menu = build.menu("mnuFile", "&File");
    file.newProject = build.add(file.menu, "mnuNew", "&New...", {ctrl(Qt::Key_N)});
    file.open = build.add(file.menu, "mnuOpen", "&Open...", {ctrl(Qt::Key_O)});
    file.openEggOrPackage = build.add(file.menu, "mnuOpenEgg", "Open &Egg or Package...");
    file.save = build.submenu(file.menu, "mnuSave", "&Save");
    file.saveProject = build.add(file.save, "mnuSaveOPJ", "Project...", {ctrl(Qt::Key_S)});
    file.saveEgg = build.add(file.save, "mnuSaveODD", "ODD File...", {ctrl(Qt::Key_K)});
    file.savePackage = build.add(file.save, "mnuSaveYPK", "YPK Archive...", {ctrl(Qt::Key_E)});
    file.saveAs = build.add(file.menu, "mnuSaveAs", "Save &As...");
    file.exportSheet = build.add(file.menu, "mnuExportSheet", "Export Breed Sheet...");
    file.restoreEgg = build.add(file.menu, "mnuRestoreEgg", "&Restore Game Egg...");
    build.separate(file.menu);
    file.recent[0] = build.add(file.menu, "mnuRecentFile0", "No Recent Files");
    file.recent[0]->setEnabled(false);
    const char* const placeholders[kRecentFileCount][2] = {{"mnuRecentFile1", "First File"},
                                                           {"mnuRecentFile2", "Second File"},
                                                           {"mnuRecentFile3", "Third File"},
                                                           {"mnuRecentFile4", "Fourth File"}};
    for (size_t i = 1; i <= kRecentFileCount; ++i) {
        file.recent[i] = build.add(file.menu, placeholders[i - 1][0], placeholders[i - 1][1]);
        file.recent[i]->setVisible(false);
    }
    build.separate(file.menu);
    file.exit = build.add(file.menu, "mnuFile_Exit", "E&xit", {ctrl(Qt::Key_Q)});

    EditMenu& edit = menus.edit;
    edit.menu = build.menu("mnuEdit", "&Edit");
    edit.undo = build.add(edit.menu, "mnuUndo", "Undo", {ctrl(Qt::Key_Z)});
    edit.redo = build.add(edit.menu, "mnuRedo", "Redo",
                          {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), ctrl(Qt::Key_Y)});
    build.separate(edit.menu);
    edit.clipboard.cut = build.add(edit.menu, "mnuCut", "Cut", {ctrl(Qt::Key_X)});
    edit.clipboard.copy = build.add(edit.menu, "mnuCopy", "Copy", {ctrl(Qt::Key_C)});
    edit.clipboard.paste = build.add(edit.menu, "mnuPaste", "Paste", {ctrl(Qt::Key_V)});
    edit.clipboard.clear = build.add(edit.menu, "mnuClear", "Clear");
    build.separate(edit.menu);
    edit.replaceColour = build.add(edit.menu, "mnuReplaceColour", "Replace Colour...");

    ViewMenu& view = menus.view;
    view.menu = build.menu("mnuView", "&View");
    view.tips = build.addTicked(view.menu, "mnuView_Tips", "Show &Tips");
    view.toolbar = build.addTicked(view.menu, "mnuView_Tbar", "Show Tool&bar");
    build.separate(view.menu);
    view.options = build.add(view.menu, "mnuOptions", "&Options...");

    WindowMenu& windows = menus.window;
    windows.menu = build.menu("mnUWindow", "&Window");
    windows.preview = build.add(windows.menu, "mnuWindPreview", "&Preview", {ctrl(Qt::Key_P)});
    build.separate(windows.menu);
    windows.tileHorizontally = build.add(windows.menu, "mnuWindArrangeHor", "Tile &Horizontally");
    windows.tileVertically = build.add(windows.menu, "mnuWindArrangeVert", "Tile &Vertically");
    windows.cascade = build.add(windows.menu, "mnuWindCascade", "&Cascade");
    windows.arrangeIcons = build.add(windows.menu, "mnuWindArrangeIcons", "Arrange &Icons");

    menus.help = build.menu("mnuHelp", "&Help");
    return menus;
}

} // namespace yw
