#include "shell/mainwindow/appicon.h"

#include <QHash>
#include <QIconEngine>
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

namespace {

// Draws the picture at the size asked for, when it is first asked for. Painting seven sizes up
// front cost a tenth of the editor's start-up, and most of them are never shown. Listing no
// sizes marks the icon as scalable.
class ApplicationIconEngine : public QIconEngine
{
public:
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode, QIcon::State) override
    {
        paintApplicationIcon(*painter, rect);
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        const quint64 key = quint64(size.width()) << 32 | quint64(size.height());
        if (const auto found = m_drawn.constFind(key); found != m_drawn.constEnd())
            return *found;
        QPixmap pixmap(size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        paint(&painter, QRect(QPoint(), size), mode, state);
        painter.end();
        m_drawn.insert(key, pixmap);
        return pixmap;
    }

    QIconEngine* clone() const override { return new ApplicationIconEngine(*this); }

private:
    QHash<quint64, QPixmap> m_drawn;
};

} // namespace

QIcon applicationIcon()
{
    return QIcon(new ApplicationIconEngine);
}

} // namespace yw
