#include "files/projectfile.h"
#include "mainwindowparts.h"
#include "messages.h"
#include "model/projectstate.h"
#include "platform/errors.h"
#include "platform/filesystem.h"
#include "platform/settingsstore.h"
#include "shell/mainwindow/editorwindows.h"
#include "shell/mainwindow/mainwindow.h"
#include "shell/mainwindow/startup.h"
#include "shell/session/projectsession.h"
#include "support/testsupport.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace yw {

using test::ScriptedPrompts;
using test::writeFile;

namespace {

// Stands in for the editor windows and keeps `curBall` the way the eBall editor does.
class RecordingEditors : public EditorWindows
{
public:
    struct Switch
    {
        int newIndex;
        int oldIndex;
        QString component;
        bool operator==(const Switch&) const = default;
    };

    void switchBall(int newIndex, const QString& componentName) override
    {
        switches.push_back({newIndex, m_curBall, componentName});
        m_curBall = newIndex;
    }
    void showSlotTray() override { ++slotTrayShown; }
    void showTips() override { ++tipsShown; }
    void closeAll() override { ++closed; }

    std::vector<Switch> switches;
    int slotTrayShown = 0;
    int tipsShown = 0;
    int closed = 0;

private:
    int m_curBall = -1;
};

void PrintTo(const RecordingEditors::Switch& s, std::ostream* out)
{
    *out << "{" << s.newIndex << ", " << s.oldIndex << ", " << s.component.toStdString() << "}";
}

} // namespace

class MainWindowTest : public ::testing::Test
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
        // Five eBalls per set (not 67), so the addressing of set B shows.
        writeBlz("\"qp_small.lnz\",\"qp.lnz\",5\r\nhead\r\nbody\r\n   \r\nleft foot\r\ntail\r\n");
        writeFile(dir.filePath(QStringLiteral("res/Quadrapus.loc")),
                  "Quadrapus\r\nUS\r\n100\t\t50\r\n200\t\t40\r\n3000\r\n1000\r\n400\t\t60\r\n"
                  "500\t\t300\t\t6\r\n");
        window = std::make_unique<MainWindow>(state, settings, prompts);
        ui = test::MainWindowParts(*window);
        auto recorder = std::make_unique<RecordingEditors>();
        editors = recorder.get();
        window->setEditorWindows(std::move(recorder));
    }

    void writeBlz(const char* content)
    {
        writeFile(dir.filePath(QStringLiteral("res/Quadrapus.blz")), content);
    }

    // A saved project of the test breed, opened into the window.
    QString makeProject(const QString& name)
    {
        ProjectState project = state;
        project.breedName = "Zippy";
        project.eggSlot = "4";
        project.eggTray = "9";
        project.eBalls[7].diameter = 77;
        const QString path = dir.filePath(name);
        SaveOPJ(project, path);
        return path;
    }

    void openProject()
    {
        projectPath = makeProject(QStringLiteral("breed.opj"));
        ASSERT_EQ(window->session().open(projectPath), ProjectSession::Opening::Opened);
    }

    void clickBallAt(int row)
    {
        QListWidgetItem* item = ui.eblist->item(row);
        ASSERT_NE(item, nullptr);
        QTest::mouseClick(ui.eblist->viewport(), Qt::LeftButton, {},
                          ui.eblist->visualItemRect(item).center());
    }

    // Lets the window's pending layout and its deferred left-panel layout run.
    void settle()
    {
        EXPECT_TRUE(QTest::qWaitFor(
            [this] { return !window->findChild<QTimer*>(QStringLiteral("Arg"))->isActive(); },
            2000));
        QTest::qWait(10);
        EXPECT_TRUE(QTest::qWaitFor(
            [this] { return !window->findChild<QTimer*>(QStringLiteral("Arg"))->isActive(); },
            2000));
    }

    QTemporaryDir dir;
    FileSystem fso;
    ProjectState state;
    MemorySettingsStore settings;
    ScriptedPrompts prompts;
    std::unique_ptr<MainWindow> window;
    test::MainWindowParts ui;
    RecordingEditors* editors = nullptr;
    QString projectPath;
};

// Users reach these by key.
TEST_F(MainWindowTest, ShortcutsAndPlaceholders)
{
    const std::pair<const char*, const char*> keys[] = {
        {"mnuNew", "Ctrl+N"},     {"mnuOpen", "Ctrl+O"},    {"mnuSaveOPJ", "Ctrl+S"},
        {"mnuSaveODD", "Ctrl+K"}, {"mnuSaveYPK", "Ctrl+E"}, {"mnuFile_Exit", "Ctrl+Q"},
        {"mnuCut", "Ctrl+X"},     {"mnuCopy", "Ctrl+C"},    {"mnuPaste", "Ctrl+V"}};
    for (const auto& [name, key] : keys)
        EXPECT_EQ(ui.find<QAction>(name)->shortcut().toString(), QString::fromLatin1(key)) << name;
    EXPECT_FALSE(ui.mnuRecentFile[0]->isEnabled());
    for (int i = 1; i <= 4; ++i)
        EXPECT_FALSE(ui.mnuRecentFile[size_t(i)]->isVisible());
    EXPECT_TRUE(ui.mnuView_Tips->isChecked());
    EXPECT_TRUE(ui.mnuView_Tbar->isChecked());
    EXPECT_EQ(window->windowTitle(), test::text::kWindowTitle);
}

TEST_F(MainWindowTest, StartsWithoutProjectAndSavingOff)
{
    window->load(QString());
    EXPECT_TRUE(window->session().path().isEmpty());
    EXPECT_FALSE(window->isSaveEnabled());
    for (QAction* action :
         {ui.mnuSave->menuAction(), ui.mnuSaveOPJ, ui.mnuSaveODD, ui.mnuSaveYPK, ui.mnuSaveAs})
        EXPECT_FALSE(action->isEnabled());
    EXPECT_FALSE(ui.compnt->isEnabled());
    EXPECT_EQ(ui.compnt->count(), 7);
    EXPECT_EQ(ui.compnt->itemText(0), QStringLiteral("Yolkwright Breed"));
    EXPECT_EQ(ui.compnt->itemText(2), QStringLiteral("      qp_small.lnz"));
    EXPECT_EQ(ui.compnt->itemText(3), QStringLiteral("      qp.lnz"));
    EXPECT_EQ(ui.eblist->count(), 0);
    EXPECT_TRUE(ui.ttex->text().startsWith(QStringLiteral("An existing ODD file")));
    EXPECT_TRUE(prompts.shown.empty());
}

TEST_F(MainWindowTest, ComponentsShowTheirHelpAndFillTheList)
{
    openProject();
    EXPECT_EQ(ui.compnt->currentIndex(), 0);
    EXPECT_TRUE(ui.compnt->isEnabled());
    EXPECT_EQ(ui.compnt->itemText(0), QStringLiteral("Zippy"));
    EXPECT_EQ(ui.ttex->text(),
              QStringLiteral("This is the breed name for your work. It can be modified in the "
                             "Slot/Tray Panel."));

    const char* const starts[] = {"This is the breed name",
                                  "This contains all the visual",
                                  "This is the definition file for the baby",
                                  "This is the definition file for the adult",
                                  "This contains all the text and images",
                                  "The Slot/Tray panel lets you",
                                  "On-screen tips are displayed"};
    const QStringList labels = {QStringLiteral("head"), QStringLiteral("body"),
                                QStringLiteral("   "), QStringLiteral("left foot"),
                                QStringLiteral("tail")};
    for (int index : {1, 2, 0, 3, 4, 5, 6, 3}) {
        ui.compnt->setCurrentIndex(index);
        EXPECT_TRUE(ui.ttex->text().startsWith(QString::fromLatin1(starts[index]))) << index;
        QStringList shown;
        for (int i = 0; i < ui.eblist->count(); ++i)
            shown.append(ui.eblist->item(i)->text());
        EXPECT_EQ(shown, (index == 2 || index == 3) ? labels : QStringList()) << index;
    }
    EXPECT_EQ(editors->slotTrayShown, 1);
    EXPECT_EQ(editors->tipsShown, 1);

    ui.compnt->setCurrentIndex(-1);
    EXPECT_EQ(ui.ttex->text(), test::text::kNoTopic);
}

// Double-click, Enter and the arrow keys open the selected eBall.
TEST_F(MainWindowTest, BallListKeysAndDoubleClickOpenTheBall)
{
    openProject();
    window->show();
    ui.compnt->setCurrentIndex(2);
    using S = RecordingEditors::Switch;
    const QPoint second = ui.eblist->visualItemRect(ui.eblist->item(1)).center();
    QTest::mouseClick(ui.eblist->viewport(), Qt::LeftButton, {}, second);
    editors->switches.clear();
    QTest::mouseDClick(ui.eblist->viewport(), Qt::LeftButton, {}, second);
    QTest::mouseRelease(ui.eblist->viewport(), Qt::LeftButton, {}, second);
    ASSERT_FALSE(editors->switches.empty());
    EXPECT_EQ(editors->switches.back().newIndex, 1);
    editors->switches.clear();
    ui.eblist->setFocus();
    QTest::keyClick(ui.eblist, Qt::Key_Up);
    QTest::keyClick(ui.eblist, Qt::Key_Return);
    EXPECT_EQ(editors->switches, (std::vector<S>{{0, 1, QStringLiteral("qp_small.lnz")},
                                                 {0, 0, QStringLiteral("qp_small.lnz")}}));
}

TEST_F(MainWindowTest, BlankItemsAndPlainListsOpenNothing)
{
    openProject();
    window->show();
    ui.compnt->setCurrentIndex(2);
    clickBallAt(2); // the label is three blanks
    QTest::keyClick(ui.eblist, Qt::Key_Return);
    EXPECT_TRUE(editors->switches.empty());

    // Whatever the list holds, it opens nothing while it does not show a ball set.
    ui.compnt->setCurrentIndex(4);
    ui.eblist->addItem(QStringLiteral("stray"));
    clickBallAt(0);
    EXPECT_TRUE(editors->switches.empty());
    EXPECT_TRUE(prompts.shown.empty());
}

TEST_F(MainWindowTest, MissingOrBrokenInformationFileLeavesListEmptyAndSaysSo)
{
    openProject();
    ui.compnt->setCurrentIndex(2);
    ASSERT_EQ(ui.eblist->count(), 5);

    writeBlz("\"qp_small.lnz\",\"qp.lnz\",many\r\nhead\r\n");
    ui.compnt->setCurrentIndex(3);
    EXPECT_EQ(ui.eblist->count(), 0);
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_TRUE(prompts.shown[0].text.contains(QStringLiteral("Quadrapus.blz")));

    QFile::remove(dir.filePath(QStringLiteral("res/Quadrapus.blz")));
    ui.compnt->setCurrentIndex(2);
    EXPECT_EQ(ui.eblist->count(), 0);
    ASSERT_EQ(prompts.shown.size(), 2u);
    EXPECT_TRUE(prompts.shown[1].text.contains(QStringLiteral("Quadrapus.blz")));
    EXPECT_EQ(prompts.shown[1].icon, PromptIcon::Exclamation);
}

TEST_F(MainWindowTest, LabelsBeyondTheSetAreNotListed)
{
    openProject();
    writeBlz("\"qp_small.lnz\",\"qp.lnz\",2\r\nhead\r\nbody\r\nextra\r\n");
    ui.compnt->setCurrentIndex(3);
    ASSERT_EQ(ui.eblist->count(), 2);
    EXPECT_EQ(ui.eblist->item(1)->text(), QStringLiteral("body"));
}

TEST_F(MainWindowTest, CommandLineProjectWithQuotesAndSpacesOpensAtStartUp)
{
    const QString path = makeProject(QStringLiteral("my breed project.opj"));
    const QString argument = QLatin1Char('"') + path + QLatin1Char('"');
    EXPECT_EQ(commandLineProject({QStringLiteral("yolkwright"), argument}), path);
    // Unquoted, the shell splits the path into several arguments; joined they name it again.
    EXPECT_EQ(commandLineProject(QStringList{QStringLiteral("yolkwright")} +
                                 path.split(QLatin1Char(' '))),
              path);

    window->load(commandLineProject({QStringLiteral("yolkwright"), argument}));
    EXPECT_EQ(window->session().path(), path);
    EXPECT_TRUE(window->isSaveEnabled());
    EXPECT_TRUE(ui.mnuSaveOPJ->isEnabled());
    EXPECT_EQ(state.breedName, "Zippy");
    EXPECT_EQ(state.eBalls[7].diameter, 77);
    EXPECT_EQ(settings.read(kSectionRecent, QStringLiteral("1st"), QString()), path);
    EXPECT_TRUE(ui.mnuRecentFile[1]->isVisible());
    EXPECT_FALSE(ui.mnuRecentFile[0]->isVisible());
    EXPECT_TRUE(prompts.shown.empty());
}

TEST_F(MainWindowTest, MissingCommandLineFileStartsWithoutProjectSilently)
{
    window->load(dir.filePath(QStringLiteral("not there.opj")));
    EXPECT_TRUE(window->session().path().isEmpty());
    EXPECT_FALSE(window->isSaveEnabled());
    EXPECT_TRUE(prompts.shown.empty());
}

TEST_F(MainWindowTest, SaveQuestionAnswers)
{
    window->load(QString());
    EXPECT_TRUE(window->session().askSaveQuestion());
    EXPECT_TRUE(prompts.shown.empty()); // no project, no question

    // The answers themselves are checked through the File menu's Open.
    openProject();
    // A save that fails stops the caller after telling the user.
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("gone")));
    ASSERT_TRUE(window->session().saveAs(dir.filePath(QStringLiteral("gone/breed.opj"))));
    ASSERT_TRUE(QDir(dir.filePath(QStringLiteral("gone"))).removeRecursively());
    prompts.answers = {PromptAnswer::Yes};
    EXPECT_FALSE(window->session().askSaveQuestion());
    EXPECT_TRUE(prompts.shown.back().text.contains(QStringLiteral("gone/breed.opj")));
}

// What a change history relies on: a replaced project and a save leave it clean, and with
// tracking on the save question follows the modified flag.
TEST_F(MainWindowTest, ChangeTrackingDecidesTheSaveQuestion)
{
    window->load(QString());
    ProjectSession& session = window->session();
    QStringList events;
    QObject::connect(&session, &ProjectSession::aboutToReplace,
                     [&] { events << QStringLiteral("replacing"); });
    QObject::connect(&session, &ProjectSession::projectReplaced,
                     [&](const QString& path) { events << QStringLiteral("replaced ") + path; });
    QObject::connect(&session, &ProjectSession::modifiedChanged, [&](bool modified) {
        events << (modified ? QStringLiteral("modified") : QStringLiteral("clean"));
    });
    session.setChangeTracking(true);
    openProject();
    EXPECT_EQ(events, QStringList({QStringLiteral("replacing"),
                                   QStringLiteral("replaced ") + projectPath}));
    EXPECT_FALSE(session.isModified());
    EXPECT_TRUE(session.askSaveQuestion());
    EXPECT_TRUE(prompts.shown.empty());

    events.clear();
    session.setModified(true);
    prompts.answers = {PromptAnswer::Yes};
    EXPECT_TRUE(session.askSaveQuestion());
    EXPECT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(events, QStringList({QStringLiteral("modified"), QStringLiteral("clean")}));
    // Without tracking an open project always counts as changed.
    session.setChangeTracking(false);
    EXPECT_TRUE(session.isModified());
}

TEST_F(MainWindowTest, ShutDownCancelWritesNothingAndNoWritesSettings)
{
    window->load(QString());
    window->show();
    openProject();
    const QByteArray saved = test::readFile(projectPath);
    state.breedName = "Changed";
    const int writes = settings.writeCount();

    prompts.answers = {PromptAnswer::Cancel};
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(settings.writeCount(), writes);

    window->resize(500, 400);
    window->setTipsVisible(false);
    prompts.answers = {PromptAnswer::No};
    EXPECT_TRUE(window->close());
    EXPECT_EQ(test::readFile(projectPath), saved);
    EXPECT_EQ(settings.read(kSectionMdi, QStringLiteral("ShowTips"), QString()),
              QStringLiteral("False"));
    EXPECT_EQ(settings.read(kSectionMdi, QStringLiteral("Width"), QString()),
              QStringLiteral("7500"));
    EXPECT_EQ(settings.read(kSectionMdi, QStringLiteral("Height"), QString()),
              QStringLiteral("6000"));
}

TEST_F(MainWindowTest, WindowSizeAndTipsAreRestored)
{
    settings.write(kSectionMdi, QStringLiteral("Width"), QStringLiteral("9000"));
    settings.write(kSectionMdi, QStringLiteral("Height"), QStringLiteral("7500"));
    settings.write(kSectionMdi, QStringLiteral("ShowTips"), QStringLiteral("False"));
    window->load(QString());
    EXPECT_EQ(window->size(), QSize(600, 500));
    EXPECT_FALSE(window->tipsVisible());

    MainWindow maximised(state, settings, prompts);
    settings.write(kSectionMdi, QStringLiteral("Width"), QStringLiteral("-1"));
    settings.write(kSectionMdi, QStringLiteral("Height"), QStringLiteral("-1"));
    settings.write(kSectionMdi, QStringLiteral("ShowTips"), QStringLiteral("True"));
    maximised.load(QString());
    EXPECT_TRUE(maximised.windowState() & Qt::WindowMaximized);
    EXPECT_TRUE(maximised.tipsVisible());
    maximised.show();
    prompts.answers = {};
    maximised.close();
    EXPECT_EQ(settings.read(kSectionMdi, QStringLiteral("Width"), QString()), QStringLiteral("-1"));

    // No stored size: the design size.
    MemorySettingsStore fresh;
    MainWindow designed(state, fresh, prompts);
    designed.load(QString());
    EXPECT_EQ(designed.size(), QSize(464, 388));

    // A size that is not a number stops the start-up.
    settings.write(kSectionMdi, QStringLiteral("Width"), QStringLiteral("wide"));
    MainWindow broken(state, settings, prompts);
    EXPECT_THROW(broken.load(QString()), FormatError);
}

TEST_F(MainWindowTest, TipsBoxAndBallListFollowThePanelHeight)
{
    window->load(QString());
    window->show();
    window->resize(600, 600);
    settle();
    const int panel = ui.lBack->height();
    ASSERT_GT(panel, 300);
    EXPECT_EQ(ui.tippy->geometry().bottom() + 1, panel - 5);
    EXPECT_EQ(ui.tippy->height(), 105);
    EXPECT_EQ(ui.eblist->y(), 32);
    EXPECT_EQ(ui.eblist->geometry().bottom() + 1, ui.tippy->y() - 6);

    QTest::mouseClick(ui.tclose, Qt::LeftButton);
    EXPECT_FALSE(window->tipsVisible());
    EXPECT_EQ(ui.eblist->geometry().bottom() + 1, panel - 6);

    window->resize(600, 700);
    settle();
    EXPECT_EQ(ui.eblist->geometry().bottom() + 1, ui.lBack->height() - 6);
    window->setTipsVisible(true);
    EXPECT_EQ(ui.tippy->geometry().bottom() + 1, ui.lBack->height() - 5);
    EXPECT_EQ(ui.eblist->geometry().bottom() + 1, ui.tippy->y() - 6);

    // The window does not shrink below 6000 by 4800 twips.
    window->resize(100, 100);
    EXPECT_EQ(window->size(), QSize(400, 320));
}

TEST(StartUpText, BuildStringAndCriticalMessage)
{
    EXPECT_EQ(buildString(310), QStringLiteral("0310"));
    EXPECT_EQ(buildString(7), QStringLiteral("0007"));
    EXPECT_EQ(criticalStartUpMessage(53, QStringLiteral("/x/oddballz.wad: No such file"),
                                     QStringLiteral("mfmCore")),
              test::text::kCritical.arg(53).arg(QStringLiteral("/x/oddballz.wad: No such file"),
                                                QStringLiteral("mfmCore")));
}

} // namespace yw
