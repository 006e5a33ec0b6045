#pragma once

#include <QDialog>

class QPlainTextEdit;
class QPushButton;
class QWidget;

namespace yw {

// The release history, oldest first: a heading "Build NNNN (Month D, YYYY)" per release, one
// line per change beginning with "·", an empty line between releases.
QString changeLogText();

// dlgLog: the change log in a read-only box above a strip with the OK button.
class ChangeLogDialog : public QDialog
{
    Q_OBJECT
public:
    explicit ChangeLogDialog(QWidget* parent = nullptr);

    QPlainTextEdit* logText() const { return m_log; }
    QPushButton* btnClose() const { return m_close; }

private:
    QPlainTextEdit* m_log = nullptr;
    QPushButton* m_close = nullptr;
};

} // namespace yw
