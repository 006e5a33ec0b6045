#include "editors/sheetpainter.h"

#include "editors/screencolor.h"
#include "files/breedsheet.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPixmap>
#include <QPixmapCache>
#include <algorithm>
#include <cmath>

namespace yw {

namespace {

const QColor kHatchInk(0x80, 0x80, 0x80);

void drawText(QPainter& painter, const SheetText& t)
{
    // The families the SVG names, in its order.
    QFont font;
    font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Verdana")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(std::max(1, int(std::lround(t.size))));
    font.setBold(t.bold);
    painter.save();
    painter.setFont(font);
    painter.setPen(screenColor(t.color));
    painter.translate(t.x, t.y);
    // Squeezed only when it would otherwise run into its neighbour, never stretched.
    const double natural = QFontMetricsF(font).horizontalAdvance(t.text);
    if (t.squeezeTo > 0 && natural > t.squeezeTo)
        painter.scale(t.squeezeTo / natural, 1);
    painter.drawText(QPointF(0, 0), t.text);
    painter.restore();
}

// A colour of the sheet as a brush: the palette colour, or the hatching for no colour.
QBrush brushOf(const std::optional<uint32_t>& colour)
{
    return colour ? QBrush(screenColor(*colour)) : noColourBrush();
}

// A disc as it lands on the device: drawn once into a pixmap for its looks, its size on screen
// and its position within a pixel, then only copied.
void paintSwatchCached(QPainter& painter, const SheetSwatch& s)
{
    const QTransform& toDevice = painter.transform();
    const double scale = std::sqrt(std::abs(toDevice.determinant()));
    const double extent = (s.radius + s.fuzzWidth) * scale + 1;
    const QPointF centre = toDevice.map(QPointF(s.cx, s.cy));
    // The position within a pixel, to a quarter pixel, keeps the copy where the disc would be.
    const QPointF corner(std::floor(centre.x() - extent), std::floor(centre.y() - extent));
    const QPointF offset(std::round((centre.x() - corner.x()) * 4) / 4,
                         std::round((centre.y() - corner.y()) * 4) / 4);
    const auto colour = [](const std::optional<uint32_t>& c) { return c ? qint64(*c) : -1; };
    const QString key = QStringLiteral("ywdisc %1 %2 %3 %4 %5 %6 %7 %8 %9")
                            .arg(s.radius * scale)
                            .arg(s.ringWidth * scale)
                            .arg(s.fuzzWidth * scale)
                            .arg(colour(s.fill))
                            .arg(colour(s.border))
                            .arg(colour(s.sprecks))
                            .arg(offset.x())
                            .arg(offset.y())
                            .arg(painter.device()->devicePixelRatioF());
    QPixmap picture;
    if (!QPixmapCache::find(key, &picture)) {
        const qreal ratio = painter.device()->devicePixelRatioF();
        const int side = int(std::ceil(2 * extent)) + 2;
        picture = QPixmap(QSize(side, side) * ratio);
        picture.setDevicePixelRatio(ratio);
        picture.fill(Qt::transparent);
        QPainter inner(&picture);
        inner.setRenderHint(QPainter::Antialiasing);
        inner.translate(offset);
        inner.scale(scale, scale);
        inner.translate(-s.cx, -s.cy);
        paintSwatch(inner, s);
        inner.end();
        QPixmapCache::insert(key, picture);
    }
    painter.save();
    painter.resetTransform();
    painter.drawPixmap(corner, picture);
    painter.restore();
}

} // namespace

QBrush noColourBrush()
{
    return QBrush(kHatchInk, Qt::BDiagPattern);
}

void fillNoColour(QPainter& painter, const QRectF& rect)
{
    painter.fillRect(rect, Qt::white);
    painter.fillRect(rect, noColourBrush());
}

void paintSwatch(QPainter& painter, const SheetSwatch& s)
{
    const QPointF centre(s.cx, s.cy);
    painter.setBrush(Qt::NoBrush);
    // The soft edge: two fading rings of the fill colour just outside the disc.
    for (int i = 0; s.fuzzWidth > 0 && i < 2; ++i) {
        QColor ink = s.fill ? screenColor(*s.fill) : kHatchInk;
        ink.setAlphaF(i == 0 ? 0.5f : 0.2f);
        painter.setPen(QPen(ink, s.fuzzWidth / 2));
        const double r = s.radius + (2 * i + 1) * s.fuzzWidth / 4;
        painter.drawEllipse(centre, r, r);
    }
    painter.setPen(Qt::NoPen);
    if (!s.fill) {
        painter.setBrush(Qt::white);
        painter.drawEllipse(centre, s.radius, s.radius);
    }
    painter.setBrush(brushOf(s.fill));
    painter.drawEllipse(centre, s.radius, s.radius);
    if (s.ringWidth > 0) {
        painter.setPen(QPen(brushOf(s.border), s.ringWidth, Qt::SolidLine, Qt::FlatCap));
        painter.setBrush(Qt::NoBrush);
        const double r = s.radius - s.ringWidth / 2;
        painter.drawEllipse(centre, r, r);
        painter.setPen(Qt::NoPen);
    }
    if (s.sprecks) {
        painter.setBrush(screenColor(*s.sprecks));
        const double r = kSpreckDotRadius * s.radius;
        for (const auto& [dx, dy] : spreckDots())
            painter.drawEllipse(centre + QPointF(dx, dy) * s.radius, r, r);
    }
}

void paintBreedSheet(QPainter& painter, const BreedSheet& sheet, bool cached)
{
    painter.setRenderHint(QPainter::Antialiasing);
    for (const SheetText& t : sheet.texts)
        drawText(painter, t);
    for (const SheetSwatch& s : sheet.swatches) {
        if (cached)
            paintSwatchCached(painter, s);
        else
            paintSwatch(painter, s);
        if (sheet.swatchTexts) {
            drawText(painter, s.label);
            drawText(painter, s.values);
        }
    }
}

} // namespace yw
