#include "editors/sheetpainter.h"

#include "editors/screencolor.h"
#include "files/breedsheet.h"

#include <QFontMetricsF>
#include <QPainter>
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

void paintBreedSheet(QPainter& painter, const BreedSheet& sheet)
{
    painter.setRenderHint(QPainter::Antialiasing);
    for (const SheetText& t : sheet.texts)
        drawText(painter, t);
    for (const SheetSwatch& s : sheet.swatches) {
        paintSwatch(painter, s);
        if (sheet.swatchTexts) {
            drawText(painter, s.label);
            drawText(painter, s.values);
        }
    }
}

} // namespace yw
