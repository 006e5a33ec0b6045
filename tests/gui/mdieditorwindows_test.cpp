#include "editors/colorchooser.h"
#include "editors/eballeditor.h"
#include "editors/projectedits.h"
#include "editors/slottraypanel.h"
#include "editors/tipspanel.h"
#include "files/projectfile.h"
#include "mainwindowparts.h"
#include "model/projectstate.h"
#include "platform/filesystem.h"
#include "platform/settingsstore.h"
#include "shell/help/helpviewer.h"
#include "shell/mainwindow/mainwindow.h"
#include "shell/mainwindow/mdieditorwindows.h"
#include "shell/session/projectsession.h"
#include "support/statecompare.h"
#include "support/testsupport.h"
#include "typing.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUndoStack>
#include <array>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <random>

namespace yw {

using test::ScriptedPrompts;
using test::writeFile;

// The main window with the real editor windows in its MDI area.
class EditorWindowsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        state.programFolder = dir.path();
        state.edition = Edition::US;
        state.fso = &fso;
        state.buildNo = "0310";
        state.resetForStartUp();
        writeFile(dir.filePath(QStringLiteral("res/Quadrapus.blz")),
                  "\"qp_small.lnz\",\"qp.lnz\",6\r\nhead\r\nbody\r\nneck\r\nleg\r\nfoot\r\n"
                  "tail, the long curling part behind the body\r\n");
        writeFile(dir.filePath(QStringLiteral("res/Quadrapus.loc")),
                  "Quadrapus\r\nUS\r\n100\t\t50\r\n200\t\t40\r\n3000\r\n1000\r\n400\t\t60\r\n"
                  "500\t\t300\t\t6\r\n");
        ProjectState project = state;
        project.breedName = "Zippy";
        project.breedDescription = "One\nlone\rbreak\r\nthen more";
        project.breedAttributes = "Bold\r\n\rodd";
        project.regTips[0] = "A long tip whose first words must show, then far more words after";
        project.eggSlot = "4";
        project.eggTray = "9";
        for (int i = 0; i < 12; ++i) {
            project.eBalls[size_t(i)].diameter = int16_t(20 + i);
            project.eBalls[size_t(i)].comment = "ball " + std::to_string(i);
        }
        projectPath = dir.filePath(QStringLiteral("breed.opj"));
        SaveOPJ(project, projectPath);

        window = std::make_unique<MainWindow>(state, settings, prompts);
        ui = test::MainWindowParts(*window);
        window->show();
        ASSERT_EQ(window->session().open(projectPath), ProjectSession::Opening::Opened);
    }

    void clickBallAt(int row)
    {
        QListWidgetItem* item = ui.eblist->item(row);
        ASSERT_NE(item, nullptr);
        QTest::mouseClick(ui.eblist->viewport(), Qt::LeftButton, {},
                          ui.eblist->visualItemRect(item).center());
    }

    int curBall() const
    {
        return dynamic_cast<const MdiEditorWindows&>(*window->editorWindows()).curBall();
    }

    // A press on one row, a move with the button held to another, and the release there.
    void dragBalls(int fromRow, int toRow)
    {
        QWidget* viewport = ui.eblist->viewport();
        const QPoint from = ui.eblist->visualItemRect(ui.eblist->item(fromRow)).center();
        const QPoint to = ui.eblist->visualItemRect(ui.eblist->item(toRow)).center();
        QTest::mousePress(viewport, Qt::LeftButton, {}, from);
        QMouseEvent move(QEvent::MouseMove, to, viewport->mapToGlobal(to), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &move);
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, to);
    }

    // The user picks an item from the component list's drop-down, changed or not.
    void pickComponent(int index)
    {
        QApplication::processEvents();
        ui.compnt->showPopup();
        QAbstractItemView* view = ui.compnt->view();
        const QPoint centre = view->visualRect(view->model()->index(index, 0)).center();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, centre);
    }

    template <typename T> T* child(const char* name) const
    {
        T* found = ui.mdiArea->findChild<T*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    // Starts `trigger` and lets `act` work the modal dialog it shows.
    template <typename Dialog>
    void whileShown(const std::function<void()>& trigger, const std::function<void(Dialog&)>& act)
    {
        bool acted = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            acted = true;
            act(*dialog);
        });
        trigger();
        EXPECT_TRUE(acted);
    }
    // Clicks a colour button and picks palette index `index` in the chooser.
    void pickColour(QWidget* button, int index)
    {
        whileShown<ColorChooser>(
            [&] { QTest::mouseClick(button, Qt::LeftButton); },
            [index](ColorChooser& chooser) {
                QWidget* palette = chooser.findChild<QWidget*>(QStringLiteral("Picture1"));
                QTest::mouseClick(palette, Qt::LeftButton, {},
                                  QPoint(index % 16 * 10 + 5, index / 16 * 10 + 5));
            });
    }
    template <typename T> static T* in(QWidget& dialog, const char* name)
    {
        T* found = dialog.findChild<T*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    QUndoStack& history() const { return window->edits().history(); }
    QString mark() const { return ui.find<QLabel>("modifiedMark")->text(); }

    template <typename T> T* activeEditor() const
    {
        QMdiSubWindow* active = ui.mdiArea->activeSubWindow();
        return active ? qobject_cast<T*>(active->widget()) : nullptr;
    }

    QTemporaryDir dir;
    FileSystem fso;
    ProjectState state;
    MemorySettingsStore settings;
    ScriptedPrompts prompts;
    std::unique_ptr<MainWindow> window;
    test::MainWindowParts ui;
    QString projectPath;
};

TEST_F(EditorWindowsTest, BallListOpensTheRecordOfEitherSet)
{
    ui.compnt->setCurrentIndex(3);
    clickBallAt(4);
    EXPECT_EQ(curBall(), 6 + 4);
    auto* editor = activeEditor<EBallEditor>();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->windowTitle(), QStringLiteral("ball 10 in qp.lnz"));
    // The child window opens at the editor's own inner size (4650 by 3165 twips).
    EXPECT_EQ(editor->size(), QSize(310, 211));

    ui.compnt->setCurrentIndex(2);
    clickBallAt(4);
    EXPECT_EQ(curBall(), 4);
    EXPECT_EQ(ui.mdiArea->subWindowList().size(), 1);
    EXPECT_EQ(activeEditor<EBallEditor>(), editor);
}

TEST_F(EditorWindowsTest, PanelsOpenOnceAndComeToTheFront)
{
    ui.compnt->setCurrentIndex(5);
    auto* slotTray = activeEditor<SlotTrayPanel>();
    ASSERT_NE(slotTray, nullptr);
    ui.compnt->setCurrentIndex(6);
    ASSERT_NE(activeEditor<TipsPanel>(), nullptr);
    ui.compnt->setCurrentIndex(5);
    EXPECT_EQ(activeEditor<SlotTrayPanel>(), slotTray);
    EXPECT_EQ(ui.mdiArea->subWindowList().size(), 2);

    // The breed name typed in the panel renames the breed's item as it is typed.
    auto* name = slotTray->findChild<QLineEdit*>(QStringLiteral("fldBreedName"));
    ASSERT_NE(name, nullptr);
    name->selectAll();
    QTest::keyClicks(name, QStringLiteral("Bo"));
    EXPECT_EQ(ui.compnt->itemText(0), QStringLiteral("Bo"));
    EXPECT_EQ(state.breedName, "Bo");
}

TEST_F(EditorWindowsTest, OpeningAProjectClosesTheEditorsBeforeItsValuesArrive)
{
    // The editor shows a value the file does not hold; closing stores it, then the file's wins.
    state.eBalls[3].diameter = 500;
    ui.compnt->setCurrentIndex(2);
    clickBallAt(3);
    ui.compnt->setCurrentIndex(5);
    ui.compnt->setCurrentIndex(6);
    ASSERT_EQ(ui.mdiArea->subWindowList().size(), 3);

    // The Window menu lists the open child windows, the active one checked.
    emit ui.mnUWindow->aboutToShow();
    QStringList listed;
    for (QAction* action : ui.mnUWindow->actions())
        if (action->isCheckable())
            listed.append(action->text() + (action->isChecked() ? QStringLiteral("*") : QString()));
    EXPECT_EQ(listed, (QStringList{QStringLiteral("&1 ball 3 in qp_small.lnz"),
                                   QStringLiteral("&2 Slot/Tray"), QStringLiteral("&3 Tips*")}));

    ASSERT_EQ(window->session().open(projectPath), ProjectSession::Opening::Opened);
    QTest::qWait(10);
    EXPECT_TRUE(ui.mdiArea->subWindowList().isEmpty());
    EXPECT_EQ(curBall(), kParkingRecord);
    EXPECT_EQ(state.eBalls[3].diameter, 23);

    // Reopened, the eBall editor starts from the parking record and shows the file's values.
    ui.compnt->setCurrentIndex(2);
    clickBallAt(3);
    EXPECT_EQ(curBall(), 3);
    EXPECT_EQ(state.eBalls[3].diameter, 23);
}

TEST_F(EditorWindowsTest, ShowingThePanelsChangesNothingAndLongTextsShowTheirStart)
{
    const ProjectState before = state;
    ui.compnt->setCurrentIndex(5);
    ui.compnt->setCurrentIndex(6);
    EXPECT_EQ(state.breedDescription, before.breedDescription);
    EXPECT_EQ(state.breedAttributes, before.breedAttributes);
    EXPECT_EQ(state.regTips, before.regTips);
    EXPECT_EQ(state.eggSlot, before.eggSlot);
    EXPECT_EQ(child<QLineEdit>("rTip0")->cursorPosition(), 0);

    // Typed text goes in; the lone line breaks around it stay as they were.
    auto* description = child<QPlainTextEdit>("eddesc");
    description->moveCursor(QTextCursor::End);
    QTest::keyClicks(description, QStringLiteral("!"));
    EXPECT_EQ(state.breedDescription, "One\nlone\rbreak\r\nthen more!");

    state.breedName = "Thirty characters of a name...";
    window->editorWindows()->closeAll();
    ui.compnt->setCurrentIndex(0);
    ui.compnt->setCurrentIndex(5);
    EXPECT_EQ(child<QLineEdit>("fldBreedName")->cursorPosition(), 0);
}

TEST_F(EditorWindowsTest, PastedTextPassesTheChecksOfTypingAndTheStatusBarSaysWhy)
{
    ui.compnt->setCurrentIndex(5);
    struct Case
    {
        std::string field;
        QString clipboard;
        std::string ProjectState::*member;
        std::string expected;
        bool told;
    };
    const std::string description = "One\nlone\rbreak\r\nthen more"; // 25 of its 50 bytes
    const Case cases[] = {
        {"eddesc", QString::fromUtf8("caf\u00e9 \u4e2d"), &ProjectState::breedDescription,
         description, true},
        {"eddesc", QString(60, QLatin1Char('x')), &ProjectState::breedDescription,
         description + std::string(25, 'x'), true},
        {"edattr", QString::fromUtf8("\u0100"), &ProjectState::breedAttributes, "Bold\r\n\rodd",
         true},
        {"fldBreedName", QString::fromUtf8("\u20ac\u4e2d"), &ProjectState::breedName, "Zippy",
         true},
        {"fldBreedName", QString::fromUtf8("\u20ac"), &ProjectState::breedName, "Zippy\x80", false},
    };
    for (const Case& c : cases) {
        child<QTabWidget>("textabs")->setCurrentIndex(c.field == "edattr" ? 1 : 0);
        QWidget* field = child<QWidget>(c.field.c_str());
        field->setFocus();
        if (auto* plain = qobject_cast<QPlainTextEdit*>(field))
            plain->moveCursor(QTextCursor::End);
        else
            qobject_cast<QLineEdit*>(field)->end(false);
        // The field had the focus last in its window; the Edit menu pastes into it from outside.
        ui.eblist->setFocus();
        window->statusBar()->clearMessage();
        QApplication::clipboard()->setText(c.clipboard);
        ui.mnuPaste->trigger();
        EXPECT_EQ(state.*c.member, c.expected) << c.field;
        EXPECT_EQ(!window->statusBar()->currentMessage().isEmpty(), c.told) << c.field;
    }
    // Typing says why a key did nothing, too.
    window->statusBar()->clearMessage();
    test::typeText(child<QPlainTextEdit>("eddesc"), QString::fromUtf8("\u4e2d"));
    EXPECT_FALSE(window->statusBar()->currentMessage().isEmpty());
}

TEST_F(EditorWindowsTest, ChoosingTheShownComponentAgainActs)
{
    ui.compnt->setCurrentIndex(2);
    clickBallAt(1);
    pickComponent(2);
    EXPECT_TRUE(ui.eblist->selectedItems().isEmpty());
    EXPECT_EQ(ui.eblist->count(), 6);

    ui.compnt->setCurrentIndex(5);
    ui.compnt->setCurrentIndex(6);
    QMdiSubWindow* tips = ui.mdiArea->activeSubWindow();
    ui.mdiArea->setActiveSubWindow(ui.mdiArea->subWindowList().at(1));
    pickComponent(6);
    EXPECT_EQ(ui.mdiArea->activeSubWindow(), tips);

    tips->close(); // a closed panel opens again without another item chosen first
    pickComponent(6);
    QTest::qWait(10);
    ASSERT_NE(activeEditor<TipsPanel>(), nullptr);
    EXPECT_TRUE(ui.mdiArea->activeSubWindow()->isVisible());
}

TEST_F(EditorWindowsTest, EverySelectionInTheBallListOpensThatBall)
{
    ui.compnt->setCurrentIndex(2);
    QWidget* viewport = ui.eblist->viewport();
    auto rowCentre = [this](int row) {
        return ui.eblist->visualItemRect(ui.eblist->item(row)).center();
    };
    QTest::mouseClick(viewport, Qt::RightButton, {}, rowCentre(2));
    EXPECT_EQ(curBall(), 2);
    dragBalls(2, 4);
    EXPECT_EQ(curBall(), 4);
    QTest::keyClick(ui.eblist, Qt::Key_Up);
    EXPECT_EQ(curBall(), 3);
    EXPECT_EQ(ui.eblist->currentRow(), 3);
}

TEST_F(EditorWindowsTest, TilingKeepsEveryWindowsLeastSizeAndLongLabelsHaveTooltips)
{
    ui.compnt->setCurrentIndex(3);
    EXPECT_EQ(ui.eblist->item(5)->toolTip(), ui.eblist->item(5)->text());
    EXPECT_EQ(ui.eblist->item(0)->toolTip(), QString());

    clickBallAt(0);
    ui.compnt->setCurrentIndex(5);
    ui.compnt->setCurrentIndex(6);
    // Room for the three side by side, but an even third is too narrow for the eBall editor.
    window->resize(ui.lBack->width() + 720, 500);
    QApplication::processEvents();
    ui.find<QAction>("mnuWindArrangeVert")->trigger();
    const QList<QMdiSubWindow*> subs = ui.mdiArea->subWindowList();
    for (QMdiSubWindow* sub : subs) {
        EXPECT_TRUE(sub->rect().contains(sub->widget()->geometry()))
            << sub->windowTitle().toStdString();
        EXPECT_GE(sub->width(), 200) << sub->windowTitle().toStdString(); // 3000 twips
        for (QMdiSubWindow* other : subs)
            EXPECT_TRUE(other == sub || !other->geometry().intersects(sub->geometry()));
    }
}

TEST_F(EditorWindowsTest, ExitClosesEveryOtherWindow)
{
    HelpViewer viewer;
    viewer.show();
    prompts.answers = {PromptAnswer::No};
    ui.find<QAction>("mnuFile_Exit")->trigger();
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(viewer.isVisible());
}

TEST_F(EditorWindowsTest, UndoAndRedoWalkTheWholeHistoryAndTheOpenEditorsFollow)
{
    ui.compnt->setCurrentIndex(2);
    clickBallAt(2);
    ui.compnt->setCurrentIndex(5);
    ui.compnt->setCurrentIndex(6);
    auto* diameter = ui.find<QLineEdit>("diaTX");
    auto* name = ui.find<QLineEdit>("fldBreedName");
    auto* tip = ui.find<QLineEdit>("dTip1");
    ASSERT_EQ(history().count(), 0);

    std::mt19937 random(13);
    auto pick = [&random](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    const EBallField fields[] = {
        EBallField::Fill,      EBallField::Border,          EBallField::Sprecks,
        EBallField::Fuzziness, EBallField::BorderThickness, EBallField::Diameter,
        EBallField::UseTexture};
    const int16_t lows[] = {-1, -1, -1, 0, -1, -999, 0};
    const int16_t highs[] = {255, 255, 255, 3, 2, 999, 1};
    const ProjectState start = state;
    // The state after each step of the history, by the step's index.
    std::map<int, ProjectState> after{{0, start}};
    ProjectEdits& edits = window->edits();
    for (int round = 0; round < 150; ++round) {
        const auto typing = pick(0, 1) ? ProjectEdits::Typing::Merge : ProjectEdits::Typing::No;
        switch (pick(0, 4)) {
        case 0:
        case 1: {
            const int f = pick(0, 6);
            edits.setBallField(pick(0, 3) == 0 ? 2 : pick(0, 11), fields[f],
                               int16_t(pick(lows[f], highs[f])), typing);
            break;
        }
        case 2:
            edits.setText(ProjectText(pick(0, 10)), std::to_string(pick(1, 12)), typing);
            break;
        case 3: {
            ColourReplacement replacement{int16_t(pick(-1, 3)), int16_t(pick(-1, 3)),
                                          EBallField::Fill | EBallField::Sprecks, BallSet::B};
            edits.changeBalls(QStringLiteral("Replace Colour"), [&](std::span<EBallRecord> t) {
                return replaceColour(t, 6, replacement);
            });
            break;
        }
        default:
            // Through the windows: a keystroke each, a leaving focus now and then.
            QLineEdit* box = std::array{diameter, name, tip}[size_t(pick(0, 2))];
            box->setFocus();
            QTest::keyClick(box, Qt::Key(Qt::Key_0 + pick(1, 9)));
            if (pick(0, 2) == 0)
                edits.endTyping();
        }
        after[history().index()] = state;
    }
    ASSERT_GT(history().count(), 60);
    const ProjectState end = state;

    for (int index = history().index(); index > 0; --index) {
        history().undo();
        ASSERT_EQ(test::projectDifference(state, after[index - 1]), "") << "undo to " << index - 1;
    }
    EXPECT_EQ(test::projectDifference(state, start), "");
    EXPECT_EQ(diameter->text(), QString::number(state.eBalls[2].diameter));
    EXPECT_EQ(name->text(), QStringLiteral("Zippy"));
    EXPECT_EQ(ui.compnt->itemText(0), QStringLiteral("Zippy"));
    EXPECT_EQ(tip->text(), QString::fromLatin1(start.demoTips[1]));
    EXPECT_FALSE(ui.find<QAction>("mnuUndo")->isEnabled());

    while (history().canRedo())
        ui.find<QAction>("mnuRedo")->trigger();
    EXPECT_EQ(test::projectDifference(state, end), "");
    EXPECT_EQ(diameter->text(), QString::number(state.eBalls[2].diameter));
    EXPECT_EQ(name->text(), QString::fromLatin1(state.breedName));
    EXPECT_EQ(tip->text(), QString::fromLatin1(state.demoTips[1]));
}

TEST_F(EditorWindowsTest, TypingIsOneStepUntilTheFocusLeavesAndTheMenuNamesIt)
{
    // Shortcuts and focus changes need the active window.
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    ui.compnt->setCurrentIndex(2);
    clickBallAt(1);
    auto* diameter = ui.find<QLineEdit>("diaTX");
    diameter->setFocus();
    diameter->selectAll();
    QTest::keyClicks(diameter, QStringLiteral("123"));
    ui.find<QComboBox>("fuzzthing")->setCurrentIndex(2);
    EXPECT_EQ(history().count(), 2);
    EXPECT_EQ(ui.find<QAction>("mnuUndo")->text(), QStringLiteral("Undo Fuzziness"));
    ui.find<QAction>("mnuUndo")->trigger();
    EXPECT_EQ(ui.find<QAction>("mnuUndo")->text(), QStringLiteral("Undo eBall Diameter"));
    EXPECT_EQ(ui.find<QAction>("mnuRedo")->text(), QStringLiteral("Redo Fuzziness"));
    EXPECT_EQ(ui.find<QComboBox>("fuzzthing")->currentIndex(), 0);
    // Ctrl+Z in the text box takes back the project's step, not the box's own typing.
    QTest::keyClick(diameter, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(state.eBalls[1].diameter, 21);
    EXPECT_EQ(diameter->text(), QStringLiteral("21"));
    QTest::keyClick(diameter, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(state.eBalls[1].diameter, 123);

    ui.compnt->setCurrentIndex(5);
    auto* name = ui.find<QLineEdit>("fldBreedName");
    auto* description = ui.find<QPlainTextEdit>("eddesc");
    const QString shown = description->toPlainText();
    history().clear();
    name->setFocus();
    name->selectAll();
    QTest::keyClicks(name, QStringLiteral("Bo"));
    description->setFocus();
    QTest::keyClicks(description, QStringLiteral("ab"));
    name->setFocus();
    name->end(false);
    QTest::keyClicks(name, QStringLiteral("x"));
    EXPECT_EQ(history().count(), 3);
    EXPECT_EQ(ui.compnt->itemText(0), QStringLiteral("Box"));

    QTest::keyClick(name, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(state.breedName, "Box") << "nothing to redo";
    for (const char* expected : {"Bo", "Bo", "Zippy"}) {
        QTest::keyClick(name, Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(name->text(), QLatin1String(expected));
        EXPECT_EQ(ui.compnt->itemText(0), QLatin1String(expected));
    }
    EXPECT_EQ(description->toPlainText(), shown);
}

TEST_F(EditorWindowsTest, TheMarkFollowsTheSavedStateAndOpeningClearsTheHistory)
{
    const QString title = window->windowTitle();
    EXPECT_EQ(mark(), QString());
    ui.compnt->setCurrentIndex(2);
    clickBallAt(0);
    ui.find<QComboBox>("thkthing")->setCurrentIndex(3);
    EXPECT_EQ(mark(), QStringLiteral("Modified"));
    ASSERT_TRUE(window->session().saveAs(projectPath));
    EXPECT_EQ(mark(), QString());
    ui.find<QAction>("mnuUndo")->trigger();
    EXPECT_EQ(mark(), QStringLiteral("Modified"));
    ui.find<QAction>("mnuRedo")->trigger();
    EXPECT_EQ(mark(), QString());
    ui.find<QComboBox>("thkthing")->setCurrentIndex(1);
    ui.find<QAction>("mnuUndo")->trigger();
    EXPECT_EQ(mark(), QString()) << "undone back to the saved state";
    EXPECT_EQ(window->windowTitle(), title);

    // The save question is asked whenever a project is open, saved or not.
    prompts.answers = {PromptAnswer::No};
    EXPECT_TRUE(window->session().askSaveQuestion());
    EXPECT_EQ(prompts.shown.size(), 1u);

    ui.find<QComboBox>("thkthing")->setCurrentIndex(0);
    ASSERT_TRUE(history().canUndo());
    ASSERT_EQ(window->session().open(projectPath), ProjectSession::Opening::Opened);
    EXPECT_EQ(history().count(), 0);
    EXPECT_EQ(mark(), QString());
    EXPECT_FALSE(ui.find<QAction>("mnuUndo")->isEnabled());
    EXPECT_EQ(ui.find<QAction>("mnuUndo")->text(), QStringLiteral("Undo"));
    EXPECT_EQ(state.eBalls[0].borderThickness, 2);
}

TEST_F(EditorWindowsTest, ReplaceColourChangesTheNamedFieldsOfTheNamedSetsInOneStep)
{
    // Set A is records 0 to 5, set B 6 to 11.
    auto colours = [](EBallRecord& r, int16_t fill, int16_t border, int16_t sprecks) {
        r.fillColor = fill;
        r.borderColor = border;
        r.spreckColor = sprecks;
    };
    for (int i = 0; i < 12; ++i)
        colours(state.eBalls[size_t(i)], 1, 2, 3);
    colours(state.eBalls[1], 7, 7, 7);
    colours(state.eBalls[7], 7, 2, 3);
    colours(state.eBalls[8], 7, 7, 3);
    colours(state.eBalls[9], 1, 7, 3);
    colours(state.eBalls[10], 1, 2, 7);
    const ProjectState before = state;
    std::vector<std::string> counts;
    whileShown<QDialog>([&] { ui.find<QAction>("mnuReplaceColour")->trigger(); },
                        [&](QDialog& dialog) {
                            EXPECT_TRUE(in<QRadioButton>(dialog, "optSetB")->isChecked());
                            pickColour(in<QWidget>(dialog, "fromColor"), 7);
                            pickColour(in<QWidget>(dialog, "toColor"), 200);
                            auto count = [&] {
                                counts.push_back(
                                    in<QLabel>(dialog, "lblCount")->text().toStdString());
                            };
                            count();
                            in<QCheckBox>(dialog, "chkBorder")->setChecked(true);
                            count();
                            in<QRadioButton>(dialog, "optBoth")->setChecked(true);
                            count();
                            in<QRadioButton>(dialog, "optSetB")->setChecked(true);
                            count();
                            QTest::mouseClick(in<QWidget>(dialog, "btnOK"), Qt::LeftButton);
                        });
    EXPECT_EQ(counts, (std::vector<std::string>{"2 eBalls will change.", "3 eBalls will change.",
                                                "4 eBalls will change.", "3 eBalls will change."}));
    ProjectState expected = before;
    expected.eBalls[7].fillColor = 200;
    expected.eBalls[8].fillColor = 200;
    expected.eBalls[8].borderColor = 200;
    expected.eBalls[9].borderColor = 200;
    EXPECT_EQ(test::projectDifference(state, expected), "");
    EXPECT_EQ(history().count(), 1);
    EXPECT_EQ(ui.find<QAction>("mnuUndo")->text(), QStringLiteral("Undo Replace Colour"));
    history().undo();
    EXPECT_EQ(test::projectDifference(state, before), "");
}

TEST_F(EditorWindowsTest, ApplyToOthersCopiesTheChosenFieldsToTheTickedEBallsOnly)
{
    for (int i = 0; i < 12; ++i)
        state.eBalls[size_t(i)] = {
            int16_t(i), int16_t(20 + i), int16_t(40 + i), 1, 0, int16_t(60 + i), 9, 4, "ball", 0};
    state.eBalls[7] = {33, 44, 55, 2, 1, 99, 9, 4, "body", 1};
    ui.compnt->setCurrentIndex(3);
    clickBallAt(1);
    ASSERT_EQ(curBall(), 7);
    const ProjectState before = state;
    std::string count;
    whileShown<QDialog>(
        [&] { QTest::mouseClick(ui.find<QWidget>("btnApply"), Qt::LeftButton); },
        [&](QDialog& dialog) {
            in<QCheckBox>(dialog, "chkSprecks")->setChecked(false);
            in<QCheckBox>(dialog, "chkDiameter")->setChecked(true);
            // "o" is in body (the source), foot and the tail's long label.
            QTest::keyClicks(in<QLineEdit>(dialog, "fltWord"), QStringLiteral("O"));
            QTest::mouseClick(in<QWidget>(dialog, "btnTick"), Qt::LeftButton);
            in<QListWidget>(dialog, "lstBalls")->item(0)->setCheckState(Qt::Checked);
            count = in<QLabel>(dialog, "lblCount")->text().toStdString();
            QTest::mouseClick(in<QWidget>(dialog, "btnOK"), Qt::LeftButton);
        });
    EXPECT_EQ(count, "3 eBalls will change.");
    ProjectState expected = before;
    for (int record : {6, 10, 11}) {
        expected.eBalls[size_t(record)].fillColor = 33;
        expected.eBalls[size_t(record)].borderColor = 44;
        expected.eBalls[size_t(record)].diameter = 99;
    }
    EXPECT_EQ(test::projectDifference(state, expected), "");
    EXPECT_EQ(ui.find<QAction>("mnuUndo")->text(), QStringLiteral("Undo Apply to Others"));
    ui.find<QAction>("mnuUndo")->trigger();
    EXPECT_EQ(test::projectDifference(state, before), "");
}

} // namespace yw
