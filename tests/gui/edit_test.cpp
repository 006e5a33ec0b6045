#include "shell/commands/editcommands.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace yw {

class EditMenu : public ::testing::Test
{
protected:
    void SetUp() override
    {
        actions = {
            mnuEdit.addAction(QStringLiteral("Cut")), mnuEdit.addAction(QStringLiteral("Copy")),
            mnuEdit.addAction(QStringLiteral("Paste")), mnuEdit.addAction(QStringLiteral("Clear"))};
        commands = std::make_unique<EditCommands>(area, mnuEdit, actions, nullptr);
        area.resize(500, 400);
        area.show();
    }

    // A child window with an editable line, a read-only line and a multi-line field.
    void openChild()
    {
        auto* panel = new QWidget;
        auto* layout = new QVBoxLayout(panel);
        editable = new QLineEdit(QStringLiteral("Quadrapus"), panel);
        locked = new QLineEdit(QStringLiteral("Adult set"), panel);
        locked->setReadOnly(true);
        notes = new QPlainTextEdit(QStringLiteral("first line\nsecond line"), panel);
        layout->addWidget(editable);
        layout->addWidget(locked);
        layout->addWidget(notes);
        area.addSubWindow(panel)->show();
        QApplication::processEvents();
    }
    void focus(QWidget* field)
    {
        field->setFocus();
        QApplication::processEvents();
    }
    std::vector<bool> enabled() const
    {
        return {actions.cut->isEnabled(), actions.copy->isEnabled(), actions.paste->isEnabled(),
                actions.clear->isEnabled()};
    }
    void openMenu() { emit mnuEdit.aboutToShow(); }
    QString clipboard() const { return QApplication::clipboard()->text(); }

    QMdiArea area;
    QMenu mnuEdit;
    EditCommands::Actions actions;
    std::unique_ptr<EditCommands> commands;
    QLineEdit* editable = nullptr;
    QLineEdit* locked = nullptr;
    QPlainTextEdit* notes = nullptr;
};

TEST_F(EditMenu, TheTargetIsTheFocusedFieldOfTheActiveChild)
{
    EXPECT_EQ(editTarget(area), nullptr);
    openChild();
    focus(locked);
    EXPECT_EQ(editTarget(area), locked);
    focus(notes);
    EXPECT_EQ(editTarget(area), notes);
}

TEST_F(EditMenu, AReadOnlyFieldGreysCutPasteAndClear)
{
    openChild();
    focus(locked);
    openMenu();
    EXPECT_EQ(enabled(), (std::vector<bool>{false, true, false, false}));
    focus(editable);
    openMenu();
    EXPECT_EQ(enabled(), (std::vector<bool>{true, true, true, true}));
}

TEST_F(EditMenu, WithoutATargetTheItemsKeepTheirState)
{
    openChild();
    focus(locked);
    openMenu();
    area.closeAllSubWindows();
    QApplication::processEvents();
    openMenu();
    EXPECT_EQ(enabled(), (std::vector<bool>{false, true, false, false}));
    QApplication::clipboard()->setText(QStringLiteral("kept"));
    commands->paste(); // nothing to paste into: no change, no crash
    commands->cut();
    EXPECT_EQ(clipboard(), QStringLiteral("kept"));
}

TEST_F(EditMenu, CutCopyPasteAndClearUseTheSystemClipboard)
{
    openChild();
    focus(editable);
    editable->setSelection(0, 4);
    commands->cut();
    EXPECT_EQ(clipboard(), QStringLiteral("Quad"));
    EXPECT_EQ(editable->text(), QStringLiteral("rapus"));

    editable->setCursorPosition(5);
    commands->paste();
    EXPECT_EQ(editable->text(), QStringLiteral("rapusQuad"));

    editable->setSelection(0, 5);
    commands->copy();
    EXPECT_EQ(clipboard(), QStringLiteral("rapus"));
    commands->clear();
    EXPECT_EQ(editable->text(), QStringLiteral("Quad"));

    editable->deselect();
    commands->copy(); // an empty selection copies an empty text
    EXPECT_EQ(clipboard(), QString());

    focus(notes);
    QTextCursor cursor = notes->textCursor();
    cursor.setPosition(6);
    cursor.setPosition(16, QTextCursor::KeepAnchor); // "line\nsecon"
    notes->setTextCursor(cursor);
    commands->copy();
    EXPECT_EQ(clipboard(), QStringLiteral("line\nsecon"));
    QApplication::clipboard()->setText(QStringLiteral("<>"));
    commands->paste();
    EXPECT_EQ(notes->toPlainText(), QStringLiteral("first <>d line"));
}

TEST_F(EditMenu, PasteKeepsTheFieldsLengthLimit)
{
    openChild();
    editable->setMaxLength(12);
    focus(editable);
    editable->setCursorPosition(9);
    QApplication::clipboard()->setText(QStringLiteral("123456"));
    commands->paste();
    EXPECT_EQ(editable->text(), QStringLiteral("Quadrapus123"));
}

TEST_F(EditMenu, CutStillWorksOnAReadOnlyFieldAfterTheMenuOpenedOnAnEditableOne)
{
    openChild();
    focus(editable);
    openMenu();
    focus(locked);
    locked->setSelection(0, 6);
    ASSERT_TRUE(actions.cut->isEnabled());
    actions.cut->trigger();
    EXPECT_EQ(clipboard(), QStringLiteral("Adult "));
    EXPECT_EQ(locked->text(), QStringLiteral("set"));
    EXPECT_TRUE(locked->isReadOnly());
}

TEST_F(EditMenu, CtrlXStillCutsInAnEditableFieldAfterTheMenuGreyedCut)
{
    openChild();
    focus(locked);
    openMenu();
    ASSERT_FALSE(actions.cut->isEnabled());
    focus(editable);
    editable->setSelection(4, 5);
    QTest::keyClick(editable, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(editable->text(), QStringLiteral("Quad"));
    EXPECT_EQ(clipboard(), QStringLiteral("rapus"));
}

} // namespace yw
