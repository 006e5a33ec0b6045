#include "document/document.h"
#include "document/recentfiles.h"
#include "files/breedresources.h"
#include "files/breedsheet.h"
#include "files/eggwriter.h"
#include "files/newproject.h"
#include "model/palette.h"
#include "platform/cp1252.h"
#include "platform/setting.h"
#include "shell/commands/filecommands.h"
#include "shell/commands/maincommands.h"
#include "shell/dialogs/guiprompts.h"
#include "shell/dialogs/newprojectwizard.h"
#include "shell/mainwindow/mainwindow.h"
#include "support/eggreadback.h"
#include "support/guitest.h"

namespace yw {

using test::readFile;
using test::text::kSaveQuestion;

class FileCommandsTest : public test::SampleGameFixture
{
protected:
    void SetUp() override
    {
        SampleGameFixture::SetUp();
        window = std::make_unique<MainWindow>(installation, state, settings, prompts);
        window->load(QString());
        commands = &window->commands().addFileCommands(dialogs);
        compnt = test::child<QComboBox>(window.get(), "compnt");
    }
    QAction* act(const char* name) const { return test::child<QAction>(window.get(), name); }
    QStringList recent() { return RecentFiles(settings).entries(); }
    using Asked = std::vector<test::ScriptedDialogs::Asked>;

    // A project of a base breed, made the way the wizard makes it, without the window.
    QString makeProject(const QString& listText, const QString& name)
    {
        test::ScriptedPrompts quiet;
        const NewProject project = readBaseBreed(installation, state, listText, quiet);
        EXPECT_EQ(project.status, NewProjectStatus::Created);
        writeNewProjectFile(installation, project, path(name));
        return path(name);
    }
    // Opens a project through the File menu with nothing open before.
    QString openProject(const QString& listText = QStringLiteral("Zott"),
                        const QString& name = QStringLiteral("zott.opj"))
    {
        const QString target = makeProject(listText, name);
        dialogs.answers.push_back(target);
        commands->mnuOpen_Click();
        EXPECT_EQ(window->document().path(), target);
        prompts.shown.clear();
        dialogs.asked.clear();
        return target;
    }
    // What the wizard does when the user ticks the breed at `row` and clicks "Go", then "Cancel".
    void runWizard(int row, bool cancel)
    {
        commands->setWizardRunner([row, cancel](NewProjectWizard& wizard) {
            wizard.show();
            wizard.bSel->item(row)->setCheckState(Qt::Checked);
            QTest::mouseClick(wizard.btnNext, Qt::LeftButton);
            if (cancel)
                QTest::mouseClick(wizard.btnClose, Qt::LeftButton);
            return wizard.result() == QDialog::Accepted;
        });
        act("mnuNew")->trigger();
    }
    bool editorsOpen() const
    {
        return !test::child<QMdiArea>(window.get(), "mdiArea")->subWindowList().isEmpty();
    }

    test::ScriptedDialogs dialogs;
    MemorySettingsStore settings;
    std::unique_ptr<MainWindow> window;
    FileCommands* commands = nullptr;
    QComboBox* compnt = nullptr;
};

TEST_F(FileCommandsTest, ACancelledNewChangesNothing)
{
    const QString open = openProject();
    const ProjectState before = state;
    compnt->setCurrentIndex(5);
    runWizard(1, true); // Go, Cancel in the save dialog, then Cancel on the wizard
    EXPECT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(test::projectDifference(state, before), "");
    EXPECT_EQ(window->document().path(), open);
    EXPECT_EQ(recent(), QStringList({open, QString(), QString(), QString()}));
    EXPECT_TRUE(editorsOpen());
}

TEST_F(FileCommandsTest, NewPutsTheCreatedProjectIntoTheWindow)
{
    const QString open = openProject();
    compnt->setCurrentIndex(5);
    const QString target = path(QStringLiteral("honk.opj"));
    dialogs.answers.push_back(target);
    runWizard(1, false);
    EXPECT_EQ(state.baseBreed, "Honker");
    EXPECT_EQ(state.breedName, sample::breed(1).breedName);
    EXPECT_EQ(state.eBalls[0], sample::breed(1).eBalls[0]);
    EXPECT_EQ(window->document().path(), target);
    EXPECT_EQ(compnt->currentIndex(), 0);
    EXPECT_EQ(compnt->itemText(0), cp1252::toUnicode(sample::breed(1).breedName));
    EXPECT_TRUE(act("mnuSaveOPJ")->isEnabled());
    EXPECT_EQ(recent(), QStringList({target, open, QString(), QString()}));
    EXPECT_FALSE(editorsOpen());
    EXPECT_TRUE(prompts.shown.empty()); // New asks no save question
}

TEST_F(FileCommandsTest, OpenAsksTheSaveQuestionFirst)
{
    const QString first = openProject();
    const QString second = makeProject(QStringLiteral("Lips"), QStringLiteral("lips.opj"));
    state.breedName = "Changed";
    const QByteArray firstFile = readFile(first);

    // Cancel: no dialog, nothing changes.
    prompts.answers = {PromptAnswer::Cancel};
    commands->mnuOpen_Click();
    prompts.expectOne(kSaveQuestion, PromptIcon::Question);
    EXPECT_TRUE(dialogs.asked.empty());
    EXPECT_EQ(state.breedName, "Changed");

    // No: the other project opens and the first file stays as it was.
    prompts.answers = {PromptAnswer::No};
    dialogs.answers.push_back(second);
    commands->mnuOpen_Click();
    EXPECT_EQ(dialogs.asked, (Asked{{false, FileKind::Project, test::text::kProjectFilter}}));
    EXPECT_EQ(readFile(first), firstFile);
    EXPECT_EQ(window->document().path(), second);
    EXPECT_EQ(state.baseBreed, "Lips");

    // Yes: the open project is saved to its own path before the next one opens.
    state.breedName = "Kissy";
    prompts.answers = {PromptAnswer::Yes};
    dialogs.answers.push_back(first);
    commands->mnuOpen_Click();
    EXPECT_TRUE(readFile(second).contains("\"Kissy\""));
    EXPECT_EQ(window->document().path(), first);
    EXPECT_EQ(state.baseBreed, "Zott");
    EXPECT_EQ(recent(), QStringList({first, second, QString(), QString()})); // each file once
}

// A file that is no project still goes to the top of the recent files; a broken one does not.
TEST_F(FileCommandsTest, AFailedOpenLeavesTheOpenProjectAsItWas)
{
    const QString open = openProject();
    QByteArray cut = readFile(makeProject(QStringLiteral("Lips"), QStringLiteral("lips.opj")));
    cut.truncate(cut.size() / 2);
    const ProjectState before = state;
    const struct
    {
        const char* name;
        QByteArray bytes;
        QString message;
        bool remembered;
    } cases[] = {{"notes.opj", "[Yolkwright Project File] \r\n", test::text::kNotAProject, true},
                 {"broken.opj", cut, test::text::kNotOpened, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString file = path(QLatin1String(c.name));
        test::writeFile(file, c.bytes);
        prompts.shown.clear();
        prompts.answers = {PromptAnswer::No};
        dialogs.answers.push_back(file);
        commands->mnuOpen_Click();
        ASSERT_EQ(prompts.shown.size(), 2u);
        EXPECT_TRUE(prompts.shown[1].text.startsWith(c.message.arg(file)))
            << prompts.shown[1].text.toStdString();
        EXPECT_EQ(test::projectDifference(state, before), "");
        EXPECT_EQ(window->document().path(), open);
        EXPECT_EQ(recent().first(), c.remembered ? file : path(QStringLiteral("notes.opj")));
    }
}

// After the save question: a refused egg is told and changes nothing; a found one is shown, saved
// where the user says, opened and put on top of the recent files.
TEST_F(FileCommandsTest, OpenEggOrPackageMakesAProjectOfTheEggOrSaysWhyNot)
{
    const QString open = openProject();
    NewProject lips = readBaseBreed(installation, state, QStringLiteral("Lips"), prompts);
    lips.state.breedName = "Kissy";
    const QString egg =
        saveODD(installation, lips.state, lips.shape, path(QStringLiteral("k.odd")), prompts);
    test::writeFile(path(QStringLiteral("bad.odd")), readFile(egg).replace(99, 1, "#"));
    const ProjectState before = state;
    EXPECT_EQ(act("mnuOpenEgg")->text(), QStringLiteral("Open &Egg or Package..."));
    for (const QString& source : {path(QStringLiteral("bad.odd")), egg}) {
        prompts.shown.clear();
        prompts.answers = {PromptAnswer::No, PromptAnswer::Yes};
        dialogs.answers = {source, path(QStringLiteral("kissy.opj"))};
        act("mnuOpenEgg")->trigger();
        ASSERT_EQ(prompts.shown.size(), 2u);
        EXPECT_EQ(prompts.shown[0].text, kSaveQuestion);
        EXPECT_EQ(dialogs.answers.size(), source == egg ? 0u : 1u); // a refusal asks no name
        if (source != egg) {
            EXPECT_TRUE(prompts.shown[1].text.contains(source + QStringLiteral(", byte 100")));
            EXPECT_EQ(test::projectDifference(state, before), "");
            EXPECT_EQ(window->document().path(), open);
        }
    }
    EXPECT_TRUE(
        prompts.shown[1].text.startsWith(QStringLiteral("Base breed: Lips\r\nName: Kissy")));
    EXPECT_EQ(window->document().path(), path(QStringLiteral("kissy.opj")));
    EXPECT_EQ(
        test::projectDifference(state, test::asReadFromEgg(lips.state, lips.shape.ballsPerSet())),
        "");
    EXPECT_EQ(recent().first(), path(QStringLiteral("kissy.opj")));
}

TEST_F(FileCommandsTest, SaveFollowsTheProjectPathThatSaveAsMoved)
{
    const QString open = openProject();
    const QByteArray original = readFile(open);
    const QString moved = path(QStringLiteral("moved.opj"));
    dialogs.answers.push_back(moved);
    act("mnuSaveAs")->trigger();
    EXPECT_EQ(dialogs.asked, (Asked{{true, FileKind::Project, test::text::kProjectFilter,
                                     QFileInfo(open).completeBaseName()}}));
    EXPECT_EQ(window->document().path(), moved);
    EXPECT_EQ(recent(), QStringList({moved, open, QString(), QString()}));

    state.breedName = "Moved On";
    act("mnuSaveOPJ")->trigger();
    EXPECT_TRUE(readFile(moved).contains("\"Moved On\""));
    EXPECT_EQ(readFile(open), original);
    EXPECT_EQ(dialogs.asked.size(), 1u);
    EXPECT_TRUE(prompts.shown.empty());
}

// A failing save is told and keeps the old file.
TEST_F(FileCommandsTest, AFailingSaveKeepsTheFileItWouldReplace)
{
    const QString open = openProject();
    const QByteArray saved = readFile(open);
    state.breedName = "Lost?";
    state.tipCount = 8; // four tip pairs: more than a project holds
    act("mnuSaveOPJ")->trigger();
    prompts.expectOne(test::text::kNotSaved.arg(open), PromptIcon::Exclamation, false);
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_TRUE(prompts.shown[0].text.contains(QStringLiteral("Zott.loc")));
    EXPECT_EQ(readFile(open), saved);
}

TEST_F(FileCommandsTest, SavingAnEggOrPackageWritesThatFileAlone)
{
    const QString open = openProject(QStringLiteral("Quadrapus"), QStringLiteral("quad.opj"));
    const QString egg = path(QStringLiteral("eggs/Spotty.odd"));
    const QString package = path(QStringLiteral("My Breed.ypk"));
    QDir().mkpath(path(QStringLiteral("eggs")));
    dialogs.answers = {egg, package};
    state.breedName = "Spotty: the \"Best\"";
    const QString name = QStringLiteral("Spotty the Best"); // what a file name can hold
    act("mnuSaveODD")->trigger();
    // The note whole as the bar's tooltip, however narrow the bar.
    EXPECT_EQ(window->statusBar()->toolTip(), QStringLiteral("Egg written: ") + egg);
    act("mnuSaveYPK")->trigger();
    EXPECT_EQ(window->statusBar()->toolTip(), QStringLiteral("Package written: ") + package);
    EXPECT_EQ(dialogs.asked, (Asked{{true, FileKind::Egg, test::text::kEggFilter, name},
                                    {true, FileKind::Package, test::text::kPackageFilter, name}}));
    EXPECT_TRUE(prompts.shown.empty());
    // The same bytes the writer makes for this project.
    const QString reference = path(QStringLiteral("reference.odd"));
    saveODD(installation, state, window->document().shape(), reference, prompts);
    EXPECT_EQ(readFile(egg), readFile(reference));
    const QByteArray cabinet = readFile(package);
    EXPECT_TRUE(cabinet.startsWith("MSCF"));
    EXPECT_TRUE(cabinet.contains("My Breed.odd"));
    EXPECT_TRUE(cabinet.contains("ypkinfo.inf"));
    EXPECT_EQ(window->document().path(), open);
    EXPECT_EQ(recent(), QStringList({open, QString(), QString(), QString()}));
}

// An egg saved over the game's own says where the game's egg is kept; Restore Game Egg puts it
// back, offering only the breeds kept.
TEST_F(FileCommandsTest, TheGamesEggReplacedIsKeptAndRestored)
{
    QStringList offered;
    commands->setBreedChooser([&](const QStringList& breeds) {
        offered = breeds;
        return breeds.value(0);
    });
    act("mnuRestoreEgg")->trigger();
    prompts.expectOne(QStringLiteral("no original egg to put back"), PromptIcon::Information,
                      false);
    openProject(QStringLiteral("Norvil"), QStringLiteral("n.opj"));
    const QString egg = eggPath(QStringLiteral("Norvil"));
    const QByteArray original = readFile(egg);
    state.breedName = "Spotty";
    dialogs.answers = {egg};
    act("mnuSaveODD")->trigger();
    EXPECT_NE(readFile(egg), original);
    EXPECT_TRUE(window->statusBar()->toolTip().endsWith(
        QStringLiteral("The game's own egg is kept in ") +
        QDir::toNativeSeparators(installation.keptFolder("Norvil") +
                                 QStringLiteral("/original."))));
    act("mnuRestoreEgg")->trigger();
    EXPECT_EQ(offered, QStringList{QStringLiteral("Norvil")});
    EXPECT_EQ(readFile(egg), original);
    EXPECT_EQ(window->statusBar()->toolTip(), QStringLiteral("Original egg put back: ") + egg);
}

TEST_F(FileCommandsTest, AnEggOrPackageThatCannotBeWrittenWritesNothing)
{
    const QString open = openProject();
    const QByteArray project = readFile(open);
    const struct
    {
        const char* action;
        const char* what;
        QString target;
        const char* reason;
    } cases[] = {{"mnuSaveODD", "egg", open, "project file"},
                 {"mnuSaveYPK", "package", open, "project file"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.what) + ", " + c.reason);
        prompts.shown.clear();
        dialogs.answers.push_back(c.target);
        act(c.action)->trigger();
        prompts.expectOne(test::text::kNotWritten.arg(QLatin1String(c.what), c.target),
                          PromptIcon::Exclamation, false);
        EXPECT_TRUE(prompts.shown[0].text.contains(QLatin1String(c.reason)));
    }
    EXPECT_EQ(readFile(open), project);
}

// Past the base egg's room a write asks: Grow the Egg, for tips also Cut the Tips naming each tip
// cut or lost, or Cancel, which writes nothing. With growing on in Options it grows unasked.
// Either way the status bar says what grew.
TEST_F(FileCommandsTest, AWritePastTheBaseEggsRoomAsksToGrowIt)
{
    openProject();
    const QString egg = path(QStringLiteral("long.odd"));
    const qint64 baseSize = readFile(installation.baseEggPath("Zott")).size();
    const auto write = [&](std::deque<PromptAnswer> answers) {
        QFile::remove(egg);
        prompts.shown.clear();
        prompts.answers = std::move(answers);
        dialogs.answers.push_back(egg);
        act("mnuSaveODD")->trigger();
        return window->statusBar()->toolTip();
    };
    const std::string tips = state.regTips[0];
    state.regTips[0] = std::string(size_t(tipsUse(state).room) + 5, 't');
    write({PromptAnswer::Cancel});
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].buttons, PromptButtons::GrowOrCutTips);
    EXPECT_TRUE(prompts.shown[0].text.startsWith(kTipsTooLong));
    EXPECT_TRUE(prompts.shown[0].text.contains(QLatin1String(
        "\r\n\r\nRegistered tip 2 is lost, demo tip 2 is lost, registered tip 3 is lost, demo "
        "tip 3 is lost.\r\n\r\n")));
    EXPECT_FALSE(QFile::exists(egg));
    EXPECT_EQ(write({PromptAnswer::No}), QStringLiteral("Egg written: ") + egg);
    EXPECT_EQ(prompts.shown.size(), 1u); // the cut is not told twice
    EXPECT_EQ(QFileInfo(egg).size(), baseSize);
    EXPECT_TRUE(write({PromptAnswer::Yes}).contains(QLatin1String("; grown: #10 TIPS by ")));
    EXPECT_GT(QFileInfo(egg).size(), baseSize);

    state.regTips[0] = tips;
    state.breedDescription = std::string(size_t(state.locDescLen) + 5, 'x');
    write({PromptAnswer::Cancel});
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].buttons, PromptButtons::GrowTheEgg);
    EXPECT_TRUE(prompts.shown[0].text.contains(QLatin1String("description is 5 byte(s) too long")));
    EXPECT_FALSE(QFile::exists(egg));
    setting::optGrow.write(settings, QStringLiteral("1"));
    EXPECT_TRUE(write({PromptAnswer::Cancel}).contains(QLatin1String("; grown: ")));
    EXPECT_TRUE(prompts.shown.empty());
}

// The growing questions show their choices in their own words, each answering as the writer
// reads it.
TEST(GuiPromptsTest, GrowingQuestionsNameTheirChoices)
{
    GuiPrompts prompts;
    const struct
    {
        PromptButtons buttons;
        const char* click;
        const char* shown; // the buttons, in alphabetical order
        PromptAnswer answer;
    } cases[] = {
        {PromptButtons::GrowOrCutTips, "Cut the Tips", "Cancel|Cut the Tips|Grow the Egg",
         PromptAnswer::No},
        {PromptButtons::GrowOrCutTips, "Grow the Egg", "Cancel|Cut the Tips|Grow the Egg",
         PromptAnswer::Yes},
        {PromptButtons::GrowTheEgg, "Cancel", "Cancel|Grow the Egg", PromptAnswer::Cancel}};
    for (const auto& c : cases) {
        QStringList shown;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_TRUE(box);
            for (QAbstractButton* button : box->buttons())
                shown << button->text().remove(QLatin1Char('&'));
            shown.sort();
            for (QAbstractButton* button : box->buttons())
                if (button->text().remove(QLatin1Char('&')) == QLatin1String(c.click))
                    button->click();
        });
        EXPECT_EQ(prompts.question(QStringLiteral("?"), c.buttons, PromptIcon::Question), c.answer);
        EXPECT_EQ(shown.join(QLatin1Char('|')), QLatin1String(c.shown));
    }
}

TEST_F(FileCommandsTest, ARemovedRecentFileKeepsItsEntry)
{
    const QString gone = makeProject(QStringLiteral("Lips"), QStringLiteral("gone.opj"));
    const QString open = openProject();
    window->document().CycleRecentFiles(gone);
    ASSERT_TRUE(QFile::remove(gone));

    prompts.answers = {PromptAnswer::No};
    act("mnuRecentFile1")->trigger();
    ASSERT_EQ(prompts.shown.size(), 2u);
    EXPECT_EQ(prompts.shown[0].text, kSaveQuestion);
    EXPECT_EQ(prompts.shown[1].text, test::text::kRecentFileGone);
    EXPECT_EQ(prompts.shown[1].icon, PromptIcon::Information);
    EXPECT_EQ(recent(), QStringList({gone, open, QString(), QString()}));
    EXPECT_EQ(window->document().path(), open);
}

TEST_F(FileCommandsTest, AChosenRecentFileReopensAtTheTop)
{
    const QString other = makeProject(QStringLiteral("Lips"), QStringLiteral("other.opj"));
    const QString open = openProject();
    window->document().CycleRecentFiles(other);
    prompts.answers = {PromptAnswer::No};
    state.breedName = "Unsaved";
    act("mnuRecentFile2")->trigger();
    EXPECT_EQ(state.breedName, sample::breed(3).breedName);
    EXPECT_EQ(recent(), QStringList({open, other, QString(), QString()}));
    EXPECT_EQ(act("mnuRecentFile1")->text(), open);
}

TEST_F(FileCommandsTest, SaveShortcutsDoNothingBeforeAProjectExists)
{
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    window->activateWindow();
    auto* file = test::child<QMenu>(window.get(), "mnuFile");
    emit file->aboutToShow();
    for (Qt::Key key : {Qt::Key_S, Qt::Key_K, Qt::Key_E})
        QTest::keyClick(window.get(), key, Qt::ControlModifier);
    commands->Save();
    commands->SaveEgg();
    commands->SavePackage();
    commands->SaveAs();
    EXPECT_TRUE(dialogs.asked.empty());
    EXPECT_TRUE(prompts.shown.empty());

    openProject(); // once a project is open the shortcuts work
    emit file->aboutToShow();
    EXPECT_TRUE(act("mnuSaveAs")->isEnabled());
    QTest::keyClick(window.get(), Qt::Key_K, Qt::ControlModifier);
    EXPECT_EQ(dialogs.asked, (Asked{{true, FileKind::Egg, test::text::kEggFilter,
                                     QString::fromLatin1(state.breedName)}}));
}

TEST_F(FileCommandsTest, ExportBreedSheetDrawsThePalettesColours)
{
    const QString project = openProject(QStringLiteral("Quadrapus"), QStringLiteral("q.opj"));
    // The sheet shows the document's shape, as the preview does.
    const BreedShape& shape = window->document().shape();
    // Distinct fills in both sets, no colour among them; discs of one size, so sprecks keep clear
    // of the centres.
    for (int i = 0; i < 2 * shape.ballsPerSet(); ++i) {
        state.eBalls[size_t(i)].fillColor = int16_t(i % 7 == 3 ? -1 : (i * 37 + 5) % 256);
        state.eBalls[size_t(i)].diameter = 40;
    }
    state.breedDescription = "Says \x94hi\x94"; // a typed quote, stored as the project keeps it
    const BreedSheet sheet = breedSheet(state, shape);
    ASSERT_EQ(sheet.swatches.size(), size_t(2 * shape.ballsPerSet()));
    // Labels changed on disk since the project opened are not the sheet's.
    test::writeFile(installation.infoFilePath(state.baseBreed),
                    informationFileBytes(shape.header, {"elsewhere"}));

    const QString png = path(QStringLiteral("sheet.png"));
    const QString svg = path(QStringLiteral("sheet.svg"));
    dialogs.answers = {png, svg};
    for (int i = 0; i < 2; ++i)
        act("mnuExportSheet")->trigger();

    const QImage picture(png);
    ASSERT_FALSE(picture.isNull());
    for (const SheetSwatch& swatch : sheet.swatches) {
        // A baby is drawn in its adult's colours.
        const int16_t fill =
            state.eBalls[size_t(colourRecordOf(swatch.record, int(sheet.swatches.size() / 2)))]
                .fillColor;
        // No colour is hatched grey on white around the centre: never black, never blank.
        QSet<QRgb> inks;
        for (int d = -4; d <= 4 && fill < 0; ++d)
            inks << picture.pixel(int(swatch.cx) + d, int(swatch.cy))
                 << picture.pixel(int(swatch.cx), int(swatch.cy) + d);
        if (fill < 0)
            EXPECT_EQ(inks, QSet<QRgb>({qRgb(255, 255, 255), qRgb(128, 128, 128)}));
        else
            EXPECT_EQ(picture.pixelColor(int(swatch.cx), int(swatch.cy)), test::paletteQColor(fill))
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
    // What it draws is checked with the core; the quote shows as the egg will hold it.
    EXPECT_TRUE(readFile(svg).contains("Says &quot;hi&quot;"));
    EXPECT_FALSE(readFile(svg).contains("elsewhere"));
    EXPECT_TRUE(prompts.shown.empty());
}

// The sheet never replaces its project; the failure is told.
TEST_F(FileCommandsTest, ABreedSheetNeverReplacesItsProject)
{
    const QString project = openProject();
    const QByteArray projectBytes = readFile(project);
    dialogs.answers = {project};
    act("mnuExportSheet")->trigger();
    prompts.expectOne(QStringLiteral("The breed sheet"), PromptIcon::Exclamation, false);
    EXPECT_EQ(readFile(project), projectBytes);
}

TEST_F(FileCommandsTest, AShownBreedSheetClosesWithEscapeCtrlWOrCtrlF4)
{
    openProject();
    dialogs.answers = {path(QStringLiteral("a.png")), path(QStringLiteral("b.svg")),
                       path(QStringLiteral("c.png"))};
    for (int i = 0; i < 3; ++i)
        act("mnuExportSheet")->trigger();
    const QList<QWidget*> sheets = window->findChildren<QWidget*>(QStringLiteral("frmBreedSheet"));
    ASSERT_EQ(sheets.size(), 3);
    for (const auto& [sheet, key] : {std::pair(sheets[0], QKeySequence(Qt::Key_Escape)),
                                     std::pair(sheets[1], QKeySequence(Qt::CTRL | Qt::Key_W)),
                                     std::pair(sheets[2], QKeySequence(Qt::CTRL | Qt::Key_F4))}) {
        sheet->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(sheet));
        QTest::keySequence(sheet, key);
        EXPECT_FALSE(sheet->isVisible()) << key.toString().toStdString();
    }
}

} // namespace yw
