#include "messages.h"
#include "model/projectstate.h"
#include "platform/settingsstore.h"
#include "shell/dialogs/optionsdialog.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

namespace yw {

namespace {

// Records the order of the writes as well as the values.
class RecordingStore : public MemorySettingsStore
{
public:
    void write(const QString& section, const QString& key, const QString& value) override
    {
        writes.push_back(key);
        MemorySettingsStore::write(section, key, value);
    }
    QString main(const char* key) const
    {
        return read(kSectionMain, QString::fromLatin1(key), QStringLiteral("<absent>"));
    }
    std::vector<QString> writes;
};

struct InputCall
{
    QString title, prompt, initial;
};

} // namespace

class Options : public ::testing::Test
{
protected:
    void SetUp() override
    {
        state.edition = Edition::US;
        state.askBeforeBrowsing = true;
    }

    std::unique_ptr<OptionsDialog> open()
    {
        auto input = [this](QWidget*, const QString& title, const QString& prompt,
                            const QString& initial) {
            inputCalls.push_back({title, prompt, initial});
            const QString answer = answers.empty() ? QString() : answers.front();
            if (!answers.empty())
                answers.erase(answers.begin());
            return answer;
        };
        auto reread = [this] {
            ++locatorReads;
            editionSeenByReread = state.edition;
        };
        return std::make_unique<OptionsDialog>(settings, state, reread, nullptr, input);
    }

    RecordingStore settings;
    ProjectState state;
    int locatorReads = 0;
    Edition editionSeenByReread = Edition::US;
    std::vector<InputCall> inputCalls;
    std::vector<QString> answers;
};

TEST_F(Options, FreshAccountShowsEverythingCheckedAndTheDetectedEdition)
{
    {
        auto dialog = open();
        EXPECT_EQ(dialog->optAsk()->checkState(), Qt::Checked);
        EXPECT_EQ(dialog->optSplash()->checkState(), Qt::Checked);
        EXPECT_EQ(dialog->optProjVers()->checkState(), Qt::Checked);
        EXPECT_TRUE(dialog->usOption()->isChecked());
    }
    settings.write(kSectionMain, QStringLiteral("optUK"), QStringLiteral("1"));
    EXPECT_TRUE(open()->ukOption()->isChecked());
    settings.write(kSectionMain, QStringLiteral("optUK"), QStringLiteral("0"));
    EXPECT_TRUE(open()->usOption()->isChecked());
    EXPECT_TRUE(settings.writes.size() == 2 && locatorReads == 0); // loading writes nothing
}

TEST_F(Options, OkRewritesAllFourInOrderThenRereadsTheLocators)
{
    settings.write(kSectionMain, QStringLiteral("optUK"), QStringLiteral("1"));
    settings.writes.clear();
    auto dialog = open();
    QTest::mouseClick(dialog->btnOK(), Qt::LeftButton);

    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(settings.writes,
              (std::vector<QString>{QStringLiteral("optAsk"), QStringLiteral("optProjVers"),
                                    QStringLiteral("optSplash"), QStringLiteral("optUK")}));
    EXPECT_EQ(settings.main("optUK"), QStringLiteral("True"));
    EXPECT_EQ(settings.main("optAsk"), QStringLiteral("1"));
    EXPECT_EQ(locatorReads, 1);
    EXPECT_EQ(editionSeenByReread, Edition::UK);
    EXPECT_TRUE(state.askBeforeBrowsing);
}

TEST_F(Options, OkStoresClearedBoxesAndTheUsEdition)
{
    state.edition = Edition::UK;
    auto dialog = open();
    dialog->optAsk()->click();
    dialog->optSplash()->click();
    dialog->usOption()->click();
    dialog->btnOK()->click();
    EXPECT_EQ(settings.main("optAsk"), QStringLiteral("0"));
    EXPECT_EQ(settings.main("optSplash"), QStringLiteral("0"));
    EXPECT_EQ(settings.main("optProjVers"), QStringLiteral("1"));
    EXPECT_EQ(settings.main("optUK"), QStringLiteral("False"));
    EXPECT_FALSE(state.askBeforeBrowsing);
    EXPECT_EQ(state.edition, Edition::US);
    EXPECT_EQ(editionSeenByReread, Edition::US);
}

TEST_F(Options, CancelWritesNothingButKeepsASiteInput)
{
    settings.write(kSectionMain, QStringLiteral("YPKURL"), QStringLiteral("http://old.example/"));
    settings.writes.clear();
    answers = {QStringLiteral("My Eggs"), QString()};
    auto dialog = open();
    dialog->optAsk()->click();
    dialog->btnSiteName()->click();
    dialog->btnURL()->click(); // the input box's Cancel answers an empty text
    dialog->btnCancel()->click();

    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_EQ(settings.main("YPKSiteName"), QStringLiteral("My Eggs"));
    EXPECT_EQ(settings.main("YPKURL"), QString());
    EXPECT_EQ(settings.main("optAsk"), QStringLiteral("<absent>"));
    EXPECT_EQ(locatorReads, 0);
    EXPECT_TRUE(state.askBeforeBrowsing);

    ASSERT_EQ(inputCalls.size(), 2u);
    EXPECT_EQ(inputCalls[0].title, QStringLiteral("Yolkwright"));
    EXPECT_EQ(inputCalls[0].prompt, test::text::kSiteNamePrompt);
    EXPECT_EQ(inputCalls[0].initial, QString());
    EXPECT_EQ(inputCalls[1].prompt, test::text::kSiteUrlPrompt);
    EXPECT_EQ(inputCalls[1].initial, QStringLiteral("http://old.example/"));
}

// The dialog reads each setting as the program does, so it shows what is in effect and OK
// without a change keeps it.
TEST_F(Options, AHandEditedStoreShowsWhatIsInEffectAndOkMendsIt)
{
    settings.write(kSectionMain, QStringLiteral("optSplash"), QStringLiteral("often"));
    settings.write(kSectionMain, QStringLiteral("optAsk"), QStringLiteral("7"));
    settings.write(kSectionMain, QStringLiteral("optProjVers"), QStringLiteral("2"));
    settings.write(kSectionMain, QStringLiteral("optUK"), QStringLiteral("maybe"));
    auto dialog = open();
    EXPECT_EQ(dialog->optSplash()->checkState(), Qt::Unchecked); // no leading number: off
    EXPECT_EQ(dialog->optAsk()->checkState(), Qt::Checked);
    EXPECT_EQ(dialog->optProjVers()->checkState(), Qt::PartiallyChecked); // greyed, as stored
    EXPECT_TRUE(dialog->ukOption()->isChecked());
    dialog->btnOK()->click();
    EXPECT_EQ(settings.main("optSplash"), QStringLiteral("0"));
    EXPECT_EQ(settings.main("optAsk"), QStringLiteral("1"));
    EXPECT_EQ(settings.main("optProjVers"), QStringLiteral("2"));
    EXPECT_EQ(settings.main("optUK"), QStringLiteral("True"));
    EXPECT_EQ(state.edition, Edition::UK);
}

TEST_F(Options, AClickOnAGreyedBoxMakesItAPlainCheckBox)
{
    settings.write(kSectionMain, QStringLiteral("optSplash"), QStringLiteral("2"));
    auto dialog = open();
    dialog->optSplash()->click();
    EXPECT_EQ(dialog->optSplash()->checkState(), Qt::Checked);
    dialog->optSplash()->click();
    EXPECT_EQ(dialog->optSplash()->checkState(), Qt::Unchecked);
    dialog->optSplash()->click();
    EXPECT_EQ(dialog->optSplash()->checkState(), Qt::Checked);
}

} // namespace yw
