#include "shell/mainwindow/mainwindow.h"

#include "document/document.h"
#include "document/recentfiles.h"
#include "editors/dialogparts.h"
#include "editors/twips.h"
#include "model/installation.h"
#include "model/projectstate.h"
#include "platform/cp1252.h"
#include "platform/filesystem.h"
#include "platform/setting.h"
#include "shell/commands/maincommands.h"
#include "shell/mainwindow/editorwindows.h"
#include "shell/mainwindow/mdieditorwindows.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QScreen>
#include <QShortcut>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

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
constexpr int kFittedNoteMs = 10000;

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
    m_document = new Document(m_install, m_state, m_settings, m_prompts, this);
    QString caption = QStringLiteral("Yolkwright (Build %B)");
    caption.replace(QStringLiteral("%B"), QString::fromStdString(m_install.buildNo));
    setWindowTitle(caption);

    m_menus = buildMainMenus(*this);
    connect(m_menus.file.exit, &QAction::triggered, this, &QWidget::close);
    // The check marks show what is on screen each time the menu opens.
    connect(m_menus.view.menu, &QMenu::aboutToShow, this, [this] {
        m_menus.view.tips->setChecked(tipsVisible());
        m_menus.view.toolbar->setChecked(!TBarUltimateHolder->isHidden());
    });
    connect(m_menus.view.tips, &QAction::triggered, this, &MainWindow::setTipsVisible);

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
    m_editors = std::make_unique<MdiEditorWindows>(mdiArea, *m_document, m_prompts);
    connect(m_document, &Document::changed, this, [this](const DocumentChange& change) {
        if (change.what == DocumentChange::What::Text && change.text == ProjectText::BreedName)
            compnt->setBreedName(cp1252::toUnicode(m_state.breedName));
        else if (change.what == DocumentChange::What::Project)
            showOpenedProject();
    });
    connect(m_document, &Document::aboutToReplace, this, &MainWindow::closeEditors);
    connect(m_document, &Document::recentFilesChanged, this, &MainWindow::ShowRecentFiles);
    createStatusBar();

    m_layoutTimer = new QTimer(this);
    m_layoutTimer->setObjectName(QStringLiteral("Arg"));
    m_layoutTimer->setSingleShot(true);
    m_layoutTimer->setInterval(1);
    connect(m_layoutTimer, &QTimer::timeout, this, &MainWindow::layoutLeftPanel);

    setMinimumSize(twips(6000), twips(4800));
    resize(twips(6960), twips(5820));
    setSaveEnabled(false);
    m_commands = new MainCommands(*this, m_menus, *TBarUltimateHolder, *mdiArea, m_install, m_state,
                                  m_settings, m_prompts);
    // Escape in a child window goes back to the list that opened it.
    auto* back = new QShortcut(QKeySequence(Qt::Key_Escape), mdiArea, nullptr, nullptr,
                               Qt::WidgetWithChildrenShortcut);
    connect(back, &QShortcut::activated, this,
            [this] { (m_listHoldsBalls ? static_cast<QWidget*>(eblist) : compnt)->setFocus(); });
}

MainWindow::~MainWindow() = default;

void MainWindow::createStatusBar()
{
    statbar = statusBar();
    statbar->setObjectName(QStringLiteral("statbar"));
    statbar->setSizeGripEnabled(true);
    m_pathLabel = new QLabel(statbar);
    m_pathLabel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    statbar->addWidget(m_pathLabel, 1);
    connect(m_document, &Document::pathChanged, this, [this](const QString& path) {
        m_pathLabel->setText(path);
        m_pathLabel->setToolTip(path); // a long path is cut at the window's edge
    });
    // A note too long for the bar shows with the middle of its path left out, whole as the
    // bar's tooltip, so the file's name stays in view beside "Modified".
    connect(statbar, &QStatusBar::messageChanged, this, &MainWindow::fitStatusNote);
    m_modifiedMark = new QLabel(statbar);
    m_modifiedMark->setObjectName(QStringLiteral("modifiedMark"));
    m_modifiedMark->setToolTip(tr("The project has changes that are not saved."));
    statbar->addPermanentWidget(m_modifiedMark);
    connect(m_document, &Document::modifiedChanged, this, [this](bool modified) {
        m_modifiedMark->setText(modified ? tr("Modified") : QString());
    });
}

void MainWindow::fitStatusNote(const QString& note)
{
    statbar->setToolTip(note);
    // A hidden bar has no width to fit into yet.
    if (m_fittingNote || !statbar->isVisible())
        return;
    const int room = statbar->width() - m_modifiedMark->sizeHint().width() - 4 * twips(60);
    const QString shown = statbar->fontMetrics().elidedText(note, Qt::ElideMiddle, room);
    if (shown == note)
        return;
    m_fittingNote = true;
    // The notes that run long are the ten-second ones (a file written, an undo).
    statbar->showMessage(shown, kFittedNoteMs);
    m_fittingNote = false;
}

void MainWindow::tBarButton_Click(int index)
{
    m_commands->tBarButton_Click(index);
}

void MainWindow::createLeftPanel()
{
    lBack = new QWidget(this);
    lBack->setObjectName(QStringLiteral("lBack"));
    lBack->setFixedWidth(kPanelWidth);
    lBack->installEventFilter(this);

    compnt = new ComponentList(lBack);
    compnt->setGeometry(kListLeft, kComponentTop, kListWidth, compnt->sizeHint().height());
    connect(compnt, &ComponentList::chosen, this, &MainWindow::componentChosen);

    eblist = new QListWidget(lBack);
    eblist->setObjectName(QStringLiteral("eblist"));
    eblist->setAccessibleName(QStringLiteral("eBalls"));
    eblist->setGeometry(kListLeft, kBallListTop, kListWidth, twips(2000));
    eblist->setSelectionMode(QAbstractItemView::SingleSelection);
    eblist->installEventFilter(this);
    eblist->viewport()->installEventFilter(this);
    // Every change of selection opens the eBall it reaches (keys, a press of any button, a drag
    // across rows), so the list and the editor never disagree. A click opens its eBall again
    // only when its press did not already do so. After a click the focus stays in the list, so
    // Up and Down go on stepping; a double click, Enter or Tab go into the editor.
    const auto openKeepingFocus = [this] {
        m_keepListFocus = true;
        openSelectedBall();
        m_keepListFocus = false;
    };
    connect(eblist, &QListWidget::itemSelectionChanged, this, [this, openKeepingFocus] {
        if (m_fillingList)
            return;
        m_openedByPress = m_mouseDownInList;
        if (m_mouseDownInList)
            openKeepingFocus();
        else
            openSelectedBall();
    });
    connect(eblist, &QListWidget::itemClicked, this, [this, openKeepingFocus] {
        if (!std::exchange(m_openedByPress, false))
            openKeepingFocus();
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
    QFont small = installedOrApplicationFont(QStringLiteral("Tahoma"));
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
            (key == Qt::Key_Tab && m_listHoldsBalls && eblist->currentItem())) {
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
    m_menus.view.tips->setChecked(visible);
    layoutLeftPanel();
}

void MainWindow::setSaveEnabled(bool enabled)
{
    const FileMenu& file = m_menus.file;
    // The submenu's shortcuts stay live unless its items are disabled themselves.
    for (QAction* action :
         {file.save->menuAction(), file.saveProject, file.saveEgg, file.savePackage, file.saveAs,
          file.exportSheet, m_menus.edit.replaceColour, m_menus.window.preview})
        action->setEnabled(enabled);
    if (enabled == m_saveEnabled)
        return;
    m_saveEnabled = enabled;
    emit saveEnabledChanged(enabled);
}

void MainWindow::closeEditors()
{
    if (m_editors)
        m_editors->closeAll();
}

void MainWindow::showOpenedProject()
{
    compnt->showProject(cp1252::toUnicode(m_state.breedName), m_document->shape());
    setSaveEnabled(true);
}

void MainWindow::ShowRecentFiles()
{
    RecentFiles(m_settings, m_menus.file.recent).ShowRecentFiles();
}

void MainWindow::load(const QString& commandLineProject)
{
    m_install.askBeforeBrowsing = setting::optAsk.number(m_settings) != 0;
    setTipsVisible(setting::showTips.isOn(m_settings));
    compnt->setBreedName(QStringLiteral("Yolkwright Breed"));

    const long long width = setting::width.number(m_settings, toTwips(this->width()));
    const long long height = setting::height.number(m_settings, toTwips(this->height()));
    if (width >= 0 && height >= 0) {
        // Capped so that a huge stored size cannot overflow on its way to pixels.
        const int limit = toTwips(100000);
        resize(twips(int(std::min<long long>(width, limit))),
               twips(int(std::min<long long>(height, limit))));
        move(centredOnScreen(size()).topLeft());
    } else {
        setWindowState(windowState() | Qt::WindowMaximized);
    }
    QCoreApplication::processEvents();

    const bool exists =
        !commandLineProject.isEmpty() && m_install.files().fileExists(commandLineProject);
    if (exists && m_document->open(commandLineProject) == Document::Opening::Opened)
        m_document->CycleRecentFiles(commandLineProject);
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
    if (!m_document->askSaveQuestion()) {
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

} // namespace yw
