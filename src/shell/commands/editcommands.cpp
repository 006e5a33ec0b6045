#include "shell/commands/editcommands.h"

#include "editors/codepagefields.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTextDocumentFragment>
#include <QTextEdit>
#include <QValidator>
#include <algorithm>

namespace yw {

namespace {

bool isTextField(const QWidget* widget)
{
    return qobject_cast<const QLineEdit*>(widget) || qobject_cast<const QPlainTextEdit*>(widget) ||
           qobject_cast<const QTextEdit*>(widget);
}

template <typename Edit> void replaceInDocument(Edit& edit, const QString& text)
{
    QTextCursor cursor = edit.textCursor();
    cursor.insertText(text);
    edit.setTextCursor(cursor);
}

} // namespace

QWidget* editTarget(const QMdiArea& area)
{
    const QMdiSubWindow* child = area.currentSubWindow();
    if (!child)
        return nullptr;
    QWidget* focused = child->focusWidget();
    // A field's viewport can hold the focus for it.
    if (focused && !isTextField(focused) && focused->parentWidget() &&
        isTextField(focused->parentWidget()))
        focused = focused->parentWidget();
    return isTextField(focused) ? focused : nullptr;
}

bool isReadOnlyField(const QWidget& field)
{
    if (const auto* line = qobject_cast<const QLineEdit*>(&field))
        return line->isReadOnly();
    if (const auto* plain = qobject_cast<const QPlainTextEdit*>(&field))
        return plain->isReadOnly();
    if (const auto* rich = qobject_cast<const QTextEdit*>(&field))
        return rich->isReadOnly();
    return true;
}

QString selectedFieldText(const QWidget& field)
{
    if (const auto* line = qobject_cast<const QLineEdit*>(&field))
        return line->selectedText();
    if (const auto* plain = qobject_cast<const QPlainTextEdit*>(&field))
        return plain->textCursor().selection().toPlainText();
    if (const auto* rich = qobject_cast<const QTextEdit*>(&field))
        return rich->textCursor().selection().toPlainText();
    return QString();
}

void replaceFieldSelection(QWidget& field, const QString& text)
{
    if (auto* line = qobject_cast<QLineEdit*>(&field)) {
        if (!line->isReadOnly()) {
            line->insert(text); // keeps the field's length limit and validator
            return;
        }
        // QLineEdit edits nothing while read-only, so splice the text ourselves.
        const int start = line->hasSelectedText() ? line->selectionStart() : line->cursorPosition();
        const int length = line->hasSelectedText() ? int(line->selectedText().size()) : 0;
        QString changed = line->text();
        changed.replace(start, length, text);
        int position = start;
        if (line->validator() &&
            line->validator()->validate(changed, position) == QValidator::Invalid) {
            showRefusal(*line, QObject::tr("That text was not taken: this field cannot hold it."));
            return;
        }
        line->setText(changed.left(line->maxLength()));
        line->setCursorPosition(int(std::min<qsizetype>(start + text.size(), line->maxLength())));
    } else if (auto* checked = qobject_cast<CodePageTextEdit*>(&field)) {
        checked->insertChecked(text); // the same checks as typing and dropping
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(&field)) {
        replaceInDocument(*plain, text);
    } else if (auto* rich = qobject_cast<QTextEdit*>(&field)) {
        replaceInDocument(*rich, text);
    }
}

EditCommands::EditCommands(QMdiArea& area, QMenu& mnuEdit, const Actions& actions, QObject* parent)
    : QObject(parent), m_area(area), m_actions(actions)
{
    connect(&mnuEdit, &QMenu::aboutToShow, this, &EditCommands::updateEnabling);
    connect(m_actions.cut, &QAction::triggered, this, &EditCommands::cut);
    connect(m_actions.copy, &QAction::triggered, this, &EditCommands::copy);
    connect(m_actions.paste, &QAction::triggered, this, &EditCommands::paste);
    connect(m_actions.clear, &QAction::triggered, this, &EditCommands::clear);
    // Greyed for want of a field, the items come back as soon as one has the focus, so its
    // shortcuts work without opening the menu first.
    connect(qApp, &QApplication::focusChanged, this, [this] {
        if (m_greyedWithoutTarget && editTarget(m_area))
            updateEnabling();
    });
}

void EditCommands::updateEnabling()
{
    const QWidget* target = editTarget(m_area);
    m_greyedWithoutTarget = !target;
    if (!target) {
        for (QAction* item : {m_actions.cut, m_actions.copy, m_actions.paste, m_actions.clear})
            item->setEnabled(false);
        return;
    }
    const bool editable = !isReadOnlyField(*target);
    m_actions.cut->setEnabled(editable);
    m_actions.copy->setEnabled(true);
    m_actions.paste->setEnabled(editable);
    m_actions.clear->setEnabled(editable);
}

void EditCommands::cut()
{
    if (QWidget* target = editTarget(m_area)) {
        QApplication::clipboard()->setText(selectedFieldText(*target));
        replaceFieldSelection(*target, QString());
    }
}

void EditCommands::copy()
{
    if (const QWidget* target = editTarget(m_area))
        QApplication::clipboard()->setText(selectedFieldText(*target));
}

void EditCommands::paste()
{
    if (QWidget* target = editTarget(m_area))
        replaceFieldSelection(*target, QApplication::clipboard()->text());
}

void EditCommands::clear()
{
    if (QWidget* target = editTarget(m_area))
        replaceFieldSelection(*target, QString());
}

} // namespace yw
