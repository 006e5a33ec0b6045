#pragma once

#include <QDialog>
#include <functional>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace yw {

// dlgAbout: borderless, with the program's picture, the credits and "Stupendous!".
class AboutDialog : public QDialog
{
    Q_OBJECT
public:
    // `beep` sounds the system beep once while the box loads.
    explicit AboutDialog(const QString& buildNo, QWidget* parent = nullptr,
                         const std::function<void()>& beep = {});

    QPlainTextEdit* credits() const { return m_credits; }
    QPushButton* btnDismiss() const { return m_dismiss; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QLabel* m_image = nullptr;
    QPlainTextEdit* m_credits = nullptr;
    QPushButton* m_dismiss = nullptr;
};

// The credit lines; the game's line closes with `currentYear`.
QString creditsText(const QString& buildNo, int currentYear);

} // namespace yw
