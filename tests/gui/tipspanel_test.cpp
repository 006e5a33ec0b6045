#include "editors/projectedits.h"
#include "editors/tipspanel.h"
#include "model/projectstate.h"
#include "support/testsupport.h"
#include "typing.h"

#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace yw {
namespace {

using test::typeText;

class TipsPanelTest : public ::testing::Test
{
protected:
    TipsPanelTest()
    {
        state.resetForStartUp();
        state.regTips = {"Feed me", "Pet me", "Say \"hi\""};
        state.demoTips = {"Buy me", "Demo two", "Demo three"};
    }

    void open()
    {
        panel = std::make_unique<TipsPanel>(edits);
        panel->show();
    }

    QLineEdit* box(const char* prefix, int i)
    {
        auto* found = panel->findChild<QLineEdit*>(QLatin1String(prefix) + QString::number(i));
        EXPECT_NE(found, nullptr) << prefix << i;
        return found;
    }

    ProjectState state;
    ProjectEdits edits{state};
    std::unique_ptr<TipsPanel> panel;
};

TEST_F(TipsPanelTest, LoadsOnlyTheTipPairsTheBreedHas)
{
    state.tipCount = 6;
    open();
    EXPECT_EQ(box("rTip", 2)->text(), QStringLiteral("Say \"hi\""));
    EXPECT_EQ(box("dTip", 0)->text(), QStringLiteral("Buy me"));

    state.tipCount = 5;
    open();
    EXPECT_EQ(box("rTip", 1)->text(), QStringLiteral("Pet me"));
    EXPECT_EQ(box("rTip", 2)->text(), QString());
    EXPECT_EQ(box("dTip", 2)->text(), QString());
    // Not shown is not lost.
    EXPECT_EQ(state.regTips[2], "Say \"hi\"");

    state.tipCount = 0;
    open();
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(box("rTip", i)->text().isEmpty());
        EXPECT_TRUE(box("dTip", i)->text().isEmpty());
    }

    state.tipCount = 9; // more pairs than boxes: the three there are
    open();
    EXPECT_EQ(box("dTip", 2)->text(), QStringLiteral("Demo three"));
}

TEST_F(TipsPanelTest, TypedTipsGoIntoTheStateAsTyped)
{
    state.tipCount = 5;
    open();
    box("rTip", 2)->setFocus();
    QTest::keyClicks(box("rTip", 2), QStringLiteral("A \"quoted\" tip"));
    EXPECT_EQ(state.regTips[2], "A \"quoted\" tip");

    box("dTip", 0)->clear();
    typeText(box("dTip", 0), QString::fromUtf8("Caf\u00e9\u0100"));
    EXPECT_EQ(state.demoTips[0], "Caf\xe9");
    EXPECT_EQ(state.regTips[0], "Feed me");
}

TEST_F(TipsPanelTest, HeightIsFixedAndTheBoxesFitIt)
{
    open();
    EXPECT_EQ(panel->minimumHeight(), panel->maximumHeight());
    const QRect inside = panel->rect();
    for (const char* prefix : {"rTip", "dTip"})
        for (int i = 0; i < 3; ++i) {
            QLineEdit* edit = box(prefix, i);
            const QRect shown(edit->mapTo(panel.get(), QPoint(0, 0)), edit->size());
            EXPECT_TRUE(inside.contains(shown)) << prefix << i;
            EXPECT_GE(edit->height(), edit->minimumSizeHint().height()) << prefix << i;
        }
}

TEST_F(TipsPanelTest, ItsChildWindowKeepsTheFixedHeight)
{
    QMdiArea area;
    area.resize(800, 600);
    auto* tips = new TipsPanel(edits);
    QMdiSubWindow* frame = area.addSubWindow(tips);
    area.show();
    frame->show();
    const int height = frame->height();
    frame->resize(400, height + 200);
    EXPECT_EQ(frame->height(), height);
    EXPECT_EQ(frame->width(), 400);
}

} // namespace
} // namespace yw
