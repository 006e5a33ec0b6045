#include "shell/commands/desktopcommands.h"

#include "files/breedresources.h"
#include "model/installation.h"
#include "shell/dialogs/optionsdialog.h"
#include "shell/help/helpcommands.h"
#include "shell/mainwindow/appicon.h"
#include "shell/mainwindow/mainwindow.h"
#include "shell/toolbar/toolbarstrip.h"

#include <QAction>
#include <QLayout>
#include <QMenu>

namespace yw {

DesktopCommands::DesktopCommands(MainWindow& window, const Parts& parts, Installation& install,
                                 ProjectState& state, SettingsStore& settings, Prompts& prompts,
                                 UrlOpener open)
    : QObject(&window), m_window(window), m_parts(parts), m_install(install), m_state(state),
      m_settings(settings)
{
    window.setWindowIcon(applicationIcon());

    m_toolbar = new ToolbarStrip(parts.toolbarHolder);
    parts.toolbarHolder->layout()->addWidget(m_toolbar);
    m_toolbar->setSaveMenu(parts.saveMenu);
    m_toolbar->setProjectOpen(window.isSaveEnabled());
    connect(&window, &MainWindow::saveEnabledChanged, m_toolbar, &ToolbarStrip::setProjectOpen);
    connect(m_toolbar, &ToolbarStrip::buttonClicked, this, &DesktopCommands::tBarButton_Click);

    connect(parts.showToolbar, &QAction::triggered, this,
            [this](bool checked) { m_parts.toolbarHolder->setVisible(checked); });
    connect(parts.options, &QAction::triggered, this, &DesktopCommands::showOptions);

    m_help = new HelpCommands(install, prompts, &window, std::move(open));
    // Its items join it when it first opens; none has a shortcut.
    connect(
        parts.help, &QMenu::aboutToShow, m_help, [this] { m_help->populate(m_parts.help); },
        Qt::SingleShotConnection);

    m_edit = new EditCommands(*parts.area, *parts.edit, parts.editActions, this);
}

DesktopCommands::~DesktopCommands() = default;

void DesktopCommands::tBarButton_Click(int index)
{
    switch (index) {
    case ToolbarStrip::New:
        m_parts.newProject->trigger();
        break;
    case ToolbarStrip::Open:
        m_parts.open->trigger();
        break;
    case ToolbarStrip::Save:
        m_parts.saveProject->trigger();
        break;
    case ToolbarStrip::Options:
        showOptions();
        break;
    case ToolbarStrip::Update:
        m_help->checkForUpdate();
        break;
    case ToolbarStrip::Help:
        m_help->showHelp();
        break;
    case ToolbarStrip::About:
        m_help->showAbout();
        break;
    default:
        break;
    }
}

void DesktopCommands::showOptions()
{
    OptionsDialog options(
        m_settings, m_install, [this] { getLOX(m_install, m_state); }, &m_window);
    options.exec();
}

} // namespace yw
