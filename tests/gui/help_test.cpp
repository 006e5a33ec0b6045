#include "messages.h"
#include "model/projectstate.h"
#include "shell/help/aboutdialog.h"
#include "shell/help/changelog.h"
#include "shell/help/helpcommands.h"
#include "shell/help/helpviewer.h"
#include "shell/help/weblinks.h"
#include "support/testsupport.h"

#include <QAction>
#include <QApplication>
#include <QDate>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTimer>
#include <gtest/gtest.h>

namespace yw {

using test::ScriptedPrompts;

namespace {

// Runs `check` on the modal dialog that the next exec() shows, then closes it.
void whenModalShows(std::function<void(QWidget*)> check)
{
    QTimer::singleShot(0, [check] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        check(modal);
        if (modal->isVisible())
            modal->close();
    });
}

} // namespace

TEST(WebLinks, GoingOnlineAsksFirstOnlyWhenWanted)
{
    ScriptedPrompts prompts;
    std::vector<QUrl> opened;
    const UrlOpener open = [&](const QUrl& url) {
        opened.push_back(url);
        return false; // a failing browser changes nothing
    };

    prompts.answers = {PromptAnswer::No};
    EXPECT_FALSE(goOnline(WebPlace::AmberOddballz, QString(), true, prompts, open));
    EXPECT_TRUE(opened.empty());
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text, test::text::kVisit);
    EXPECT_EQ(prompts.shown[0].icon, PromptIcon::Question);

    prompts.answers = {PromptAnswer::Yes};
    EXPECT_TRUE(goOnline(WebPlace::Update, QStringLiteral("0310"), true, prompts, open));
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_TRUE(opened[0].toString().endsWith(QStringLiteral("bldno=0310")));
    EXPECT_EQ(prompts.shown.back().text, test::text::kCheckUpdates);

    EXPECT_TRUE(goOnline(WebPlace::HostYourOddballz, QString(), false, prompts, open));
    EXPECT_EQ(prompts.shown.size(), 2u); // no question this time
    EXPECT_EQ(opened.back(), webAddress(WebPlace::HostYourOddballz, QString()));
    EXPECT_EQ(QString::fromLatin1(webLink(WebPlace::HostYourOddballz).question),
              test::text::kHostQuestion);
}

class HelpMenu : public ::testing::Test
{
protected:
    void SetUp() override
    {
        state.buildNo = "0310";
        state.programFolder = dir.path();
        commands = std::make_unique<HelpCommands>(state, prompts, &owner, [this](const QUrl& url) {
            opened.push_back(url);
            return true;
        });
        commands->populate(&menu);
    }
    QAction* item(const char* name) { return menu.findChild<QAction*>(QString::fromLatin1(name)); }

    QTemporaryDir dir;
    ProjectState state;
    ScriptedPrompts prompts;
    QWidget owner;
    QMenu menu;
    std::vector<QUrl> opened;
    std::unique_ptr<HelpCommands> commands;
};

TEST_F(HelpMenu, SiteItemsFollowTheAskSetting)
{
    state.askBeforeBrowsing = false;
    item("siteNeo")->trigger();
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].path(), QStringLiteral("/oddballz/"));
    EXPECT_TRUE(prompts.shown.empty());

    state.askBeforeBrowsing = true;
    prompts.answers = {PromptAnswer::No, PromptAnswer::Yes};
    item("mnuUpdate")->trigger();
    EXPECT_EQ(opened.size(), 1u);
    item("mnuUpdate")->trigger();
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[1].query(), QStringLiteral("bldno=0310"));
    EXPECT_EQ(prompts.shown.size(), 2u);
}

TEST_F(HelpMenu, AboutBoxBeepsOnceAndCreditsTheCurrentYear)
{
    int beeps = 0;
    AboutDialog about(QStringLiteral("0310"), nullptr, [&] { ++beeps; });
    EXPECT_EQ(beeps, 1);
    EXPECT_TRUE(about.credits()->isReadOnly());
    const QString credits = about.credits()->toPlainText();
    EXPECT_TRUE(credits.contains(QStringLiteral("Build 0310")));
    EXPECT_TRUE(credits.contains(QStringLiteral("1997-%1").arg(QDate::currentDate().year())));
    EXPECT_TRUE(creditsText(QStringLiteral("0310"), 2031).contains(QStringLiteral("1997-2031")));
    about.show();
    about.btnDismiss()->click();
    EXPECT_FALSE(about.isVisible());
}

TEST_F(HelpMenu, AboutAndChangeLogAreModal)
{
    bool sawAbout = false, sawLog = false;
    whenModalShows(
        [&](QWidget* modal) { sawAbout = modal->objectName() == QStringLiteral("dlgAbout"); });
    item("mnuAbout")->trigger();
    whenModalShows([&](QWidget* modal) {
        sawLog = modal->objectName() == QStringLiteral("dlgLog");
        modal->findChild<QPushButton*>(QStringLiteral("btnClose"))->click();
    });
    item("mnuLog")->trigger();
    EXPECT_TRUE(sawAbout);
    EXPECT_TRUE(sawLog);
}

TEST(ChangeLog, FollowsTheReleaseLayout)
{
    const QString text = changeLogText();
    const QStringList releases = text.split(QStringLiteral("\n\n"));
    ASSERT_GE(releases.size(), 2);
    const QRegularExpression heading(QStringLiteral(
        "^Build (\\d{4}) \\((January|February|March|April|May|June|July|August|September|"
        "October|November|December) [1-9]\\d?, \\d{4}\\)$"));
    int previousBuild = 0;
    for (const QString& release : releases) {
        const QStringList lines = release.split(QLatin1Char('\n'));
        SCOPED_TRACE(lines.first().toStdString());
        const auto match = heading.match(lines.first());
        ASSERT_TRUE(match.hasMatch());
        const int build = match.captured(1).toInt();
        EXPECT_GT(build, previousBuild); // oldest first
        previousBuild = build;
        ASSERT_GE(lines.size(), 2);
        for (qsizetype i = 1; i < lines.size(); ++i)
            EXPECT_TRUE(lines[i].startsWith(QStringLiteral("\u00B7 ")) && lines[i].size() > 3)
                << lines[i].toStdString();
    }
    EXPECT_EQ(releases.first().split(QLatin1Char('\n')).mid(1),
              QStringList{QStringLiteral("\u00B7 First public release.")});
    EXPECT_TRUE(releases.last().startsWith(QStringLiteral("Build 0309 (")));

    ChangeLogDialog dialog;
    EXPECT_EQ(dialog.logText()->toPlainText(), text);
    EXPECT_TRUE(dialog.logText()->isReadOnly());
    dialog.show();
    dialog.resize(10, 10); // snaps back to its least size, the button below the text
    EXPECT_GT(dialog.buttonStrip()->y(), dialog.logText()->y());
}

TEST_F(HelpMenu, HelpOpensTheGuideAtItsFirstTopic)
{
    state.programFolder = QStringLiteral(YW_HELP_SOURCE_DIR "/..");
    item("mnuHelpFile")->trigger();
    HelpViewer* viewer = commands->viewer();
    ASSERT_NE(viewer, nullptr);
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_EQ(viewer->browser()->source().fileName(), helpTopicFile(1));
    EXPECT_FALSE(viewer->browser()->documentTitle().isEmpty());
    viewer->close();
}

TEST_F(HelpMenu, AMissingHelpFileIsReportedByTheViewer)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("help"))); // a help folder without the guide
    item("mnuHelpFile")->trigger();
    HelpViewer* viewer = commands->viewer();
    ASSERT_NE(viewer, nullptr);
    EXPECT_TRUE(viewer->isVisible());
    const QString shown = viewer->browser()->toPlainText();
    EXPECT_TRUE(shown.contains(QStringLiteral("could not be found"))) << shown.toStdString();
    EXPECT_TRUE(shown.contains(helpTopicFile(1)));
    EXPECT_TRUE(prompts.shown.empty());
    viewer->close();
}

TEST(HelpGuide, EveryTopicExistsAndItsLinksResolve)
{
    const QDir help(QStringLiteral(YW_HELP_SOURCE_DIR));
    QStringList files{QStringLiteral("index.html")};
    for (int context = 1; helpTopicFile(context) != QStringLiteral("index.html"); ++context)
        files << helpTopicFile(context);
    EXPECT_GE(files.size(), 6);
    const QRegularExpression link(QStringLiteral("href=\"([^\"#:]+\\.html)"));
    for (const QString& file : files) {
        SCOPED_TRACE(file.toStdString());
        const QString html = QString::fromUtf8(test::readFile(help.filePath(file)));
        EXPECT_TRUE(html.contains(QStringLiteral("<title>")));
        for (const auto& match : link.globalMatch(html))
            EXPECT_TRUE(help.exists(match.captured(1))) << match.captured(1).toStdString();
    }
}

} // namespace yw
