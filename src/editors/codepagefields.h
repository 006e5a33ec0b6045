#pragma once

#include <QPlainTextEdit>
#include <QValidator>

class QLineEdit;

namespace yw {

// Refuses input that Windows-1252 cannot hold, so no character is ever replaced on the way into
// the project state.
class Cp1252Validator : public QValidator
{
public:
    // `refused`: characters the field never takes even though the code page has them.
    explicit Cp1252Validator(QObject* parent = nullptr, QString refused = QString())
        : QValidator(parent), m_refused(std::move(refused))
    {}
    State validate(QString& input, int& pos) const override;
    // The text last refused for a character outside the code page; empty after any other answer.
    const QString& lastRefused() const { return m_lastRefused; }

private:
    QString m_refused;
    mutable QString m_lastRefused;
};

// Tells the user on the main window's status bar why text did not go in (or not all of it).
void showRefusal(QWidget& field, const QString& message);

// Gives a single-line field the Windows-1252 check, and says on the status bar whenever the field
// refuses or cuts what was typed, pasted or dropped. A field whose text the egg finds by its
// line breaks or blanks also refuses those: `refused` holds them and `refusedWhat` names them in
// the message ("a line break").
void holdToCodePage(QLineEdit& field, const QString& refused = QString(),
                    const QString& refusedWhat = QString());

// For the line under a text: how much of its room in the base egg it uses ("120 of 255
// characters used, 135 left"); past the room, by how much and what writing the egg then does
// (it grows when `mayGrow`, else `otherwise`).
QString roomUsedText(qint64 used, qint64 room, bool mayGrow, const QString& otherwise);

// A multi-line text box for Windows-1252 text with an optional length limit. The limit counts the
// text as the state holds it, where a line break takes two characters (carriage return and line
// feed). Keystrokes and pastes that cannot be encoded are refused; a paste is cut to the room left.
// The limit holds typing only: a longer text that is set is shown whole, never cut behind the
// user's back (the egg writer says when it does not fit). A lone carriage return or line feed is
// shown as a mark (← and ↓) and given back unchanged; nobody can type those marks.
class CodePageTextEdit : public QPlainTextEdit
{
    Q_OBJECT
public:
    explicit CodePageTextEdit(QWidget* parent = nullptr);

    // 0 or less: no limit.
    void setMaxLength(int maxLength) { m_maxLength = maxLength; }
    int maxLength() const { return m_maxLength; }

    // The text with CR LF line breaks, and setting it from that form.
    QString storedText() const;
    void setStoredText(const QString& text);

    static int storedLength(const QString& plainText);

    // Puts text in place of the selection as a paste does: refused whole when the code page cannot
    // hold it, cut to the room left, and the user told on the status bar either way.
    void insertChecked(const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    // How many characters (in the stored form) may still be inserted in place of the selection.
    int room() const;
    bool accepts(const QString& insertion) const;
    void refuseTyping(const QString& typed);

    int m_maxLength = 0;
};

} // namespace yw
