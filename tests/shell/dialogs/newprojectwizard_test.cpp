#include "files/surveyreport.h"
#include "platform/cp1252.h"
#include "shell/dialogs/newprojectwizard.h"
#include "shell/dialogs/surveydialog.h"
#include "support/guitest.h"
#include "support/surveyeggs.h"

#include <QDir>
#include <numeric>

namespace yw {

using namespace test;

class NewProjectWizardTest : public test::SampleGameFixture
{
protected:
    void SetUp() override
    {
        SampleGameFixture::SetUp();
        before = state;
        wizard = std::make_unique<NewProjectWizard>(installation, state, prompts, dialogs);
        wizard->setUrlOpener([this](const QUrl& url) {
            opened.append(url);
            return true;
        });
        wizard->show();
    }
    QStringList ticked() const
    {
        QStringList checked;
        for (int i = 0; i < wizard->bSel->count(); ++i)
            if (wizard->bSel->item(i)->checkState() == Qt::Checked)
                checked.append(wizard->bSel->item(i)->text());
        return checked;
    }
    // What a click on the entry's check box does.
    void tick(const char* text)
    {
        const auto found = wizard->bSel->findItems(QLatin1String(text), Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << text;
        found.front()->setCheckState(found.front()->checkState() == Qt::Checked ? Qt::Unchecked
                                                                                : Qt::Checked);
    }
    void go() { QTest::mouseClick(wizard->btnNext, Qt::LeftButton); }

    ScriptedDialogs dialogs;
    ProjectState before;
    std::unique_ptr<NewProjectWizard> wizard;
    QList<QUrl> opened;
};

TEST_F(NewProjectWizardTest, ExactlyOneEntryStaysTicked)
{
    EXPECT_EQ(ticked(), QStringList{QStringLiteral("Quadrapus")});
    tick("Zott");
    EXPECT_EQ(ticked(), QStringList{QStringLiteral("Zott")});
    tick("Zott"); // clicking the ticked entry's box leaves it ticked
    EXPECT_EQ(ticked(), QStringList{QStringLiteral("Zott")});
    tick("Grinnz");
    EXPECT_EQ(ticked(), QStringList{QStringLiteral("Grinnz")});
    // A click on an entry's name ticks it as well.
    const QRect box = wizard->bSel->visualItemRect(wizard->bSel->item(1));
    QTest::mouseClick(wizard->bSel->viewport(), Qt::LeftButton, {},
                      QPoint(box.right() - 10, box.center().y()));
    EXPECT_EQ(ticked(), QStringList{QStringLiteral("Honker")});
    EXPECT_EQ(wizard->checkedBreed(), QStringLiteral("Honker"));
}

TEST_F(NewProjectWizardTest, GoCreatesTheProjectWithoutTouchingTheOpenOne)
{
    const QString target = path(QStringLiteral("My Quad.opj"));
    dialogs.answers.push_back(target);
    go();
    EXPECT_EQ(wizard->result(), QDialog::Accepted);
    EXPECT_FALSE(wizard->isVisible());
    // The save dialog offers the breed's name.
    EXPECT_EQ(dialogs.asked, std::vector<test::ScriptedDialogs::Asked>(
                                 {{true, FileKind::Project, test::text::kProjectFilter,
                                   QString::fromStdString(sample::breed(0).breedName)}}));
    EXPECT_TRUE(prompts.shown.empty());
    // Quadrapus is read from the stem quadrpus, and the file says so.
    EXPECT_EQ(wizard->createdPath(), target);
    const NewProject& created = wizard->created();
    EXPECT_EQ(created.state.baseBreed, "quadrpus");
    EXPECT_EQ(created.state.breedName, sample::breed(0).breedName);
    EXPECT_EQ(created.shape.ballsPerSet(), sample::kBallsPerSet);
    EXPECT_TRUE(
        readFile(target).startsWith("[Yolkwright Project File]\r\n\"0310\",2,\"quadrpus\"\r\n"));
    EXPECT_EQ(test::projectDifference(state, before), "");
}

// Only a left press and a left release over the same control act, and a right press between
// them disarms; the link's click uses the arming up.
TEST_F(NewProjectWizardTest, OnlyAnArmedLeftClickActs)
{
    EXPECT_FALSE(wizard->buttonArmed);
    EXPECT_FALSE(wizard->StartEgg());
    const struct
    {
        QWidget* control;
        const char* events;
        bool acts;
    } cases[] = {{wizard->btnNext, "L+ R+ R- L-", false}, {wizard->btnNext, "L+ Lout", false},
                 {wizard->URL, "R+ R-", false},           {wizard->btnClose, "L+ R+ L-", false},
                 {wizard->btnNext, "L+ L-", true},        {wizard->btnClose, "L+ L-", true}};
    for (const auto& c : cases) {
        for (const QString& event : QString::fromLatin1(c.events).split(QLatin1Char(' '))) {
            const Qt::MouseButton button =
                event.startsWith(QLatin1Char('L')) ? Qt::LeftButton : Qt::RightButton;
            if (event.endsWith(QLatin1Char('+')))
                QTest::mousePress(c.control, button);
            else
                QTest::mouseRelease(c.control, button, {},
                                    event.endsWith(QLatin1String("out")) ? QPoint(-5, -5)
                                                                         : QPoint());
        }
        EXPECT_EQ(!dialogs.asked.empty() || !wizard->isVisible() || !opened.isEmpty(), c.acts)
            << c.control->objectName().toStdString() << " " << c.events;
    }
    // "Go" asked for a file and was cancelled: the wizard stayed open and made nothing.
    EXPECT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(wizard->result(), QDialog::Rejected);
    EXPECT_TRUE(wizard->createdPath().isEmpty());
    EXPECT_TRUE(QDir(dir.path()).entryList({QStringLiteral("*.opj")}).isEmpty());
    EXPECT_EQ(test::projectDifference(state, before), "");

    // The link turns red while pressed and opens once.
    wizard->show();
    auto colour = [this] { return wizard->URL->palette().color(QPalette::WindowText); };
    EXPECT_EQ(colour(), QColor(0, 0, 255));
    QTest::mousePress(wizard->URL, Qt::LeftButton);
    EXPECT_TRUE(wizard->buttonArmed);
    EXPECT_EQ(colour(), QColor(255, 0, 0));
    QTest::mouseRelease(wizard->URL, Qt::LeftButton);
    EXPECT_EQ(colour(), QColor(0, 0, 255));
    EXPECT_EQ(opened, QList<QUrl>{wizard->linkAddress()});
    EXPECT_FALSE(wizard->StartEgg());
    EXPECT_TRUE(wizard->isVisible());
}

TEST_F(NewProjectWizardTest, ARefusedNewProjectChangesNothing)
{
    const QString egg = eggPath(QStringLiteral("quadrpus"));
    QByteArray damaged = readFile(egg); // letters where the first ball line should be
    damaged.replace(sample::eggLayout(0, sample::Edition::US).locSetAPos - 2, 60,
                    QByteArray(60, 'x'));
    const QString target = path(QStringLiteral("no such folder/quad.opj"));
    const struct
    {
        const char* name;
        std::function<void()> setUp;
        QString message;
        PromptIcon icon;
        bool staysOpen;
    } cases[] = {
        {"failed write", [&] { dialogs.answers.push_back(target); },
         test::text::kNotSaved.arg(target), PromptIcon::Exclamation, true},
        {"missing egg", [&] { ASSERT_TRUE(QFile::rename(egg, egg + QStringLiteral(".gone"))); },
         test::text::kBreedMissing.arg(QStringLiteral("Quadrapus")), PromptIcon::None, true},
        // Declining the survey offered leaves the refusal as it was.
        {"damaged egg",
         [&] {
             writeFile(egg, damaged);
             prompts.answers = {PromptAnswer::No};
         },
         test::text::kBreedDamaged.arg(QStringLiteral("quadrpus")), PromptIcon::Critical, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (QFile::exists(egg + QStringLiteral(".gone")))
            QFile::rename(egg + QStringLiteral(".gone"), egg);
        prompts.shown.clear();
        dialogs.asked.clear();
        c.setUp();
        go();
        ASSERT_FALSE(prompts.shown.empty());
        EXPECT_TRUE(prompts.shown.back().text.startsWith(c.message))
            << prompts.shown.back().text.toStdString();
        EXPECT_EQ(prompts.shown.back().icon, c.icon);
        EXPECT_EQ(wizard->isVisible(), c.staysOpen);
        EXPECT_EQ(dialogs.asked.size(), c.message.startsWith(QLatin1String("The project")));
        EXPECT_FALSE(QFile::exists(target));
        EXPECT_EQ(test::projectDifference(state, before), "");
    }
    EXPECT_TRUE(prompts.shown[0].question);
    EXPECT_TRUE(prompts.shown[0].text.contains(QStringLiteral("does not match its egg")));
    EXPECT_EQ(wizard->result(), QDialog::Rejected);
}

// The survey offered for a breed whose resource files are missing or describe another egg. The
// dialogs are built from what the wizard hands them and answered from the script below.
class WizardSurveyTest : public NewProjectWizardTest
{
protected:
    void SetUp() override
    {
        NewProjectWizardTest::SetUp();
        installation.userFolder = path(QStringLiteral("user"));
        wizard->setSurveyAnswers(
            [this](const QString& listText,
                   const SurveyRefusal& refusal) -> std::optional<SurveyChoices> {
                offered = refusal.candidates;
                if (!pick)
                    return std::nullopt;
                SurveyDialog dialog(listText, refusal);
                dialog.surveyDescription->setCurrentIndex(
                    dialog.surveyDescription->findData(pick->descriptionPosition.value()));
                dialog.surveyAttributes->setCurrentIndex(
                    dialog.surveyAttributes->findData(pick->attributesPosition.value()));
                EXPECT_TRUE(dialog.surveyButtons->button(QDialogButtonBox::Ok)->isEnabled());
                return dialog.choices();
            },
            [this](
                const QString& listText, const SurveyFindings& findings,
                const NewProjectWizard::SurveyResurvey& resurvey) -> std::optional<SurveyFindings> {
                SurveyDialog dialog(listText, findings, resurvey);
                if (swapTexts)
                    dialog.surveySwapTexts->click();
                summary = dialog.surveyFound->text();
                return save ? std::optional(dialog.findings()) : std::nullopt;
            },
            [this](const QString& listText, const SurveyRefusal& refusal, const QByteArray& bytes) {
                SurveyDialog dialog(listText, refusal, [this, bytes] { report = bytes; });
                summary = dialog.surveyFound->text();
                dialog.surveySaveReport->click();
            });
        tick("Honker");
    }
    QString honker(const char* in, const char* extension) const
    {
        return path(QLatin1String(in)) + QStringLiteral("/res/Honker") + QLatin1String(extension);
    }
    void removeShippedFiles() const
    {
        ASSERT_TRUE(QFile::remove(honker("program", ".blz")));
        ASSERT_TRUE(QFile::remove(honker("program", ".loc")));
    }
    bool wroteNothing() const
    {
        return !QFile::exists(honker("user", ".blz")) && !QFile::exists(honker("user", ".loc"));
    }

    std::optional<SurveyChoices> pick;
    bool save = true;
    bool swapTexts = false;
    std::vector<TextCandidate> offered;
    QByteArray report;
    QString summary;
};

TEST_F(WizardSurveyTest, AnAcceptedSurveySavesTheFilesForTheUser)
{
    removeShippedFiles();
    const QString target = path(QStringLiteral("honk.opj"));
    dialogs.answers.push_back(target);
    go();
    ASSERT_EQ(prompts.shown.size(), 2u);
    EXPECT_TRUE(prompts.shown[0].question);
    EXPECT_TRUE(prompts.shown[0].text.startsWith(QStringLiteral(
        "Yolkwright has no information about the breed that was selected, Honker.")));
    EXPECT_TRUE(prompts.shown[1].text.contains(QDir::toNativeSeparators(honker("user", ".loc"))))
        << prompts.shown[1].text.toStdString();
    // What the survey writes is what we ship for the sample egg; the shipped files stay gone.
    EXPECT_EQ(readFile(honker("user", ".blz")), sample::informationFile(1));
    EXPECT_EQ(readFile(honker("user", ".loc")), sample::locatorFile(1, sample::Edition::US));
    EXPECT_FALSE(QFile::exists(honker("program", ".blz")));

    const sample::BreedContent& content = sample::breed(1);
    const auto text = [](const std::string& bytes) { return cp1252::toUnicode(bytes); };
    for (const QString& line :
         {QStringLiteral("Baby ball set %1: 67 eBalls from byte ").arg(text(content.lnzNameA)),
          QStringLiteral(", diameters adding up to %1 (")
              .arg(std::accumulate(content.eBalls.begin(), content.eBalls.begin() + 67, 0,
                                   [](int sum, const EBallRecord&r) { return sum + r.diameter; })),
          QStringLiteral("(%1, ").arg(text(content.labels[0])),
          // 40 bytes hold "\r\n4 2" and 35 characters of name.
          QStringLiteral("Name: %1, tray %2, slot %3 (at byte %4, room for 35 characters)")
              .arg(text(content.breedName), text(content.eggTray), text(content.eggSlot))
              .arg(sample::eggLayout(1, sample::Edition::US).locNamePos),
          QStringLiteral("): \"%1").arg(text(content.regTips[0]).simplified().left(20)),
          QStringLiteral("Which text is the description the egg does not tell")})
        EXPECT_TRUE(summary.contains(line)) << line.toStdString() << "\n" << summary.toStdString();
}

TEST_F(WizardSurveyTest, AnAcceptedSurveyMakesTheProject)
{
    removeShippedFiles();
    const QString target = path(QStringLiteral("honk.opj"));
    dialogs.answers.push_back(target);
    go();
    EXPECT_EQ(wizard->result(), QDialog::Accepted);
    EXPECT_EQ(wizard->createdPath(), target);
    EXPECT_EQ(wizard->created().state.breedName, sample::breed(1).breedName);
    EXPECT_TRUE(QFile::exists(target));
    EXPECT_EQ(test::projectDifference(state, before), "");
}

TEST_F(WizardSurveyTest, DecliningOrARefusalWritesNothing)
{
    removeShippedFiles();
    const QString noInformation =
        QStringLiteral("Yolkwright cannot find any information about the breed that was "
                       "selected. A resource file may have been damaged or deleted.");
    // No to the offer, then Yes to it but Cancel on what was found.
    save = false;
    for (const bool atOffer : {true, false}) {
        prompts.shown.clear();
        prompts.answers = {atOffer ? PromptAnswer::No : PromptAnswer::Yes};
        go();
        ASSERT_EQ(prompts.shown.size(), 2u);
        EXPECT_EQ(prompts.shown[1].text, noInformation);
        EXPECT_EQ(prompts.shown[1].icon, PromptIcon::Critical);
        EXPECT_EQ(summary.isEmpty(), atOffer);
    }
    // An egg the survey refuses: the reason is told, and its layout report can be saved.
    summary.clear();
    prompts.shown.clear();
    const QByteArray garbage = QByteArray("MZ") + QByteArray(3000, '\x7f');
    writeFile(eggPath(QStringLiteral("Honker")), garbage);
    go();
    const SurveyResult refused = surveyEgg(garbage, "Honker");
    ASSERT_FALSE(refused.refusal.message.isEmpty());
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(summary, refused.refusal.message);
    EXPECT_EQ(report, surveyLayoutReport(garbage, "Honker", refused));
    EXPECT_TRUE(wroteNothing());
    EXPECT_TRUE(wizard->isVisible());
    EXPECT_TRUE(dialogs.asked.empty());
}

// The player's own files from an earlier survey that no longer fit (the name 3 bytes late): a
// declined survey blames them, not the egg, and makes nothing.
TEST_F(WizardSurveyTest, ADeclinedSurveyBlamesThePlayersOwnFiles)
{
    QList<QByteArray> lines = readFile(honker("program", ".loc")).split('\n');
    const qsizetype tab = lines[3].indexOf('\t');
    lines[3] = QByteArray::number(lines[3].left(tab).toInt() + 3) + lines[3].mid(tab);
    writeFile(honker("user", ".loc"), lines.join('\n'));
    writeFile(honker("user", ".blz"), readFile(honker("program", ".blz")));
    prompts.answers = {PromptAnswer::No};
    go();
    ASSERT_EQ(prompts.shown.size(), 2u);
    EXPECT_TRUE(prompts.shown[0].text.contains(QStringLiteral("does not match its egg")));
    EXPECT_TRUE(prompts.shown[1].text.startsWith(
        QStringLiteral("Your own information about Honker, %1, does not match its egg")
            .arg(QDir::toNativeSeparators(honker("user", ".loc")))))
        << prompts.shown[1].text.toStdString();
    EXPECT_TRUE(dialogs.asked.empty());
    EXPECT_TRUE(wizard->isVisible());
}

// The findings' swap: what is saved and made is the way the user set it.
TEST_F(WizardSurveyTest, SwappedTextsAreSavedTheWayTheUserSetThem)
{
    removeShippedFiles();
    swapTexts = true;
    dialogs.answers.push_back(path(QStringLiteral("honk.opj")));
    go();
    const sample::BreedContent& content = sample::breed(1);
    EXPECT_EQ(wizard->created().state.breedDescription, content.attributes);
    EXPECT_EQ(wizard->created().state.breedAttributes, content.description);
    EXPECT_TRUE(summary.contains(
        QStringLiteral("Description: \"%1\"").arg(cp1252::toUnicode(content.attributes))));
    // The egg still does not tell, so the note stays.
    EXPECT_TRUE(summary.contains(QStringLiteral("the egg does not tell"))) << summary.toStdString();
}

TEST_F(WizardSurveyTest, AmbiguousTextsAreSettledByTheUsersChoice)
{
    test::SurveyEggRecipe recipe;
    recipe.decoys = false;
    recipe.resourceTable = false;
    test::SurveyEgg egg = test::makeSurveyEgg(recipe);
    const qint64 extra = egg.bytes.size() + 1;
    egg.bytes += "Yet another text here" + QByteArray(6, '\0') + "\x04";
    writeFile(eggPath(QStringLiteral("Honker")), egg.bytes);

    // Cancelling the choice is declining: the shipped files do not fit this egg.
    go();
    EXPECT_EQ(offered.size(), 3u);
    ASSERT_EQ(prompts.shown.size(), 2u);
    EXPECT_TRUE(prompts.shown[1].text.startsWith(QStringLiteral("It appears that the Honker.odd")));
    EXPECT_TRUE(wroteNothing());

    // The shorter text chosen as the description, against the longer-is-description default.
    wizard->show();
    prompts.shown.clear();
    pick = SurveyChoices{extra, egg.locator.locDescPos, {}};
    dialogs.answers.push_back(path(QStringLiteral("odd.opj")));
    go();
    ASSERT_EQ(prompts.shown.size(), 2u);
    EXPECT_TRUE(prompts.shown[1].text.contains(QStringLiteral(" was saved as ")));
    EXPECT_EQ(wizard->result(), QDialog::Accepted);
    const ProjectState& made = wizard->created().state;
    EXPECT_EQ(made.breedDescription, "Yet another text here");
    EXPECT_EQ(made.breedAttributes, egg.description);
    EXPECT_EQ(made.locDescPos, extra);
    EXPECT_EQ(made.locAttrPos, egg.locator.locDescPos);
    EXPECT_TRUE(
        readFile(honker("user", ".loc")).contains(QByteArray::number(extra) + "\t\t26\r\n"));
}

} // namespace yw
