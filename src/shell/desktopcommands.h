#pragma once

#include "shell/weblinks.h"

#include <QObject>

namespace yw {

class EditCommands;
class HelpCommands;
class MainWindow;
class Prompts;
class SettingsStore;
class ToolbarStrip;
struct ProjectState;

// Puts the toolbar into the main window's strip and gives the toolbar, Show Toolbar, Options,
// the Edit menu and the Help menu their actions.
class DesktopCommands : public QObject
{
    Q_OBJECT
public:
    DesktopCommands(MainWindow& window, ProjectState& state, SettingsStore& settings,
                    Prompts& prompts, UrlOpener open = desktopUrlOpener());
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
    ProjectState& m_state;
    SettingsStore& m_settings;
    ToolbarStrip* m_toolbar = nullptr;
    HelpCommands* m_help = nullptr;
    EditCommands* m_edit = nullptr;
};

} // namespace yw
