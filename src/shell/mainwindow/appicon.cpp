#include "shell/mainwindow/appicon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace yw {

void paintApplicationIcon(QPainter& painter, const QRectF& rect)
{
    // Drawn on a 64-unit square, like the SVG.
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(rect.topLeft());
    painter.scale(rect.width() / 64.0, rect.height() / 64.0);

    QPainterPath egg;
    egg.moveTo(32, 4);
    egg.cubicTo(48, 4, 56, 28, 56, 40);
    egg.cubicTo(56, 53, 45, 61, 32, 61);
    egg.cubicTo(19, 61, 8, 53, 8, 40);
    egg.cubicTo(8, 28, 16, 4, 32, 4);
    QLinearGradient shell(QPointF(14, 8), QPointF(50, 60));
    shell.setColorAt(0, QColor(0xff, 0xf8, 0xe6));
    shell.setColorAt(1, QColor(0xf0, 0xd6, 0x9c));
    painter.setPen(QPen(QColor(0x8a, 0x6a, 0x2e), 2.5));
    painter.setBrush(shell);
    painter.drawPath(egg);

    struct Ball
    {
        double x, y, r;
        QColor fill;
    };
    const Ball balls[] = {{24, 30, 6, QColor(0xe0, 0x40, 0x40)},
                          {39, 24, 5, QColor(0x3a, 0x7b, 0xd5)},
                          {40, 42, 7, QColor(0x4c, 0xaf, 0x50)},
                          {25, 48, 4.5, QColor(0xf2, 0xa0, 0x1c)}};
    painter.setPen(QPen(QColor(0x33, 0x33, 0x33), 1.5));
    for (const Ball& ball : balls) {
        painter.setBrush(ball.fill);
        painter.drawEllipse(QPointF(ball.x, ball.y), ball.r, ball.r);
    }
    painter.restore();
}

QIcon applicationIcon()
{
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        paintApplicationIcon(painter, QRectF(0, 0, size, size));
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace yw
