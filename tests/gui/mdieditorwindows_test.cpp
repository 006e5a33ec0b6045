#include "editors/eballeditor.h"
#include "editors/slottraypanel.h"
#include "editors/tipspanel.h"
#include "files/projectfile.h"
#include "mainwindowparts.h"
#include "model/projectstate.h"
#include "platform/filesystem.h"
#include "platform/settingsstore.h"
#include "shell/mainwindow.h"
#include "shell/mdieditorwindows.h"
#include "shell/projectsession.h"
#include "support/testsupport.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

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
        state.resFolder = QStringLiteral("\\res\\");
        state.fso = &fso;
        state.buildNo = "0310";
        state.resetForStartUp();
        writeFile(
            dir.filePath(QStringLiteral("res/Quadrapus.blz")),
            "\"qp_small.lnz\",\"qp.lnz\",6\r\nhead\r\nbody\r\nneck\r\nleg\r\nfoot\r\ntail\r\n");
        writeFile(dir.filePath(QStringLiteral("res/Quadrapus.loc")),
                  "Quadrapus\r\nUS\r\n100\t\t50\r\n200\t\t40\r\n3000\r\n1000\r\n400\t\t60\r\n"
                  "500\t\t300\t\t6\r\n");
        ProjectState project = state;
        project.breedName = "Zippy";
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

} // namespace yw
