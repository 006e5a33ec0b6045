#include "mainwindowparts.h"
#include "model/projectstate.h"
#include "platform/settingsstore.h"
#include "shell/commands/desktopcommands.h"
#include "shell/help/helpcommands.h"
#include "shell/mainwindow/lazyiconstyle.h"
#include "shell/mainwindow/mainwindow.h"
#include "shell/toolbar/toolbarstrip.h"
#include "support/testsupport.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QStyleFactory>
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
        ui = test::MainWindowParts(*window);
        window->desktop()->help()->setUrlOpener([this](const QUrl& url) {
            opened.push_back(url);
            return true;
        });
        window->show();
        QApplication::processEvents();
    }
    ToolbarStrip* toolbar() const { return window->desktop()->toolbar(); }
    void openViewMenu() { emit ui.mnuView->aboutToShow(); }

    ProjectState state;
    MemorySettingsStore settings;
    test::ScriptedPrompts prompts;
    std::unique_ptr<MainWindow> window;
    test::MainWindowParts ui;
    std::vector<QUrl> opened;
};

TEST_F(DesktopWiring, TheToolbarSitsInTheStripAndFollowsTheOpenProject)
{
    ASSERT_NE(toolbar(), nullptr);
    EXPECT_EQ(toolbar()->parentWidget(), ui.TBarUltimateHolder);
    EXPECT_EQ(toolbar()->saveMenu(), ui.mnuSave);
    EXPECT_FALSE(toolbar()->button(ToolbarStrip::Save)->isEnabled());
    EXPECT_FALSE(toolbar()->saveArrow()->isEnabled());
    window->setSaveEnabled(true);
    EXPECT_TRUE(toolbar()->button(ToolbarStrip::Save)->isEnabled());
    EXPECT_TRUE(toolbar()->saveArrow()->isEnabled());
    // The icon is drawn when asked for: the egg fills the middle.
    EXPECT_EQ(window->windowIcon().pixmap(64, 64).toImage().pixelColor(32, 32).alpha(), 255);
}

TEST(LazyIconStyle, TheOverflowIconIsTheBaseStylesWhenDrawn)
{
    QStyle* base = QStyleFactory::create(QStringLiteral("Fusion"));
    const QImage expected =
        base->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton).pixmap(16, 16).toImage();
    const LazyIconStyle lazy(base);
    const QIcon icon = lazy.standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton);
    EXPECT_FALSE(expected.isNull());
    EXPECT_EQ(icon.pixmap(16, 16).toImage(), expected);
}

TEST_F(DesktopWiring, ButtonsRunTheirCommands)
{
    QSignalSpy saves(ui.mnuSaveOPJ, &QAction::triggered);
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
    state.edition = Edition::US;
    QTimer::singleShot(0, [] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        modal->findChild<QAbstractButton*>(QStringLiteral("optUK0"))->click();
        modal->findChild<QPushButton*>(QStringLiteral("btnOK"))->click();
    });
    ui.mnuOptions->trigger();
    EXPECT_EQ(state.edition, Edition::UK);
    EXPECT_EQ(settings.read(kSectionMain, QStringLiteral("optUK"), QString()),
              QStringLiteral("True"));
}

TEST_F(DesktopWiring, ShowToolbarAndShowTipsFollowWhatIsOnScreen)
{
    const int stripTop = ui.mdiArea->mapTo(window.get(), QPoint()).y();
    ui.mnuView_Tbar->trigger();
    QApplication::processEvents();
    EXPECT_TRUE(ui.TBarUltimateHolder->isHidden());
    EXPECT_EQ(ui.mdiArea->mapTo(window.get(), QPoint()).y(), stripTop - ToolbarStrip::kStripHeight);
    openViewMenu();
    EXPECT_FALSE(ui.mnuView_Tbar->isChecked());
    ui.mnuView_Tbar->trigger();
    QApplication::processEvents();
    EXPECT_FALSE(ui.TBarUltimateHolder->isHidden());
    openViewMenu();
    EXPECT_TRUE(ui.mnuView_Tbar->isChecked());

    QTest::mouseClick(ui.tclose, Qt::LeftButton);
    openViewMenu();
    EXPECT_FALSE(ui.mnuView_Tips->isChecked());
    EXPECT_TRUE(ui.tippy->isHidden());
}

TEST_F(DesktopWiring, TheEditMenuWorksOnTheActiveChild)
{
    auto* field = new QLineEdit(QStringLiteral("locked"));
    field->setReadOnly(true);
    ui.mdiArea->addSubWindow(field)->show();
    field->setFocus();
    QApplication::processEvents();
    emit ui.mnuEdit->aboutToShow();
    EXPECT_FALSE(ui.mnuCut->isEnabled());
    EXPECT_TRUE(ui.mnuCopy->isEnabled());
    EXPECT_FALSE(ui.mnuPaste->isEnabled());
    EXPECT_FALSE(ui.mnuClear->isEnabled());
}

} // namespace yw
