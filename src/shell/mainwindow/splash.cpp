#include "shell/mainwindow/splash.h"

#include "editors/dialogparts.h"
#include "editors/twips.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace yw {

Splash::Splash(const QString& buildNo, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("dlgSplash"));
    setAttribute(Qt::WA_DeleteOnClose);
    // The program ends with its main window, whether or not the splash is still up.
    setAttribute(Qt::WA_QuitOnClose, false);
    setFixedSize(twips(4530), twips(3030));

    auto* title = new QLabel(QStringLiteral("Yolkwright"), this);
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 2.4);
    big.setBold(true);
    title->setFont(big);
    title->setAlignment(Qt::AlignCenter);
    auto* subtitle = new QLabel(QStringLiteral("Breed editor for Oddballz"), this);
    subtitle->setAlignment(Qt::AlignCenter);
    spVer = new QLabel(QStringLiteral("Build ") + buildNo, this);
    spVer->setObjectName(QStringLiteral("spVer"));
    spVer->setAlignment(Qt::AlignRight | Qt::AlignBottom);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(12, 12, 12, 8);
    column->addSpacing(78); // room for the egg
    column->addWidget(title);
    column->addWidget(subtitle);
    column->addStretch(3);
    column->addWidget(spVer);

    move(centredOnScreen(size()).topLeft());

    auto* timer = new QTimer(this);
    timer->setObjectName(QStringLiteral("Splasher"));
    timer->setSingleShot(true);
    connect(timer, &QTimer::timeout, this, &QWidget::close);
    timer->start(5000);
}

void Splash::mousePressEvent(QMouseEvent*)
{
    close();
}

void Splash::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ActivationChange) {
        // Only a focus it once had can be lost; a window manager that never gives it the
        // focus leaves the timer and the click to close it.
        if (isActiveWindow())
            m_wasActive = true;
        else if (m_wasActive)
            close();
    }
    QWidget::changeEvent(event);
}

void Splash::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QLinearGradient shade(0, 0, 0, height());
    shade.setColorAt(0, QColor(255, 247, 214));
    shade.setColorAt(1, QColor(240, 200, 120));
    painter.fillRect(rect(), shade);
    painter.setPen(QColor(120, 80, 20));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    // An egg, the program's sign.
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor(255, 255, 245));
    painter.drawEllipse(QRectF(width() / 2.0 - 21, 18, 42, 56));
}

} // namespace yw
