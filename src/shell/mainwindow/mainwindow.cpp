#include "shell/mainwindow/mainwindow.h"

#include "editors/breedpreview.h"
#include "editors/projectedits.h"
#include "editors/twips.h"
#include "files/breedresources.h"
#include "files/projectfile.h"
#include "model/installation.h"
#include "model/projectstate.h"
#include "platform/cp1252.h"
#include "platform/errors.h"
#include "platform/filesystem.h"
#include "platform/prompts.h"
#include "platform/setting.h"
#include "shell/commands/desktopcommands.h"
#include "shell/commands/toolcommands.h"
#include "shell/commands/undocommands.h"
#include "shell/commands/undoplaces.h"
#include "shell/dialogs/previewwindow.h"
#include "shell/mainwindow/editorwindows.h"
#include "shell/mainwindow/mdieditorwindows.h"
#include "shell/session/projectsession.h"
#include "shell/session/recentfiles.h"
#include "shell/toolbar/toolbarstrip.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScreen>
#include <QShortcut>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <map>
#include <memory>
#include <numeric>
#include <utility>

namespace yw {

namespace {

constexpr int kPanelWidth = twips(2175);
constexpr int kListLeft = twips(60);
constexpr int kListWidth = twips(2055);
constexpr int kComponentTop = twips(120);
constexpr int kBallListTop = twips(480);
constexpr int kTipsHeight = twips(1575);
constexpr int kTipsGapBelow = twips(75);
constexpr int kBallListGapBelow = twips(90);

const QString kFirstHelpText =
    QStringLiteral("An existing ODD file or OPJ project has not been opened yet, nor has a new "
                   "egg been created. Click New in the toolbar to begin.");

} // namespace

CloseGlyph::CloseGlyph(QWidget* parent) : QLabel(parent)
{
    setAlignment(Qt::AlignCenter);
    setForegroundRole(QPalette::ToolTipText);
    setCursor(Qt::PointingHandCursor);
}

void CloseGlyph::mousePressEvent(QMouseEvent*)
{
    QPalette red = palette();
    red.setColor(QPalette::ToolTipText, QColor(255, 0, 0));
    setPalette(red);
}

void CloseGlyph::mouseReleaseEvent(QMouseEvent* event)
{
    setPalette(QPalette());
    if (rect().contains(event->position().toPoint()))
        emit clicked();
}

MainWindow::MainWindow(Installation& install, ProjectState& state, SettingsStore& settings,
                       Prompts& prompts, QWidget* parent)
    : QMainWindow(parent), m_install(install), m_state(state), m_settings(settings),
      m_prompts(prompts)
{
    setObjectName(QStringLiteral("mfmCore"));
    m_session = new ProjectSession(m_install, m_state, m_settings, m_prompts, this);
    m_edits = new ProjectEdits(m_state, this);
    QString caption = QStringLiteral("Yolkwright (Build %B)");
    caption.replace(QStringLiteral("%B"), QString::fromStdString(m_install.buildNo));
    setWindowTitle(caption);

    createMenus();

    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    TBarUltimateHolder = new QWidget(central);
    TBarUltimateHolder->setObjectName(QStringLiteral("TBarUltimateHolder"));
    TBarUltimateHolder->setLayout(new QHBoxLayout);
    TBarUltimateHolder->layout()->setContentsMargins(0, 0, 0, 0);
    column->addWidget(TBarUltimateHolder);
    auto* row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    column->addLayout(row, 1);

    createLeftPanel();
    lBack->setParent(central);
    row->addWidget(lBack);
    mdiArea = new QMdiArea(central);
    mdiArea->setObjectName(QStringLiteral("mdiArea"));
    mdiArea->setBackground(palette().brush(QPalette::Dark));
    row->addWidget(mdiArea, 1);
    setCentralWidget(central);
    m_editors = std::make_unique<MdiEditorWindows>(mdiArea, *m_edits, m_install);
    connect(m_edits, &ProjectEdits::textChanged, this, [this](ProjectText text) {
        if (text == ProjectText::BreedName)
            setBreedNameItem(cp1252::toUnicode(m_state.breedName));
    });

    statbar = statusBar();
    statbar->setObjectName(QStringLiteral("statbar"));
    statbar->setSizeGripEnabled(true);
    m_pathLabel = new QLabel(statbar);
    m_pathLabel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    statbar->addWidget(m_pathLabel, 1);
    connect(m_session, &ProjectSession::pathChanged, m_pathLabel, &QLabel::setText);
    connect(m_session, &ProjectSession::aboutToReplace, this, &MainWindow::closeEditors);
    connect(m_session, &ProjectSession::projectReplaced, this, &MainWindow::showOpenedProject);
    connect(m_session, &ProjectSession::recentFilesChanged, this, &MainWindow::ShowRecentFiles);
    m_undo = new UndoCommands(*m_edits, *m_session, *mnuEdit, *statbar, *this);
    new ToolCommands(*m_edits, m_install, m_prompts, *mnuReplaceColour, *this);

    m_layoutTimer = new QTimer(this);
    m_layoutTimer->setObjectName(QStringLiteral("Arg"));
    m_layoutTimer->setSingleShot(true);
    m_layoutTimer->setInterval(1);
    connect(m_layoutTimer, &QTimer::timeout, this, &MainWindow::layoutLeftPanel);

    setMinimumSize(twips(6000), twips(4800));
    resize(twips(6960), twips(5820));
    setSaveEnabled(false);
    const DesktopCommands::Parts parts{TBarUltimateHolder,
                                       mnuSave,
                                       mnuNew,
                                       mnuOpen,
                                       mnuSaveOPJ,
                                       mnuView_Tbar,
                                       mnuOptions,
                                       mnuHelp,
                                       mnuEdit,
                                       {mnuCut, mnuCopy, mnuPaste, mnuClear},
                                       mdiArea};
    m_desktop = new DesktopCommands(*this, parts, m_install, m_state, m_settings, m_prompts);

    // The live preview: from the Window menu, its shortcut and the toolbar's right-click menu;
    // a click on a disc chooses that eBall; another project is read afresh.
    m_desktop->toolbar()->addActions({mnuWindPreview, mnuView_Tbar});
    connect(mnuWindPreview, &QAction::triggered, this, [this] {
        showPreview(*mdiArea, *m_edits, m_install, [this](int record) { showBall(record); });
    });
    connect(m_session, &ProjectSession::projectReplaced, this, [this] {
        if (BreedPreview* preview = openPreview(*mdiArea))
            preview->reload();
    });
    new UndoPlaces(*m_edits, *m_undo->undoAction(), *m_undo->redoAction(), *statbar,
                   {[this](int record) { return showBall(record); },
                    [this](ProjectText text) { return showTextPanel(text); }});
    // Escape in a child window goes back to the list that opened it.
    auto* back = new QShortcut(QKeySequence(Qt::Key_Escape), mdiArea, nullptr, nullptr,
                               Qt::WidgetWithChildrenShortcut);
    connect(back, &QShortcut::activated, this,
            [this] { (eblistHoldsBalls ? static_cast<QWidget*>(eblist) : compnt)->setFocus(); });
}

FileCommands::Actions MainWindow::fileActions() const
{
    return {mnuFile,
            mnuNew,
            mnuOpen,
            mnuSaveOPJ,
            mnuSaveODD,
            mnuSaveYPK,
            mnuSaveAs,
            mnuExportSheet,
            {mnuRecentFile[1], mnuRecentFile[2], mnuRecentFile[3], mnuRecentFile[4]}};
}

MainWindow::~MainWindow()
{
    // The undo history announces its own end while it is destroyed, and the mark that watches it
    // reads the session, which as the older child is deleted first.
    delete m_undo;
}

void MainWindow::tBarButton_Click(int index)
{
    m_desktop->tBarButton_Click(index);
}

void MainWindow::createMenus()
{
    // A menu's items join it when it first opens: the first frame shows only the titles. Items
    // with a shortcut are on the window from the start, so their keys work before that. Each
    // item is named after its field, so tests find it by object name.
    std::map<QMenu*, std::shared_ptr<QList<QAction*>>> pending;
    auto itemsOf = [&pending](QMenu* menu) -> QList<QAction*>& {
        std::shared_ptr<QList<QAction*>>& items = pending[menu];
        if (!items) {
            items = std::make_shared<QList<QAction*>>();
            // Made first, so it runs before the menu's own reactions to opening.
            connect(
                menu, &QMenu::aboutToShow, menu,
                [menu, items] {
                    menu->addActions(*items);
                    items->clear();
                },
                Qt::SingleShotConnection);
        }
        return *items;
    };
    auto add = [this, &itemsOf](QMenu* menu, const char* name, const char* caption,
                                QKeySequence shortcut = {}) {
        auto* action = new QAction(QString::fromLatin1(caption), menu);
        action->setObjectName(QString::fromLatin1(name));
        if (!shortcut.isEmpty()) {
            action->setShortcut(shortcut);
            addAction(action);
        }
        itemsOf(menu).append(action);
        return action;
    };
    auto separate = [&itemsOf](QMenu* menu) {
        auto* separator = new QAction(menu);
        separator->setSeparator(true);
        itemsOf(menu).append(separator);
    };

    mnuFile = menuBar()->addMenu(QStringLiteral("&File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    mnuNew = add(mnuFile, "mnuNew", "&New...", QKeySequence(Qt::CTRL | Qt::Key_N));
    mnuOpen = add(mnuFile, "mnuOpen", "&Open...", QKeySequence(Qt::CTRL | Qt::Key_O));
    mnuSave = new QMenu(QStringLiteral("&Save"), mnuFile);
    mnuSave->setObjectName(QStringLiteral("mnuSave"));
    itemsOf(mnuFile).append(mnuSave->menuAction());
    mnuSaveOPJ = add(mnuSave, "mnuSaveOPJ", "Project...", QKeySequence(Qt::CTRL | Qt::Key_S));
    mnuSaveODD = add(mnuSave, "mnuSaveODD", "ODD File...", QKeySequence(Qt::CTRL | Qt::Key_K));
    mnuSaveYPK = add(mnuSave, "mnuSaveYPK", "YPK Archive...", QKeySequence(Qt::CTRL | Qt::Key_E));
    mnuSaveAs = add(mnuFile, "mnuSaveAs", "Save &As...");
    mnuExportSheet = add(mnuFile, "mnuExportSheet", "Export Breed Sheet...");
    separate(mnuFile);
    mnuRecentFile[0] = add(mnuFile, "mnuRecentFile0", "No Recent Files");
    mnuRecentFile[0]->setEnabled(false);
    const char* const placeholders[4][2] = {{"mnuRecentFile1", "First File"},
                                            {"mnuRecentFile2", "Second File"},
                                            {"mnuRecentFile3", "Third File"},
                                            {"mnuRecentFile4", "Fourth File"}};
    for (int i = 1; i <= 4; ++i) {
        mnuRecentFile[size_t(i)] = add(mnuFile, placeholders[i - 1][0], placeholders[i - 1][1]);
        mnuRecentFile[size_t(i)]->setVisible(false);
    }
    separate(mnuFile);
    mnuFile_Exit = add(mnuFile, "mnuFile_Exit", "E&xit", QKeySequence(Qt::CTRL | Qt::Key_Q));
    connect(mnuFile_Exit, &QAction::triggered, this, &QWidget::close);

    mnuEdit = menuBar()->addMenu(QStringLiteral("&Edit"));
    mnuEdit->setObjectName(QStringLiteral("mnuEdit"));
    mnuCut = add(mnuEdit, "mnuCut", "Cut", QKeySequence(Qt::CTRL | Qt::Key_X));
    mnuCopy = add(mnuEdit, "mnuCopy", "Copy", QKeySequence(Qt::CTRL | Qt::Key_C));
    mnuPaste = add(mnuEdit, "mnuPaste", "Paste", QKeySequence(Qt::CTRL | Qt::Key_V));
    mnuClear = add(mnuEdit, "mnuClear", "Clear");
    separate(mnuEdit);
    mnuReplaceColour = add(mnuEdit, "mnuReplaceColour", "Replace Colour...");

    mnuView = menuBar()->addMenu(QStringLiteral("&View"));
    mnuView->setObjectName(QStringLiteral("mnuView"));
    mnuView_Tips = add(mnuView, "mnuView_Tips", "Show &Tips");
    mnuView_Tips->setCheckable(true);
    mnuView_Tips->setChecked(true);
    mnuView_Tbar = add(mnuView, "mnuView_Tbar", "Show Tool&bar");
    mnuView_Tbar->setCheckable(true);
    mnuView_Tbar->setChecked(true);
    separate(mnuView);
    mnuOptions = add(mnuView, "mnuOptions", "&Options...");
    // The check marks show what is on screen each time the menu opens.
    connect(mnuView, &QMenu::aboutToShow, this, [this] {
        mnuView_Tips->setChecked(tipsVisible());
        mnuView_Tbar->setChecked(!TBarUltimateHolder->isHidden());
    });
    connect(mnuView_Tips, &QAction::triggered, this,
            [this](bool checked) { setTipsVisible(checked); });

    mnUWindow = menuBar()->addMenu(QStringLiteral("&Window"));
    mnUWindow->setObjectName(QStringLiteral("mnUWindow"));
    mnuWindPreview =
        add(mnUWindow, "mnuWindPreview", "&Preview", QKeySequence(Qt::CTRL | Qt::Key_P));
    separate(mnUWindow);
    mnuWindArrangeHor = add(mnUWindow, "mnuWindArrangeHor", "Tile &Horizontally");
    mnuWindArrangeVert = add(mnUWindow, "mnuWindArrangeVert", "Tile &Vertically");
    mnuWindCascade = add(mnUWindow, "mnuWindCascade", "&Cascade");
    mnuWindArrangeIcons = add(mnUWindow, "mnuWindArrangeIcons", "Arrange &Icons");
    connect(mnuWindArrangeHor, &QAction::triggered, this, [this] { tileSubWindows(Qt::Vertical); });
    connect(mnuWindArrangeVert, &QAction::triggered, this,
            [this] { tileSubWindows(Qt::Horizontal); });
    connect(mnuWindCascade, &QAction::triggered, this, [this] { mdiArea->cascadeSubWindows(); });
    connect(mnuWindArrangeIcons, &QAction::triggered, this, &MainWindow::arrangeIcons);
    connect(mnUWindow, &QMenu::aboutToShow, this, &MainWindow::fillWindowMenu);

    mnuHelp = menuBar()->addMenu(QStringLiteral("&Help"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
}

void MainWindow::createLeftPanel()
{
    lBack = new QWidget(this);
    lBack->setObjectName(QStringLiteral("lBack"));
    lBack->setFixedWidth(kPanelWidth);
    lBack->installEventFilter(this);

    compnt = new QComboBox(lBack);
    compnt->setObjectName(QStringLiteral("compnt"));
    compnt->setAccessibleName(QStringLiteral("Components"));
    compnt->setGeometry(kListLeft, kComponentTop, kListWidth, compnt->sizeHint().height());
    compnt->addItems({QStringLiteral("Yolkwright Breed"), QStringLiteral("   Appearance"),
                      QStringLiteral("      qp_small.lnz"), QStringLiteral("      qp.lnz"),
                      QStringLiteral("   Text & Images"), QStringLiteral("      Slot/Tray"),
                      QStringLiteral("      Tips")});
    compnt->setEnabled(false);
    connect(compnt, &QComboBox::currentIndexChanged, this, [this](int index) {
        componentChosen(index);
        // The user's choice that changed the index is reported again as activated; the flag
        // lasts until the event loop turns, so a change made by code leaves nothing behind.
        m_componentJustChanged = true;
        QMetaObject::invokeMethod(
            this, [this] { m_componentJustChanged = false; }, Qt::QueuedConnection);
    });
    // Choosing the component already shown acts as well: a list is reloaded, a panel comes back.
    connect(compnt, &QComboBox::activated, this, [this](int index) {
        if (!std::exchange(m_componentJustChanged, false))
            componentChosen(index);
    });

    eblist = new QListWidget(lBack);
    eblist->setObjectName(QStringLiteral("eblist"));
    eblist->setAccessibleName(QStringLiteral("eBalls"));
    eblist->setGeometry(kListLeft, kBallListTop, kListWidth, twips(2000));
    eblist->setSelectionMode(QAbstractItemView::SingleSelection);
    eblist->installEventFilter(this);
    eblist->viewport()->installEventFilter(this);
    // Every change of selection opens the eBall it reaches (keys, a press of any button, a drag
    // across rows), so the list and the editor never disagree. A click opens its eBall again
    // only when its press did not already do so.
    connect(eblist, &QListWidget::itemSelectionChanged, this, [this] {
        if (m_fillingList)
            return;
        m_openedByPress = m_mouseDownInList;
        openSelectedBall();
    });
    connect(eblist, &QListWidget::itemClicked, this, [this] {
        if (!std::exchange(m_openedByPress, false))
            openSelectedBall();
    });
    connect(eblist, &QListWidget::itemDoubleClicked, this, &MainWindow::openSelectedBall);

    // An etched rule along the top: the shadow line above the highlight line.
    Line2 = new QFrame(lBack);
    Line2->setObjectName(QStringLiteral("Line2"));
    Line2->setGeometry(0, 0, twips(2190), 1);
    Line2->setAutoFillBackground(true);
    Line2->setBackgroundRole(QPalette::Mid);
    Line1 = new QFrame(lBack);
    Line1->setObjectName(QStringLiteral("Line1"));
    Line1->setGeometry(0, 1, twips(2190), 1);
    Line1->setAutoFillBackground(true);
    Line1->setBackgroundRole(QPalette::Light);

    tippy = new QFrame(lBack);
    tippy->setObjectName(QStringLiteral("tippy"));
    tippy->setFrameShape(QFrame::Box);
    tippy->setAutoFillBackground(true);
    tippy->setBackgroundRole(QPalette::ToolTipBase);
    tippy->setForegroundRole(QPalette::ToolTipText);
    tippy->setGeometry(kListLeft, twips(3000), kListWidth, kTipsHeight);

    ttex = new QLabel(kFirstHelpText, tippy);
    ttex->setObjectName(QStringLiteral("ttex"));
    ttex->setForegroundRole(QPalette::ToolTipText);
    ttex->setWordWrap(true);
    ttex->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QFont small(QStringLiteral("Tahoma"));
    small.setPointSizeF(7.5);
    ttex->setFont(small);
    ttex->setGeometry(twips(60), twips(60), twips(1740) - twips(60), kTipsHeight - twips(90));

    tclose = new CloseGlyph(tippy);
    tclose->setObjectName(QStringLiteral("tclose"));
    tclose->setText(QString(QChar(0x00D7)));
    tclose->setGeometry(twips(1800), twips(60), twips(195), twips(195));
    tclose->setToolTip(QStringLiteral("Close"));
    connect(tclose, &CloseGlyph::clicked, this, [this] { setTipsVisible(false); });
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == lBack && event->type() == QEvent::Resize) {
        // The panel's final layout waits until the resize has been handled completely.
        m_layoutTimer->start();
    } else if (eblist && watched == eblist->viewport()) {
        if (event->type() == QEvent::MouseButtonPress ||
            event->type() == QEvent::MouseButtonDblClick) {
            m_mouseDownInList = true;
            m_openedByPress = false;
        } else if (event->type() == QEvent::MouseButtonRelease)
            m_mouseDownInList = false;
    } else if (eblist && watched == eblist && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        // Enter and Tab go into the editor with the chosen eBall; the keys that step through the
        // list open each eBall they reach while the focus stays in the list.
        if (key == Qt::Key_Return || key == Qt::Key_Enter ||
            (key == Qt::Key_Tab && eblistHoldsBalls && eblist->currentItem())) {
            openSelectedBall();
            return true;
        }
        if (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp ||
            key == Qt::Key_PageDown || key == Qt::Key_Home || key == Qt::Key_End) {
            m_keepListFocus = true;
            static_cast<QObject*>(eblist)->event(event);
            m_keepListFocus = false;
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::layoutLeftPanel()
{
    m_layoutTimer->stop();
    const int tipsTop = lBack->height() - kTipsHeight - kTipsGapBelow;
    tippy->move(tippy->x(), tipsTop);
    const int listBottom = tipsVisible() ? tipsTop : lBack->height();
    eblist->resize(eblist->width(), std::max(0, listBottom - kBallListTop - kBallListGapBelow));
}

bool MainWindow::tipsVisible() const
{
    return !tippy->isHidden();
}

void MainWindow::setTipsVisible(bool visible)
{
    tippy->setVisible(visible);
    mnuView_Tips->setChecked(visible);
    layoutLeftPanel();
}

void MainWindow::setSaveEnabled(bool enabled)
{
    // The submenu's shortcuts stay live unless its items are disabled themselves.
    for (QAction* action : {mnuSave->menuAction(), mnuSaveOPJ, mnuSaveODD, mnuSaveYPK, mnuSaveAs,
                            mnuExportSheet, mnuReplaceColour, mnuWindPreview})
        action->setEnabled(enabled);
    if (enabled == m_saveEnabled)
        return;
    m_saveEnabled = enabled;
    emit saveEnabledChanged(enabled);
}

void MainWindow::setEditorWindows(std::unique_ptr<EditorWindows> editors)
{
    m_editors = std::move(editors);
}

void MainWindow::closeEditors()
{
    if (m_editors)
        m_editors->closeAll();
}

void MainWindow::showOpenedProject()
{
    try {
        const BreedHeader header = readBreedHeader(m_install, m_state);
        const QString indent(6, QLatin1Char(' '));
        compnt->setItemText(2, indent + cp1252::toUnicode(header.lnzNameA));
        compnt->setItemText(3, indent + cp1252::toUnicode(header.lnzNameB));
    } catch (const Error&) {
        // The reader that filled the state has just read this header; should it have gone
        // since, the ball sets keep their names and the eBall list says what is wrong.
    }
    setBreedNameItem(cp1252::toUnicode(m_state.breedName));
    {
        const QSignalBlocker quiet(compnt);
        compnt->setCurrentIndex(0);
    }
    componentChosen(0);
    compnt->setEnabled(true);
    setSaveEnabled(true);
}

void MainWindow::setBreedNameItem(const QString& name)
{
    compnt->setItemText(0, name);
}

void MainWindow::ShowRecentFiles()
{
    RecentFiles(m_settings, mnuRecentFile).ShowRecentFiles();
}

void MainWindow::load(const QString& commandLineProject)
{
    m_install.askBeforeBrowsing = setting::optAsk.number(m_settings) != 0;
    setTipsVisible(setting::showTips.isOn(m_settings));
    compnt->setItemText(0, QStringLiteral("Yolkwright Breed"));

    const long long width = setting::width.number(m_settings, toTwips(this->width()));
    const long long height = setting::height.number(m_settings, toTwips(this->height()));
    if (width >= 0 && height >= 0) {
        // Capped so that a huge stored size cannot overflow on its way to pixels.
        const int limit = toTwips(100000);
        resize(twips(int(std::min<long long>(width, limit))),
               twips(int(std::min<long long>(height, limit))));
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            QRect frame(QPoint(), size());
            frame.moveCenter(screen->availableGeometry().center());
            move(frame.topLeft());
        }
    } else {
        setWindowState(windowState() | Qt::WindowMaximized);
    }
    QCoreApplication::processEvents();

    const bool exists =
        !commandLineProject.isEmpty() && m_install.files().fileExists(commandLineProject);
    if (exists && m_session->open(commandLineProject) == ProjectSession::Opening::Opened)
        m_session->CycleRecentFiles(commandLineProject);
    else
        setSaveEnabled(false);
    ShowRecentFiles();
}

void MainWindow::writeWindowSettings()
{
    setting::showTips.write(m_settings,
                            tipsVisible() ? QStringLiteral("True") : QStringLiteral("False"));
    if (isMaximized()) {
        setting::width.write(m_settings, QStringLiteral("-1"));
        setting::height.write(m_settings, QStringLiteral("-1"));
    } else {
        setting::width.write(m_settings, QString::number(toTwips(width())));
        setting::height.write(m_settings, QString::number(toTwips(height())));
    }
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (!m_session->askSaveQuestion()) {
        event->ignore();
        return;
    }
    writeWindowSettings();
    event->accept();
    // The program ends with its main window: the help viewer and any other window close too.
    for (QWidget* other : QApplication::topLevelWidgets())
        if (other != this && other->isVisible())
            other->close();
}

bool MainWindow::event(QEvent* event)
{
    // Notes from the fields (text refused or cut) stay a while, then the project path is back.
    if (event->type() == QEvent::StatusTip) {
        const QString tip = static_cast<QStatusTipEvent*>(event)->tip();
        statbar->showMessage(tip, tip.isEmpty() ? 0 : 10000);
        return true;
    }
    return QMainWindow::event(event);
}

void MainWindow::fillWindowMenu()
{
    const QList<QAction*> actions = mnUWindow->actions();
    const qsizetype fixed = actions.indexOf(mnuWindArrangeIcons) + 1;
    for (qsizetype i = fixed; i < actions.size(); ++i) {
        mnUWindow->removeAction(actions[i]);
        actions[i]->deleteLater();
    }
    const QList<QMdiSubWindow*> windows = mdiArea->subWindowList();
    if (windows.isEmpty())
        return;
    mnUWindow->addSeparator();
    int number = 1;
    for (QMdiSubWindow* window : windows) {
        QString caption = window->windowTitle();
        caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* item = mnUWindow->addAction(
            number < 10 ? QStringLiteral("&%1 %2").arg(number).arg(caption) : caption);
        item->setCheckable(true);
        item->setChecked(window == mdiArea->activeSubWindow());
        connect(item, &QAction::triggered, this, [this, window] {
            if (mdiArea->subWindowList().contains(window))
                mdiArea->setActiveSubWindow(window);
        });
        ++number;
    }
}

void MainWindow::tileSubWindows(Qt::Orientation orientation)
{
    QList<QMdiSubWindow*> windows;
    for (QMdiSubWindow* window : mdiArea->subWindowList())
        if (!window->isMinimized() && !window->isHidden())
            windows.append(window);
    if (windows.isEmpty())
        return;
    const QRect area = mdiArea->viewport()->rect();
    const bool across = orientation == Qt::Horizontal;
    const int length = across ? area.width() : area.height();
    const int count = int(windows.size());

    // The windows share the area, but none gets less than its least size: those that need more
    // than an even share take it, and the others split what is left. Only when even the least
    // sizes do not fit do the windows overlap, each still whole.
    std::vector<QSize> least;
    for (QMdiSubWindow* window : windows) {
        window->showNormal();
        QSize size = window->minimumSizeHint().expandedTo(window->minimumSize());
        if (const QWidget* inner = window->widget())
            size = size.expandedTo(inner->minimumSize() + window->size() - inner->size());
        least.push_back(size);
    }
    auto along = [across](const QSize& size) { return across ? size.width() : size.height(); };
    std::vector<int> extents(size_t(count), -1);
    int left = length;
    for (;;) {
        const int open = int(std::count(extents.begin(), extents.end(), -1));
        if (open == 0)
            break;
        size_t needy = 0;
        while (needy < extents.size() &&
               (extents[needy] >= 0 || along(least[needy]) * open <= left))
            ++needy;
        if (needy < extents.size()) {
            extents[needy] = along(least[needy]);
            left -= extents[needy];
            continue;
        }
        int k = 0;
        for (int& extent : extents)
            if (extent < 0) {
                extent = left * (k + 1) / open - left * k / open;
                ++k;
            }
    }
    int total = std::accumulate(extents.begin(), extents.end(), 0);
    int next = 0;
    for (int i = 0; i < count; ++i) {
        const int extent = extents[size_t(i)];
        const int start = std::max(0, std::min(next, length - total));
        total -= extent;
        const QSize size = across
                               ? QSize(extent, std::max(area.height(), least[size_t(i)].height()))
                               : QSize(std::max(area.width(), least[size_t(i)].width()), extent);
        windows[i]->setGeometry(QRect(across ? QPoint(start, 0) : QPoint(0, start), size));
        next = start + extent;
    }
}

void MainWindow::arrangeIcons()
{
    const QRect area = mdiArea->viewport()->rect();
    int x = 0;
    for (QMdiSubWindow* window : mdiArea->subWindowList()) {
        if (!window->isMinimized())
            continue;
        const QSize size = window->size();
        window->move(x, area.height() - size.height());
        x += size.width();
    }
}

} // namespace yw
