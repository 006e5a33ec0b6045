#include "document/document.h"
#include "editors/codepagefields.h"
#include "editors/colorbutton.h"
#include "editors/colorchooser.h"
#include "editors/dialogparts.h"
#include "editors/eballeditor.h"
#include "editors/numberbar.h"
#include "editors/screencolor.h"
#include "editors/sheetpainter.h"
#include "editors/slottraypanel.h"
#include "editors/tipspanel.h"
#include "files/breedsheet.h"
#include "files/egggrowth.h"
#include "model/palette.h"
#include "platform/setting.h"
#include "support/guitest.h"

#include <QClipboard>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

namespace yw {
namespace {

using namespace test;

EBallRecord makeRecord(int16_t fill, int16_t fuzz, int16_t thickness, int16_t diameter,
                       const char* comment)
{
    return {fill, int16_t(fill + 1), int16_t(fill + 2), fuzz, thickness, diameter, 17, 4, comment,
            1};
}

// A document of its own, with nothing on disk, for the editors to work on.
struct OpenDocument
{
    ProjectState state;
    const Installation install;
    MemorySettingsStore settings;
    ScriptedPrompts prompts;
    Document document{install, state, settings, prompts};
    ProjectEdits& edits = document.edits();
};

class EBallEditorTest : public ::testing::Test, protected OpenDocument
{
protected:
    EBallEditorTest()
    {
        // Closing the last window must not end a later chooser's modal loop.
        QApplication::setQuitOnLastWindowClosed(false);
        state.eBalls[5] = makeRecord(143, 1, 0, 25, "left ear");
        state.eBalls[6] = makeRecord(73, 3, 2, -40, "right ear");
        state.eBalls[70] = makeRecord(200, 2, 1, 300, "tail");
        editor = std::make_unique<EBallEditor>(document, prompts);
        editor->show();
    }
    QComboBox* fuzz() { return child<QComboBox>(editor.get(), "fuzzthing"); }
    QComboBox* thickness() { return child<QComboBox>(editor.get(), "thkthing"); }
    QLineEdit* diameterText() { return child<QLineEdit>(editor.get(), "diaTX"); }
    NumberBar* diameterBar() { return child<NumberBar>(editor.get(), "diaS"); }
    QString number(const char* name) { return child<QLabel>(editor.get(), name)->text(); }
    void typeDiameter(const QString& text)
    {
        diameterText()->selectAll();
        QTest::keyClick(diameterText(), Qt::Key_Delete);
        QTest::keyClicks(diameterText(), text);
    }

    std::unique_ptr<EBallEditor> editor;
};

TEST_F(EBallEditorTest, TheFirstEBallShownStoresNothing)
{
    const auto before = state.eBalls;
    editor->SwitchTo(5, -1, QStringLiteral("qp_small.lnz"));
    EXPECT_EQ(editor->curBall(), 5);
    EXPECT_EQ(state.eBalls, before);
    EXPECT_EQ(editor->windowTitle(), QStringLiteral("left ear in qp_small.lnz"));
    EXPECT_EQ(QStringList({number("fn"), number("bn"), number("sn")}),
              QStringList({QStringLiteral("143"), QStringLiteral("144"), QStringLiteral("145")}));
    EXPECT_EQ(child<ColorButton>(editor.get(), "fillthing")->faceColor(), test::paletteQColor(143));
    EXPECT_EQ(fuzz()->currentText(), QStringLiteral("1 (light fuzz)"));
    EXPECT_EQ(thickness()->currentText(), QStringLiteral("0 (half border)"));
    EXPECT_EQ(diameterText()->text(), QStringLiteral("25"));
    EXPECT_EQ(diameterBar()->number(), 25);
    EXPECT_TRUE(child<QCheckBox>(editor.get(), "usetexture")->isChecked());
    editor->SwitchTo(6, 5, QString());
    EXPECT_EQ(editor->windowTitle(), QStringLiteral("right ear"));
}

TEST_F(EBallEditorTest, ChangesGoIntoTheShownRecordOnly)
{
    editor->SwitchTo(6, -1, QString());
    const EBallRecord six = state.eBalls[6];
    editor->SwitchTo(5, 6, QString());
    fuzz()->setCurrentIndex(3);
    EXPECT_EQ(state.eBalls[5].fuzziness, 3); // at once, not only when stored
    thickness()->setCurrentIndex(3);
    QTest::mouseClick(child(editor.get(), "usetexture"), Qt::LeftButton);
    EBallRecord five = makeRecord(143, 3, 2, 25, "left ear");
    five.useTexture = 0; // the texture number itself is never changed
    EXPECT_EQ(state.eBalls[5], five);

    // Loading record 6 runs the change handlers; they must write into 6, not into 5.
    editor->SwitchTo(6, 5, QString());
    EXPECT_EQ(state.eBalls[6], six);
    EXPECT_EQ(state.eBalls[5], five);
    editor->SwitchTo(5, 6, QString());
    EXPECT_EQ(fuzz()->currentIndex(), 3);
    EXPECT_FALSE(child<QCheckBox>(editor.get(), "usetexture")->isChecked());
}

// No project is open, so the document knows no ball sets: the user is told, no dialog blocks.
TEST_F(EBallEditorTest, ApplyToOthersWithoutTheBreedsShapeIsToldThroughPrompts)
{
    editor->SwitchTo(5, -1, QString());
    QTest::mouseClick(child(editor.get(), "btnApply"), Qt::LeftButton);
    prompts.expectOne(QStringLiteral("Apply to Others needs the eBalls of the base breed."),
                      PromptIcon::Exclamation, false);
}

TEST_F(EBallEditorTest, ValuesTheControlsCannotShowOrTypedOnesAreHeldToTheLimits)
{
    state.eBalls[7] = makeRecord(1, 7, -5, 1500, "");
    state.eBalls[8] = makeRecord(1, -4, 9, -2000, "");
    editor->SwitchTo(7, -1, QString());
    EXPECT_EQ(fuzz()->currentText(), QStringLiteral("3 (heavy fuzz)"));
    EXPECT_EQ(thickness()->currentText(), QStringLiteral("-1 (no border)"));
    EXPECT_EQ(diameterText()->text(), QStringLiteral("999"));
    EXPECT_EQ(diameterBar()->number(), 999);
    EXPECT_EQ(state.eBalls[7], makeRecord(1, 3, -1, 999, ""));
    editor->SwitchTo(8, 7, QString());
    EXPECT_EQ(fuzz()->currentIndex(), -1);
    EXPECT_EQ(thickness()->currentText(), QStringLiteral("2 (2-pixel)"));
    EXPECT_EQ(diameterText()->text(), QStringLiteral("-999"));
    editor->SwitchTo(5, 8, QString());
    EXPECT_EQ(state.eBalls[8], makeRecord(1, -1, 2, -999, ""));
    EXPECT_EQ(state.eBalls[7], makeRecord(1, 3, -1, 999, ""));

    const struct
    {
        const char* typed;
        const char* shown;
        int16_t stored;
    } cases[] = {{"1500", "999", 999},
                 {"1000", "999", 999},
                 {"-2000", "-999", -999},
                 {"-1000", "-999", -999},
                 {"42.5", "42.5", 42}}; // halves go to the even neighbour
    for (const auto& c : cases) {
        typeDiameter(QLatin1String(c.typed));
        EXPECT_EQ(diameterText()->text(), QLatin1String(c.shown)) << c.typed;
        EXPECT_EQ(state.eBalls[5].diameter, c.stored) << c.typed;
    }
    typeDiameter(QStringLiteral("999"));
    EXPECT_EQ(diameterBar()->number(), 999);
    typeDiameter(QStringLiteral("abc"));
    EXPECT_EQ(diameterText()->text(), QStringLiteral("abc"));
    editor->SwitchTo(6, 5, QString());
    EXPECT_EQ(state.eBalls[5].diameter, 0);

    // The scroll bar sets the text and the record, up raising the value and down lowering it,
    // and takes no focus.
    editor->SwitchTo(5, 6, QString());
    NumberBar* bar = diameterBar();
    QTest::keyClick(bar, Qt::Key_Up);
    EXPECT_EQ(diameterText()->text(), QStringLiteral("1"));
    EXPECT_EQ(state.eBalls[5].diameter, 1);
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(bar, Qt::Key_Down);
    EXPECT_EQ(state.eBalls[5].diameter, -2);
    bar->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(diameterText()->text(), QStringLiteral("-999"));
    EXPECT_EQ(state.eBalls[5].diameter, -999);
    EXPECT_EQ(diameterBar()->focusPolicy(), Qt::NoFocus);
    // A screen reader hears and sets the diameter itself.
    QAccessibleValueInterface* value = QAccessible::queryAccessibleInterface(bar)->valueInterface();
    EXPECT_EQ(value->currentValue().toInt(), -999);
    value->setCurrentValue(12);
    EXPECT_EQ(state.eBalls[5].diameter, 12);
}

TEST_F(EBallEditorTest, ClosingStoresTheShownValuesBeforeParking)
{
    const auto before = state.eBalls;
    editor->SwitchTo(70, -1, QStringLiteral("qp_big.lnz"));
    fuzz()->setCurrentIndex(0);
    typeDiameter(QStringLiteral("12x"));
    editor->close();
    EXPECT_EQ(editor->curBall(), kParkingRecord);
    auto expected = before;
    expected[70].fuzziness = 0;
    expected[70].diameter = 12;
    EXPECT_EQ(state.eBalls, expected);
    EXPECT_EQ(document.history().count(), 2) << "parking is no step of the project";
}

// Enter commits an edit; retyping that passes through the edit's start keeps the step before.
TEST_F(EBallEditorTest, EachCommittedEditIsAStepOfItsOwn)
{
    editor->SwitchTo(5, -1, QString());
    diameterText()->setFocus();
    for (const char* typed : {"57", "570", "570"}) {
        typeDiameter(QLatin1String(typed));
        QTest::keyClick(diameterText(), Qt::Key_Return);
    }
    EXPECT_EQ(document.history().count(), 2);
    document.history().undo();
    EXPECT_EQ(state.eBalls[5].diameter, 57);
    document.history().undo();
    EXPECT_EQ(state.eBalls[5].diameter, 25);
    // Up and Down in the box step the diameter as in a spin box.
    QTest::keyClick(diameterText(), Qt::Key_Up);
    EXPECT_EQ(state.eBalls[5].diameter, 26);
    QTest::keyClick(diameterText(), Qt::Key_Down);
    QTest::keyClick(diameterText(), Qt::Key_Down);
    EXPECT_EQ(diameterText()->text(), QStringLiteral("24"));
}

// A fresh window stores its blank controls into the parking record and loses nothing.
TEST_F(EBallEditorTest, AFreshWindowStoresItsBlankControlsOnlyIntoTheParkingRecord)
{
    auto expected = state.eBalls;
    editor->SwitchTo(5, kParkingRecord, QString());
    for (int i = 0; i <= kParkingRecord; ++i)
        EXPECT_TRUE(i == kParkingRecord ? state.eBalls[size_t(i)].diameter == 0
                                        : state.eBalls[size_t(i)] == expected[size_t(i)])
            << i;
    EXPECT_EQ(document.history().count(), 0);
}

TEST_F(EBallEditorTest, TheChooserStoresTheIndexPaintsTheButtonOrChangesNothing)
{
    editor->SwitchTo(5, -1, QString());
    auto* fill = child<ColorButton>(editor.get(), "fillthing");
    auto* border = child<ColorButton>(editor.get(), "borderthing");
    const auto choose = [](QWidget* button, const std::function<void(ColorChooser&)>& act) {
        test::whileModal<ColorChooser>([&] { QTest::mouseClick(button, Qt::LeftButton); }, act);
    };
    choose(border, [](ColorChooser& chooser) {
        EXPECT_EQ(chooser.windowTitle(), QStringLiteral("144 (Hex: 90)"));
        auto* picture = child<QFrame>(&chooser, "Picture1");
        QTest::mouseClick(picture, Qt::LeftButton, {},
                          picture->contentsRect().topLeft() + QPoint(95, 43));
    });
    EXPECT_EQ(state.eBalls[5].borderColor, 73);
    EXPECT_EQ(number("bn"), QStringLiteral("73"));
    EXPECT_EQ(border->faceColor(), test::paletteQColor(73));
    EXPECT_EQ(state.eBalls[5].fillColor, 143);

    choose(fill, [](ColorChooser& chooser) {
        QWidget* none = child(&chooser, "trans");
        QTest::mouseClick(none, Qt::LeftButton, {}, none->rect().center());
    });
    EXPECT_EQ(state.eBalls[5].fillColor, -1);
    EXPECT_EQ(number("fn"), QStringLiteral("-1"));
    EXPECT_EQ(fill->faceColor(), QColor(Qt::black)); // the chooser's colour for none...
    // ...but the face is hatched grey on white, never to be taken for black.
    const QImage face = fill->grab().toImage();
    const QPoint middle = fill->rect().center();
    QSet<QRgb> inks;
    for (int d = -4; d <= 4; ++d)
        inks << face.pixel(middle + QPoint(d, 0));
    EXPECT_EQ(inks, QSet<QRgb>({qRgb(255, 255, 255), qRgb(128, 128, 128)}));

    // Cancelled after the pointer moved over another colour: nothing changes.
    choose(fill, [](ColorChooser& chooser) {
        EXPECT_EQ(chooser.windowTitle(), QStringLiteral("No Color (-1)"));
        auto* picture = child<QFrame>(&chooser, "Picture1");
        QTest::mouseMove(picture, picture->contentsRect().topLeft() + QPoint(3, 3));
        QTest::keyClick(&chooser, Qt::Key_Escape);
    });
    EXPECT_EQ(state.eBalls[5].fillColor, -1);
    EXPECT_EQ(number("fn"), QStringLiteral("-1"));
    EXPECT_EQ(fill->faceColor(), QColor(Qt::black));
}

class ColorChooserTest : public ::testing::Test
{
protected:
    void open(int index)
    {
        chooser = std::make_unique<ColorChooser>(index);
        chooser->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(chooser.get()));
        picture = child<QFrame>(chooser.get(), "Picture1");
        none = child(chooser.get(), "trans");
    }
    // A point of the palette picture, in pixels from its top left corner inside the border.
    QPoint at(int x, int y) const { return picture->contentsRect().topLeft() + QPoint(x, y); }
    QString caption() const { return chooser->windowTitle(); }

    std::unique_ptr<ColorChooser> chooser;
    QFrame* picture = nullptr;
    QWidget* none = nullptr;
};

TEST_F(ColorChooserTest, ShowsTheIndexItOpensWith)
{
    const struct
    {
        int index;
        const char* caption;
        QPoint marker;
    } cases[] = {{37, "37 (Hex: 25)", {49, 19}},
                 {255, "255 (Hex: FF)", {149, 149}},
                 {0, "0 (Hex: 0)", {-1, -1}},
                 {-1, "No Color (-1)", {}}};
    for (const auto& c : cases) {
        open(c.index);
        QWidget* marker = child(chooser.get(), "highlight");
        EXPECT_EQ(caption(), QLatin1String(c.caption));
        EXPECT_EQ(marker->isVisible(), c.index >= 0);
        if (c.index >= 0) {
            EXPECT_EQ(marker->pos() - picture->contentsRect().topLeft(), c.marker) << c.index;
        }
    }
}

TEST_F(ColorChooserTest, TheCaptionFollowsThePointerInsideThePictureOnly)
{
    open(37);
    for (const auto& [point, shown] :
         {std::pair{at(0, 0), "0 (Hex: 0)"}, std::pair{at(159, 159), "255 (Hex: FF)"},
          std::pair{at(160, 20), "255 (Hex: FF)"}, std::pair{at(95, 43), "73 (Hex: 49)"}}) {
        QTest::mouseMove(picture, point);
        EXPECT_EQ(caption(), QLatin1String(shown));
    }
    QTest::mouseMove(none, none->rect().center());
    EXPECT_EQ(caption(), QStringLiteral("No Color (-1)"));
}

TEST_F(ColorChooserTest, OnlyALeftReleaseOnTheColoursPicks)
{
    open(37);
    QTest::mouseClick(picture, Qt::RightButton, {}, at(95, 43));
    QTest::mouseClick(picture, Qt::MiddleButton, {}, at(10, 10));
    QTest::mouseClick(picture, Qt::LeftButton, {}, at(161, 80)); // the sunken border
    EXPECT_TRUE(chooser->isVisible());
    EXPECT_EQ(chooser->picked(), std::nullopt);
    QTest::mouseClick(picture, Qt::LeftButton, {}, at(95, 43));
    EXPECT_EQ(chooser->result(), QDialog::Accepted);
    EXPECT_FALSE(chooser->isVisible());
    EXPECT_EQ(chooser->picked(), 73);
}

TEST_F(ColorChooserTest, EitherButtonPicksNoColour)
{
    for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton}) {
        open(37);
        QTest::mouseClick(none, button, {}, none->rect().center());
        EXPECT_EQ(chooser->result(), QDialog::Accepted);
        EXPECT_EQ(chooser->picked(), -1);
    }
}

TEST_F(ColorChooserTest, CancelEscapeOrClosingPicksNothing)
{
    for (int way = 0; way < 3; ++way) {
        open(200);
        QTest::mouseMove(picture, at(95, 43));
        if (way == 0)
            QTest::mouseClick(child(chooser.get(), "btnCancel"), Qt::LeftButton);
        else if (way == 1)
            QTest::keyClick(chooser.get(), Qt::Key_Escape);
        else
            chooser->close();
        EXPECT_EQ(chooser->result(), QDialog::Rejected);
        EXPECT_FALSE(chooser->isVisible());
        EXPECT_EQ(chooser->picked(), std::nullopt);
    }
}

TEST_F(ColorChooserTest, ThePictureShowsEveryPaletteEntryInItsCell)
{
    open(0);
    const QImage shot = picture->grab().toImage();
    for (int index : {1, 37, 73, 143, 200, 254}) // the middle of the cell, clear of the marker
        EXPECT_EQ(shot.pixelColor(at(10 * (index % 16) + 5, 10 * (index / 16) + 5)),
                  test::paletteQColor(index))
            << index;
}

class PanelTest : public ::testing::Test, protected OpenDocument
{
protected:
    PanelTest()
    {
        state.breedName = "Eggbert";
        state.eggSlot = "4";
        state.eggTray = "40";
        state.breedDescription = "Says \x94hi\x94 twice";
        state.breedAttributes = "Brave";
        state.locDescLen = 100;
        state.locAttrLen = 10;
        state.regTips = {"Feed me", "Pet me", "Say \"hi\""};
        state.demoTips = {"Buy me", "Demo two", "Demo three"};
        // The component list follows the project's breed name, as the main window does.
        QObject::connect(&document, &Document::changed, [this](const DocumentChange& change) {
            if (change.what == DocumentChange::What::Text && change.text == ProjectText::BreedName)
                names.push_back(QString::fromLatin1(state.breedName));
        });
    }
    template <class Panel> void open()
    {
        names.clear();
        panel = std::make_unique<Panel>(document);
        panel->show();
    }
    template <class T = QLineEdit> T* field(const char* name)
    {
        return child<T>(panel.get(), name);
    }
    QLineEdit* tip(const char* prefix, int i)
    {
        return field((prefix + std::to_string(i)).c_str());
    }

    std::vector<QString> names;
    std::unique_ptr<QWidget> panel;
};

TEST_F(PanelTest, SlotTrayKeepsNumbersItsScrollBarsCannotShow)
{
    state.eggTray = "46";
    open<SlotTrayPanel>();
    EXPECT_EQ(field("fldBreedName")->text(), QStringLiteral("Eggbert"));
    EXPECT_TRUE(names.empty()) << "showing the name is no change of it";
    EXPECT_EQ(field("slotTX")->text(), QStringLiteral("4"));
    EXPECT_EQ(field<NumberBar>("slotS")->number(), 4);
    // 46 is beyond the tray's 3 to 45: the bar stays at its start, the state keeps 46.
    EXPECT_EQ(field<NumberBar>("trayS")->number(), 3);
    EXPECT_EQ(field("trayTX")->text(), QStringLiteral("3"));
    EXPECT_EQ(state.eggTray, "46");
    EXPECT_EQ(state.eggSlot, "4");
    for (const char* slot : {"x7", "4.5", "", "99"}) { // no whole number in the range
        state.eggSlot = slot;
        open<SlotTrayPanel>();
        EXPECT_EQ(field<NumberBar>("slotS")->number(), 1) << slot;
        EXPECT_EQ(field("slotTX")->text(), QStringLiteral("1")) << slot;
        EXPECT_EQ(state.eggSlot, slot);
    }
    state.eggTray = "40";
    open<SlotTrayPanel>();
    EXPECT_EQ(field<NumberBar>("trayS")->number(), 40);
    EXPECT_EQ(field("trayTX")->text(), QStringLiteral("40"));
}

TEST_F(PanelTest, SlotTrayBarsAndBoxesAgreeAtBothEnds)
{
    open<SlotTrayPanel>();
    // Up raises the number (key, top arrow), down lowers it.
    auto* tray = field<NumberBar>("trayS");
    tray->setNumber(17);
    EXPECT_EQ(state.eggTray, "17");
    QTest::keyClick(tray, Qt::Key_Up);
    EXPECT_EQ(state.eggTray, "18");
    QTest::mouseClick(tray, Qt::LeftButton, {}, QPoint(tray->width() / 2, 1));
    EXPECT_EQ(state.eggTray, "19");
    tray->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(tray->number(), 3);
    EXPECT_EQ(field("trayTX")->text(), QStringLiteral("3"));
    EXPECT_EQ(state.eggTray, "3");
    tray->triggerAction(QAbstractSlider::SliderToMinimum);
    EXPECT_EQ(tray->number(), 45);
    EXPECT_EQ(state.eggTray, "45");
    // The boxes take no typing and look it, but Up and Down in them step like a spin box.
    auto* slotBox = field("slotTX");
    EXPECT_TRUE(slotBox->isReadOnly());
    EXPECT_NE(slotBox->palette().color(QPalette::Base),
              field("fldBreedName")->palette().color(QPalette::Base));
    field<NumberBar>("slotS")->setNumber(12);
    QTest::keyClick(slotBox, Qt::Key_Up);
    EXPECT_EQ(state.eggSlot, "12");
    QTest::keyClick(slotBox, Qt::Key_Down);
    EXPECT_EQ(slotBox->text(), QStringLiteral("11"));
    EXPECT_EQ(state.eggSlot, "11");
    QTest::keyClick(field("trayTX"), Qt::Key_Down);
    EXPECT_EQ(state.eggTray, "44");
}

TEST_F(PanelTest, DescriptionQuotesAreStoredAs148ButShownStraight)
{
    open<SlotTrayPanel>();
    auto* description = field<QPlainTextEdit>("eddesc");
    EXPECT_EQ(description->toPlainText(), QStringLiteral("Says \"hi\" twice"));
    description->moveCursor(QTextCursor::End);
    QTest::keyClicks(description, QStringLiteral(" \"ok\""));
    typeText(description, QString::fromUtf8("\u4e2d")); // not in the code page: refused
    EXPECT_EQ(state.breedDescription, "Says \x94hi\x94 twice \x94ok\x94");
    open<SlotTrayPanel>();
    EXPECT_EQ(field<QPlainTextEdit>("eddesc")->toPlainText(),
              QStringLiteral("Says \"hi\" twice \"ok\""));
}

// The breed name keeps its straight quotes; the project file takes care of them.
TEST_F(PanelTest, TheBreedNameIsStoredInTheCodePageWithStraightQuotes)
{
    open<SlotTrayPanel>();
    auto* name = field("fldBreedName");
    name->clear();
    names.clear();
    typeText(name, QString::fromUtf8("\"Zo\u00eb\u0100\u20ac"));
    EXPECT_EQ(state.breedName, "\"Zo\xeb\x80");
    EXPECT_EQ(names, (std::vector<QString>{QStringLiteral("\""), QStringLiteral("\"Z"),
                                           QStringLiteral("\"Zo"), QString::fromUtf8("\"Zo\u00eb"),
                                           QString::fromUtf8("\"Zo\u00eb\u0080")}));
}

TEST_F(PanelTest, TypingIsHeldToTheRoomInTheEggButStoredTextsAreNeverCut)
{
    state.breedAttributes = "Brave and bold";
    state.breedName = "A name of thirty-five characters...";
    open<SlotTrayPanel>();
    auto* attributes = field<CodePageTextEdit>("edattr");
    EXPECT_EQ(attributes->toPlainText(), QStringLiteral("Brave and bold"));
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
    EXPECT_EQ(field<QLabel>("edattrRoom")->text(),
              QStringLiteral("10 of 10 characters used, 0 left."));
    // Growing, the limit rises to the cap, and the line says how far past the room it goes.
    setting::optGrow.write(settings, QStringLiteral("1"));
    document.optionsChanged();
    attributes->insertChecked(QString(kGrownTextCap, QLatin1Char('y')));
    QTest::keyClicks(attributes, QStringLiteral("z"));
    EXPECT_EQ(state.breedAttributes.size(), size_t(kGrownTextCap));
    EXPECT_EQ(
        field<QLabel>("edattrRoom")->text(),
        QStringLiteral(
            "4096 characters, 4086 past the base egg's room of 10: writing the egg grows it."));
    setting::optGrow.write(settings, QStringLiteral("0"));
    document.optionsChanged();
    EXPECT_TRUE(field<QLabel>("edattrRoom")->text().endsWith(QStringLiteral("offers to grow it.")));
    field("fldBreedName")->clear();
    QTest::keyClicks(field("fldBreedName"), QString(40, QLatin1Char('n')));
    EXPECT_EQ(state.breedName.size(), 35u);
    state.breedName = "Short";
    open<SlotTrayPanel>();
    QTest::keyClicks(field("fldBreedName"), QString(40, QLatin1Char('n')));
    EXPECT_EQ(state.breedName.size(), 30u);
    // All 30 show: with the caret at the end, the first is still at the box's left edge.
    QLineEdit* name = field("fldBreedName");
    name->setText(QString(30, QLatin1Char('N')));
    name->setCursorPosition(30);
    EXPECT_EQ(name->cursorPositionAt(QPoint(name->contentsRect().left() + 5, name->height() / 2)),
              0);
}

// All the tips share one room in the egg: the panel shows what the block uses and has left as the
// user types, and what writing the egg does past it.
TEST_F(PanelTest, TheTipsShowTheRoomTheirBlockUsesAsTheUserTypes)
{
    state.tipCount = 6;
    state.locTipsLen = 100; // 160 bytes, 58 of them keys and line ends
    open<TipsPanel>();
    auto* room = field<QLabel>("tipsRoom");
    EXPECT_EQ(room->text(), QStringLiteral("Tips: 45 of 102 characters used, 57 left."));
    QTest::keyClicks(tip("dTip", 2), QString(60, QLatin1Char('x')));
    EXPECT_EQ(room->text(),
              QStringLiteral("Tips: 105 characters, 3 past the base egg's room of 102: writing "
                             "the egg asks whether to grow it or cut the tips."));
}

TEST(CodePageTextEditTest, LoneLineBreaksShowAsMarksTheFontsHaveNotAsMissingGlyphBoxes)
{
    CodePageTextEdit edit;
    edit.resize(200, 60);
    edit.show();
    const auto drawn = [&](const QString& text) {
        edit.setPlainText(text);
        return edit.viewport()->grab().toImage();
    };
    const QImage box = drawn(QStringLiteral("x\uE000x")); // no font has it: the missing glyph
    const QImage none = drawn(QStringLiteral("xx"));
    for (const char* stored : {"x\nx", "x\rx"}) {
        edit.setStoredText(QString::fromLatin1(stored));
        EXPECT_EQ(edit.storedText(), QString::fromLatin1(stored));
        const QImage mark = edit.viewport()->grab().toImage();
        EXPECT_NE(mark, box) << stored;
        EXPECT_NE(mark, none) << stored;
    }
}

TEST_F(PanelTest, TipsShowOnlyThePairsTheBreedHas)
{
    for (const auto& [count, third, demoThird] :
         {std::tuple{6, "Say \"hi\"", "Demo three"}, std::tuple{5, "", ""}, std::tuple{0, "", ""},
          std::tuple{9, "Say \"hi\"", "Demo three"}}) {
        state.tipCount = count;
        open<TipsPanel>();
        EXPECT_EQ(tip("rTip", 2)->text(), QLatin1String(third)) << count;
        EXPECT_EQ(tip("dTip", 2)->text(), QLatin1String(demoThird)) << count;
        EXPECT_EQ(tip("dTip", 0)->text(), count ? QStringLiteral("Buy me") : QString()) << count;
        EXPECT_EQ(tip("rTip", 1)->text(), count ? QStringLiteral("Pet me") : QString()) << count;
    }
    EXPECT_EQ(state.regTips[2], "Say \"hi\""); // not shown is not lost
}

TEST_F(PanelTest, TypedTipsGoIntoTheState)
{
    state.tipCount = 5;
    open<TipsPanel>();
    tip("rTip", 2)->setFocus();
    QTest::keyClicks(tip("rTip", 2), QStringLiteral("A \"quoted\" tip"));
    EXPECT_EQ(state.regTips[2], "A \"quoted\" tip");
    tip("dTip", 0)->clear();
    typeText(tip("dTip", 0), QString::fromUtf8("Caf\u00e9\u0100"));
    EXPECT_EQ(state.demoTips[0], "Caf\xe9");
    QApplication::clipboard()->setText(QStringLiteral("two\r\nlines")); // refused, not a blank
    tip("dTip", 0)->paste();
    EXPECT_EQ(state.demoTips[0], "Caf\xe9");
    EXPECT_EQ(state.regTips[0], "Feed me");
}

} // namespace
// The preview draws each disc once and copies it after: a disc whose colour changed is drawn
// anew, and the copy shows what drawing it directly shows.
TEST(SheetPainterTest, ACachedDiscFollowsItsColour)
{
    ProjectState state;
    const BreedShape shape{{"a.lnz", "b.lnz", 1}, {"one"}};
    state.ball(0).diameter = state.ball(1).diameter = 60;
    const auto centre = [&](bool cached) {
        const BreedSheet sheet = breedSheet(state, shape, SheetKind::Preview);
        QImage image(int(sheet.width), int(sheet.height), QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        paintBreedSheet(painter, sheet, cached);
        painter.end();
        const SheetSwatch& adult = sheet.swatches[1];
        return image.pixelColor(int(adult.cx), int(adult.cy));
    };
    for (const int16_t fill : {4, 200}) {
        state.ball(1).fillColor = fill;
        EXPECT_EQ(centre(true), centre(false)) << fill;
        EXPECT_EQ(centre(true), screenColor(paletteColor(fill))) << fill;
    }
}

// A family the system lacks gives the application's font, not a stand-in picked elsewhere; one it
// has is kept.
TEST(InstalledOrApplicationFont, AMissingFamilyGivesTheApplicationsFont)
{
    const QString missing = QStringLiteral("No Such Family Anywhere");
    ASSERT_FALSE(QFontDatabase::families().contains(missing));
    EXPECT_EQ(installedOrApplicationFont(missing), QGuiApplication::font());
    const QStringList families = QFontDatabase::families();
    ASSERT_FALSE(families.isEmpty());
    EXPECT_EQ(installedOrApplicationFont(families.last()).family(), families.last());
}

} // namespace yw
