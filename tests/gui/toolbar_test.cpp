#include "shell/toolbar/toolbarstrip.h"

#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace yw {

namespace {

void press(QWidget* widget, Qt::MouseButton button)
{
    QTest::mousePress(widget, button, Qt::NoModifier, QPoint(4, 4));
}

void release(QWidget* widget, Qt::MouseButton button, QPoint at = QPoint(4, 4))
{
    QTest::mouseRelease(widget, button, Qt::NoModifier, at);
}

} // namespace

class Toolbar : public ::testing::Test
{
protected:
    void SetUp() override
    {
        strip.resize(600, ToolbarStrip::kStripHeight);
        strip.show();
    }
    ToolbarStrip strip;
};

TEST_F(Toolbar, OnlyAnArmedClickActs)
{
    QSignalSpy clicks(&strip, &ToolbarStrip::buttonClicked);
    StripControl* open = strip.button(ToolbarStrip::Open);

    open->click(); // nothing has armed the strip yet
    EXPECT_EQ(clicks.count(), 0);

    press(open, Qt::LeftButton);
    EXPECT_TRUE(open->isPressed());
    EXPECT_FALSE(strip.buttonArmed());
    release(open, Qt::LeftButton);
    EXPECT_FALSE(open->isPressed());
    ASSERT_EQ(clicks.count(), 1);
    EXPECT_EQ(clicks.takeFirst().at(0).toInt(), ToolbarStrip::Open);

    // A right press disarms; a click arriving before any left release does nothing.
    press(open, Qt::RightButton);
    EXPECT_FALSE(open->isPressed());
    release(open, Qt::RightButton);
    EXPECT_FALSE(strip.buttonArmed());
    open->click();
    EXPECT_EQ(clicks.count(), 0);

    // Right press, then a left click: the left release arms again and the click acts.
    press(open, Qt::RightButton);
    QTest::mouseClick(open, Qt::LeftButton, Qt::NoModifier, QPoint(4, 4));
    EXPECT_EQ(clicks.count(), 1);

    // Released outside the button: armed, but no click.
    press(strip.button(ToolbarStrip::About), Qt::LeftButton);
    release(strip.button(ToolbarStrip::About), Qt::LeftButton, QPoint(40, 40));
    EXPECT_TRUE(strip.buttonArmed());
    EXPECT_EQ(clicks.count(), 1);
}

TEST_F(Toolbar, SaveAndItsArrowWorkOnlyWithAProject)
{
    QMenu saveMenu;
    saveMenu.addAction(QStringLiteral("Project..."));
    strip.setSaveMenu(&saveMenu);
    QSignalSpy clicks(&strip, &ToolbarStrip::buttonClicked);

    strip.setButtonArmed(true);
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
    QTest::mouseClick(strip.saveArrow(), Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
    EXPECT_TRUE(saveMenu.isVisible());
    EXPECT_EQ(saveMenu.pos(), strip.saveArrow()->mapToGlobal(QPoint(0, 18)));
    saveMenu.hide();
}

TEST_F(Toolbar, TheStripIsPaintedInTheColoursOfTheButtonFace)
{
    QPalette palette = strip.palette();
    palette.setColor(QPalette::Button, QColor(212, 208, 200));
    strip.setPalette(palette);
    const QImage image = strip.holder()->grab().toImage();
    const StripColours colours = stripColoursFor(colourValue(212, 208, 200));
    EXPECT_EQ(strip.colours(), colours);
    auto at = [&](int x, int y) {
        const QColor c = image.pixelColor(x, y);
        return colourValue(c.red(), c.green(), c.blue());
    };
    EXPECT_EQ(at(1, 1), colours.strip);
    EXPECT_EQ(at(180 - 7, 12), colours.fade[0]);
    EXPECT_EQ(at(180 - 4, 12), colours.fade[1]);
    EXPECT_EQ(at(180 - 1, 12), colours.fade[2]);
    // The buttons keep the plain face colour, a little darker than the strip.
    EXPECT_EQ(image.pixelColor(3, 3), QColor(212, 208, 200));
}

} // namespace yw
