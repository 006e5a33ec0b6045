#include "shell/help/aboutdialog.h"

#include "shell/mainwindow/appicon.h"

#include <QApplication>
#include <QDate>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace yw {

QString creditsText(const QString& buildNo, int currentYear)
{
    return QStringLiteral("Yolkwright, Build %1\n"
                          "A breed editor for Oddballz.\n"
                          "\n"
                          "Made by Brindlecote.\n"
                          "Built with Qt %2 and libgcab.\n"
                          "\n"
                          "Oddballz \u00A9 1997-%3 by its makers. Yolkwright is not made "
                          "or supported by them.\n"
                          "\n"
                          "Thanks to every breed maker who shared an egg.")
        .arg(buildNo, QString::fromLatin1(qVersion()))
        .arg(currentYear);
}

AboutDialog::AboutDialog(const QString& buildNo, QWidget* parent, const std::function<void()>& beep)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("dlgAbout"));
    setWindowTitle(QStringLiteral("About Yolkwright"));
    setModal(true);
    if (beep)
        beep();
    else
        QApplication::beep();

    m_image = new QLabel(this);
    m_image->setObjectName(QStringLiteral("Image1"));
    m_image->setPixmap(applicationIcon().pixmap(64, 64));
    m_image->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    m_credits = new QPlainTextEdit(this);
    m_credits->setObjectName(QStringLiteral("credits"));
    m_credits->setReadOnly(true);
    m_credits->setPlainText(creditsText(buildNo, QDate::currentDate().year()));
    m_credits->setMinimumSize(320, 170);

    m_dismiss = new QPushButton(QStringLiteral("Stupendous!"), this);
    m_dismiss->setObjectName(QStringLiteral("btnDismiss"));
    m_dismiss->setDefault(true);
    connect(m_dismiss, &QPushButton::clicked, this, &QDialog::accept);

    auto* top = new QHBoxLayout;
    top->addWidget(m_image);
    top->addWidget(m_credits, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(m_dismiss);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 14, 14, 14);
    layout->addLayout(top);
    layout->addLayout(bottom);
    m_dismiss->setFocus();
}

void AboutDialog::paintEvent(QPaintEvent* event)
{
    // Without a title bar the box needs an edge of its own to stand out from the main window.
    QDialog::paintEvent(event);
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    painter.setPen(palette().color(QPalette::Light));
    painter.drawRect(rect().adjusted(1, 1, -2, -2));
}

} // namespace yw
