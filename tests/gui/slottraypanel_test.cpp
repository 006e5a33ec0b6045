#include "editors/projectedits.h"
#include "editors/slottraypanel.h"
#include "model/projectstate.h"
#include "support/testsupport.h"
#include "typing.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace yw {
namespace {

using test::typeText;

class SlotTrayPanelTest : public ::testing::Test
{
protected:
    SlotTrayPanelTest()
    {
        state.resetForStartUp();
        state.breedName = "Eggbert";
        state.eggSlot = "4";
        state.eggTray = "40";
        state.breedDescription = "Says \x94hi\x94 twice";
        state.breedAttributes = "Brave";
        state.locDescLen = 100;
        state.locAttrLen = 10;
    }

    void open()
    {
        names.clear();
        panel = std::make_unique<SlotTrayPanel>(edits);
        // The component list follows the project's breed name, as the main window does.
        QObject::connect(&edits, &ProjectEdits::textChanged, panel.get(), [this](ProjectText t) {
            if (t == ProjectText::BreedName)
                names.push_back(QString::fromLatin1(state.breedName));
        });
        panel->show();
    }

    template <typename T> T* child(const char* name)
    {
        T* found = panel->findChild<T*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    ProjectState state;
    ProjectEdits edits{state};
    std::vector<QString> names;
    std::unique_ptr<SlotTrayPanel> panel;
};

TEST_F(SlotTrayPanelTest, LoadingShowsTheStateAndATrayOutsideTheScrollBarIsKept)
{
    open();
    EXPECT_EQ(child<QLineEdit>("fldBreedName")->text(), QStringLiteral("Eggbert"));
    EXPECT_TRUE(names.empty()) << "showing the name is no change of it";
    EXPECT_EQ(child<QLineEdit>("slotTX")->text(), QStringLiteral("4"));
    EXPECT_EQ(child<QScrollBar>("slotS")->value(), 4);
    EXPECT_EQ(state.eggSlot, "4");

    // 40 is beyond the tray scroll bar's 2 to 30: the bar stays at its start, the state keeps 40.
    EXPECT_EQ(child<QScrollBar>("trayS")->value(), 2);
    EXPECT_EQ(child<QLineEdit>("trayTX")->text(), QStringLiteral("3"));
    EXPECT_EQ(state.eggTray, "40");
}

TEST_F(SlotTrayPanelTest, ScrollBarsSetTheNumbersAndTheLowestTrayIsThree)
{
    open();
    auto* tray = child<QScrollBar>("trayS");
    tray->setValue(17);
    EXPECT_EQ(state.eggTray, "17");
    tray->triggerAction(QAbstractSlider::SliderToMinimum);
    EXPECT_EQ(tray->value(), 2);
    EXPECT_EQ(child<QLineEdit>("trayTX")->text(), QStringLiteral("3"));
    EXPECT_EQ(state.eggTray, "3");
    tray->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(state.eggTray, "30");

    auto* slot = child<QScrollBar>("slotS");
    slot->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(state.eggSlot, "12");
    slot->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(child<QLineEdit>("slotTX")->text(), QStringLiteral("11"));
    EXPECT_EQ(state.eggSlot, "11");
    EXPECT_TRUE(child<QLineEdit>("slotTX")->isReadOnly());
}

TEST_F(SlotTrayPanelTest, ASlotThatIsNoWholeNumberLeavesTheStartValuesAndTheState)
{
    for (const char* slot : {"x7", "4.5", "", "99"}) {
        state.eggSlot = slot;
        open();
        EXPECT_EQ(child<QScrollBar>("slotS")->value(), 1) << slot;
        EXPECT_EQ(child<QLineEdit>("slotTX")->text(), QStringLiteral("1")) << slot;
        EXPECT_EQ(state.eggSlot, slot);
    }
}

TEST_F(SlotTrayPanelTest, DoubleQuotesAreStoredAs148AndShownStraight)
{
    open();
    auto* description = child<QPlainTextEdit>("eddesc");
    EXPECT_EQ(description->toPlainText(), QStringLiteral("Says \"hi\" twice"));
    EXPECT_EQ(state.breedDescription, "Says \x94hi\x94 twice");

    description->moveCursor(QTextCursor::End);
    QTest::keyClicks(description, QStringLiteral(" \"ok\""));
    EXPECT_EQ(state.breedDescription, "Says \x94hi\x94 twice \x94ok\x94");

    // The breed name keeps its straight quotes; the project file takes care of them.
    auto* name = child<QLineEdit>("fldBreedName");
    name->clear();
    QTest::keyClicks(name, QStringLiteral("\"Q\""));
    EXPECT_EQ(state.breedName, "\"Q\"");

    open();
    EXPECT_EQ(child<QPlainTextEdit>("eddesc")->toPlainText(),
              QStringLiteral("Says \"hi\" twice \"ok\""));
}

TEST_F(SlotTrayPanelTest, TheBreedNameRenamesTheComponentLetterByLetter)
{
    open();
    auto* name = child<QLineEdit>("fldBreedName");
    name->clear();
    names.clear();
    typeText(name, QString::fromUtf8("Zo\u00eb"));
    EXPECT_EQ(names, (std::vector<QString>{QStringLiteral("Z"), QStringLiteral("Zo"),
                                           QString::fromUtf8("Zo\u00eb")}));
    EXPECT_EQ(state.breedName, "Zo\xeb");
}

TEST_F(SlotTrayPanelTest, CharactersTheCodePageCannotHoldAreRefused)
{
    open();
    auto* name = child<QLineEdit>("fldBreedName");
    name->end(false);
    typeText(name, QString::fromUtf8("\u0100\u20ac"));
    EXPECT_EQ(name->text(), QString::fromUtf8("Eggbert\u20ac"));
    EXPECT_EQ(state.breedName, "Eggbert\x80");

    auto* description = child<QPlainTextEdit>("eddesc");
    description->moveCursor(QTextCursor::End);
    typeText(description, QString::fromUtf8("\u4e2d!"));
    EXPECT_EQ(description->toPlainText(), QStringLiteral("Says \"hi\" twice!"));
}

TEST_F(SlotTrayPanelTest, TypingIsHeldToTheRoomInTheEggButStoredTextsAreNeverCut)
{
    state.breedAttributes = "Brave and bold";
    state.breedName = "A name of thirty-five characters...";
    open();
    auto* attributes = child<QPlainTextEdit>("edattr");
    EXPECT_EQ(attributes->toPlainText(), QStringLiteral("Brave and bold"));
    EXPECT_EQ(state.breedAttributes, "Brave and bold");
    EXPECT_EQ(state.breedName, "A name of thirty-five characters...");

    // Over the room already: typing adds nothing, deleting works.
    attributes->moveCursor(QTextCursor::End);
    QTest::keyClicks(attributes, QStringLiteral("!"));
    EXPECT_EQ(state.breedAttributes, "Brave and bold");
    QTest::keyClick(attributes, Qt::Key_Backspace);
    EXPECT_EQ(state.breedAttributes, "Brave and bol");

    // A line break takes two characters in the stored text.
    attributes->selectAll();
    QTest::keyClicks(attributes, QStringLiteral("abcdefg"));
    QTest::keyClick(attributes, Qt::Key_Return);
    QTest::keyClicks(attributes, QStringLiteral("xyz"));
    EXPECT_EQ(state.breedAttributes, "abcdefg\r\nx");

    auto* name = child<QLineEdit>("fldBreedName");
    name->clear();
    QTest::keyClicks(name, QString(40, QLatin1Char('n')));
    EXPECT_EQ(state.breedName.size(), 35u);

    state.breedName = "Short";
    open();
    QTest::keyClicks(child<QLineEdit>("fldBreedName"), QString(40, QLatin1Char('n')));
    EXPECT_EQ(state.breedName.size(), 30u);
}

} // namespace
} // namespace yw
