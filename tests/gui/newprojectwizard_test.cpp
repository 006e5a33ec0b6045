#include "messages.h"
#include "platform/cp1252.h"
#include "samplegamefixture.h"
#include "shell/dialogs/newprojectwizard.h"
#include "shell/dialogs/surveydialog.h"
#include "support/surveyeggs.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <memory>

namespace yw {

using test::readFile;
using test::writeFile;

namespace {

QStringList names(std::initializer_list<const char*> texts)
{
    QStringList list;
    for (const char* text : texts)
        list.append(QString::fromLatin1(text));
    return list;
}

QStringList checkedEntries(const NewProjectWizard& wizard)
{
    QStringList checked;
    for (int i = 0; i < wizard.bSel->count(); ++i) {
        if (wizard.bSel->item(i)->checkState() == Qt::Checked)
            checked.append(wizard.bSel->item(i)->text());
    }
    return checked;
}

void tick(NewProjectWizard& wizard, const QString& text)
{
    const QList<QListWidgetItem*> found = wizard.bSel->findItems(text, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << text.toStdString();
    // What a click on the entry's check box does.
    found.front()->setCheckState(found.front()->checkState() == Qt::Checked ? Qt::Unchecked
                                                                            : Qt::Checked);
}

} // namespace

class NewProjectWizardTest : public test::SampleGameFixture
{
protected:
    void SetUp() override
    {
        SampleGameFixture::SetUp();
        before = state;
        wizard = std::make_unique<NewProjectWizard>(state, prompts, dialogs);
        wizard->setUrlOpener([this](const QUrl& url) {
            opened.append(url);
            return true;
        });
        wizard->show();
    }

    bool stateUnchanged() const
    {
        return state.baseBreed == before.baseBreed && state.breedName == before.breedName &&
               state.eBalls == before.eBalls && state.locSetAPos == before.locSetAPos &&
               state.breedDescription == before.breedDescription;
    }

    ProjectState before;
    std::unique_ptr<NewProjectWizard> wizard;
    QList<QUrl> opened;
};

TEST_F(NewProjectWizardTest, ExactlyOneEntryStaysTicked)
{
    EXPECT_EQ(wizard->bSel->count(), 13);
    EXPECT_EQ(checkedEntries(*wizard), names({"Quadrapus"}));
    EXPECT_FALSE(wizard->buttonArmed);
    tick(*wizard, QStringLiteral("Zott"));
    EXPECT_EQ(checkedEntries(*wizard), names({"Zott"}));
    // Clicking the ticked entry's box leaves it ticked.
    tick(*wizard, QStringLiteral("Zott"));
    EXPECT_EQ(checkedEntries(*wizard), names({"Zott"}));
    tick(*wizard, QStringLiteral("Grinnz"));
    EXPECT_EQ(checkedEntries(*wizard), names({"Grinnz"}));

    // A click on an entry's name ticks it as well.
    QListWidgetItem* honker = wizard->bSel->item(1);
    const QRect box = wizard->bSel->visualItemRect(honker);
    QTest::mouseClick(wizard->bSel->viewport(), Qt::LeftButton, {},
                      QPoint(box.right() - 10, box.center().y()));
    EXPECT_EQ(checkedEntries(*wizard), names({"Honker"}));
    EXPECT_EQ(wizard->checkedBreed(), QStringLiteral("Honker"));
}

TEST_F(NewProjectWizardTest, GoCreatesTheProjectWithoutTouchingTheOpenOne)
{
    const QString target = path(QStringLiteral("My Quad.opj"));
    dialogs.answers.push_back(target);
    QTest::mouseClick(wizard->btnNext, Qt::LeftButton);

    EXPECT_EQ(wizard->result(), QDialog::Accepted);
    EXPECT_FALSE(wizard->isVisible());
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_TRUE(dialogs.asked[0].save);
    EXPECT_EQ(dialogs.asked[0].filter, test::text::kProjectFilter);
    EXPECT_TRUE(prompts.shown.empty());

    // Quadrapus is read from the stem quadrpus, and the file says so.
    EXPECT_EQ(wizard->createdPath(), target);
    const NewProject& created = wizard->created();
    EXPECT_EQ(created.state.baseBreed, "quadrpus");
    EXPECT_EQ(created.state.breedName, sample::breed(0).breedName);
    EXPECT_EQ(created.header.ballsPerSet, sample::kBallsPerSet);
    const QByteArray file = readFile(target);
    EXPECT_TRUE(file.startsWith("[Yolkwright Project File]\r\n\"0310\",2,\"quadrpus\"\r\n"))
        << file.left(80).toStdString();

    EXPECT_TRUE(stateUnchanged());
}

TEST_F(NewProjectWizardTest, ACancelledSaveDialogKeepsTheWizardOpenAndChangesNothing)
{
    tick(*wizard, QStringLiteral("Honker"));
    QTest::mouseClick(wizard->btnNext, Qt::LeftButton);
    EXPECT_EQ(dialogs.asked.size(), 1u);
    EXPECT_TRUE(wizard->isVisible());
    EXPECT_EQ(wizard->result(), QDialog::Rejected);
    EXPECT_TRUE(wizard->createdPath().isEmpty());
    EXPECT_TRUE(stateUnchanged());
    EXPECT_TRUE(QDir(dir.path()).entryList({QStringLiteral("*.opj")}).isEmpty());
}

TEST_F(NewProjectWizardTest, AMissingEggNamesTheListTextAndKeepsTheWizardOpen)
{
    ASSERT_TRUE(QFile::remove(eggPath(QStringLiteral("quadrpus"))));
    QTest::mouseClick(wizard->btnNext, Qt::LeftButton);
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text, test::text::kBreedMissing.arg(QStringLiteral("Quadrapus")));
    EXPECT_TRUE(dialogs.asked.empty());
    EXPECT_TRUE(wizard->isVisible());
    EXPECT_TRUE(stateUnchanged());
}

TEST_F(NewProjectWizardTest, ADamagedEggNamesTheStemAndClosesTheWizard)
{
    // Letters where quadrpus's first ball line should be.
    QByteArray egg = readFile(eggPath(QStringLiteral("quadrpus")));
    const int setA = sample::eggLayout(0, sample::Edition::US).locSetAPos;
    egg.replace(setA - 2, 60, QByteArray(60, 'x'));
    writeFile(eggPath(QStringLiteral("quadrpus")), egg);

    // Declining the survey leaves the refusal as it was.
    prompts.answers.push_back(PromptAnswer::No);
    QTest::mouseClick(wizard->btnNext, Qt::LeftButton);
    ASSERT_EQ(prompts.shown.size(), 2u);
    EXPECT_TRUE(prompts.shown[0].question);
    EXPECT_TRUE(prompts.shown[0].text.contains(QStringLiteral("does not match its egg")))
        << prompts.shown[0].text.toStdString();
    EXPECT_EQ(prompts.shown[1].text, test::text::kBreedDamaged.arg(QStringLiteral("quadrpus")));
    EXPECT_EQ(prompts.shown[1].icon, PromptIcon::Critical);
    EXPECT_TRUE(dialogs.asked.empty());
    EXPECT_FALSE(wizard->isVisible());
    EXPECT_EQ(wizard->result(), QDialog::Rejected);
    EXPECT_TRUE(stateUnchanged());
}

TEST_F(NewProjectWizardTest, AFailedWriteIsToldAndTheWizardStaysOpen)
{
    const QString target = path(QStringLiteral("no such folder/quad.opj"));
    dialogs.answers.push_back(target);
    QTest::mouseClick(wizard->btnNext, Qt::LeftButton);
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_TRUE(prompts.shown[0].text.startsWith(test::text::kNotSaved.arg(target)))
        << prompts.shown[0].text.toStdString();
    EXPECT_TRUE(wizard->isVisible());
    EXPECT_FALSE(QFile::exists(target));
    EXPECT_TRUE(stateUnchanged());
}

TEST_F(NewProjectWizardTest, GoActsOnlyAfterALeftPress)
{
    EXPECT_FALSE(wizard->StartEgg());
    EXPECT_TRUE(dialogs.asked.empty());

    // Left down arms, a right press meanwhile disarms: the left click then starts nothing.
    QTest::mousePress(wizard->btnNext, Qt::LeftButton);
    EXPECT_TRUE(wizard->buttonArmed);
    QTest::mousePress(wizard->btnNext, Qt::RightButton);
    EXPECT_FALSE(wizard->buttonArmed);
    QTest::mouseRelease(wizard->btnNext, Qt::RightButton);
    QTest::mouseRelease(wizard->btnNext, Qt::LeftButton);
    EXPECT_TRUE(dialogs.asked.empty());
    EXPECT_TRUE(prompts.shown.empty());
    EXPECT_TRUE(wizard->isVisible());

    // Releasing outside the button is no click.
    QTest::mousePress(wizard->btnNext, Qt::LeftButton);
    QTest::mouseRelease(wizard->btnNext, Qt::LeftButton, {}, QPoint(-5, -5));
    EXPECT_TRUE(dialogs.asked.empty());
}

TEST_F(NewProjectWizardTest, CancelClosesOnlyWhileArmed)
{
    QTest::mousePress(wizard->btnClose, Qt::LeftButton);
    QTest::mousePress(wizard->btnClose, Qt::RightButton);
    QTest::mouseRelease(wizard->btnClose, Qt::LeftButton);
    EXPECT_TRUE(wizard->isVisible());

    QTest::mouseClick(wizard->btnClose, Qt::LeftButton);
    EXPECT_FALSE(wizard->isVisible());
    EXPECT_EQ(wizard->result(), QDialog::Rejected);
    EXPECT_TRUE(stateUnchanged());
}

TEST_F(NewProjectWizardTest, TheLinkTurnsRedWhilePressedAndOpensOnce)
{
    auto colour = [this] { return wizard->URL->palette().color(QPalette::WindowText); };
    EXPECT_EQ(colour(), QColor(0, 0, 255));

    QTest::mousePress(wizard->URL, Qt::RightButton);
    EXPECT_FALSE(wizard->buttonArmed);
    EXPECT_EQ(colour(), QColor(0, 0, 255));
    QTest::mouseRelease(wizard->URL, Qt::RightButton);

    QTest::mousePress(wizard->URL, Qt::LeftButton);
    EXPECT_TRUE(wizard->buttonArmed);
    EXPECT_EQ(colour(), QColor(255, 0, 0));
    QTest::mouseRelease(wizard->URL, Qt::LeftButton);
    EXPECT_EQ(colour(), QColor(0, 0, 255));
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened[0], wizard->linkAddress());
    EXPECT_EQ(opened[0].scheme(), QStringLiteral("https"));
    // The link's click used the arming up: "Go" now does nothing until pressed again.
    EXPECT_FALSE(wizard->buttonArmed);
    EXPECT_FALSE(wizard->StartEgg());
    EXPECT_TRUE(wizard->isVisible());
}

// The survey offered for a breed whose resource files are missing or describe another egg. The
// dialogs are built from what the wizard hands them and answered from the script below.
class WizardSurveyTest : public NewProjectWizardTest
{
protected:
    void SetUp() override
    {
        NewProjectWizardTest::SetUp();
        state.userFolder = path(QStringLiteral("user"));
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
            [this](const QString& listText, const SurveyFindings& findings) {
                summary = SurveyDialog(listText, findings).surveyFound->text();
                return save;
            });
        tick(*wizard, QStringLiteral("Honker"));
    }

    QString honker(const char* in, const char* extension) const
    {
        return path(QString::fromLatin1(in)) + QStringLiteral("/res/Honker") +
               QLatin1String(extension);
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
    std::vector<TextCandidate> offered;
    QString summary;
};

TEST_F(WizardSurveyTest, AcceptedSurveySavesTheFilesForTheUserAndMakesTheProject)
{
    removeShippedFiles();
    const QString target = path(QStringLiteral("honk.opj"));
    dialogs.answers.push_back(target);
    QTest::mouseClick(wizard->btnNext, Qt::LeftButton);

    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_TRUE(prompts.shown[0].question);
    EXPECT_TRUE(prompts.shown[0].text.startsWith(QStringLiteral(
        "Yolkwright has no information about the breed that was selected, Honker.")));
    // What the survey writes is what we ship for the sample egg; the shipped files stay gone.
    EXPECT_EQ(readFile(honker("user", ".blz")), sample::informationFile(1));
    EXPECT_EQ(readFile(honker("user", ".loc")), sample::locatorFile(1, sample::Edition::US));
    EXPECT_FALSE(QFile::exists(honker("program", ".blz")));

    const sample::BreedContent& content = sample::breed(1);
    const auto text = [](const std::string& bytes) { return cp1252::toUnicode(bytes); };
    for (const QString& line :
         {QStringLiteral("Baby ball set %1: 67 eBalls (%2, ")
              .arg(text(content.lnzNameA), text(content.labels[0])),
          QStringLiteral("Adult ball set %1: 67 eBalls").arg(text(content.lnzNameB)),
          QStringLiteral("Name: %1, tray %2, slot %3")
              .arg(text(content.breedName), text(content.eggTray), text(content.eggSlot)),
          QStringLiteral("Tips: 3 pairs"),
          QStringLiteral("1. \"%1").arg(text(content.regTips[0]).simplified().left(20))})
        EXPECT_TRUE(summary.contains(line)) << line.toStdString() << "\n" << summary.toStdString();

    EXPECT_EQ(wizard->result(), QDialog::Accepted);
    EXPECT_EQ(wizard->createdPath(), target);
    const ProjectState& made = wizard->created().state;
    EXPECT_EQ(made.breedName, content.breedName);
    EXPECT_EQ(made.breedAttributes, content.attributes);
    EXPECT_EQ(made.ball(sample::kBallsPerSet), content.eBalls[sample::kBallsPerSet]);
    EXPECT_TRUE(QFile::exists(target));
    EXPECT_TRUE(stateUnchanged());
}

TEST_F(WizardSurveyTest, DecliningKeepsTheOldRefusalAndWritesNothing)
{
    removeShippedFiles();
    // No to the offer, then Yes to it but Cancel on what was found.
    for (const bool atOffer : {true, false}) {
        prompts.shown.clear();
        prompts.answers = {atOffer ? PromptAnswer::No : PromptAnswer::Yes};
        save = false;
        QTest::mouseClick(wizard->btnNext, Qt::LeftButton);
        ASSERT_EQ(prompts.shown.size(), 2u);
        EXPECT_EQ(prompts.shown[1].text,
                  QStringLiteral("Yolkwright cannot find any information about the breed that was "
                                 "selected. A resource file may have been damaged or deleted."));
        EXPECT_EQ(prompts.shown[1].icon, PromptIcon::Critical);
        EXPECT_EQ(summary.isEmpty(), atOffer);
        EXPECT_TRUE(wroteNothing());
        EXPECT_TRUE(wizard->isVisible());
        EXPECT_TRUE(dialogs.asked.empty());
    }
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
    pick.reset();
    QTest::mouseClick(wizard->btnNext, Qt::LeftButton);
    EXPECT_EQ(offered.size(), 3u);
    ASSERT_EQ(prompts.shown.size(), 2u);
    EXPECT_TRUE(prompts.shown[1].text.startsWith(QStringLiteral("It appears that the Honker.odd")));
    EXPECT_TRUE(wroteNothing());

    // The shorter text chosen as the description, against the longer-is-description default.
    wizard->show();
    prompts.shown.clear();
    pick = SurveyChoices{extra, egg.locator.locDescPos};
    dialogs.answers.push_back(path(QStringLiteral("odd.opj")));
    QTest::mouseClick(wizard->btnNext, Qt::LeftButton);
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(wizard->result(), QDialog::Accepted);
    const ProjectState& made = wizard->created().state;
    EXPECT_EQ(made.breedDescription, "Yet another text here");
    EXPECT_EQ(made.breedAttributes, egg.description);
    EXPECT_EQ(made.locDescPos, extra);
    EXPECT_EQ(made.locAttrPos, egg.locator.locDescPos);
    EXPECT_EQ(made.locNamePos, egg.locator.locNamePos);
    EXPECT_TRUE(readFile(honker("user", ".loc")).contains(QByteArray::number(extra) + "\t\t26\r\n"))
        << readFile(honker("user", ".loc")).toStdString();
}

TEST_F(WizardSurveyTest, ARefusalIsToldAndNothingIsWritten)
{
    const QByteArray garbage = QByteArray("MZ") + QByteArray(3000, '\x7f');
    writeFile(eggPath(QStringLiteral("Honker")), garbage);
    QTest::mouseClick(wizard->btnNext, Qt::LeftButton);

    const SurveyRefusal refusal = surveyEgg(garbage, "Honker").refusal;
    ASSERT_FALSE(refusal.message.isEmpty());
    ASSERT_EQ(prompts.shown.size(), 2u);
    EXPECT_EQ(prompts.shown[1].text, QStringLiteral("The egg %1 could not be surveyed.\r\n%2")
                                         .arg(eggPath(QStringLiteral("Honker")), refusal.message));
    EXPECT_EQ(prompts.shown[1].icon, PromptIcon::Exclamation);
    EXPECT_TRUE(wroteNothing());
    EXPECT_TRUE(summary.isEmpty());
    EXPECT_TRUE(dialogs.asked.empty());
    EXPECT_TRUE(wizard->isVisible());
}

} // namespace yw
