#pragma once

#include "document/recentfiles.h"
#include "shell/commands/editcommands.h"

#include <array>

class QAction;
class QMainWindow;
class QMenu;

namespace yw {

// The items of each menu of the main window, named after the fields whose names users and tests
// know (`mnuSaveOPJ`, `mnuFile_Exit`). Commands take the group they answer.
struct FileMenu
{
    QMenu* menu = nullptr;
    QAction* newProject = nullptr;
    QAction* open = nullptr;
    QAction* openEggOrPackage = nullptr;
    QMenu* save = nullptr;
    QAction* saveProject = nullptr;
    QAction* saveEgg = nullptr;
    QAction* savePackage = nullptr;
    QAction* saveAs = nullptr;
    QAction* exportSheet = nullptr;
    QAction* restoreEgg = nullptr;
    // [0] is the disabled "No Recent Files", [1] to [4] the entries.
    std::array<QAction*, kRecentFileCount + 1> recent{};
    QAction* exit = nullptr;
};

struct EditMenu
{
    QMenu* menu = nullptr;
    QAction* undo = nullptr;
    QAction* redo = nullptr;
    EditCommands::Actions clipboard;
    QAction* replaceColour = nullptr;
};

struct ViewMenu
{
    QMenu* menu = nullptr;
    QAction* tips = nullptr;
    QAction* toolbar = nullptr;
    QAction* options = nullptr;
};

struct WindowMenu
{
    QMenu* menu = nullptr;
    QAction* preview = nullptr;
    QAction* tileHorizontally = nullptr;
    QAction* tileVertically = nullptr;
    QAction* cascade = nullptr;
    QAction* arrangeIcons = nullptr;
};

struct MainMenus
{
    FileMenu file;
    EditMenu edit;
    ViewMenu view;
    WindowMenu window;
    // Its items are the help commands' own; they join it when it first opens.
    QMenu* help = nullptr;
};

// Builds the whole menu bar of `window`, and nothing else: no item does anything yet. A menu's
// items join it when it first opens, so the first frame shows only the titles; items with a
// shortcut are on the window from the start, so their keys work before that.
MainMenus buildMainMenus(QMainWindow& window);

} // namespace yw
