#include "editors/colorchooser.h"
#include "model/palette.h"
#include "support/testsupport.h"

#include <QFrame>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace yw {
namespace {

class ColorChooserTest : public ::testing::Test
{
protected:
    void open(int index)
    {
        owned = std::make_unique<ColorChooser>(index);
        owned->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(owned.get()));
    }

    ColorChooser& chooser() { return *owned; }
    QFrame* picture() { return owned->findChild<QFrame*>(QStringLiteral("Picture1")); }
    QWidget* trans() { return owned->findChild<QWidget*>(QStringLiteral("trans")); }
    QWidget* highlight() { return owned->findChild<QWidget*>(QStringLiteral("highlight")); }

    // A point of the palette picture, in pixels from its top left corner inside the border.
    QPoint at(int x, int y) { return picture()->contentsRect().topLeft() + QPoint(x, y); }
    QPoint markerCorner() { return highlight()->pos() - picture()->contentsRect().topLeft(); }

    std::unique_ptr<ColorChooser> owned;
};

TEST_F(ColorChooserTest, OpeningShowsTheIndexInTheCaptionAndFramesItsCell)
{
    open(37);
    EXPECT_EQ(chooser().windowTitle(), QStringLiteral("37 (Hex: 25)"));
    EXPECT_TRUE(highlight()->isVisible());
    EXPECT_EQ(markerCorner(), QPoint(49, 19));

    open(255);
    EXPECT_EQ(chooser().windowTitle(), QStringLiteral("255 (Hex: FF)"));
    EXPECT_EQ(markerCorner(), QPoint(149, 149));

    open(0);
    EXPECT_EQ(markerCorner(), QPoint(-1, -1));

    open(-1);
    EXPECT_EQ(chooser().windowTitle(), QStringLiteral("No Color (-1)"));
    EXPECT_FALSE(highlight()->isVisible());
}

TEST_F(ColorChooserTest, TheCaptionFollowsThePointerInsideThePictureOnly)
{
    open(37);
    QTest::mouseMove(picture(), at(0, 0));
    EXPECT_EQ(chooser().windowTitle(), QStringLiteral("0 (Hex: 0)"));
    QTest::mouseMove(picture(), at(159, 159));
    EXPECT_EQ(chooser().windowTitle(), QStringLiteral("255 (Hex: FF)"));
    QTest::mouseMove(picture(), at(160, 20));
    EXPECT_EQ(chooser().windowTitle(), QStringLiteral("255 (Hex: FF)"));
    QTest::mouseMove(picture(), at(95, 43));
    EXPECT_EQ(chooser().windowTitle(), QStringLiteral("73 (Hex: 49)"));
    QTest::mouseMove(trans(), trans()->rect().center());
    EXPECT_EQ(chooser().windowTitle(), QStringLiteral("No Color (-1)"));
}

TEST_F(ColorChooserTest, OnlyALeftReleaseOverThePalettePicksACell)
{
    open(37);
    QTest::mouseClick(picture(), Qt::RightButton, {}, at(95, 43));
    QTest::mouseClick(picture(), Qt::MiddleButton, {}, at(10, 10));
    // The sunken border around the picture is not part of it.
    QTest::mouseClick(picture(), Qt::LeftButton, {}, at(161, 80));
    EXPECT_TRUE(chooser().isVisible());
    EXPECT_EQ(chooser().picked(), std::nullopt);

    QTest::mouseClick(picture(), Qt::LeftButton, {}, at(95, 43));
    EXPECT_EQ(chooser().result(), QDialog::Accepted);
    EXPECT_FALSE(chooser().isVisible());
    EXPECT_EQ(chooser().picked(), 73);
}

TEST_F(ColorChooserTest, AnyButtonOverTheNoColourBoxPicksNoColour)
{
    for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton}) {
        open(37);
        QTest::mouseClick(trans(), button, {}, trans()->rect().center());
        EXPECT_EQ(chooser().result(), QDialog::Accepted);
        EXPECT_EQ(chooser().picked(), -1);
    }
}

TEST_F(ColorChooserTest, CancelEscapeAndClosingPickNothing)
{
    open(37);
    QTest::mouseMove(picture(), at(95, 43));
    QTest::mouseClick(chooser().findChild<QPushButton*>(QStringLiteral("btnCancel")),
                      Qt::LeftButton);
    EXPECT_EQ(chooser().result(), QDialog::Rejected);
    EXPECT_FALSE(chooser().isVisible());
    EXPECT_EQ(chooser().picked(), std::nullopt);

    open(-1);
    QTest::keyClick(&chooser(), Qt::Key_Escape);
    EXPECT_FALSE(chooser().isVisible());
    EXPECT_EQ(chooser().picked(), std::nullopt);

    open(200);
    chooser().close();
    EXPECT_EQ(chooser().result(), QDialog::Rejected);
    EXPECT_EQ(chooser().picked(), std::nullopt);
}

TEST_F(ColorChooserTest, ThePictureShowsEveryPaletteEntryInItsCell)
{
    open(0);
    const QImage shot = picture()->grab().toImage();
    const QPoint origin = picture()->contentsRect().topLeft();
    for (int index : {1, 37, 73, 143, 200, 254}) {
        // The middle of the cell, clear of the marker.
        const QColor shown =
            shot.pixelColor(origin + QPoint(10 * (index % 16) + 5, 10 * (index / 16) + 5));
        const uint32_t rgb = paletteColor(index);
        EXPECT_EQ(shown, QColor(int(rgb & 0xFF), int(rgb >> 8 & 0xFF), int(rgb >> 16 & 0xFF)))
            << index;
    }
}

} // namespace
} // namespace yw
