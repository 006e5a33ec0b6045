#include "editors/colorbutton.h"
#include "editors/colorchooser.h"
#include "editors/eballeditor.h"
#include "editors/projectedits.h"
#include "model/palette.h"
#include "model/projectstate.h"
#include "support/testsupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace yw {
namespace {

EBallRecord makeRecord(int16_t fill, int16_t fuzz, int16_t thickness, int16_t diameter,
                       const char* comment)
{
    EBallRecord record;
    record.fillColor = fill;
    record.borderColor = int16_t(fill + 1);
    record.spreckColor = int16_t(fill + 2);
    record.fuzziness = fuzz;
    record.borderThickness = thickness;
    record.diameter = diameter;
    record.auxValue = 17;
    record.texture = 4;
    record.useTexture = 1;
    record.comment = comment;
    return record;
}

QColor screenColor(uint32_t rgb)
{
    return QColor(int(rgb & 0xFF), int(rgb >> 8 & 0xFF), int(rgb >> 16 & 0xFF));
}

class EBallEditorTest : public ::testing::Test
{
protected:
    EBallEditorTest()
    {
        // Closing the last window must not end a later chooser's modal loop.
        QApplication::setQuitOnLastWindowClosed(false);
        state.resetForStartUp();
        state.eBalls[5] = makeRecord(143, 1, 0, 25, "left ear");
        state.eBalls[6] = makeRecord(73, 3, 2, -40, "right ear");
        state.eBalls[70] = makeRecord(200, 2, 1, 300, "tail");
        editor = std::make_unique<EBallEditor>(edits, curBall);
        editor->show();
    }

    template <typename T> T* child(const char* name)
    {
        T* found = editor->findChild<T*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    QComboBox* fuzz() { return child<QComboBox>("fuzzthing"); }
    QComboBox* thickness() { return child<QComboBox>("thkthing"); }
    QLineEdit* diameterText() { return child<QLineEdit>("diaTX"); }
    QScrollBar* diameterBar() { return child<QScrollBar>("diaS"); }
    ColorButton* fill() { return child<ColorButton>("fillthing"); }

    void typeDiameter(const QString& text)
    {
        diameterText()->selectAll();
        QTest::keyClick(diameterText(), Qt::Key_Delete);
        QTest::keyClicks(diameterText(), text);
    }

    // Clicks a colour button and lets `act` work the chooser while it is shown modally.
    void chooseWith(QPushButton* button, std::function<void(ColorChooser&)> act)
    {
        bool acted = false;
        QTimer::singleShot(0, [&] {
            auto* chooser = qobject_cast<ColorChooser*>(QApplication::activeModalWidget());
            ASSERT_NE(chooser, nullptr);
            acted = true;
            act(*chooser);
        });
        QTest::mouseClick(button, Qt::LeftButton);
        EXPECT_TRUE(acted);
    }

    ProjectState state;
    ProjectEdits edits{state};
    int curBall = -1;
    std::unique_ptr<EBallEditor> editor;
};

TEST_F(EBallEditorTest, FirstEBallStoresNothingAndShowsTheRecord)
{
    const auto before = state.eBalls;
    editor->SwitchTo(5, -1, QStringLiteral("qp_small.lnz"));

    EXPECT_EQ(curBall, 5);
    EXPECT_EQ(state.eBalls, before);
    EXPECT_EQ(editor->windowTitle(), QStringLiteral("left ear in qp_small.lnz"));
    EXPECT_EQ(child<QLabel>("fn")->text(), QStringLiteral("143"));
    EXPECT_EQ(child<QLabel>("bn")->text(), QStringLiteral("144"));
    EXPECT_EQ(child<QLabel>("sn")->text(), QStringLiteral("145"));
    EXPECT_EQ(fill()->faceColor(), screenColor(paletteColor(143)));
    EXPECT_EQ(fuzz()->currentText(), QStringLiteral("1 (light fuzz)"));
    EXPECT_EQ(thickness()->currentText(), QStringLiteral("0 (half border)"));
    EXPECT_EQ(diameterText()->text(), QStringLiteral("25"));
    EXPECT_EQ(diameterBar()->value(), 25);
    EXPECT_TRUE(child<QCheckBox>("usetexture")->isChecked());

    editor->SwitchTo(6, 5, QString());
    EXPECT_EQ(editor->windowTitle(), QStringLiteral("right ear"));
}

TEST_F(EBallEditorTest, ChangesGoIntoTheShownRecordAndSwitchingLoadsTheNextIntact)
{
    const EBallRecord six = state.eBalls[6];
    editor->SwitchTo(5, -1, QString());
    fuzz()->setCurrentIndex(3);
    EXPECT_EQ(state.eBalls[5].fuzziness, 3); // at once, not only when stored
    thickness()->setCurrentIndex(3);
    EXPECT_EQ(state.eBalls[5].borderThickness, 2);
    QTest::mouseClick(child<QCheckBox>("usetexture"), Qt::LeftButton);
    EXPECT_EQ(state.eBalls[5].useTexture, 0);
    EXPECT_EQ(state.eBalls[5].texture, 4); // the number itself is never changed

    // Loading record 6 runs the change handlers; they must write into 6, not into 5.
    editor->SwitchTo(6, 5, QString());
    EXPECT_EQ(state.eBalls[6], six);
    EXPECT_EQ(state.eBalls[5].fuzziness, 3);
    EXPECT_EQ(state.eBalls[5].borderThickness, 2);
    EXPECT_EQ(state.eBalls[5].useTexture, 0);
    EXPECT_EQ(state.eBalls[5].diameter, 25);
    EXPECT_EQ(state.eBalls[5].fillColor, 143);
    EXPECT_EQ(state.eBalls[5].auxValue, 17);
    EXPECT_EQ(state.eBalls[5].comment, "left ear");

    editor->SwitchTo(5, 6, QString());
    EXPECT_EQ(fuzz()->currentIndex(), 3);
    EXPECT_FALSE(child<QCheckBox>("usetexture")->isChecked());
}

TEST_F(EBallEditorTest, ValuesTheControlsCannotShowBecomeWhatTheyShow)
{
    state.eBalls[7] = makeRecord(1, 7, -5, 1500, "");
    editor->SwitchTo(7, -1, QString());
    EXPECT_EQ(fuzz()->currentText(), QStringLiteral("3 (heavy fuzz)"));
    EXPECT_EQ(thickness()->currentText(), QStringLiteral("-1 (no border)"));
    EXPECT_EQ(diameterText()->text(), QStringLiteral("999"));
    EXPECT_EQ(diameterBar()->value(), 999);
    EXPECT_EQ(state.eBalls[7].fuzziness, 3);
    EXPECT_EQ(state.eBalls[7].borderThickness, -1);
    EXPECT_EQ(state.eBalls[7].diameter, 999);

    state.eBalls[8] = makeRecord(1, -4, 9, -2000, "");
    editor->SwitchTo(8, 7, QString());
    EXPECT_EQ(fuzz()->currentIndex(), -1);
    EXPECT_EQ(thickness()->currentText(), QStringLiteral("2 (2-pixel)"));
    EXPECT_EQ(diameterText()->text(), QStringLiteral("-999"));
    editor->SwitchTo(5, 8, QString());
    EXPECT_EQ(state.eBalls[8].fuzziness, -1);
    EXPECT_EQ(state.eBalls[8].borderThickness, 2);
    EXPECT_EQ(state.eBalls[8].diameter, -999);
    EXPECT_EQ(state.eBalls[7].fuzziness, 3);
}

TEST_F(EBallEditorTest, TypedDiametersAreHeldToTheLimitsAndReachTheRecordAtOnce)
{
    editor->SwitchTo(5, -1, QString());
    typeDiameter(QStringLiteral("1500"));
    EXPECT_EQ(diameterText()->text(), QStringLiteral("999"));
    EXPECT_EQ(diameterBar()->value(), 999);
    EXPECT_EQ(state.eBalls[5].diameter, 999);

    typeDiameter(QStringLiteral("-2000"));
    EXPECT_EQ(diameterText()->text(), QStringLiteral("-999"));
    EXPECT_EQ(state.eBalls[5].diameter, -999);

    typeDiameter(QStringLiteral("42.5"));
    EXPECT_EQ(state.eBalls[5].diameter, 42); // halves go to the even neighbour

    typeDiameter(QStringLiteral("abc"));
    EXPECT_EQ(diameterText()->text(), QStringLiteral("abc"));
    editor->SwitchTo(6, 5, QString());
    EXPECT_EQ(state.eBalls[5].diameter, 0);
}

TEST_F(EBallEditorTest, TheScrollBarSetsTheTextAndTheRecord)
{
    editor->SwitchTo(5, -1, QString());
    diameterBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(diameterText()->text(), QStringLiteral("26"));
    EXPECT_EQ(state.eBalls[5].diameter, 26);
    diameterBar()->triggerAction(QAbstractSlider::SliderToMinimum);
    EXPECT_EQ(diameterText()->text(), QStringLiteral("-999"));
    EXPECT_EQ(state.eBalls[5].diameter, -999);
    EXPECT_EQ(diameterBar()->focusPolicy(), Qt::NoFocus);
}

TEST_F(EBallEditorTest, ClosingStoresTheShownValuesAndParksInRecord511)
{
    const auto before = state.eBalls;
    editor->SwitchTo(70, -1, QStringLiteral("qp_big.lnz"));
    fuzz()->setCurrentIndex(0);
    typeDiameter(QStringLiteral("12x"));
    editor->close();

    EXPECT_EQ(curBall, kParkingRecord);
    EXPECT_EQ(state.eBalls[70].fuzziness, 0);
    EXPECT_EQ(state.eBalls[70].diameter, 12);
    for (int i = 0; i < kParkingRecord; ++i) {
        if (i != 70) {
            EXPECT_EQ(state.eBalls[size_t(i)], before[size_t(i)]) << i;
        }
    }

    // A fresh window stores its blank controls into the parking record and loses nothing.
    const EBallRecord seventy = state.eBalls[70];
    editor = std::make_unique<EBallEditor>(edits, curBall);
    editor->SwitchTo(5, curBall, QString());
    EXPECT_EQ(state.eBalls[70], seventy);
    EXPECT_EQ(state.eBalls[5], before[5]);
    EXPECT_EQ(state.eBalls[kParkingRecord].diameter, 0);
}

TEST_F(EBallEditorTest, ChoosingAColourStoresTheIndexAndPaintsTheButton)
{
    editor->SwitchTo(5, -1, QString());
    chooseWith(child<QPushButton>("borderthing"), [](ColorChooser& chooser) {
        EXPECT_EQ(chooser.windowTitle(), QStringLiteral("144 (Hex: 90)"));
        auto* picture = chooser.findChild<QFrame*>(QStringLiteral("Picture1"));
        QTest::mouseClick(picture, Qt::LeftButton, {},
                          picture->contentsRect().topLeft() + QPoint(95, 43));
    });
    EXPECT_EQ(state.eBalls[5].borderColor, 73);
    EXPECT_EQ(child<QLabel>("bn")->text(), QStringLiteral("73"));
    EXPECT_EQ(child<ColorButton>("borderthing")->faceColor(), screenColor(paletteColor(73)));
    EXPECT_EQ(state.eBalls[5].fillColor, 143);
}

TEST_F(EBallEditorTest, NoColourShowsBlackAndMinusOne)
{
    editor->SwitchTo(5, -1, QString());
    chooseWith(fill(), [](ColorChooser& chooser) {
        QWidget* trans = chooser.findChild<QWidget*>(QStringLiteral("trans"));
        QTest::mouseClick(trans, Qt::LeftButton, {}, trans->rect().center());
    });
    EXPECT_EQ(state.eBalls[5].fillColor, -1);
    EXPECT_EQ(child<QLabel>("fn")->text(), QStringLiteral("-1"));
    EXPECT_EQ(fill()->faceColor(), QColor(Qt::black));

    // Reopened with no colour, the chooser says so.
    chooseWith(fill(), [](ColorChooser& chooser) {
        EXPECT_EQ(chooser.windowTitle(), QStringLiteral("No Color (-1)"));
        chooser.reject();
    });
}

TEST_F(EBallEditorTest, CancellingTheChooserKeepsButtonNumberAndRecord)
{
    editor->SwitchTo(6, -1, QString());
    chooseWith(fill(), [](ColorChooser& chooser) {
        auto* picture = chooser.findChild<QFrame*>(QStringLiteral("Picture1"));
        QTest::mouseMove(picture, picture->contentsRect().topLeft() + QPoint(3, 3));
        QTest::keyClick(&chooser, Qt::Key_Escape);
    });
    EXPECT_EQ(state.eBalls[6].fillColor, 73);
    EXPECT_EQ(child<QLabel>("fn")->text(), QStringLiteral("73"));
    EXPECT_EQ(fill()->faceColor(), screenColor(paletteColor(73)));
}

TEST_F(EBallEditorTest, AtItsLeastSizeEveryTextIsWhole)
{
    editor->resize(1, 1);
    const QWidget* panel = child<QWidget>("Picture1");
    EXPECT_EQ(panel->geometry().right(), editor->width() - 1);
    for (const char* name : {"Label1", "Label2", "Label3", "Label4", "Label12", "Label14"}) {
        const QLabel* label = child<QLabel>(name);
        EXPECT_LE(label->x() + label->sizeHint().width(), panel->x()) << name;
    }
    for (QComboBox* list : {fuzz(), thickness()})
        EXPECT_GE(list->width(), list->sizeHint().width());
    const QCheckBox* texture = child<QCheckBox>("usetexture");
    EXPECT_GE(texture->width(), texture->sizeHint().width());
}

} // namespace
} // namespace yw
