#pragma once

#include <QPlainTextEdit>
#include <QValidator>

namespace yw {

// Refuses input that Windows-1252 cannot hold, so no character is ever replaced on the way into
// the project state.
class Cp1252Validator : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override;
};

// A multi-line text box for Windows-1252 text with an optional length limit. The limit counts the
// text as the state holds it, where a line break takes two characters (carriage return and line
// feed). Keystrokes and pastes that cannot be encoded are refused; a paste is cut to the room left.
// The limit holds typing only: a longer text that is set is shown whole, never cut behind the
// user's back (the egg writer says when it does not fit).
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

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    // How many characters (in the stored form) may still be inserted in place of the selection.
    int room() const;
    bool accepts(const QString& insertion) const;

    int m_maxLength = 0;
};

} // namespace yw
