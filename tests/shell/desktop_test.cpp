#include "document/recentfiles.h"
#include "shell/dialogs/optionsdialog.h"
#include "shell/help/aboutdialog.h"
#include "shell/help/changelog.h"
#include "shell/mainwindow/mainwindow.h"
#include "shell/mainwindow/splash.h"
#include "shell/mainwindow/startup.h"
#include "shell/mainwindow/tiling.h"
#include "shell/toolbar/toolbarcolours.h"
#include "shell/toolbar/toolbarstrip.h"
#include "support/guitest.h"

namespace yw {

using namespace test;

TEST(AboutBox, BeepsOnceOnOpening)
{
    int beeps = 0;
    AboutDialog about(QStringLiteral("0310"), nullptr, [&] { ++beeps; });
    EXPECT_EQ(beeps, 1);
}

TEST(AboutBox, CreditsTheBuildWithItsYears)
{
    AboutDialog about(QStringLiteral("0310"), nullptr, [] {});
    EXPECT_TRUE(about.credits()->toPlainText().contains(QStringLiteral("Build 0310")));
    EXPECT_TRUE(about.credits()->toPlainText().contains(
        QStringLiteral("1997-%1").arg(QDate::currentDate().year())));
    EXPECT_TRUE(creditsText(QStringLiteral("0310"), 2031).contains(QStringLiteral("1997-2031")));
}

TEST(ChangeLog, FollowsTheReleaseLayout)
{
    // The log, oldest first: a heading and the points of each release.
    const QStringList releases = changeLogText().split(QStringLiteral("\n\n"));
    EXPECT_EQ(releases.first(),
              QStringLiteral("Build 0250 (September 14, 2026)\n\u00B7 First public release."));
    EXPECT_TRUE(releases.last().startsWith(QStringLiteral("Build 0309 (")));
    ChangeLogDialog dialog;
    EXPECT_EQ(dialog.logText()->toPlainText(), changeLogText());
}

// Records the order of the writes as well as the values.
struct RecordingStore : MemorySettingsStore
{
    void write(const QString& section, const QString& key, const QString& value) override
    {
        writes.push_back(key);
        MemorySettingsStore::write(section, key, value);
    }
    QString main(const char* key) const
    {
        return read(kSectionMain, QLatin1String(key), QStringLiteral("<absent>"));
    }
    QStringList writes;
};

// The dialog shows each setting as the program reads it (no leading number is off, a greyed box
// stays greyed), and OK writes all five back in this order, then rereads the locators.
TEST(Options, OkRewritesEveryOptionInOrderFromWhatIsShown)
{
    const std::vector<Qt::CheckState> on(3, Qt::Checked);
    const struct
    {
        const char* name;
        std::vector<std::pair<const char*, const char*>> stored;
        const char* clicks;                // the ask box, the splash box, US, growing
        std::vector<Qt::CheckState> shown; // ask, versions, splash
        bool uk;
        const char* written;
    } cases[] = {
        {"none stored", {}, "", on, false, "1 1 1 False 0"},
        {"UK stored", {{"optUK", "1"}, {"optGrow", "1"}}, "", on, true, "1 1 1 True 1"},
        {"four clicked", {{"optUK", "1"}}, "asug", on, true, "0 1 0 False 1"},
        {"odd values",
         {{"optSplash", "often"}, {"optAsk", "7"}, {"optProjVers", "2"}, {"optUK", "maybe"}},
         "",
         {Qt::Checked, Qt::PartiallyChecked, Qt::Unchecked},
         true,
         "1 2 0 True 0"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingStore settings;
        for (const auto& [key, value] : c.stored)
            settings.write(kSectionMain, QLatin1String(key), QLatin1String(value));
        settings.writes.clear();
        Installation install;
        std::vector<Edition> reread;
        OptionsDialog dialog(settings, install, [&] { reread.push_back(install.edition); });
        EXPECT_EQ(std::vector({dialog.optAsk()->checkState(), dialog.optProjVers()->checkState(),
                               dialog.optSplash()->checkState()}),
                  c.shown);
        EXPECT_EQ(dialog.ukOption()->isChecked(), c.uk);
        EXPECT_TRUE(settings.writes.isEmpty() && reread.empty()); // loading writes nothing
        for (char click : std::string(c.clicks))
            (click == 'a'   ? static_cast<QAbstractButton*>(dialog.optAsk())
             : click == 's' ? static_cast<QAbstractButton*>(dialog.optSplash())
             : click == 'g' ? static_cast<QAbstractButton*>(dialog.optGrow())
                            : dialog.usOption())
                ->click();
        QTest::mouseClick(dialog.btnOK(), Qt::LeftButton);
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        const QStringList order = {QStringLiteral("optAsk"), QStringLiteral("optProjVers"),
                                   QStringLiteral("optSplash"), QStringLiteral("optUK"),
                                   QStringLiteral("optGrow")};
        EXPECT_EQ(settings.writes, order);
        EXPECT_EQ((QStringList{settings.main("optAsk"), settings.main("optProjVers"),
                               settings.main("optSplash"), settings.main("optUK"),
                               settings.main("optGrow")})
                      .join(QLatin1Char(' ')),
                  QLatin1String(c.written));
        const Edition chosen =
            settings.main("optUK") == QLatin1String("True") ? Edition::UK : Edition::US;
        EXPECT_EQ(install.edition, chosen);
        EXPECT_EQ(reread, std::vector{chosen}); // after the writes
        EXPECT_EQ(install.askBeforeBrowsing, c.written[0] == '1');
    }
}

TEST(Options, AGreyedBoxClicksIntoThePlainStates)
{
    RecordingStore settings;
    settings.write(kSectionMain, QStringLiteral("optSplash"), QStringLiteral("2"));
    Installation install;
    OptionsDialog dialog(settings, install, [] {});
    for (Qt::CheckState expected : {Qt::Checked, Qt::Unchecked, Qt::Checked}) {
        dialog.optSplash()->click();
        EXPECT_EQ(dialog.optSplash()->checkState(), expected);
    }
}

TEST(Options, CancelWritesNothingButTheSiteInputs)
{
    RecordingStore settings;
    settings.write(kSectionMain, QStringLiteral("YPKURL"), QStringLiteral("http://old.example/"));
    settings.write(kSectionMain, QStringLiteral("optSplash"), QStringLiteral("2"));
    Installation install;
    int rereads = 0;
    QStringList answers = {QStringLiteral("My Eggs"), QString()}, asked;
    OptionsDialog dialog(
        settings, install, [&] { ++rereads; }, nullptr,
        [&](QWidget*, const QString& title, const QString& prompt, const QString& initial) {
            asked << title << prompt << initial;
            return answers.takeFirst();
        });
    dialog.optSplash()->click();
    dialog.optAsk()->click();
    dialog.btnSiteName()->click();
    dialog.btnURL()->click(); // the input box's Cancel answers an empty text
    dialog.btnCancel()->click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(settings.main("YPKSiteName"), QStringLiteral("My Eggs"));
    EXPECT_EQ(settings.main("YPKURL"), QString());
    EXPECT_EQ(settings.main("optAsk"), QStringLiteral("<absent>"));
    EXPECT_EQ(settings.main("optSplash"), QStringLiteral("2"));
    EXPECT_EQ(rereads, 0);
    EXPECT_TRUE(install.askBeforeBrowsing);
    EXPECT_EQ(asked,
              QStringList({QStringLiteral("Yolkwright"), test::text::kSiteNamePrompt, QString(),
                           QStringLiteral("Yolkwright"), test::text::kSiteUrlPrompt,
                           QStringLiteral("http://old.example/")}));
}

TEST(Toolbar, OnlyAnArmedClickActs)
{
    ToolbarStrip strip;
    strip.resize(600, ToolbarStrip::kStripHeight);
    strip.show();
    QSignalSpy clicks(&strip, &ToolbarStrip::buttonClicked);
    StripControl* open = strip.button(ToolbarStrip::Open);
    const auto press = [](QWidget* at, Qt::MouseButton button) {
        QTest::mousePress(at, button, {}, QPoint(4, 4));
    };
    open->click(); // nothing has armed the strip yet
    EXPECT_EQ(clicks.count(), 0);
    press(open, Qt::LeftButton);
    EXPECT_FALSE(strip.buttonArmed());
    QTest::mouseRelease(open, Qt::LeftButton, {}, QPoint(4, 4));
    ASSERT_EQ(clicks.count(), 1);
    EXPECT_EQ(clicks.takeFirst().at(0).toInt(), ToolbarStrip::Open);
    // A right press disarms; a click arriving before any left release does nothing.
    press(open, Qt::RightButton);
    QTest::mouseRelease(open, Qt::RightButton, {}, QPoint(4, 4));
    EXPECT_FALSE(strip.buttonArmed());
    open->click();
    EXPECT_EQ(clicks.count(), 0);
    // Right press, then a left click: the left release arms again and the click acts.
    press(open, Qt::RightButton);
    QTest::mouseClick(open, Qt::LeftButton, {}, QPoint(4, 4));
    EXPECT_EQ(clicks.count(), 1);
    // Released outside the button: armed, but no click.
    press(strip.button(ToolbarStrip::About), Qt::LeftButton);
    QTest::mouseRelease(strip.button(ToolbarStrip::About), Qt::LeftButton, {}, QPoint(40, 40));
    EXPECT_TRUE(strip.buttonArmed());
    EXPECT_EQ(clicks.count(), 1);
}

TEST(Toolbar, SaveNeedsAProject)
{
    ToolbarStrip strip;
    strip.resize(600, ToolbarStrip::kStripHeight);
    strip.show();
    QSignalSpy clicks(&strip, &ToolbarStrip::buttonClicked);
    QMenu saveMenu;
    saveMenu.addAction(QStringLiteral("Project..."));
    strip.setSaveMenu(&saveMenu);
    QTest::mouseClick(strip.button(ToolbarStrip::Save), Qt::LeftButton);
    QTest::mouseClick(strip.saveArrow(), Qt::LeftButton);
    EXPECT_EQ(clicks.count(), 0);
    EXPECT_FALSE(saveMenu.isVisible());
    strip.setProjectOpen(true);
    QTest::mouseClick(strip.button(ToolbarStrip::Save), Qt::LeftButton);
    ASSERT_EQ(clicks.count(), 1);
    EXPECT_EQ(clicks.at(0).at(0).toInt(), ToolbarStrip::Save);
    // The arrow drops the Save menu below itself.
    strip.move(100, 100);
    QTest::mouseClick(strip.saveArrow(), Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_TRUE(saveMenu.isVisible());
    EXPECT_EQ(saveMenu.pos(), strip.saveArrow()->mapToGlobal(QPoint(0, 18)));
}

TEST(ToolbarColours, TheStripIsALighterShadeOfTheFace)
{
    // Reference values worked out independently with single-precision arithmetic: {face, strip,
    // fade 0, 1, 2}. Grey 240 + 0.025 lands on 246.5, which rounds to the even 246; the top clips.
    const std::array<std::array<int, 3>, 5> cases[] = {
        {{{212, 208, 200}, {234, 232, 229}, {229, 226, 221}, {223, 220, 214}, {218, 214, 207}}},
        {{{236, 233, 216}, {253, 252, 250}, {249, 248, 242}, {244, 243, 233}, {240, 238, 225}}},
        {{{240, 240, 240}, {255, 255, 255}, {255, 255, 255}, {253, 253, 253}, {246, 246, 246}}}};
    const auto value = [](const std::array<int, 3>& c) { return colourValue(c[0], c[1], c[2]); };
    for (const auto& c : cases)
        EXPECT_EQ(stripColoursFor(value(c[0])),
                  (StripColours{value(c[1]), {value(c[2]), value(c[3]), value(c[4])}}));
    // Red strongest with green below blue: the hue is negative and is not wrapped.
    EXPECT_EQ(liftLightness(colourValue(200, 50, 100), 0.1f), colourValue(213, 88, 130));
    EXPECT_EQ(liftLightness(colourValue(0, 0, 128), 0.1f), colourValue(0, 0, 179));
    for (ColourValue same :
         {colourValue(40, 160, 80), colourValue(90, 30, 200), colourValue(200, 180, 20)})
        EXPECT_EQ(liftLightness(same, 0.0f), same);
}

TEST(ToolbarColours, TheCacheRecomputesOnlyAfterTheFaceChanged)
{
    // Recomputed only after the face changed; the cache starts at black.
    StripColourCache cache;
    EXPECT_FALSE(cache.update(colourValue(0, 0, 0)).has_value());
    const ColourValue face = colourValue(212, 208, 200);
    EXPECT_EQ(cache.update(face), stripColoursFor(face));
    EXPECT_FALSE(cache.update(face).has_value());
}

TEST(ToolbarColours, TheStripIsPaintedInThemTheButtonsInTheFace)
{
    // The strip is painted in them; the buttons keep the plain face colour.
    ToolbarStrip painted;
    QPalette palette = painted.palette();
    palette.setColor(QPalette::Button, QColor(212, 208, 200));
    painted.setPalette(palette);
    painted.resize(600, ToolbarStrip::kStripHeight);
    const QImage image = painted.holder()->grab().toImage();
    EXPECT_EQ(image.pixelColor(1, 1), QColor(234, 232, 229));
    EXPECT_EQ(image.pixelColor(3, 3), QColor(212, 208, 200));
}

class StartUpTest : public test::TempFolderTest
{
protected:
    void SetUp() override
    {
        TempFolderTest::SetUp();
        game = dir.filePath(QStringLiteral("Oddballz"));
        test::writeFile(game + QStringLiteral("/oddballz.wad"), QByteArray(100, 'w'));
        test::writeFile(dir.filePath(QStringLiteral("windows/oddballz.ini")),
                        "[Oddballz]\r\nlast oddball=" + game.toUtf8() + "/\r\n");
        test::writeFile(dir.filePath(QStringLiteral("program/res/Quadrapus.blz")),
                        "\"qp_small.lnz\",\"qp.lnz\",1\r\nhead\r\n");
        env.insert(QStringLiteral("windir"), dir.filePath(QStringLiteral("windows")));
        settings.write(kSectionMain, QStringLiteral("CheckedCountry"), QStringLiteral("1"));
    }
    // Runs the start-up; when it fails, the one message shown.
    std::unique_ptr<EditorStartUp> run(bool succeeds)
    {
        auto startUp = std::make_unique<EditorStartUp>(install, state, fso, settings, prompts);
        startUp->setProgramFolder(dir.filePath(QStringLiteral("program")));
        EXPECT_EQ(startUp->run(QString(), env), succeeds);
        EXPECT_EQ(startUp->mainWindow() != nullptr, succeeds);
        EXPECT_EQ(prompts.shown.size(), succeeds ? 0u : 1u);
        return startUp;
    }
    QString told() const { return prompts.shown.empty() ? QString() : prompts.shown[0].text; }

    QString game;
    QProcessEnvironment env;
    FileSystem fso;
    Installation install;
    ProjectState state;
    MemorySettingsStore settings;
    ScriptedPrompts prompts;
};

TEST_F(StartUpTest, ShowsTheWindowWithTheSplash)
{
    auto startUp = run(true);
    EXPECT_TRUE(startUp->mainWindow()->isVisible());
    // The first run: larger than the 1997 design, yet within 80 % of the screen.
    const QSize screen = QGuiApplication::primaryScreen()->availableGeometry().size();
    const QSize size = startUp->mainWindow()->size();
    EXPECT_TRUE(size.width() > 464 && size.height() > 388) << size.width() << "x" << size.height();
    EXPECT_TRUE(size.width() <= screen.width() * 4 / 5 && size.height() <= screen.height() * 4 / 5);
    EXPECT_EQ(startUp->mainWindow()->windowTitle(), test::text::kWindowTitle);
    EXPECT_EQ(install.gameFolder, game);
    EXPECT_EQ(state.baseBreed, "Quadrapus");
    QPointer<Splash> splash = startUp->splash();
    ASSERT_TRUE(splash);
    EXPECT_TRUE(splash->isVisible());
    EXPECT_EQ(splash->spVer->text(), QStringLiteral("Build 0310"));
    QTest::mouseClick(splash, Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([&] { return splash.isNull(); }, 2000));
}

TEST_F(StartUpTest, ShowsNoSplashWhenItIsSwitchedOff)
{
    settings.write(kSectionMain, QStringLiteral("optSplash"), QStringLiteral("0"));
    auto startUp = run(true);
    EXPECT_TRUE(!startUp->splash() || !startUp->splash()->isVisible());
}

TEST_F(StartUpTest, EndsWithOneMessageWithoutTheGame)
{
    env.insert(QStringLiteral("windir"), dir.filePath(QStringLiteral("nowhere")));
    EXPECT_EQ(run(false)->splash(), nullptr);
    EXPECT_TRUE(told().startsWith(test::text::kNoGame + QStringLiteral(" Yolkwright "
                                                                       "looked for oddballz.ini")))
        << told().toStdString();
}

TEST_F(StartUpTest, EndsWithOneCriticalMessageOnABrokenSetting)
{
    settings.write(kSectionMdi, QStringLiteral("Height"), QStringLiteral("tall"));
    run(false);
    EXPECT_EQ(prompts.shown[0].icon, PromptIcon::Critical);
    // The reason between the brackets comes from the system.
    const QString framed = test::text::kCritical.arg(13).arg(QString(), QStringLiteral("mfmCore"));
    const qsizetype reason = framed.indexOf(QStringLiteral("() in ")) + 1;
    EXPECT_TRUE(told().startsWith(framed.left(reason)) && told().endsWith(framed.mid(reason)))
        << told().toStdString();
    EXPECT_EQ(criticalStartUpMessage(53, QStringLiteral("/x/oddballz.wad: No such file"),
                                     QStringLiteral("mfmCore")),
              test::text::kCritical.arg(53).arg(QStringLiteral("/x/oddballz.wad: No such file"),
                                                QStringLiteral("mfmCore")));
}

// The File menu's placeholder and four entries, with the settings behind them.
class RecentMenu : public ::testing::Test
{
protected:
    static QString p(const char* name)
    {
        return QStringLiteral("/home/pat/breeds/%1.opj").arg(QLatin1String(name));
    }
    QStringList shown() const
    {
        QStringList texts;
        for (const QAction& item : owned)
            texts << (item.isVisible() ? item.text() : QStringLiteral("-"));
        return texts;
    }
    QString stored(const char* key) const
    {
        return settings.read(kSectionRecent, QLatin1String(key), QString());
    }

    std::array<QAction, 5> owned;
    MemorySettingsStore settings;
    RecentFiles recent{settings, {&owned[0], &owned[1], &owned[2], &owned[3], &owned[4]}};
};

TEST_F(RecentMenu, ListsEachFileOnceNewestFirst)
{
    for (const char* name : {"D", "A", "C", "B", "E"})
        recent.CycleRecentFiles(p(name));
    EXPECT_EQ(recent.entries(), QStringList({p("E"), p("B"), p("C"), p("A")}));
    EXPECT_EQ(QStringList({stored("1st"), stored("2nd"), stored("3rd"), stored("4th")}),
              recent.entries());
    // A listed file moves to the top, nothing falls off; the top again writes nothing.
    recent.CycleRecentFiles(p("C"));
    EXPECT_EQ(recent.entries(), QStringList({p("C"), p("E"), p("B"), p("A")}));
    recent.CycleRecentFiles(p("A"));
    EXPECT_EQ(recent.entries(), QStringList({p("A"), p("C"), p("E"), p("B")}));
    const int writes = settings.writeCount();
    recent.CycleRecentFiles(p("A"));
    EXPECT_EQ(settings.writeCount(), writes);
}

TEST_F(RecentMenu, NamesDifferingInLetterCaseAreTwoFiles)
{
    for (const char* name : {"C", "A", "c"})
        recent.CycleRecentFiles(p(name));
    EXPECT_EQ(recent.entries().mid(0, 3), QStringList({p("c"), p("A"), p("C")}));
}

TEST_F(RecentMenu, TheMenuShowsThePlaceholderOrTheEntriesReadAfreshEachTime)
{
    for (QAction& item : owned)
        item.setVisible(true);
    recent.ShowRecentFiles();
    EXPECT_EQ(shown().mid(1), QStringList(4, QStringLiteral("-")));
    EXPECT_TRUE(owned[0].isVisible());
    // Another editor wrote the settings meanwhile.
    settings.write(kSectionRecent, QStringLiteral("3rd"), p("elsewhere"));
    recent.CycleRecentFiles(p("first"));
    EXPECT_EQ(recent.entries(), QStringList({p("first"), QString(), QString(), p("elsewhere")}));
    EXPECT_EQ(shown(), QStringList({QStringLiteral("-"), p("first"), QStringLiteral("-"),
                                    QStringLiteral("-"), p("elsewhere")}));
    // The stored entry is the path unchanged; only the menu text escapes the access-key mark.
    const QString path = QStringLiteral("/home/pat/Salt & Pepper/S&P.opj");
    recent.CycleRecentFiles(path);
    EXPECT_EQ(recent.entry(1), path);
    EXPECT_EQ(owned[1].text(), QStringLiteral("/home/pat/Salt && Pepper/S&&P.opj"));
    EXPECT_EQ(owned[1].iconText(), path);
}

// Answers a real file dialog in `folder` with `name`, or cancels it without a name.
static std::function<void(QFileDialog&)> answer(const QString& folder, const char* name)
{
    return [folder, name](QFileDialog& dialog) {
        dialog.setDirectory(folder);
        if (!name)
            return dialog.reject();
        dialog.selectFile(QLatin1String(name));
        static_cast<QDialog&>(dialog).accept();
    };
}

TEST(QtFileDialogs, AddTheKindsExtension)
{
    QTemporaryDir eggs, projects;
    QtFileDialogs dialogs;
    QString path;
    whileModal<QFileDialog>([&] { path = dialogs.savePath(FileKind::Egg, kEggFilter); },
                            [&](QFileDialog& dialog) {
                                EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptSave);
                                EXPECT_EQ(dialog.nameFilters(), QStringList({kEggFilter}));
                                answer(eggs.path(), "Spotty")(dialog);
                            });
    EXPECT_EQ(path, QDir::toNativeSeparators(eggs.filePath(QStringLiteral("Spotty.odd"))));
    // A name with its own extension keeps it.
    whileModal<QFileDialog>([&] { path = dialogs.savePath(FileKind::Project, kProjectFilter); },
                            answer(projects.path(), "Spotty.OPJ"));
    EXPECT_EQ(path, QDir::toNativeSeparators(projects.filePath(QStringLiteral("Spotty.OPJ"))));
    whileModal<QFileDialog>([&] { path = dialogs.savePath(FileKind::Sheet, kSheetFilter); },
                            [&](QFileDialog& dialog) {
                                dialog.selectNameFilter(
                                    kSheetFilter.section(QStringLiteral(";;"), 1));
                                answer(projects.path(), "Spotty")(dialog);
                            });
    EXPECT_EQ(path, QDir::toNativeSeparators(projects.filePath(QStringLiteral("Spotty.svg"))));
}

// Each kind opens where it was last used, or in the fallback folder, or in the last folder of
// any kind, or at home.
TEST(QtFileDialogs, RememberEachKindsFolder)
{
    QTemporaryDir eggs, projects;
    QtFileDialogs dialogs;
    QString fallback = projects.filePath(QStringLiteral("gone"));
    dialogs.setFallbackFolder([&] { return fallback; });
    EXPECT_EQ(dialogs.startFolder(FileKind::Egg), QDir::homePath()); // a folder gone is passed over
    fallback = projects.path();
    EXPECT_EQ(dialogs.startFolder(FileKind::Egg), projects.path());
    QString path;
    whileModal<QFileDialog>([&] { path = dialogs.openPath(FileKind::Project, kProjectFilter); },
                            [&](QFileDialog& dialog) {
                                EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptOpen);
                                EXPECT_EQ(dialog.nameFilters().size(), 2);
                                answer(eggs.path(), nullptr)(dialog);
                            });
    EXPECT_TRUE(path.isEmpty()); // Cancel forgets nothing
    EXPECT_EQ(dialogs.startFolder(FileKind::Project), projects.path());
    whileModal<QFileDialog>([&] { dialogs.savePath(FileKind::Egg, kEggFilter); },
                            answer(eggs.path(), "Spotty"));
    whileModal<QFileDialog>([&] { dialogs.savePath(FileKind::Project, kProjectFilter); },
                            answer(projects.path(), "Spotty"));
    EXPECT_EQ(dialogs.startFolder(FileKind::Egg), eggs.path());
    EXPECT_EQ(dialogs.startFolder(FileKind::Project), projects.path());
    fallback.clear();
    EXPECT_EQ(dialogs.startFolder(FileKind::Package), projects.path());
}

TEST(Tiling, SharesTheLengthWithoutGoingBelowAnyLeastExtent)
{
    const struct
    {
        const char* name;
        std::vector<int> least;
        int length;
        std::vector<TileSpan> spans;
    } rows[] = {
        {"even shares, the rest to the last", {0, 0, 0}, 100, {{0, 33}, {33, 33}, {66, 34}}},
        {"a needy window takes its least", {10, 80}, 100, {{0, 20}, {20, 80}}},
        {"least extents fill it exactly", {50, 50}, 100, {{0, 50}, {50, 50}}},
        {"one pixel short: the last overlaps", {50, 51}, 100, {{0, 50}, {49, 51}}},
        {"far too short: each keeps a strip", {80, 80, 80}, 100, {{0, 80}, {10, 80}, {20, 80}}},
    };
    for (const auto& row : rows)
        EXPECT_EQ(tileSpans(row.least, row.length), row.spans) << row.name;
}

} // namespace yw
