#pragma once

#include "shell/help/weblinks.h"

#include <QObject>

class QMdiArea;
class QWidget;

namespace yw {

class Document;
class FileCommands;
class FileDialogs;
class HelpCommands;
class MainWindow;
class Prompts;
class SettingsStore;
class ToolbarStrip;
struct Installation;
struct MainMenus;
struct ProjectState;

// Every command object of the main window is made here and handed the menu items it answers:
// the File, Edit, View, Window and Help menus, the toolbar and the shortcut filter. A new
// command is one line in the constructor.
class MainCommands : public QObject
{
    Q_OBJECT
public:
    MainCommands(MainWindow& window, const MainMenus& menus, QWidget& toolbarHolder, QMdiArea& area,
                 Installation& install, ProjectState& state, SettingsStore& settings,
                 Prompts& prompts, UrlOpener open = desktopUrlOpener());
    ~MainCommands() override;

    // The File menu's commands ask for paths through `dialogs`, which need the window first.
    FileCommands& addFileCommands(FileDialogs& dialogs);

    // A toolbar button's action, by index 0 to 6 (New, Open, Save, Options, Update, Help,
    // About); any other index does nothing.
    void tBarButton_Click(int index);
    void showOptions();

    ToolbarStrip* toolbar() const { return m_toolbar; }
    HelpCommands* help() const { return m_help; }

private:
    MainWindow& m_window;
    const MainMenus& m_menus;
    Installation& m_install;
    ProjectState& m_state;
    SettingsStore& m_settings;
    Prompts& m_prompts;
    ToolbarStrip* m_toolbar = nullptr;
    HelpCommands* m_help = nullptr;
    FileCommands* m_file = nullptr;
};

} // namespace yw
