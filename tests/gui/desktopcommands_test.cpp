#include "model/projectstate.h"
#include "platform/settingsstore.h"
#include "shell/desktopcommands.h"
#include "shell/helpcommands.h"
#include "shell/mainwindow.h"
#include "shell/toolbarstrip.h"
#include "support/testsupport.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace yw {

class DesktopWiring : public ::testing::Test
{
protected:
    void SetUp() override
    {
        state.resetForStartUp();
        state.buildNo = "0310";
        window = std::make_unique<MainWindow>(state, settings, prompts);
        window->desktop()->help()->setUrlOpener([this](const QUrl& url) {
            opened.push_back(url);
            return true;
        });
        window->show();
        QApplication::processEvents();
    }
    ToolbarStrip* toolbar() const { return window->desktop()->toolbar(); }
    void openViewMenu() { emit window->mnuView->aboutToShow(); }

    ProjectState state;
    MemorySettingsStore settings;
    test::ScriptedPrompts prompts;
    std::unique_ptr<MainWindow> window;
    std::vector<QUrl> opened;
};

TEST_F(DesktopWiring, TheToolbarSitsInTheStripAndFollowsTheOpenProject)
{
    ASSERT_NE(toolbar(), nullptr);
    EXPECT_EQ(toolbar()->parentWidget(), window->TBarUltimateHolder);
    EXPECT_EQ(toolbar()->saveMenu(), window->mnuSave);
    EXPECT_FALSE(toolbar()->button(ToolbarStrip::Save)->isEnabled());
    EXPECT_FALSE(toolbar()->saveArrow()->isEnabled());
    window->setSaveEnabled(true);
    EXPECT_TRUE(toolbar()->button(ToolbarStrip::Save)->isEnabled());
    EXPECT_TRUE(toolbar()->saveArrow()->isEnabled());
    EXPECT_FALSE(window->windowIcon().isNull());
}

TEST_F(DesktopWiring, ButtonsRunTheirCommands)
{
    QSignalSpy saves(window->mnuSaveOPJ, &QAction::triggered);
    window->tBarButton_Click(ToolbarStrip::Save); // no project: Save is unavailable
    EXPECT_EQ(saves.count(), 0);
    window->setSaveEnabled(true);
    QTest::mouseClick(toolbar()->button(ToolbarStrip::Save), Qt::LeftButton);
    EXPECT_EQ(saves.count(), 1);

    state.askBeforeBrowsing = false;
    QTest::mouseClick(toolbar()->button(ToolbarStrip::Update), Qt::LeftButton);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_TRUE(opened[0].toString().endsWith(QStringLiteral("bldno=0310")));
    window->tBarButton_Click(7); // no such button
    window->tBarButton_Click(-1);
    EXPECT_EQ(opened.size(), 1u);

    QString shown;
    QTimer::singleShot(0, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        shown = modal->objectName();
        modal->findChild<QPushButton*>(QStringLiteral("btnCancel"))->click();
    });
    QTest::mouseClick(toolbar()->button(ToolbarStrip::Options), Qt::LeftButton);
    EXPECT_EQ(shown, QStringLiteral("dlgPrefs"));
}

TEST_F(DesktopWiring, OptionsOkRereadsTheLocatorsOfTheNewEdition)
{
    state.resFolder = QStringLiteral("\\res\\");
    QTimer::singleShot(0, [] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        modal->findChild<QAbstractButton*>(QStringLiteral("optUK0"))->click();
        modal->findChild<QPushButton*>(QStringLiteral("btnOK"))->click();
    });
    window->mnuOptions->trigger();
    EXPECT_EQ(state.resFolder, QStringLiteral("\\resUK\\"));
    EXPECT_EQ(settings.read(kSectionMain, QStringLiteral("optUK"), QString()),
              QStringLiteral("True"));
}

TEST_F(DesktopWiring, ShowToolbarAndShowTipsFollowWhatIsOnScreen)
{
    const int stripTop = window->mdiArea->mapTo(window.get(), QPoint()).y();
    window->mnuView_Tbar->trigger();
    QApplication::processEvents();
    EXPECT_TRUE(window->TBarUltimateHolder->isHidden());
    EXPECT_EQ(window->mdiArea->mapTo(window.get(), QPoint()).y(),
              stripTop - ToolbarStrip::kStripHeight);
    openViewMenu();
    EXPECT_FALSE(window->mnuView_Tbar->isChecked());
    window->mnuView_Tbar->trigger();
    QApplication::processEvents();
    EXPECT_FALSE(window->TBarUltimateHolder->isHidden());
    openViewMenu();
    EXPECT_TRUE(window->mnuView_Tbar->isChecked());

    QTest::mouseClick(window->tclose, Qt::LeftButton);
    openViewMenu();
    EXPECT_FALSE(window->mnuView_Tips->isChecked());
    EXPECT_TRUE(window->tippy->isHidden());
}

TEST_F(DesktopWiring, TheEditMenuWorksOnTheActiveChild)
{
    auto* field = new QLineEdit(QStringLiteral("locked"));
    field->setReadOnly(true);
    window->mdiArea->addSubWindow(field)->show();
    field->setFocus();
    QApplication::processEvents();
    emit window->mnuEdit->aboutToShow();
    EXPECT_FALSE(window->mnuCut->isEnabled());
    EXPECT_TRUE(window->mnuCopy->isEnabled());
    EXPECT_FALSE(window->mnuPaste->isEnabled());
    EXPECT_FALSE(window->mnuClear->isEnabled());
}

TEST_F(DesktopWiring, TheHelpMenuIsFilled)
{
    const QList<QAction*> items = window->mnuHelp->actions();
    ASSERT_EQ(items.size(), 6);
    EXPECT_EQ(items.first()->text(), QStringLiteral("Oddballz Online"));
    EXPECT_EQ(items.last()->text(), QStringLiteral("About..."));
}

} // namespace yw
