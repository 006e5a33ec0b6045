#include "shell/commands/maincommands.h"

#include "document/document.h"
#include "model/installation.h"
#include "shell/commands/editcommands.h"
#include "shell/commands/filecommands.h"
#include "shell/commands/historyactions.h"
#include "shell/commands/toolcommands.h"
#include "shell/commands/undoplaces.h"
#include "shell/commands/windowcommands.h"
#include "shell/dialogs/optionsdialog.h"
#include "shell/dialogs/previewwindow.h"
#include "shell/help/helpcommands.h"
#include "shell/mainwindow/appicon.h"
#include "shell/mainwindow/mainmenus.h"
#include "shell/mainwindow/mainwindow.h"
#include "shell/mainwindow/shortcutfilter.h"
#include "shell/toolbar/toolbarstrip.h"

#include <QAction>
#include <QLayout>
#include <QMenu>
#include <QStatusBar>

namespace yw {

MainCommands::MainCommands(MainWindow& window, const MainMenus& menus, QWidget& toolbarHolder,
                           QMdiArea& area, Installation& install, ProjectState& state,
                           SettingsStore& settings, Prompts& prompts, UrlOpener open)
    : QObject(&window), m_window(window), m_menus(menus), m_install(install), m_state(state),
      m_settings(settings), m_prompts(prompts)
{
    window.setWindowIcon(applicationIcon());
    Document& document = window.document();

    m_toolbar = new ToolbarStrip(&toolbarHolder);
    toolbarHolder.layout()->addWidget(m_toolbar);
    m_toolbar->setSaveMenu(menus.file.save);
    m_toolbar->setProjectOpen(window.isSaveEnabled());
    connect(&window, &MainWindow::saveEnabledChanged, m_toolbar, &ToolbarStrip::setProjectOpen);
    connect(m_toolbar, &ToolbarStrip::buttonClicked, this, &MainCommands::tBarButton_Click);
    connect(menus.view.toolbar, &QAction::triggered, &toolbarHolder, &QWidget::setVisible);
    connect(menus.view.options, &QAction::triggered, this, &MainCommands::showOptions);

    m_help = new HelpCommands(install, prompts, &window, std::move(open));
    // Its items join it when it first opens; none has a shortcut.
    connect(
        menus.help, &QMenu::aboutToShow, m_help, [this] { m_help->populate(m_menus.help); },
        Qt::SingleShotConnection);

    new HistoryActions(document.history(), *menus.edit.undo, *menus.edit.redo, this);
    new UndoPlaces(document, *menus.edit.undo, *menus.edit.redo, *window.statusBar(),
                   {[&window](int record) { return window.showBall(record); },
                    [&window](ProjectText text) { return window.showTextPanel(text); }});
    new EditCommands(area, *menus.edit.menu, menus.edit.clipboard, this);
    new ToolCommands(document, prompts, *menus.edit.replaceColour, window);
    new WindowCommands(area, menus.window, this);
    // The live preview: from the Window menu, its shortcut and the toolbar's right-click menu; a
    // click on a disc chooses that eBall.
    m_toolbar->addActions({menus.window.preview, menus.view.toolbar});
    connect(menus.window.preview, &QAction::triggered, this, [&window, &area, &document] {
        showPreview(area, document, [&window](int record) { window.showBall(record); });
    });

    auto* shortcuts = new ShortcutFilter(window);
    for (QAction* save : {menus.file.saveProject, menus.file.saveEgg, menus.file.savePackage})
        shortcuts->winWhileEnabled(save);
    shortcuts->alwaysWin(menus.edit.undo);
    shortcuts->alwaysWin(menus.edit.redo);
}

MainCommands::~MainCommands() = default;

FileCommands& MainCommands::addFileCommands(FileDialogs& dialogs)
{
    delete m_file;
    m_file = new FileCommands(m_window, m_install, m_state, m_settings, m_prompts, dialogs);
    m_file->setParent(this);
    return *m_file;
}

void MainCommands::tBarButton_Click(int index)
{
    switch (index) {
    case ToolbarStrip::New:
        m_menus.file.newProject->trigger();
        break;
    case ToolbarStrip::Open:
        m_menus.file.open->trigger();
        break;
    case ToolbarStrip::Save:
        m_menus.file.saveProject->trigger();
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

void MainCommands::showOptions()
{
    // The open project was read with one edition's breed files; it takes another's only whole,
    // read again through the document (every new or opened project reads them itself).
    const Edition before = m_install.edition;
    OptionsDialog options(
        m_settings, m_install,
        [this, before] {
            if (m_install.edition != before)
                m_window.document().reopen();
        },
        &m_window);
    if (options.exec() == QDialog::Accepted)
        m_window.document().optionsChanged();
}

} // namespace yw
