#pragma once

#include <QWidget>

class QLabel;

namespace yw {

// The splash window `dlgSplash`: frameless, centred, shows the build and closes itself after
// five seconds, on a click, or when it loses the focus.
class Splash : public QWidget
{
    Q_OBJECT
public:
    explicit Splash(const QString& buildNo, QWidget* parent = nullptr);

    QLabel* spVer = nullptr;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool m_wasActive = false;
};

} // namespace yw
