#include "editors/codepagefields.h"

#include "platform/cp1252.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextCursor>
#include <QTextDocumentFragment>
#include <climits>

namespace yw {

namespace {

void cutToStoredLength(QString& plainText, int maxLength)
{
    int length = 0;
    qsizetype cut = 0;
    while (cut < plainText.size()) {
        const int width = plainText[cut] == QLatin1Char('\n') ? 2 : 1;
        if (length + width > maxLength)
            break;
        length += width;
        ++cut;
    }
    plainText.truncate(cut);
}

} // namespace

QValidator::State Cp1252Validator::validate(QString& input, int& /*pos*/) const
{
    return cp1252::canEncode(input) ? Acceptable : Invalid;
}

CodePageTextEdit::CodePageTextEdit(QWidget* parent) : QPlainTextEdit(parent)
{
    setTabChangesFocus(true);
}

int CodePageTextEdit::storedLength(const QString& plainText)
{
    return int(plainText.size() + plainText.count(QLatin1Char('\n')));
}

QString CodePageTextEdit::storedText() const
{
    QString text = toPlainText();
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return text;
}

void CodePageTextEdit::setStoredText(const QString& text)
{
    QString plain = text;
    plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (plain != toPlainText())
        setPlainText(plain);
}

int CodePageTextEdit::room() const
{
    if (m_maxLength <= 0)
        return INT_MAX;
    const QString selected = textCursor().selection().toPlainText();
    return m_maxLength - (storedLength(toPlainText()) - storedLength(selected));
}

bool CodePageTextEdit::accepts(const QString& insertion) const
{
    return cp1252::canEncode(insertion) && storedLength(insertion) <= room();
}

void CodePageTextEdit::keyPressEvent(QKeyEvent* event)
{
    const bool lineBreak = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const QString typed = lineBreak ? QStringLiteral("\n") : event->text();
    const bool inserts = lineBreak || (!typed.isEmpty() && typed.at(0).isPrint());
    if (inserts && !accepts(typed)) {
        QApplication::beep();
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void CodePageTextEdit::inputMethodEvent(QInputMethodEvent* event)
{
    if (!event->commitString().isEmpty() && !accepts(event->commitString())) {
        QApplication::beep();
        event->accept();
        return;
    }
    QPlainTextEdit::inputMethodEvent(event);
}

void CodePageTextEdit::insertFromMimeData(const QMimeData* source)
{
    if (!source->hasText())
        return;
    QString text = source->text();
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (!cp1252::canEncode(text)) {
        QApplication::beep();
        return;
    }
    cutToStoredLength(text, room());
    if (!text.isEmpty())
        insertPlainText(text);
}

} // namespace yw
