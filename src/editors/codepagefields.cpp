#include "editors/codepagefields.h"

#include "platform/cp1252.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QStatusTipEvent>
#include <QTextCursor>
#include <QTextDocumentFragment>
#include <climits>

namespace yw {

namespace {

// How a lone line break shows in a multi-line box: not in the code page, so never typed or pasted.
// Arrows, not the control pictures U+240A and U+240D, which the fonts we depend on (DejaVu) lack:
// a line feed moves down, a carriage return back to the left.
constexpr QChar kLoneLineFeed(0x2193);
constexpr QChar kLoneCarriageReturn(0x2190);

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

// The first character of `text` that the code page cannot store, named for the user ("中"
// (U+4E2D)); empty when there is none.
QString unstorable(const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char32_t code = text.at(i).isHighSurrogate() && i + 1 < text.size()
                                  ? QChar::surrogateToUcs4(text.at(i), text.at(i + 1))
                                  : char32_t(text.at(i).unicode());
        const QString one = QString::fromUcs4(&code, 1);
        if (!cp1252::canEncode(one))
            return QStringLiteral("\u201c%1\u201d (U+%2)")
                .arg(one)
                .arg(QString::number(uint(code), 16).toUpper().rightJustified(4, QLatin1Char('0')));
        if (code > 0xFFFF)
            ++i;
    }
    return QString();
}

} // namespace

void showRefusal(QWidget& field, const QString& message)
{
    QApplication::beep();
    // A status tip travels up to the main window, which shows it on its status bar.
    QStatusTipEvent tip(message);
    QApplication::sendEvent(&field, &tip);
}

void holdToCodePage(QLineEdit& field, const QString& refused, const QString& refusedWhat)
{
    auto* validator = new Cp1252Validator(&field, refused);
    field.setValidator(validator);
    QObject::connect(&field, &QLineEdit::inputRejected, &field, [&field, refusedWhat, validator] {
        const int limit = field.maxLength();
        QString without =
            refusedWhat.isEmpty() ? QString() : QObject::tr(", and never %1").arg(refusedWhat);
        if (const QString named = unstorable(validator->lastRefused()); !named.isEmpty())
            without += QObject::tr(" (not %1)").arg(named);
        showRefusal(field, limit < 32767
                               ? QObject::tr("Not all of that text was taken: this field holds at "
                                             "most %1 characters, all of the Windows-1252 code "
                                             "page%2.")
                                     .arg(limit)
                                     .arg(without)
                               : QObject::tr("That text was not taken: this field holds only "
                                             "characters of the Windows-1252 code page%1.")
                                     .arg(without));
    });
}

QValidator::State Cp1252Validator::validate(QString& input, int& /*pos*/) const
{
    m_lastRefused.clear();
    for (const QChar c : m_refused)
        if (input.contains(c))
            return Invalid;
    if (cp1252::canEncode(input))
        return Acceptable;
    m_lastRefused = input;
    return Invalid;
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
    text.replace(kLoneLineFeed, QLatin1Char('\n'));
    text.replace(kLoneCarriageReturn, QLatin1Char('\r'));
    return text;
}

QString roomUsedText(qint64 used, qint64 room, bool mayGrow, const QString& otherwise)
{
    if (used <= room)
        return QObject::tr("%1 of %2 characters used, %3 left.")
            .arg(used)
            .arg(room)
            .arg(room - used);
    return QObject::tr("%1 characters, %2 past the base egg's room of %3: %4")
        .arg(used)
        .arg(used - room)
        .arg(room)
        .arg(mayGrow ? QObject::tr("writing the egg grows it.") : otherwise);
}

void CodePageTextEdit::setStoredText(const QString& text)
{
    QString plain;
    plain.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('\r') && i + 1 < text.size() &&
            text[i + 1] == QLatin1Char('\n')) {
            plain += QLatin1Char('\n');
            ++i;
        } else if (text[i] == QLatin1Char('\r')) {
            plain += kLoneCarriageReturn;
        } else if (text[i] == QLatin1Char('\n')) {
            plain += kLoneLineFeed;
        } else {
            plain += text[i];
        }
    }
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

void CodePageTextEdit::refuseTyping(const QString& typed)
{
    showRefusal(*this,
                cp1252::canEncode(typed)
                    ? tr("This text holds at most %1 characters.").arg(m_maxLength)
                    : tr("The Windows-1252 code page cannot store %1.").arg(unstorable(typed)));
}

void CodePageTextEdit::keyPressEvent(QKeyEvent* event)
{
    const bool lineBreak = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const QString typed = lineBreak ? QStringLiteral("\n") : event->text();
    const bool inserts = lineBreak || (!typed.isEmpty() && typed.at(0).isPrint());
    if (inserts && !accepts(typed)) {
        refuseTyping(typed);
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void CodePageTextEdit::inputMethodEvent(QInputMethodEvent* event)
{
    if (!event->commitString().isEmpty() && !accepts(event->commitString())) {
        refuseTyping(event->commitString());
        event->accept();
        return;
    }
    QPlainTextEdit::inputMethodEvent(event);
}

void CodePageTextEdit::insertFromMimeData(const QMimeData* source)
{
    if (source->hasText())
        insertChecked(source->text());
}

void CodePageTextEdit::insertChecked(const QString& insertion)
{
    QString text = insertion;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (!cp1252::canEncode(text)) {
        showRefusal(*this, tr("That text was not taken: it holds characters that the "
                              "Windows-1252 code page cannot store, such as %1.")
                               .arg(unstorable(text)));
        return;
    }
    const int whole = storedLength(text);
    cutToStoredLength(text, room());
    if (text.isEmpty() && whole > 0) {
        showRefusal(
            *this,
            tr("That text was not taken: this text holds at most %1 characters.").arg(m_maxLength));
        return;
    }
    if (storedLength(text) < whole)
        showRefusal(*this,
                    tr("Only %1 of the %2 characters were taken: this text holds at most %3.")
                        .arg(storedLength(text))
                        .arg(whole)
                        .arg(m_maxLength));
    QTextCursor cursor = textCursor();
    cursor.insertText(text);
    setTextCursor(cursor);
}

} // namespace yw
