#pragma once

#include "shell/commands/editcommands.h"
#include "shell/help/weblinks.h"

#include <QObject>

class QAction;
class QMdiArea;
class QMenu;
class QWidget;

namespace yw {

class HelpCommands;
class MainWindow;
class Prompts;
class SettingsStore;
class ToolbarStrip;
struct Installation;
struct ProjectState;

// Puts the toolbar into the main window's strip and gives the toolbar, Show Toolbar, Options,
// the Edit menu and the Help menu their actions.
class DesktopCommands : public QObject
{
    Q_OBJECT
public:
    // The parts of the main window these commands fill or answer.
    struct Parts
    {
        QWidget* toolbarHolder = nullptr;
        QMenu* saveMenu = nullptr;
        QAction* newProject = nullptr;
        QAction* open = nullptr;
        QAction* saveProject = nullptr;
        QAction* showToolbar = nullptr;
        QAction* options = nullptr;
        QMenu* help = nullptr;
        QMenu* edit = nullptr;
        EditCommands::Actions editActions;
        QMdiArea* area = nullptr;
    };

    DesktopCommands(MainWindow& window, const Parts& parts, Installation& install,
                    ProjectState& state, SettingsStore& settings, Prompts& prompts,
                    UrlOpener open = desktopUrlOpener());
    ~DesktopCommands() override;

    // A toolbar button's action, by index 0 to 6 (New, Open, Save, Options, Update, Help,
    // About); any other index does nothing.
    void tBarButton_Click(int index);
    void showOptions();

    ToolbarStrip* toolbar() const { return m_toolbar; }
    HelpCommands* help() const { return m_help; }
    EditCommands* edit() const { return m_edit; }

private:
    MainWindow& m_window;
    Parts m_parts;
    Installation& m_install;
    ProjectState& m_state;
    SettingsStore& m_settings;
    ToolbarStrip* m_toolbar = nullptr;
    HelpCommands* m_help = nullptr;
    EditCommands* m_edit = nullptr;
};

} // namespace yw
