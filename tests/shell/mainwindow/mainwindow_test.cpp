#include "document/document.h"
#include "document/projectedits.h"
#include "editors/breedpreview.h"
#include "editors/colorbutton.h"
#include "editors/colorchooser.h"
#include "editors/eballeditor.h"
#include "editors/slottraypanel.h"
#include "editors/tipspanel.h"
#include "files/breedresources.h"
#include "files/projectfile.h"
#include "shell/commands/editcommands.h"
#include "shell/commands/maincommands.h"
#include "shell/dialogs/previewwindow.h"
#include "shell/help/helpcommands.h"
#include "shell/help/helpviewer.h"
#include "shell/mainwindow/mainwindow.h"
#include "shell/mainwindow/mdieditorwindows.h"
#include "shell/mainwindow/startup.h"
#include "shell/toolbar/toolbarstrip.h"
#include "support/guitest.h"
#include "support/locator.h"

#include <QRadioButton>
#include <map>

namespace yw {

using namespace test;

// The main window and its editor windows over a breed of six eBalls a set (not 67, so the
// addressing of set B shows), with a saved project of it.
class MainWindowTest : public test::TempFolderTest
{
protected:
    void SetUp() override
    {
        TempFolderTest::SetUp();
        install = test::testInstallation(fso, dir.path());
        writeBlz("\"qp_small.lnz\",\"qp.lnz\",6\r\nhead\r\nbody\r\n   \r\nleg\r\nfoot\r\n"
                 "tail, the long curling part behind the body\r\n");
        test::writeFile(
            dir.filePath(QStringLiteral("res/Quadrapus.loc")),
            test::locatorText(test::located({100, 50, 200, 40, 3000, 1000, 400, 60, 500, 300, 6})));
        ProjectState project = state;
        project.breedName = "Zippy";
        project.breedDescription = "One\nlone\rbreak\r\nthen more";
        project.breedAttributes = "Bold\r\n\rodd";
        project.regTips[0] = "A long tip whose first words must show, then far more words after";
        project.eggSlot = "4";
        project.eggTray = "9";
        for (size_t i = 0; i < 12; ++i) {
            project.eBalls[i].diameter = int16_t(20 + i);
            project.eBalls[i].comment = "ball " + std::to_string(i);
        }
        projectPath = dir.filePath(QStringLiteral("breed.opj"));
        SaveOPJ(install, project, readBreedShape(install, project), projectPath);
        window = std::make_unique<MainWindow>(install, state, settings, prompts);
        window->commands().help()->setUrlOpener([this](const QUrl& url) {
            opened.push_back(url);
            return true;
        });
        compnt = find<QComboBox>("compnt");
        eblist = find<QListWidget>("eblist");
        mdiArea = find<QMdiArea>("mdiArea");
    }

    void writeBlz(const char* content)
    {
        test::writeFile(dir.filePath(QStringLiteral("res/Quadrapus.blz")), content);
    }
    void openProject()
    {
        window->show();
        ASSERT_EQ(window->document().open(projectPath), Document::Opening::Opened);
    }
    // Shortcuts and focus changes need the active window.
    void openActive()
    {
        openProject();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    template <class T = QWidget> T* find(const char* name) const
    {
        return child<T>(window.get(), name);
    }
    QAction* act(const char* name) const { return find<QAction>(name); }
    QPoint rowCentre(int row) const { return eblist->visualItemRect(eblist->item(row)).center(); }
    void clickBallAt(int row)
    {
        ASSERT_NE(eblist->item(row), nullptr);
        QTest::mouseClick(eblist->viewport(), Qt::LeftButton, {}, rowCentre(row));
    }
    // A press on one row, a move with the button held to another, and the release there.
    void dragBalls(int fromRow, int toRow)
    {
        QWidget* viewport = eblist->viewport();
        const QPoint from = rowCentre(fromRow), to = rowCentre(toRow);
        QTest::mousePress(viewport, Qt::LeftButton, {}, from);
        QMouseEvent move(QEvent::MouseMove, to, viewport->mapToGlobal(to), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &move);
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, to);
    }
    // The component list shows ball set 2 (A) or 3 (B) and the user clicks one of its rows.
    void openBall(int set, int row)
    {
        compnt->setCurrentIndex(set);
        clickBallAt(row);
    }
    // The user picks an item from the component list's drop-down, changed or not.
    void pickComponent(int index)
    {
        QApplication::processEvents();
        compnt->showPopup();
        QAbstractItemView* view = compnt->view();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                          view->visualRect(view->model()->index(index, 0)).center());
    }
    // Clicks a colour button and picks palette index `index` in the chooser.
    static void pickColour(QWidget* button, int index)
    {
        whileModal<ColorChooser>([&] { QTest::mouseClick(button, Qt::LeftButton); },
                                 [index](ColorChooser& chooser) {
                                     QTest::mouseClick(
                                         child(&chooser, "Picture1"), Qt::LeftButton, {},
                                         QPoint(index % 16 * 10 + 5, index / 16 * 10 + 5));
                                 });
    }
    // The eBall editor of `row` in set A, then the Slot/Tray and Tips panels.
    void openEditors(int row)
    {
        openBall(2, row);
        compnt->setCurrentIndex(5);
        compnt->setCurrentIndex(6);
    }
    int curBall() const
    {
        return dynamic_cast<const MdiEditorWindows&>(*window->editorWindows()).curBall();
    }
    template <typename T> T* activeEditor() const
    {
        QMdiSubWindow* active = mdiArea->activeSubWindow();
        return active ? qobject_cast<T*>(active->widget()) : nullptr;
    }
    QStringList listed() const
    {
        QStringList texts;
        for (int i = 0; i < eblist->count(); ++i)
            texts.append(eblist->item(i)->text());
        return texts;
    }
    QUndoStack& history() const { return window->document().history(); }
    QString mark() const { return find<QLabel>("modifiedMark")->text(); }
    QString undoText() const { return act("mnuUndo")->text(); }

    FileSystem fso;
    Installation install;
    ProjectState state;
    MemorySettingsStore settings;
    test::ScriptedPrompts prompts;
    std::unique_ptr<MainWindow> window;
    QComboBox* compnt = nullptr;
    QListWidget* eblist = nullptr;
    QMdiArea* mdiArea = nullptr;
    QString projectPath;
    std::vector<QUrl> opened; // what the site items would show in the browser
};

TEST_F(MainWindowTest, TheMenusHoldTheirItemsInOrderWithTheirKeys)
{
    const std::pair<const char*, const char*> keys[] = {
        {"mnuNew", "Ctrl+N"},        {"mnuOpen", "Ctrl+O"},    {"mnuSaveOPJ", "Ctrl+S"},
        {"mnuSaveODD", "Ctrl+K"},    {"mnuSaveYPK", "Ctrl+E"}, {"mnuFile_Exit", "Ctrl+Q"},
        {"mnuCut", "Ctrl+X"},        {"mnuCopy", "Ctrl+C"},    {"mnuPaste", "Ctrl+V"},
        {"mnuWindPreview", "Ctrl+P"}};
    for (const auto& [name, key] : keys)
        EXPECT_EQ(act(name)->shortcut().toString(), QString::fromLatin1(key)) << name;
    EXPECT_EQ(window->windowTitle(), test::text::kWindowTitle);
    // A menu gets its items, in order, when it first opens.
    const std::pair<const char*, const char*> menus[] = {
        {"mnuFile",
         "mnuNew mnuOpen mnuOpenEgg &Save mnuSaveAs mnuExportSheet mnuRestoreEgg - mnuRecentFile0 "
         "mnuRecentFile1 mnuRecentFile2 mnuRecentFile3 mnuRecentFile4 - mnuFile_Exit"},
        {"mnuEdit", "mnuUndo mnuRedo - mnuCut mnuCopy mnuPaste mnuClear - mnuReplaceColour"},
        {"mnUWindow", "mnuWindPreview - mnuWindArrangeHor mnuWindArrangeVert mnuWindCascade "
                      "mnuWindArrangeIcons"},
        {"mnuHelp", "mnuOO mnuUpdate - mnuHelpFile mnuLog mnuAbout"}};
    for (const auto& [name, items] : menus) {
        auto* menu = find<QMenu>(name);
        menu->popup(QPoint());
        QStringList shown;
        for (const QAction* item : menu->actions())
            shown << (item->isSeparator()            ? QStringLiteral("-")
                      : item->objectName().isEmpty() ? item->text()
                                                     : item->objectName());
        menu->close();
        EXPECT_EQ(shown.join(QLatin1Char(' ')), QString::fromLatin1(items)) << name;
    }
}

TEST_F(MainWindowTest, WithoutAProjectNothingCanBeSavedOrChosen)
{
    window->load(QString());
    EXPECT_TRUE(window->document().path().isEmpty());
    EXPECT_FALSE(find<QMenu>("mnuSave")->menuAction()->isEnabled());
    for (const char* name :
         {"mnuSaveOPJ", "mnuSaveODD", "mnuSaveYPK", "mnuSaveAs", "mnuWindPreview"})
        EXPECT_FALSE(act(name)->isEnabled()) << name;
    EXPECT_TRUE(act("mnuView_Tips")->isChecked() && act("mnuView_Tbar")->isChecked());
    EXPECT_FALSE(compnt->isEnabled());
    EXPECT_EQ(compnt->itemText(0), QStringLiteral("Yolkwright Breed"));
    EXPECT_EQ(eblist->count(), 0);
    EXPECT_TRUE(prompts.shown.empty());
}

TEST_F(MainWindowTest, ComponentsShowTheirHelp)
{
    openProject();
    EXPECT_EQ(compnt->currentIndex(), 0);
    EXPECT_TRUE(compnt->isEnabled());
    EXPECT_EQ(compnt->itemText(0), QStringLiteral("Zippy"));
    const char* const starts[] = {"This is the breed name for your work. It can be modified in",
                                  "This contains all the visual",
                                  "This is the definition file for the baby",
                                  "This is the definition file for the adult",
                                  "This contains all the text and images",
                                  "The Slot/Tray panel lets you",
                                  "On-screen tips are displayed"};
    auto* help = find<QLabel>("ttex");
    for (int index : {1, 2, 0, 3, 4, 5, 6, 3}) {
        compnt->setCurrentIndex(index);
        EXPECT_TRUE(help->text().startsWith(QLatin1String(starts[index]))) << index;
    }
    compnt->setCurrentIndex(-1);
    EXPECT_EQ(help->text(), test::text::kNoTopic);
}

TEST_F(MainWindowTest, OnlyTheBallSetsFillTheList)
{
    openProject();
    const QStringList labels =
        QStringLiteral("head|body|   |leg|foot|tail, the long curling part behind the body")
            .split(QLatin1Char('|'));
    for (int index : {1, 2, 0, 3, 4, 5, 6, 3}) {
        compnt->setCurrentIndex(index);
        EXPECT_EQ(listed(), (index == 2 || index == 3) ? labels : QStringList()) << index;
    }
}

TEST_F(MainWindowTest, TheBallListOpensTheRecordOfEitherSetHoweverItIsSelected)
{
    openProject();
    openBall(3, 4);
    EXPECT_EQ(curBall(), 6 + 4);
    auto* editor = activeEditor<EBallEditor>();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->windowTitle(),
              QStringLiteral("foot in qp.lnz"));                    // the label, not the comment
    EXPECT_EQ(eblist->item(5)->toolTip(), eblist->item(5)->text()); // a long label
    EXPECT_EQ(eblist->item(0)->toolTip(), QString());

    openBall(2, 0);
    EXPECT_EQ(curBall(), 0);
    EXPECT_EQ(mdiArea->subWindowList().size(), 1);
    EXPECT_EQ(activeEditor<EBallEditor>(), editor);
    QTest::mouseClick(eblist->viewport(), Qt::RightButton, {}, rowCentre(1));
    EXPECT_EQ(curBall(), 1);
    dragBalls(1, 4);
    EXPECT_EQ(curBall(), 4);
    QTest::keyClick(eblist, Qt::Key_Up);
    EXPECT_EQ(curBall(), 3);
    QTest::keyClick(eblist, Qt::Key_Up); // the blank label opens nothing
    QTest::keyClick(eblist, Qt::Key_Return);
    clickBallAt(2);
    EXPECT_EQ(curBall(), 3);

    // Enter opens the selected ball again once its window is closed.
    window->editorWindows()->closeAll();
    clickBallAt(3);
    window->editorWindows()->closeAll();
    QTest::keyClick(eblist, Qt::Key_Return);
    EXPECT_EQ(curBall(), 3);
    EXPECT_EQ(mdiArea->subWindowList().size(), 1);

    // Whatever the list holds, it opens nothing while it does not show a ball set.
    window->editorWindows()->closeAll();
    compnt->setCurrentIndex(4);
    eblist->addItem(QStringLiteral("stray"));
    clickBallAt(0);
    EXPECT_TRUE(mdiArea->subWindowList().isEmpty());
    EXPECT_TRUE(prompts.shown.empty());
}

// The list holds the set's labels as the information file gave them when the project was
// opened; a file changed or removed afterwards moves neither the list nor the start of set B.
TEST_F(MainWindowTest, TheBallListKeepsTheShapeReadWhenTheProjectOpened)
{
    writeBlz("\"qp_small.lnz\",\"qp.lnz\",2\r\nhead\r\nbody\r\nextra\r\n");
    SaveOPJ(install, state, readBreedShape(install, state), projectPath);
    openProject();
    writeBlz("\"qp_small.lnz\",\"qp.lnz\",3\r\nhip\r\nhop\r\nhup\r\n");
    compnt->setCurrentIndex(3);
    EXPECT_EQ(listed(), QStringList({QStringLiteral("head"), QStringLiteral("body")}));
    clickBallAt(0);
    EXPECT_EQ(curBall(), 2);
    ASSERT_TRUE(QFile::remove(dir.filePath(QStringLiteral("res/Quadrapus.blz"))));
    compnt->setCurrentIndex(2);
    EXPECT_EQ(listed(), QStringList({QStringLiteral("head"), QStringLiteral("body")}));
    EXPECT_TRUE(prompts.shown.empty());
}

// Another count would put set B's eBalls at records no window has shown.
TEST_F(MainWindowTest, SavingKeepsTheShapeReadWhenTheProjectOpened)
{
    openProject();
    const QByteArray saved = test::readFile(projectPath);
    writeBlz("\"qp_small.lnz\",\"qp.lnz\",5\r\nhead\r\n");
    EXPECT_TRUE(window->document().saveAs(projectPath));
    EXPECT_EQ(test::readFile(projectPath), saved);
    EXPECT_TRUE(prompts.shown.empty());
}

// The other edition's breed files reach the open project only through the document: the project
// is read again with them, whole, after the save question.
TEST_F(MainWindowTest, ChoosingAnotherEditionReadsTheOpenProjectAgain)
{
    test::writeFile(dir.filePath(QStringLiteral("resUK/Quadrapus.blz")),
                    "\"qp_small.lnz\",\"qp.lnz\",6\r\nkopf\r\n");
    test::writeFile(
        dir.filePath(QStringLiteral("resUK/Quadrapus.loc")),
        test::locatorText(test::located({110, 50, 200, 40, 3000, 1000, 400, 60, 500, 300, 6})));
    openProject();
    prompts.answers = {PromptAnswer::No};
    whileModal([&] { window->commands().showOptions(); },
               [](QDialog& dialog) {
                   test::child<QRadioButton>(&dialog, "optUK0")->setChecked(true);
                   QTest::mouseClick(test::child(&dialog, "btnOK"), Qt::LeftButton);
               });
    EXPECT_EQ(window->document().shape().labels, std::vector<std::string>{"kopf"});
    EXPECT_EQ(window->document().state().locDescPos, 110);
    prompts.expectOne(QStringLiteral("Would you like to save"), PromptIcon::Question, false);
}

TEST_F(MainWindowTest, AMissingCommandLineProjectIsSilentlyPassedOver)
{
    window->load(dir.filePath(QStringLiteral("not there.opj")));
    EXPECT_TRUE(window->document().path().isEmpty());
    EXPECT_TRUE(prompts.shown.empty());
}

TEST_F(MainWindowTest, ACommandLineProjectOpensAtStartUp)
{
    const QString path = dir.filePath(QStringLiteral("my breed project.opj"));
    ASSERT_TRUE(QFile::copy(projectPath, path));
    const QString quoted = QLatin1Char('"') + path + QLatin1Char('"');
    EXPECT_EQ(commandLineProject({QStringLiteral("yolkwright"), quoted}), path);
    // Unquoted, the shell splits the path into several arguments; joined they name it again.
    EXPECT_EQ(commandLineProject(QStringList{QStringLiteral("yolkwright")} +
                                 path.split(QLatin1Char(' '))),
              path);
    window->load(commandLineProject({QStringLiteral("yolkwright"), quoted}));
    EXPECT_EQ(window->document().path(), path);
    EXPECT_TRUE(act("mnuSaveOPJ")->isEnabled());
    EXPECT_EQ(state.breedName, "Zippy");
    EXPECT_EQ(settings.read(kSectionRecent, QStringLiteral("1st"), QString()), path);
    EXPECT_EQ(act("mnuRecentFile1")->text(), path);
    EXPECT_TRUE(prompts.shown.empty());
}

// The save question is asked whenever a project is open, modified or not; Yes saves, which
// leaves the project unmodified; a failed save stops the caller.
TEST_F(MainWindowTest, WithNoProjectThereIsNoSaveQuestion)
{
    window->load(QString());
    EXPECT_TRUE(window->document().askSaveQuestion());
    EXPECT_TRUE(prompts.shown.empty());
}

TEST_F(MainWindowTest, TheSaveQuestionIsAskedWhileUnmodifiedToo)
{
    openProject();
    prompts.answers = {PromptAnswer::No};
    const QByteArray before = test::readFile(projectPath);
    EXPECT_TRUE(window->document().askSaveQuestion());
    EXPECT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(test::readFile(projectPath), before);
}

TEST_F(MainWindowTest, YesAtTheSaveQuestionSavesTheProject)
{
    openProject();
    Document& document = window->document();
    const QByteArray before = test::readFile(projectPath);
    document.edits().setBallField(0, EBallField::Fill, 99);
    ASSERT_TRUE(document.isModified());
    prompts.answers = {PromptAnswer::Yes};
    EXPECT_TRUE(document.askSaveQuestion());
    EXPECT_FALSE(document.isModified());
    EXPECT_NE(test::readFile(projectPath), before);
}

TEST_F(MainWindowTest, ASaveThatFailsAtTheQuestionStopsTheCallerNamingTheFile)
{
    openProject();
    Document& document = window->document();
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("gone")));
    ASSERT_TRUE(document.saveAs(dir.filePath(QStringLiteral("gone/breed.opj"))));
    ASSERT_TRUE(QDir(dir.filePath(QStringLiteral("gone"))).removeRecursively());
    prompts.answers = {PromptAnswer::Yes};
    EXPECT_FALSE(document.askSaveQuestion());
    EXPECT_TRUE(prompts.shown.back().text.contains(QStringLiteral("gone/breed.opj")));
}

TEST_F(MainWindowTest, CancellingTheShutDownWritesNothing)
{
    window->load(QString());
    openProject();
    state.breedName = "Changed";
    const int writes = settings.writeCount();
    prompts.answers = {PromptAnswer::Cancel};
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(settings.writeCount(), writes);
}

TEST_F(MainWindowTest, ShuttingDownUnsavedWritesOnlyTheWindowSettings)
{
    window->load(QString());
    openProject();
    const QByteArray saved = test::readFile(projectPath);
    state.breedName = "Changed";
    window->resize(500, 400);
    window->setTipsVisible(false);
    prompts.answers = {PromptAnswer::No};
    EXPECT_TRUE(window->close());
    EXPECT_EQ(test::readFile(projectPath), saved);
    QStringList stored;
    for (const char* key : {"ShowTips", "Width", "Height"})
        stored << settings.read(kSectionMdi, QLatin1String(key), QString());
    EXPECT_EQ(stored, QStringList({QStringLiteral("False"), QStringLiteral("7500"),
                                   QStringLiteral("6000")}));
}

TEST_F(MainWindowTest, TheWindowSettingsAreRestored)
{
    auto store = [this](const char* width, const char* height, const char* tips) {
        settings.write(kSectionMdi, QStringLiteral("Width"), QLatin1String(width));
        settings.write(kSectionMdi, QStringLiteral("Height"), QLatin1String(height));
        settings.write(kSectionMdi, QStringLiteral("ShowTips"), QLatin1String(tips));
    };
    store("9000", "7500", "False");
    MainWindow restored(install, state, settings, prompts);
    restored.load(QString());
    EXPECT_EQ(restored.size(), QSize(600, 500));
    EXPECT_FALSE(restored.tipsVisible());

    store("-1", "-1", "True");
    MainWindow maximised(install, state, settings, prompts);
    maximised.load(QString());
    EXPECT_TRUE(maximised.windowState() & Qt::WindowMaximized);
    EXPECT_TRUE(maximised.tipsVisible());
    maximised.show();
    maximised.close();
    EXPECT_EQ(settings.read(kSectionMdi, QStringLiteral("Width"), QString()), QStringLiteral("-1"));

    store("wide", "7500", "True"); // a size that is not a number stops the start-up
    MainWindow broken(install, state, settings, prompts);
    EXPECT_THROW(broken.load(QString()), FormatError);
}

TEST_F(MainWindowTest, TheToolbarRunsItsCommands)
{
    window->show();
    ToolbarStrip* toolbar = window->commands().toolbar();
    ASSERT_NE(toolbar, nullptr);
    EXPECT_EQ(toolbar->saveMenu(), find<QMenu>("mnuSave"));
    QSignalSpy saves(act("mnuSaveOPJ"), &QAction::triggered);
    window->tBarButton_Click(ToolbarStrip::Save); // no project: Save is unavailable
    EXPECT_FALSE(toolbar->button(ToolbarStrip::Save)->isEnabled());
    EXPECT_FALSE(toolbar->saveArrow()->isEnabled());
    window->setSaveEnabled(true);
    EXPECT_TRUE(toolbar->saveArrow()->isEnabled());
    QTest::mouseClick(toolbar->button(ToolbarStrip::Save), Qt::LeftButton);
    EXPECT_EQ(saves.count(), 1);

    install.askBeforeBrowsing = false;
    QTest::mouseClick(toolbar->button(ToolbarStrip::Update), Qt::LeftButton);
    window->tBarButton_Click(7); // no such button
    window->tBarButton_Click(-1);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_TRUE(opened[0].toString().endsWith(QStringLiteral("bldno=0310")));

    whileModal([&] { QTest::mouseClick(toolbar->button(ToolbarStrip::Options), Qt::LeftButton); },
               [](QDialog& dialog) { EXPECT_EQ(dialog.objectName(), QStringLiteral("dlgPrefs")); });
}

TEST_F(MainWindowTest, TheViewMenuFollowsWhatIsOnScreen)
{
    window->show();
    QAction* showToolbar = act("mnuView_Tbar");
    showToolbar->trigger();
    EXPECT_TRUE(find("TBarUltimateHolder")->isHidden());
    QTest::mouseClick(find<QLabel>("tclose"), Qt::LeftButton);
    EXPECT_TRUE(find("tippy")->isHidden());
    emit find<QMenu>("mnuView")->aboutToShow();
    EXPECT_FALSE(showToolbar->isChecked());
    EXPECT_FALSE(act("mnuView_Tips")->isChecked());
}

// The Edit menu works on the focused field of the active child: a read-only one greys Cut, Paste
// and Clear; the commands use the system clipboard and keep a field's length limit.
TEST_F(MainWindowTest, TheEditMenuWorksOnTheFocusedFieldOfTheActiveChild)
{
    window->show();
    auto* panel = new QWidget;
    auto* editable = new QLineEdit(QStringLiteral("Quadrapus"), panel);
    auto* locked = new QLineEdit(QStringLiteral("Adult set"), panel);
    auto* notes = new QPlainTextEdit(QStringLiteral("first line\nsecond line"), panel);
    locked->setReadOnly(true);
    mdiArea->addSubWindow(panel)->show();
    const auto focus = [](QWidget* field) {
        field->setFocus();
        QApplication::processEvents();
    };
    const auto menu = [this] { // opens the menu: which items are enabled
        emit find<QMenu>("mnuEdit")->aboutToShow();
        return std::vector{act("mnuCut")->isEnabled(), act("mnuCopy")->isEnabled(),
                           act("mnuPaste")->isEnabled(), act("mnuClear")->isEnabled()};
    };
    const auto run = [&](const char* item) {
        menu();
        act(item)->trigger();
    };
    const auto clipboard = [] { return QApplication::clipboard()->text(); };

    focus(locked);
    EXPECT_EQ(editTarget(*mdiArea), locked);
    EXPECT_EQ(menu(), (std::vector{false, true, false, false}));
    focus(notes);
    EXPECT_EQ(menu(), (std::vector{true, true, true, true}));
    // Cut still works on a read-only field after the menu opened on an editable one.
    focus(locked);
    locked->setSelection(0, 6);
    act("mnuCut")->trigger();
    EXPECT_EQ(clipboard(), QStringLiteral("Adult "));
    EXPECT_EQ(locked->text(), QStringLiteral("set"));
    // Ctrl+X still cuts in an editable field after the menu greyed Cut.
    ASSERT_FALSE(menu()[0]);
    focus(editable);
    editable->setSelection(4, 5);
    QTest::keyClick(editable, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(editable->text(), QStringLiteral("Quad"));
    EXPECT_EQ(clipboard(), QStringLiteral("rapus"));

    editable->setCursorPosition(4);
    run("mnuPaste");
    EXPECT_EQ(editable->text(), QStringLiteral("Quadrapus"));
    editable->setSelection(0, 4);
    run("mnuCopy");
    EXPECT_EQ(clipboard(), QStringLiteral("Quad"));
    run("mnuClear");
    EXPECT_EQ(editable->text(), QStringLiteral("rapus"));
    run("mnuCopy"); // an empty selection copies an empty text
    EXPECT_EQ(clipboard(), QString());
    editable->setMaxLength(8);
    QApplication::clipboard()->setText(QStringLiteral("123456"));
    run("mnuPaste");
    EXPECT_EQ(editable->text(), QStringLiteral("rapus123"));
    focus(notes);
    QTextCursor cursor = notes->textCursor();
    cursor.setPosition(6);
    cursor.setPosition(16, QTextCursor::KeepAnchor); // "line\nsecon"
    notes->setTextCursor(cursor);
    run("mnuCut");
    EXPECT_EQ(clipboard(), QStringLiteral("line\nsecon"));
    QApplication::clipboard()->setText(QStringLiteral("<>"));
    run("mnuPaste");
    EXPECT_EQ(notes->toPlainText(), QStringLiteral("first <>d line"));

    mdiArea->closeAllSubWindows(); // without a target all four are greyed
    QApplication::processEvents();
    EXPECT_EQ(menu(), (std::vector{false, false, false, false}));
    auto* field = new QLineEdit(panel = new QWidget);
    mdiArea->addSubWindow(panel)->show();
    focus(field); // until a field has the focus again
    EXPECT_TRUE(act("mnuPaste")->isEnabled());
}

TEST_F(MainWindowTest, SiteItemsAskFirstOnlyWhenWanted)
{
    install.askBeforeBrowsing = false;
    emit find<QMenu>("mnuHelp")->aboutToShow(); // the menu gets its items when it opens
    act("siteNeo")->trigger();
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].path(), QStringLiteral("/oddballz/"));
    EXPECT_TRUE(prompts.shown.empty());
    install.askBeforeBrowsing = true;
    prompts.answers = {PromptAnswer::No, PromptAnswer::Yes, PromptAnswer::No};
    for (const char* name : {"siteAmber", "mnuUpdate", "mnuHost"})
        act(name)->trigger();
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[1].query(), QStringLiteral("bldno=0310"));
    ASSERT_EQ(prompts.shown.size(), 3u);
    EXPECT_EQ(prompts.shown[0].text, test::text::kVisit);
    EXPECT_EQ(prompts.shown[0].icon, PromptIcon::Question);
    EXPECT_EQ(prompts.shown[1].text, test::text::kCheckUpdates);
    EXPECT_EQ(prompts.shown[2].text, test::text::kHostQuestion);
}

TEST_F(MainWindowTest, TheHelpMenusDialogsAreModal)
{
    emit find<QMenu>("mnuHelp")->aboutToShow();
    QStringList shown;
    for (const char* name : {"mnuAbout", "mnuLog"})
        whileModal([&] { act(name)->trigger(); },
                   [&](QDialog& dialog) {
                       shown << dialog.objectName();
                       const char* close = shown.size() == 1 ? "btnDismiss" : "btnClose";
                       test::child<QPushButton>(&dialog, close)->click();
                       EXPECT_FALSE(dialog.isVisible()) << close;
                   });
    EXPECT_EQ(shown, QStringList({QStringLiteral("dlgAbout"), QStringLiteral("dlgLog")}));
}

TEST_F(MainWindowTest, HelpOpensTheGuideAtItsFirstTopicOrSaysItIsMissing)
{
    window->show();
    emit find<QMenu>("mnuHelp")->aboutToShow();
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("help"))); // a help folder without the guide
    for (int found = 0; found < 2; ++found) {
        act("mnuHelpFile")->trigger();
        QTextBrowser* browser = window->commands().help()->viewer()->browser();
        EXPECT_TRUE(window->commands().help()->viewer()->isVisible());
        if (found) {
            EXPECT_EQ(browser->source().fileName(), helpTopicFile(1));
            EXPECT_FALSE(browser->documentTitle().isEmpty());
        } else {
            EXPECT_TRUE(browser->toPlainText().contains(QStringLiteral("could not be found")));
            EXPECT_TRUE(browser->toPlainText().contains(helpTopicFile(1)));
        }
        window->commands().help()->viewer()->close();
        install.programFolder = QStringLiteral(YW_HELP_SOURCE_DIR "/..");
    }
    EXPECT_TRUE(prompts.shown.empty());
}

TEST_F(MainWindowTest, EachPanelOpensOnceShowingTheProjectUnchanged)
{
    openProject();
    const ProjectState before = state;
    compnt->setCurrentIndex(5);
    auto* slotTray = activeEditor<SlotTrayPanel>();
    ASSERT_NE(slotTray, nullptr);
    compnt->setCurrentIndex(6);
    ASSERT_NE(activeEditor<TipsPanel>(), nullptr);
    compnt->setCurrentIndex(5);
    EXPECT_EQ(activeEditor<SlotTrayPanel>(), slotTray);
    EXPECT_EQ(mdiArea->subWindowList().size(), 2);
    EXPECT_EQ(test::projectDifference(state, before), "");
    EXPECT_EQ(child<QLineEdit>(mdiArea, "rTip0")->cursorPosition(), 0); // a long tip's start
}

// Typed text goes in; the lone line breaks around it stay as they were.
TEST_F(MainWindowTest, TypingInAPanelChangesOnlyTheTypedText)
{
    openProject();
    compnt->setCurrentIndex(5);
    auto* description = child<QPlainTextEdit>(mdiArea, "eddesc");
    description->moveCursor(QTextCursor::End);
    QTest::keyClicks(description, QStringLiteral("!"));
    EXPECT_EQ(state.breedDescription, "One\nlone\rbreak\r\nthen more!");
    auto* name = child<QLineEdit>(mdiArea, "fldBreedName");
    name->selectAll();
    QTest::keyClicks(name, QStringLiteral("Bo"));
    EXPECT_EQ(compnt->itemText(0), QStringLiteral("Bo"));
    EXPECT_EQ(state.breedName, "Bo");
}

TEST_F(MainWindowTest, ALongBreedNameShowsFromItsStart)
{
    openProject();
    state.breedName = "Thirty characters of a name...";
    compnt->setCurrentIndex(5);
    EXPECT_EQ(child<QLineEdit>(activeEditor<SlotTrayPanel>(), "fldBreedName")->cursorPosition(), 0);
}

// The Window menu lists the open child windows, the active one checked.
TEST_F(MainWindowTest, TheWindowMenuListsTheChildWindows)
{
    openProject();
    openEditors(3);
    auto* windowMenu = find<QMenu>("mnUWindow");
    emit windowMenu->aboutToShow();
    QStringList shown;
    for (QAction* action : windowMenu->actions())
        if (action->isCheckable())
            shown.append(action->text() + (action->isChecked() ? QStringLiteral("*") : QString()));
    EXPECT_EQ(shown, (QStringList{QStringLiteral("&1 leg in qp_small.lnz"),
                                  QStringLiteral("&2 Slot/Tray"), QStringLiteral("&3 Tips*")}));
}

TEST_F(MainWindowTest, TheEditorsCloseBeforeAnOpenedProjectArrives)
{
    openProject();
    // The editor shows a value the file does not hold; closing stores it, then the file's wins.
    state.eBalls[3].diameter = 500;
    openEditors(3);
    ASSERT_EQ(mdiArea->subWindowList().size(), 3);
    ASSERT_EQ(window->document().open(projectPath), Document::Opening::Opened);
    QTest::qWait(10);
    EXPECT_TRUE(mdiArea->subWindowList().isEmpty());
    EXPECT_EQ(curBall(), kParkingRecord);
    EXPECT_EQ(state.eBalls[3].diameter, 23);
    // Reopened, the eBall editor starts from the parking record and shows the file's values.
    openBall(2, 3);
    EXPECT_EQ(curBall(), 3);
    EXPECT_EQ(state.eBalls[3].diameter, 23);
}

TEST_F(MainWindowTest, PastedTextPassesTheChecksOfTyping)
{
    openProject();
    compnt->setCurrentIndex(5);
    const struct
    {
        const char* field;
        QString clipboard;
        std::string ProjectState::*member;
        std::string expected;
        bool told;
    } cases[] = {
        {"eddesc", QString::fromUtf8("caf\u00e9 \u4e2d"), &ProjectState::breedDescription,
         "One\nlone\rbreak\r\nthen more", true},
        {"eddesc", QString(60, QLatin1Char('x')), &ProjectState::breedDescription,
         "One\nlone\rbreak\r\nthen more" + std::string(25, 'x'), true}, // 50 bytes of room
        {"edattr", QString::fromUtf8("\u0100"), &ProjectState::breedAttributes, "Bold\r\n\rodd",
         true},
        {"fldBreedName", QString::fromUtf8("\u20ac\u4e2d"), &ProjectState::breedName, "Zippy",
         true},
        // A line break would move the tray and slot in the egg.
        {"fldBreedName", QStringLiteral("Zo\r\nt"), &ProjectState::breedName, "Zippy", true},
        {"fldBreedName", QString::fromUtf8("\u20ac"), &ProjectState::breedName, "Zippy\x80", false},
    };
    for (const auto& c : cases) {
        child<QTabWidget>(mdiArea, "textabs")->setCurrentIndex(!qstrcmp(c.field, "edattr"));
        QWidget* field = child(mdiArea, c.field);
        field->setFocus();
        if (auto* plain = qobject_cast<QPlainTextEdit*>(field))
            plain->moveCursor(QTextCursor::End);
        else
            qobject_cast<QLineEdit*>(field)->end(false);
        // The field had the focus last in its window; the Edit menu pastes into it from outside.
        eblist->setFocus();
        window->statusBar()->clearMessage();
        QApplication::clipboard()->setText(c.clipboard);
        act("mnuPaste")->trigger();
        SCOPED_TRACE(std::string(c.field) + ": " + c.clipboard.toStdString());
        EXPECT_EQ(state.*c.member, c.expected);
        EXPECT_EQ(!window->statusBar()->currentMessage().isEmpty(), c.told) << "told why";
    }
    window->statusBar()->clearMessage(); // typing says why a key did nothing, too
    test::typeText(child(mdiArea, "eddesc"), QString::fromUtf8("\u4e2d"));
    EXPECT_FALSE(window->statusBar()->currentMessage().isEmpty());
}

TEST_F(MainWindowTest, ChoosingTheShownComponentAgainActs)
{
    openProject();
    openBall(2, 1);
    pickComponent(2);
    EXPECT_TRUE(eblist->selectedItems().isEmpty());
    EXPECT_EQ(eblist->count(), 6);

    compnt->setCurrentIndex(5);
    compnt->setCurrentIndex(6);
    QMdiSubWindow* tips = mdiArea->activeSubWindow();
    mdiArea->setActiveSubWindow(mdiArea->subWindowList().at(1));
    pickComponent(6);
    EXPECT_EQ(mdiArea->activeSubWindow(), tips);
    tips->close(); // a closed panel opens again without another item chosen first
    pickComponent(6);
    QTest::qWait(10);
    ASSERT_NE(activeEditor<TipsPanel>(), nullptr);
    EXPECT_TRUE(mdiArea->activeSubWindow()->isVisible());
}

TEST_F(MainWindowTest, TilingKeepsTheLeastSizes)
{
    openProject();
    openEditors(0);
    // Room for the three side by side, but an even third is too narrow for the eBall editor.
    window->resize(find("lBack")->width() + 980, 500);
    QApplication::processEvents();
    act("mnuWindArrangeVert")->trigger();
    const QList<QMdiSubWindow*> subs = mdiArea->subWindowList();
    for (QMdiSubWindow* sub : subs) {
        EXPECT_TRUE(sub->rect().contains(sub->widget()->geometry()))
            << sub->windowTitle().toStdString();
        for (QMdiSubWindow* other : subs)
            EXPECT_TRUE(other == sub || !other->geometry().intersects(sub->geometry()));
    }
}

TEST_F(MainWindowTest, ExitClosesEveryWindow)
{
    openProject();
    HelpViewer viewer;
    viewer.show();
    prompts.answers = {PromptAnswer::No};
    act("mnuFile_Exit")->trigger();
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(viewer.isVisible());
}

TEST_F(MainWindowTest, TheOpenEditorsFollowTheWholeHistoryBothWays)
{
    openProject();
    openEditors(1);
    auto* diameter = find<QLineEdit>("diaTX");
    auto* name = find<QLineEdit>("fldBreedName");
    auto* tip = find<QLineEdit>("dTip1");
    ProjectEdits& edits = window->document().edits();
    const auto merge = ProjectEdits::Typing::Merge;
    const auto key = [](QLineEdit* box, Qt::Key k) {
        box->setFocus();
        QTest::keyClick(box, k);
    };
    // Every kind of step: each eBall field of the open eBall and of others, merged typing,
    // texts, a change of many eBalls, and keystrokes in the windows.
    const std::function<void()> steps[] = {
        [&] { edits.setBallField(1, EBallField::Fill, 7); },
        [&] { edits.setBallField(9, EBallField::Border, -1); },
        [&] { edits.setBallField(1, EBallField::Sprecks, 255, merge); },
        [&] { edits.setBallField(1, EBallField::Fuzziness, 3); },
        [&] { edits.setBallField(11, EBallField::BorderThickness, -1); },
        [&] { edits.setBallField(1, EBallField::Diameter, 512, merge); },
        [&] { edits.setBallField(1, EBallField::UseTexture, 0); },
        [&] { edits.setText(ProjectText::BreedName, "Bo"); },
        [&] { edits.setText(ProjectText::Slot, "7", merge); },
        [&] { edits.setText(tipText(true, 1), "tip", merge); },
        [&] {
            edits.changeBalls(QStringLiteral("Replace Colour"), [](std::span<EBallRecord> t) {
                return replaceColour(
                    t, 6, {7, 3, EBallField::Fill | EBallField::Sprecks, BallSet::A | BallSet::B});
            });
        },
        [&] { key(diameter, Qt::Key_4); },
        [&] { key(diameter, Qt::Key_5); },
        [&] { key(name, Qt::Key_X); },
        [&] { key(tip, Qt::Key_7); },
    };
    const ProjectState start = state;
    std::map<int, ProjectState> after{{0, start}}; // the state after each step of the history
    for (const auto& step : steps) {
        step();
        after[history().index()] = state;
    }
    ASSERT_GE(history().count(), 12);
    const ProjectState end = state;
    for (int index = history().index(); index > 0; --index) {
        history().undo();
        ASSERT_EQ(test::projectDifference(state, after[index - 1]), "") << "undo to " << index - 1;
    }
    EXPECT_EQ(diameter->text(), QStringLiteral("21"));
    EXPECT_EQ(name->text(), QStringLiteral("Zippy"));
    EXPECT_EQ(compnt->itemText(0), QStringLiteral("Zippy"));
    EXPECT_EQ(tip->text(), QString::fromLatin1(start.demoTips[1]));
    EXPECT_FALSE(act("mnuUndo")->isEnabled());
    while (history().canRedo())
        act("mnuRedo")->trigger();
    EXPECT_EQ(test::projectDifference(state, end), "");
    EXPECT_EQ(diameter->text(), QString::number(state.eBalls[1].diameter));
    EXPECT_EQ(name->text(), QString::fromLatin1(state.breedName));
    EXPECT_EQ(tip->text(), QString::fromLatin1(state.demoTips[1]));
}

// Where two steps meet: typing after an undo neither joins the undone step's neighbour nor
// leaves the undone step to redo.
TEST_F(MainWindowTest, TypingAfterAnUndoIsAStepOfItsOwn)
{
    openProject();
    ProjectEdits& edits = window->document().edits();
    edits.setText(ProjectText::Slot, "1", ProjectEdits::Typing::Merge);
    edits.endTyping();
    edits.setText(ProjectText::Slot, "12", ProjectEdits::Typing::Merge);
    act("mnuUndo")->trigger();
    edits.setText(ProjectText::Slot, "19", ProjectEdits::Typing::Merge);
    EXPECT_EQ(history().count(), 2);
    EXPECT_FALSE(act("mnuRedo")->isEnabled());
    act("mnuUndo")->trigger();
    EXPECT_EQ(state.eggSlot, "1");
}

TEST_F(MainWindowTest, UndoInAnEBallEditorTakesBackTheProjectsNamedStep)
{
    openActive();
    openBall(2, 1);
    auto* diameter = find<QLineEdit>("diaTX");
    diameter->setFocus();
    diameter->selectAll();
    QTest::keyClicks(diameter, QStringLiteral("123"));
    find<QComboBox>("fuzzthing")->setCurrentIndex(2);
    EXPECT_EQ(history().count(), 2);
    EXPECT_EQ(undoText(), QStringLiteral("Undo Fuzziness"));
    act("mnuUndo")->trigger();
    EXPECT_EQ(undoText(), QStringLiteral("Undo eBall Diameter"));
    EXPECT_EQ(act("mnuRedo")->text(), QStringLiteral("Redo Fuzziness"));
    EXPECT_EQ(find<QComboBox>("fuzzthing")->currentIndex(), 0);
    // Ctrl+Z in the text box takes back the project's step, not the box's own typing.
    QTest::keyClick(diameter, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(state.eBalls[1].diameter, 21);
    EXPECT_EQ(diameter->text(), QStringLiteral("21"));
    QTest::keyClick(diameter, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(state.eBalls[1].diameter, 123);
}

TEST_F(MainWindowTest, TypingIsOneStepUntilTheFocusLeaves)
{
    openActive();
    compnt->setCurrentIndex(5);
    auto* name = find<QLineEdit>("fldBreedName");
    auto* description = find<QPlainTextEdit>("eddesc");
    const QString shown = description->toPlainText();
    name->setFocus();
    name->selectAll();
    QTest::keyClicks(name, QStringLiteral("Bo"));
    description->setFocus();
    QTest::keyClicks(description, QStringLiteral("ab"));
    name->setFocus();
    name->end(false);
    QTest::keyClicks(name, QStringLiteral("x"));
    EXPECT_EQ(history().count(), 3);
    QTest::keyClick(name, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(state.breedName, "Box") << "nothing to redo";
    for (const char* expected : {"Bo", "Bo", "Zippy"}) {
        QTest::keyClick(name, Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(name->text(), QLatin1String(expected));
        EXPECT_EQ(compnt->itemText(0), QLatin1String(expected));
    }
    EXPECT_EQ(description->toPlainText(), shown);
}

TEST_F(MainWindowTest, TheModifiedMarkFollowsTheSavedState)
{
    openProject();
    const QString title = window->windowTitle();
    openBall(2, 0);
    auto* thickness = find<QComboBox>("thkthing");
    const auto step = [&](const char* action, const char* expected) {
        if (QLatin1String(action).startsWith(QLatin1String("mnu")))
            act(action)->trigger();
        else
            thickness->setCurrentIndex(QByteArray(action).toInt());
        EXPECT_EQ(mark(), QLatin1String(expected)) << action;
    };
    EXPECT_EQ(mark(), QString());
    step("3", "Modified");
    ASSERT_TRUE(window->document().saveAs(projectPath));
    EXPECT_EQ(mark(), QString());
    step("mnuUndo", "Modified");
    step("mnuRedo", "");
    step("1", "Modified");
    step("mnuUndo", ""); // undone back to the saved state
    EXPECT_EQ(window->windowTitle(), title);
}

TEST_F(MainWindowTest, OpeningAProjectClearsTheHistory)
{
    openProject();
    window->document().edits().setBallField(0, EBallField::BorderThickness, 2);
    ASSERT_EQ(mark(), QStringLiteral("Modified"));
    ASSERT_EQ(window->document().open(projectPath), Document::Opening::Opened);
    EXPECT_EQ(history().count(), 0);
    EXPECT_EQ(mark(), QString());
    EXPECT_FALSE(act("mnuUndo")->isEnabled());
    EXPECT_EQ(undoText(), QStringLiteral("Undo"));
    EXPECT_EQ(state.eBalls[0].borderThickness, 0);
}

// Replace Colour and Apply to Others say how many eBalls will change and change exactly the named
// fields of the chosen eBalls, each in one step that one undo takes back.
TEST_F(MainWindowTest, TheColourToolsChangeTheNamedFieldsOfTheChosenEBallsInOneStep)
{
    openProject();
    // Records 0 to 5 are set A, 6 to 11 set B; {fill, border, sprecks} each.
    const int16_t colours[12][3] = {{1, 2, 3}, {7, 7, 7}, {1, 2, 3}, {1, 2, 3},
                                    {1, 2, 3}, {1, 2, 3}, {1, 2, 3}, {7, 5, 3},
                                    {7, 7, 3}, {1, 7, 3}, {1, 2, 7}, {1, 2, 3}};
    for (size_t i = 0; i < 12; ++i)
        state.eBalls[i] = {
            colours[i][0], colours[i][1], colours[i][2], 1, 0, int16_t(60 + i), 9, 4, "ball", 0};
    openBall(3, 1); // record 7, the source for Apply to Others
    const ProjectState before = state;
    QStringList counts;
    const auto count = [&](QDialog& dialog) {
        counts << child<QLabel>(&dialog, "lblCount")->text();
    };
    whileModal([&] { act("mnuReplaceColour")->trigger(); },
               [&](QDialog& dialog) {
                   EXPECT_TRUE(child<QRadioButton>(&dialog, "optSetB")->isChecked());
                   // Both colours start from the shown eBall's fill.
                   EXPECT_EQ(child<QLabel>(&dialog, "toNumber")->text(),
                             QString::number(before.eBalls[7].fillColor));
                   pickColour(child(&dialog, "fromColor"), 7);
                   pickColour(child(&dialog, "toColor"), 200);
                   count(dialog);
                   for (const char* name : {"chkBorder", "optBoth", "optSetB"}) {
                       child<QAbstractButton>(&dialog, name)->setChecked(true);
                       count(dialog);
                   }
                   QTest::mouseClick(child(&dialog, "btnOK"), Qt::LeftButton);
               });
    ProjectState expected = before;
    expected.eBalls[7].fillColor = expected.eBalls[8].fillColor = 200;
    expected.eBalls[8].borderColor = expected.eBalls[9].borderColor = 200;
    EXPECT_EQ(test::projectDifference(state, expected), "");
    EXPECT_EQ(undoText(), QStringLiteral("Undo Replace Colour"));
    act("mnuUndo")->trigger();
    EXPECT_EQ(test::projectDifference(state, before), "");

    whileModal([&] { QTest::mouseClick(find("btnApply"), Qt::LeftButton); },
               [&](QDialog& dialog) {
                   child<QCheckBox>(&dialog, "chkSprecks")->setChecked(false);
                   child<QCheckBox>(&dialog, "chkDiameter")->setChecked(true);
                   // The word "body" is the source's label and in the tail's long label.
                   QTest::keyClicks(child(&dialog, "fltWord"), QStringLiteral("BODY"));
                   QTest::mouseClick(child(&dialog, "btnTick"), Qt::LeftButton);
                   child<QListWidget>(&dialog, "lstBalls")->item(0)->setCheckState(Qt::Checked);
                   count(dialog);
                   QTest::mouseClick(child(&dialog, "btnOK"), Qt::LeftButton);
               });
    EXPECT_EQ(counts.join(QLatin1Char(' ')).remove(QStringLiteral(" eBalls will change.")),
              QStringLiteral("2 3 4 3 2"));
    expected = before;
    for (size_t record : {6, 11})
        std::tie(expected.eBalls[record].fillColor, expected.eBalls[record].borderColor,
                 expected.eBalls[record].diameter) = std::tuple(7, 5, 67);
    EXPECT_EQ(test::projectDifference(state, expected), "");
    EXPECT_EQ(undoText(), QStringLiteral("Undo Apply to Others"));
    act("mnuUndo")->trigger();
    EXPECT_EQ(test::projectDifference(state, before), "");
}

TEST_F(MainWindowTest, AClickedPreviewDiscOpensItsEBall)
{
    openActive();
    EXPECT_TRUE(window->commands().toolbar()->actions().contains(act("mnuWindPreview")));
    QTest::keyClick(window.get(), Qt::Key_P, Qt::ControlModifier);
    BreedPreview* preview = openPreview(*mdiArea);
    ASSERT_NE(preview, nullptr);
    ASSERT_EQ(preview->sheet().swatches.size(), 12u);
    EXPECT_EQ(preview->disc(8)->accessibleName(), QStringLiteral("eBall 3")); // a blank label
    QAbstractButton* foot = preview->disc(10);
    EXPECT_EQ(foot->toolTip(), QStringLiteral("foot"));
    QTest::mouseClick(foot, Qt::LeftButton);
    EXPECT_EQ(compnt->currentIndex(), 3);
    EXPECT_EQ(eblist->currentRow(), 4);
    EXPECT_EQ(curBall(), 10);
}

// The preview follows the editor and the history at once.
TEST_F(MainWindowTest, ThePreviewFollowsEveryChange)
{
    openActive();
    act("mnuWindPreview")->trigger();
    BreedPreview* preview = openPreview(*mdiArea);
    ASSERT_NE(preview, nullptr);
    QTest::mouseClick(preview->disc(10), Qt::LeftButton);
    const auto swatch = [&](int record) { return preview->sheet().swatches[size_t(record)]; };
    const QImage before = preview->grab().toImage();
    const double tail = swatch(11).radius; // the largest eBall
    auto* diameter = find<QLineEdit>("diaTX");
    diameter->selectAll();
    QTest::keyClicks(diameter, QStringLiteral("62"));
    EXPECT_LT(swatch(11).radius, tail);
    EXPECT_DOUBLE_EQ(swatch(10).radius, tail);
    QTest::keyClick(find("fuzzthing"), Qt::Key_Down);
    EXPECT_GT(swatch(10).fuzzWidth, 0);
    EXPECT_NE(preview->grab().toImage(), before);
    for (int i = 0; i < 2; ++i)
        act("mnuUndo")->trigger();
    EXPECT_EQ(swatch(10).fuzzWidth, 0);
    EXPECT_DOUBLE_EQ(swatch(11).radius, tail);
    EXPECT_EQ(preview->grab().toImage(), before);
    EXPECT_FALSE(find("babyNote")->isVisible());
    // The game draws a baby in its adult's colours: recolouring the adult recolours both.
    window->document().edits().setBallField(10, EBallField::Fill, 143);
    EXPECT_EQ(swatch(4).fill, paletteColor(143));
    EXPECT_EQ(preview->grab().toImage().pixelColor(preview->disc(4)->geometry().center()),
              test::paletteQColor(143));
    // The baby's own colours stay editable, shown faded with a note.
    QTest::mouseClick(preview->disc(4), Qt::LeftButton);
    EXPECT_TRUE(find("babyNote")->isVisible());
    EXPECT_TRUE(find<ColorButton>("fillthing")->isUnused());
    EXPECT_TRUE(find("fillthing")->isEnabled());
    // Another project opened is read afresh (here the same, its labels renamed since).
    writeBlz("\"qp_small.lnz\",\"qp.lnz\",6\r\nsnout\r\nb\r\nc\r\nd\r\ne\r\nf\r\n");
    ASSERT_EQ(window->document().open(projectPath), Document::Opening::Opened);
    EXPECT_EQ(preview->disc(6)->toolTip(), QStringLiteral("snout"));
}

// After a click, Up, Down, Page Up, Page Down, Home and End step through the eBalls with the
// editor following and the focus in the list; Enter or Tab go into the editor, Escape comes back.
TEST_F(MainWindowTest, TheEBallListWorksFromTheKeyboard)
{
    openActive();
    openBall(3, 0);
    const auto inEditor = [&] {
        return activeEditor<EBallEditor>() &&
               activeEditor<EBallEditor>()->isAncestorOf(QApplication::focusWidget());
    };
    EXPECT_EQ(QApplication::focusWidget(), eblist) << "after a click, the keys still step";
    const std::pair<Qt::Key, int> steps[] = {{Qt::Key_Down, 7},      {Qt::Key_End, 11},
                                             {Qt::Key_Up, 10},       {Qt::Key_Home, 6},
                                             {Qt::Key_PageDown, 11}, {Qt::Key_PageUp, 6}};
    for (const auto& [key, record] : steps) {
        QTest::keyClick(eblist, key);
        EXPECT_EQ(curBall(), record) << key;
        EXPECT_EQ(QApplication::focusWidget(), eblist) << key;
    }
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Tab}) {
        QTest::keyClick(eblist, key);
        EXPECT_TRUE(inEditor()) << key;
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        EXPECT_EQ(QApplication::focusWidget(), eblist) << key;
    }
}

// Undo and redo bring their step's eBall or panel back and say what they did.
TEST_F(MainWindowTest, UndoShowsWhereItActed)
{
    openActive();
    openBall(3, 0);
    QTest::keyClick(find("fuzzthing"), Qt::Key_Down); // head of set B
    openBall(2, 3);
    QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(std::tuple(compnt->currentIndex(), eblist->currentRow(), curBall()),
              std::tuple(3, 0, 6));
    EXPECT_EQ(window->statusBar()->currentMessage(), QStringLiteral("Undid Fuzziness of head"));
    clickBallAt(2);
    QTest::keyClick(window.get(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(curBall(), 6);
    EXPECT_EQ(window->statusBar()->currentMessage(), QStringLiteral("Redid Fuzziness of head"));
    compnt->setCurrentIndex(5);
    QTest::keyClicks(find("fldBreedName"), QStringLiteral("X"));
    compnt->setCurrentIndex(6);
    act("mnuUndo")->trigger();
    EXPECT_NE(activeEditor<SlotTrayPanel>(), nullptr);
    EXPECT_EQ(window->statusBar()->currentMessage(),
              QStringLiteral("Undid Breed Name in Slot/Tray"));
    // A tip's undo shows the tab that holds it.
    compnt->setCurrentIndex(6);
    auto* tipTabs = child<QTabWidget>(activeEditor<TipsPanel>(), "tiptabs");
    tipTabs->setCurrentIndex(1);
    QTest::keyClicks(child(tipTabs, "dTip0"), QStringLiteral("Y"));
    tipTabs->setCurrentIndex(0);
    compnt->setCurrentIndex(2);
    act("mnuUndo")->trigger();
    EXPECT_EQ(tipTabs->currentIndex(), 1);
    EXPECT_EQ(window->statusBar()->currentMessage(), QStringLiteral("Undid Demo Tip 1 in Tips"));
}

// What a screen reader finds: every control has a name.
TEST_F(MainWindowTest, EveryControlHasAnAccessibleName)
{
    openProject();
    openEditors(1);
    act("mnuWindPreview")->trigger();
    QStringList nameless;
    int controls = 0;
    std::function<void(QAccessibleInterface*)> walk = [&](QAccessibleInterface* node) {
        const auto* widget = qobject_cast<const QWidget*>(node->object());
        const QAccessible::Role role = node->role();
        if (widget && widget->isVisibleTo(window.get()) &&
            (role == QAccessible::Button || role == QAccessible::CheckBox ||
             role == QAccessible::ComboBox || role == QAccessible::EditableText ||
             role == QAccessible::ScrollBar || role == QAccessible::List ||
             role == QAccessible::RadioButton || role == QAccessible::PageTabList)) {
            ++controls;
            if (node->text(QAccessible::Name).trimmed().isEmpty())
                nameless << widget->objectName() + QLatin1Char(':') + QString::number(role);
        }
        for (int i = 0; i < node->childCount(); ++i)
            walk(node->child(i));
    };
    walk(QAccessible::queryAccessibleInterface(window.get()));
    EXPECT_GT(controls, 40);
    EXPECT_EQ(nameless, QStringList());
}

// The toolbar's buttons are buttons that a screen reader's press action clicks.
TEST_F(MainWindowTest, TheToolbarButtonsCanBePressedFromAScreenReader)
{
    openProject();
    QAccessibleInterface* update = QAccessible::queryAccessibleInterface(
        find("TBarUltimateHolder")->findChild<QWidget*>(QStringLiteral("tBarButton4")));
    EXPECT_EQ(update->role(), QAccessible::Button);
    EXPECT_EQ(update->text(QAccessible::Name), QStringLiteral("Update"));
    install.askBeforeBrowsing = true;
    prompts.answers = {PromptAnswer::No};
    update->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(prompts.shown.size(), 1u);
}

} // namespace yw
