#include "files/breedresources.h"
#include "files/breedsheet.h"
#include "files/eggwriter.h"
#include "files/newproject.h"
#include "files/projectfile.h"
#include "mainwindowparts.h"
#include "messages.h"
#include "model/palette.h"
#include "platform/cp1252.h"
#include "platform/settingsstore.h"
#include "samplegamefixture.h"
#include "shell/commands/filecommands.h"
#include "shell/dialogs/newprojectwizard.h"
#include "shell/mainwindow/editorwindows.h"
#include "shell/mainwindow/mainwindow.h"
#include "shell/session/projectsession.h"
#include "shell/session/recentfiles.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QListWidget>
#include <QMenu>
#include <QTest>
#include <QXmlStreamReader>
#include <memory>

namespace yw {

using test::readFile;
using test::writeFile;

namespace {

class CountingEditors : public EditorWindows
{
public:
    void switchBall(int, const QString&) override {}
    void showSlotTray() override {}
    void showTips() override {}
    void closeAll() override { ++closed; }
    int closed = 0;
};

using test::text::kSaveQuestion;

} // namespace

class FileCommandsTest : public test::SampleGameFixture
{
protected:
    void SetUp() override
    {
        SampleGameFixture::SetUp();
        window = std::make_unique<MainWindow>(state, settings, prompts);
        ui = test::MainWindowParts(*window);
        auto counting = std::make_unique<CountingEditors>();
        editors = counting.get();
        window->setEditorWindows(std::move(counting));
        window->load(QString());
        commands = std::make_unique<FileCommands>(*window, state, settings, prompts, dialogs);
        recent = std::make_unique<RecentFiles>(settings);
    }

    void TearDown() override
    {
        commands.reset();
        window.reset();
    }

    // A project of a base breed, made the way the wizard makes it, without the window.
    QString makeProject(const QString& listText, const QString& name)
    {
        test::ScriptedPrompts quiet;
        const NewProject project = readBaseBreed(state, listText, quiet);
        EXPECT_EQ(project.status, NewProjectStatus::Created);
        const QString target = path(name);
        writeNewProjectFile(project, target);
        return target;
    }

    // Opens a project through the File menu with nothing open before.
    QString openProject(const QString& listText, const QString& name)
    {
        const QString target = makeProject(listText, name);
        dialogs.answers.push_back(target);
        commands->mnuOpen_Click();
        EXPECT_EQ(window->session().path(), target);
        prompts.shown.clear();
        dialogs.asked.clear();
        return target;
    }

    // Drives the wizard the way a user does: tick the breed, then click "Go" or "Cancel".
    void runWizardWith(const QString& listText, bool go)
    {
        commands->setWizardRunner([listText, go](NewProjectWizard& wizard) {
            wizard.show();
            const QList<QListWidgetItem*> found =
                wizard.bSel->findItems(listText, Qt::MatchExactly);
            if (found.size() == 1)
                found.front()->setCheckState(Qt::Checked);
            QTest::mouseClick(go ? wizard.btnNext : wizard.btnClose, Qt::LeftButton);
            return wizard.result() == QDialog::Accepted;
        });
    }

    MemorySettingsStore settings;
    std::unique_ptr<MainWindow> window;
    test::MainWindowParts ui;
    std::unique_ptr<FileCommands> commands;
    std::unique_ptr<RecentFiles> recent;
    CountingEditors* editors = nullptr;
};

TEST_F(FileCommandsTest, NewPutsTheCreatedProjectIntoTheWindow)
{
    const QString target = path(QStringLiteral("honk.opj"));
    dialogs.answers.push_back(target);
    runWizardWith(QStringLiteral("Honker"), true);
    ui.mnuNew->trigger();

    EXPECT_EQ(state.baseBreed, "Honker");
    EXPECT_EQ(state.breedName, sample::breed(1).breedName);
    EXPECT_EQ(state.eBalls[0], sample::breed(1).eBalls[0]);
    EXPECT_EQ(window->session().path(), target);
    EXPECT_TRUE(ui.compnt->isEnabled());
    EXPECT_EQ(ui.compnt->currentIndex(), 0);
    EXPECT_EQ(ui.compnt->itemText(0), cp1252::toUnicode(sample::breed(1).breedName));
    EXPECT_EQ(ui.compnt->itemText(2),
              QStringLiteral("      ") + cp1252::toUnicode(sample::breed(1).lnzNameA));
    EXPECT_TRUE(window->isSaveEnabled());
    EXPECT_TRUE(ui.mnuSaveOPJ->isEnabled());
    EXPECT_EQ(recent->entry(1), target);
    EXPECT_EQ(editors->closed, 1);
    // New asks no save question, even with a project open.
    EXPECT_TRUE(prompts.shown.empty());
}

TEST_F(FileCommandsTest, ACancelledWizardLeavesTheOpenProjectAsItWas)
{
    const QString open = openProject(QStringLiteral("Zott"), QStringLiteral("zott.opj"));
    const ProjectState before = state;
    const QStringList recentBefore = recent->entries();

    // Go, then Cancel in the save dialog, then Cancel on the wizard.
    commands->setWizardRunner([](NewProjectWizard& wizard) {
        wizard.show();
        wizard.bSel->item(1)->setCheckState(Qt::Checked);
        QTest::mouseClick(wizard.btnNext, Qt::LeftButton);
        QTest::mouseClick(wizard.btnClose, Qt::LeftButton);
        return wizard.result() == QDialog::Accepted;
    });
    ui.mnuNew->trigger();

    EXPECT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(state.baseBreed, before.baseBreed);
    EXPECT_EQ(state.locSetAPos, before.locSetAPos);
    EXPECT_EQ(state.eBalls, before.eBalls);
    EXPECT_EQ(window->session().path(), open);
    EXPECT_EQ(ui.compnt->itemText(0), cp1252::toUnicode(sample::breed(3).breedName));
    EXPECT_EQ(ui.compnt->itemText(2),
              QStringLiteral("      ") + cp1252::toUnicode(sample::breed(3).lnzNameA));
    EXPECT_EQ(recent->entries(), recentBefore);
    EXPECT_EQ(editors->closed, 1); // from the first open only
}

TEST_F(FileCommandsTest, OpenAsksTheSaveQuestionFirst)
{
    const QString first = openProject(QStringLiteral("Zott"), QStringLiteral("zott.opj"));
    const QString second = makeProject(QStringLiteral("Lips"), QStringLiteral("lips.opj"));
    state.breedName = "Changed";
    const QByteArray firstFile = readFile(first);

    // Cancel: no dialog, nothing changes.
    prompts.answers = {PromptAnswer::Cancel};
    commands->mnuOpen_Click();
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text, kSaveQuestion);
    EXPECT_TRUE(dialogs.asked.empty());
    EXPECT_EQ(state.breedName, "Changed");
    EXPECT_EQ(recent->entries(), QStringList({first, QString(), QString(), QString()}));

    // No: the other project opens and the first file stays as it was.
    prompts.answers = {PromptAnswer::No};
    dialogs.answers.push_back(second);
    commands->mnuOpen_Click();
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_FALSE(dialogs.asked[0].save);
    EXPECT_EQ(dialogs.asked[0].filter, test::text::kProjectFilter);
    EXPECT_EQ(readFile(first), firstFile);
    EXPECT_EQ(window->session().path(), second);
    EXPECT_EQ(state.baseBreed, "Lips");
    EXPECT_EQ(recent->entry(1), second);

    // Yes: the open project is saved to its own path before the next one opens.
    state.breedName = "Kissy";
    prompts.answers = {PromptAnswer::Yes};
    dialogs.answers.push_back(first);
    commands->mnuOpen_Click();
    EXPECT_TRUE(readFile(second).contains("\"Kissy\""));
    EXPECT_EQ(window->session().path(), first);
    EXPECT_EQ(state.baseBreed, "Zott");
    EXPECT_EQ(recent->entries(), QStringList({first, second, first, QString()}));
}

TEST_F(FileCommandsTest, ARefusedFileStillGoesToTheTopOfTheRecentFiles)
{
    const QString open = openProject(QStringLiteral("Zott"), QStringLiteral("zott.opj"));
    const QString notAProject = path(QStringLiteral("notes.opj"));
    writeFile(notAProject, "[Yolkwright Project File] \r\n");
    prompts.answers = {PromptAnswer::No};
    dialogs.answers.push_back(notAProject);
    commands->mnuOpen_Click();

    ASSERT_EQ(prompts.shown.size(), 2u);
    EXPECT_EQ(prompts.shown[1].text, test::text::kNotAProject.arg(notAProject));
    EXPECT_EQ(window->session().path(), open);
    EXPECT_EQ(state.baseBreed, "Zott");
    EXPECT_EQ(recent->entries(), QStringList({notAProject, open, QString(), QString()}));
}

TEST_F(FileCommandsTest, AFailedOpenIsToldAndChangesNothing)
{
    const QString open = openProject(QStringLiteral("Zott"), QStringLiteral("zott.opj"));
    QByteArray cut = readFile(makeProject(QStringLiteral("Lips"), QStringLiteral("lips.opj")));
    cut.truncate(cut.size() / 2);
    const QString broken = path(QStringLiteral("broken.opj"));
    writeFile(broken, cut);
    const ProjectState before = state;

    prompts.answers = {PromptAnswer::No};
    dialogs.answers.push_back(broken);
    commands->mnuOpen_Click();

    ASSERT_EQ(prompts.shown.size(), 2u);
    EXPECT_TRUE(prompts.shown[1].text.startsWith(test::text::kNotOpened.arg(broken)))
        << prompts.shown[1].text.toStdString();
    EXPECT_EQ(state.baseBreed, before.baseBreed);
    EXPECT_EQ(state.eBalls, before.eBalls);
    EXPECT_EQ(window->session().path(), open);
    EXPECT_EQ(recent->entries(), QStringList({open, QString(), QString(), QString()}));
}

TEST_F(FileCommandsTest, SaveAsMovesTheProjectPathAndSaveFollowsIt)
{
    const QString open = openProject(QStringLiteral("Zott"), QStringLiteral("zott.opj"));
    const QByteArray original = readFile(open);
    const QString moved = path(QStringLiteral("moved.opj"));
    dialogs.answers.push_back(moved);
    ui.mnuSaveAs->trigger();

    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_TRUE(dialogs.asked[0].save);
    EXPECT_EQ(dialogs.asked[0].filter, test::text::kProjectFilter);
    EXPECT_EQ(window->session().path(), moved);
    EXPECT_EQ(recent->entries(), QStringList({moved, open, QString(), QString()}));

    state.breedName = "Moved On";
    ui.mnuSaveOPJ->trigger();
    EXPECT_TRUE(readFile(moved).contains("\"Moved On\""));
    EXPECT_EQ(readFile(open), original);
    EXPECT_EQ(dialogs.asked.size(), 1u);
    EXPECT_TRUE(prompts.shown.empty());
}

TEST_F(FileCommandsTest, AFailingSaveIsToldAndKeepsTheOldFile)
{
    const QString open = openProject(QStringLiteral("Zott"), QStringLiteral("zott.opj"));
    const QByteArray original = readFile(open);
    ASSERT_TRUE(QFile::remove(state.infoFilePath()));
    state.breedName = "Lost?";
    ui.mnuSaveOPJ->trigger();

    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_TRUE(prompts.shown[0].text.startsWith(test::text::kNotSaved.arg(open)));
    EXPECT_TRUE(prompts.shown[0].text.contains(QStringLiteral("Zott.blz")))
        << prompts.shown[0].text.toStdString();
    EXPECT_EQ(readFile(open), original);
}

TEST_F(FileCommandsTest, TheEggCommandNeverTouchesTheProjectPathOrTheRecentFiles)
{
    const QString open = openProject(QStringLiteral("Quadrapus"), QStringLiteral("quad.opj"));
    const QString egg = path(QStringLiteral("eggs/Spotty.odd"));
    QDir().mkpath(path(QStringLiteral("eggs")));
    dialogs.answers.push_back(egg);
    ui.mnuSaveODD->trigger();

    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_TRUE(dialogs.asked[0].save);
    EXPECT_EQ(dialogs.asked[0].kind, FileKind::Egg);
    EXPECT_EQ(dialogs.asked[0].filter, test::text::kEggFilter);
    EXPECT_TRUE(prompts.shown.empty());
    // The same bytes the writer makes for this project.
    const QString reference = path(QStringLiteral("reference.odd"));
    saveODD(state, reference, prompts);
    EXPECT_EQ(readFile(egg), readFile(reference));
    EXPECT_EQ(window->session().path(), open);
    EXPECT_EQ(recent->entries(), QStringList({open, QString(), QString(), QString()}));
}

TEST_F(FileCommandsTest, AnEggThatDoesNotFitIsRefusedWithItsOwnMessage)
{
    openProject(QStringLiteral("Zott"), QStringLiteral("zott.opj"));
    state.breedDescription = std::string(size_t(state.locDescLen) + 5, 'x');
    const QString egg = path(QStringLiteral("long.odd"));
    dialogs.answers.push_back(egg);
    ui.mnuSaveODD->trigger();

    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_TRUE(
        prompts.shown[0].text.startsWith(test::text::kNotWritten.arg(QStringLiteral("egg"), egg)));
    EXPECT_TRUE(prompts.shown[0].text.contains(QStringLiteral("too long")))
        << prompts.shown[0].text.toStdString();
    EXPECT_FALSE(QFile::exists(egg));
}

TEST_F(FileCommandsTest, TheEggAndPackageNeverReplaceTheOpenProject)
{
    const QString open = openProject(QStringLiteral("Zott"), QStringLiteral("zott.opj"));
    const QByteArray project = readFile(open);
    for (const auto& [action, what] : {std::pair{ui.mnuSaveODD, QStringLiteral("egg")},
                                       std::pair{ui.mnuSaveYPK, QStringLiteral("package")}}) {
        prompts.shown.clear();
        dialogs.answers.push_back(open);
        action->trigger();
        ASSERT_EQ(prompts.shown.size(), 1u);
        EXPECT_TRUE(prompts.shown[0].text.startsWith(test::text::kNotWritten.arg(what, open)));
        EXPECT_TRUE(prompts.shown[0].text.contains(QStringLiteral("project file")))
            << prompts.shown[0].text.toStdString();
        EXPECT_EQ(readFile(open), project);
    }
}

TEST_F(FileCommandsTest, ThePackageCommandAsksForAPackageAndWritesACabinet)
{
    openProject(QStringLiteral("Zott"), QStringLiteral("zott.opj"));
    const QString package = path(QStringLiteral("My Breed.ypk"));
    dialogs.answers.push_back(package);
    ui.mnuSaveYPK->trigger();

    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.asked[0].kind, FileKind::Package);
    EXPECT_EQ(dialogs.asked[0].filter, test::text::kPackageFilter);
    EXPECT_TRUE(prompts.shown.empty());
    const QByteArray cabinet = readFile(package);
    EXPECT_TRUE(cabinet.startsWith("MSCF"));
    EXPECT_TRUE(cabinet.contains("My Breed.odd"));
    EXPECT_TRUE(cabinet.contains("ypkinfo.inf"));
}

TEST_F(FileCommandsTest, ARemovedRecentFileIsToldAndKeepsItsEntry)
{
    const QString gone = makeProject(QStringLiteral("Lips"), QStringLiteral("gone.opj"));
    const QString open = openProject(QStringLiteral("Zott"), QStringLiteral("zott.opj"));
    window->session().CycleRecentFiles(gone);
    ASSERT_TRUE(QFile::remove(gone));

    prompts.answers = {PromptAnswer::No};
    ui.mnuRecentFile[1]->trigger();
    ASSERT_EQ(prompts.shown.size(), 2u);
    EXPECT_EQ(prompts.shown[0].text, kSaveQuestion);
    EXPECT_EQ(prompts.shown[1].text, test::text::kRecentFileGone);
    EXPECT_EQ(prompts.shown[1].icon, PromptIcon::Information);
    EXPECT_EQ(recent->entries(), QStringList({gone, open, QString(), QString()}));
    EXPECT_EQ(window->session().path(), open);

    // The second entry still exists and reopens, going to the top.
    prompts.answers = {PromptAnswer::No};
    state.breedName = "Unsaved";
    ui.mnuRecentFile[2]->trigger();
    EXPECT_EQ(state.breedName, sample::breed(3).breedName);
    EXPECT_EQ(recent->entries(), QStringList({open, gone, open, QString()}));
    EXPECT_EQ(ui.mnuRecentFile[1]->text(), open);
}

TEST_F(FileCommandsTest, SaveShortcutsDoNothingBeforeAProjectExists)
{
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    window->activateWindow();
    emit ui.mnuFile->aboutToShow();
    for (Qt::Key key : {Qt::Key_S, Qt::Key_K, Qt::Key_E})
        QTest::keyClick(window.get(), key, Qt::ControlModifier);
    EXPECT_FALSE(ui.mnuSave->menuAction()->isEnabled());
    EXPECT_FALSE(ui.mnuSaveAs->isEnabled());
    commands->Save();
    commands->SaveEgg();
    commands->SavePackage();
    commands->SaveAs();
    EXPECT_TRUE(dialogs.asked.empty());
    EXPECT_TRUE(prompts.shown.empty());

    // Once a project is open the shortcuts work.
    openProject(QStringLiteral("Zott"), QStringLiteral("zott.opj"));
    emit ui.mnuFile->aboutToShow();
    EXPECT_TRUE(ui.mnuSave->menuAction()->isEnabled());
    EXPECT_TRUE(ui.mnuSaveAs->isEnabled());
    QTest::keyClick(window.get(), Qt::Key_K, Qt::ControlModifier);
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.asked[0].kind, FileKind::Egg);
}

TEST_F(FileCommandsTest, ExportBreedSheetWritesPngAndSvgWithThePalettesColoursAndShowsIt)
{
    const QString project = openProject(QStringLiteral("Quadrapus"), QStringLiteral("q.opj"));
    const BreedHeader header = readBreedHeader(state);
    // Distinct fills in both sets, no colour among them.
    for (int i = 0; i < 2 * header.ballsPerSet; ++i)
        state.eBalls[size_t(i)].fillColor = int16_t(i % 7 == 3 ? -1 : (i * 37 + 5) % 256);
    const BreedSheet sheet = breedSheet(state, header, readBreedLabels(state.infoFilePath()));
    ASSERT_EQ(sheet.swatches.size(), size_t(2 * header.ballsPerSet));

    const QString png = path(QStringLiteral("sheet.png"));
    const QString svg = path(QStringLiteral("sheet.svg"));
    const QByteArray projectBytes = readFile(project);
    dialogs.answers = {png, svg, project};
    for (int i = 0; i < 3; ++i)
        ui.find<QAction>("mnuExportSheet")->trigger();

    const QImage picture(png);
    ASSERT_FALSE(picture.isNull());
    for (const SheetSwatch& swatch : sheet.swatches) {
        const int16_t fill = state.eBalls[size_t(swatch.record)].fillColor;
        const uint32_t rgb = paletteColor(fill);
        const QColor expected =
            fill < 0 ? QColor(Qt::white)
                     : QColor(int(rgb & 0xFF), int(rgb >> 8 & 0xFF), int(rgb >> 16 & 0xFF));
        EXPECT_EQ(picture.pixelColor(int(swatch.cx), int(swatch.cy)), expected)
            << "record " << swatch.record;
    }
    // A label too wide for its cell is squeezed into it, clear of the next swatch.
    int squeezed = 0, inkBeyond = 0;
    for (const SheetSwatch& swatch : sheet.swatches) {
        const SheetText& label = swatch.label;
        squeezed += label.squeezeTo > 0;
        for (int x = int(label.x + label.squeezeTo) + 2; label.squeezeTo > 0 && x < label.x + 130;
             ++x)
            for (int y = int(label.y) - 10; y <= int(label.y) + 2; ++y)
                inkBeyond += picture.pixelColor(x, y) != QColor(Qt::white);
    }
    EXPECT_GT(squeezed, 0);
    EXPECT_EQ(inkBeyond, 0);
    QFile drawing(svg);
    ASSERT_TRUE(drawing.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&drawing);
    while (!xml.atEnd())
        xml.readNext();
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();

    // The sheet never replaces its project; the failure is told.
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_TRUE(prompts.shown[0].text.startsWith(QStringLiteral("The breed sheet")));
    EXPECT_EQ(readFile(project), projectBytes);
    int windows = 0;
    for (QWidget* widget : QApplication::topLevelWidgets())
        windows += widget->objectName() == QStringLiteral("frmBreedSheet") && widget->isVisible();
    EXPECT_EQ(windows, 2);
}

} // namespace yw
