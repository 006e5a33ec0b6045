#include "shell/toolbar/toolbaricons.h"

#include <QPainter>
#include <QPainterPath>

namespace yw {

namespace {

QColor shade(const QColor& colour, bool enabled)
{
    if (enabled)
        return colour;
    // Grey, and half-way to a light face, so a greyed button reads as unavailable at a glance.
    const int grey = (qGray(colour.rgb()) + 230) / 2;
    return QColor(grey, grey, grey);
}

QString themeName(ToolbarGlyph glyph)
{
    switch (glyph) {
    case ToolbarGlyph::New:
        return QStringLiteral("document-new");
    case ToolbarGlyph::Open:
        return QStringLiteral("document-open");
    case ToolbarGlyph::Save:
        return QStringLiteral("document-save");
    case ToolbarGlyph::Options:
        return QStringLiteral("preferences-system");
    case ToolbarGlyph::Update:
        return QStringLiteral("system-software-update");
    case ToolbarGlyph::Help:
        return QStringLiteral("help-contents");
    case ToolbarGlyph::About:
        return QStringLiteral("help-about");
    case ToolbarGlyph::SaveArrow:
        break;
    }
    return QString();
}

void drawPage(QPainter& p, bool enabled)
{
    QPainterPath page;
    page.moveTo(5.5, 1.5);
    page.lineTo(11.5, 1.5);
    page.lineTo(15.5, 5.5);
    page.lineTo(15.5, 16.5);
    page.lineTo(5.5, 16.5);
    page.closeSubpath();
    p.setPen(QPen(shade(QColor(70, 70, 70), enabled), 1));
    p.setBrush(shade(Qt::white, enabled));
    p.drawPath(page);
    p.setBrush(shade(QColor(220, 220, 220), enabled));
    p.drawPolygon(QPolygonF({{11.5, 1.5}, {11.5, 5.5}, {15.5, 5.5}}));
    // A spark in the corner says "new".
    p.setPen(QPen(shade(QColor(230, 170, 0), enabled), 1.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(4, 10), QPointF(4, 16));
    p.drawLine(QPointF(1, 13), QPointF(7, 13));
}

void drawFolder(QPainter& p, bool enabled)
{
    p.setPen(QPen(shade(QColor(140, 100, 20), enabled), 1));
    p.setBrush(shade(QColor(240, 200, 90), enabled));
    QPainterPath back;
    back.moveTo(1.5, 4.5);
    back.lineTo(6.5, 4.5);
    back.lineTo(8, 6);
    back.lineTo(14.5, 6);
    back.lineTo(14.5, 15.5);
    back.lineTo(1.5, 15.5);
    back.closeSubpath();
    p.drawPath(back);
    p.setBrush(shade(QColor(252, 222, 130), enabled));
    p.drawPolygon(QPolygonF({{1.5, 15.5}, {4.5, 8.5}, {17.0, 8.5}, {14.5, 15.5}}));
}

void drawDisk(QPainter& p, bool enabled)
{
    p.setPen(QPen(shade(QColor(20, 40, 100), enabled), 1));
    p.setBrush(shade(QColor(60, 100, 190), enabled));
    p.drawRoundedRect(QRectF(1.5, 1.5, 15, 15), 1.5, 1.5);
    p.setBrush(shade(Qt::white, enabled));
    p.drawRect(QRectF(4.5, 1.5, 9, 6));
    p.setPen(Qt::NoPen);
    p.setBrush(shade(QColor(200, 200, 210), enabled));
    p.drawRect(QRectF(5, 11, 8, 5.5));
    p.setBrush(shade(QColor(20, 40, 100), enabled));
    p.drawRect(QRectF(10, 2.5, 2, 4));
}

void drawOptions(QPainter& p, bool enabled)
{
    // Three sliders.
    const QColor track = shade(QColor(90, 90, 90), enabled);
    const QColor knob = shade(QColor(60, 130, 60), enabled);
    const double knobs[3] = {11, 5, 9};
    for (int i = 0; i < 3; ++i) {
        const double y = 3.5 + i * 5.5;
        p.setPen(QPen(track, 1.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(2, y), QPointF(16, y));
        p.setPen(QPen(shade(QColor(30, 70, 30), enabled), 1));
        p.setBrush(knob);
        p.drawRect(QRectF(knobs[i] - 1.5, y - 2.5, 3, 5));
    }
}

void drawUpdate(QPainter& p, bool enabled)
{
    // A globe with a circling arrow: news from the web site.
    p.setPen(QPen(shade(QColor(30, 90, 160), enabled), 1));
    p.setBrush(shade(QColor(150, 200, 240), enabled));
    p.drawEllipse(QRectF(3.5, 3.5, 11, 11));
    p.drawLine(QPointF(9, 3.5), QPointF(9, 14.5));
    p.drawLine(QPointF(3.5, 9), QPointF(14.5, 9));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(6.5, 3.5, 5, 11));
    const QColor arrow = shade(QColor(20, 140, 40), enabled);
    p.setPen(QPen(arrow, 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(1, 1, 16, 16), 100 * 16, 140 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(arrow);
    p.drawPolygon(QPolygonF({{7.0, 0.0}, {11.0, 1.5}, {7.5, 4.0}}));
}

enum class BadgeMark { Question, Info };

// The mark is drawn, not set in a font: a bold face of its own would be loaded and shaped for two
// letters, a tenth of the editor's start-up.
void drawBadge(QPainter& p, bool enabled, const QColor& colour, BadgeMark mark)
{
    p.setPen(QPen(shade(colour.darker(150), enabled), 1));
    p.setBrush(shade(colour, enabled));
    p.drawEllipse(QRectF(1.5, 1.5, 15, 15));
    const QColor white = shade(Qt::white, enabled);
    p.setBrush(white);
    p.setPen(Qt::NoPen);
    const bool info = mark == BadgeMark::Info;
    p.drawEllipse(QPointF(9.0, info ? 5.2 : 13.2), 1.3, 1.3); // over the "i", under the "?"
    p.setPen(QPen(white, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    if (info) {
        p.drawLine(QPointF(9.0, 8.0), QPointF(9.0, 13.5));
        return;
    }
    QPainterPath hook(QPointF(6.3, 6.8));
    hook.arcTo(QRectF(6.3, 4.0, 5.4, 5.0), 180, -270);
    hook.lineTo(QPointF(9.0, 10.3));
    p.drawPath(hook);
}

} // namespace

QIcon themeToolbarIcon(ToolbarGlyph glyph)
{
    const QString name = themeName(glyph);
    if (name.isEmpty() || !QIcon::hasThemeIcon(name))
        return QIcon();
    return QIcon::fromTheme(name);
}

void paintToolbarGlyph(QPainter& painter, ToolbarGlyph glyph, const QRectF& rect, bool enabled)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(rect.topLeft());
    painter.scale(rect.width() / (glyph == ToolbarGlyph::SaveArrow ? 9.0 : 18.0),
                  rect.height() / 18.0);
    switch (glyph) {
    case ToolbarGlyph::New:
        drawPage(painter, enabled);
        break;
    case ToolbarGlyph::Open:
        drawFolder(painter, enabled);
        break;
    case ToolbarGlyph::Save:
        drawDisk(painter, enabled);
        break;
    case ToolbarGlyph::Options:
        drawOptions(painter, enabled);
        break;
    case ToolbarGlyph::Update:
        drawUpdate(painter, enabled);
        break;
    case ToolbarGlyph::Help:
        drawBadge(painter, enabled, QColor(40, 110, 200), BadgeMark::Question);
        break;
    case ToolbarGlyph::About:
        drawBadge(painter, enabled, QColor(40, 150, 120), BadgeMark::Info);
        break;
    case ToolbarGlyph::SaveArrow:
        painter.setPen(Qt::NoPen);
        painter.setBrush(enabled ? QColor(0, 0, 0) : QColor(160, 160, 160));
        painter.drawPolygon(QPolygonF({{1.5, 7.5}, {7.5, 7.5}, {4.5, 10.5}}));
        break;
    }
    painter.restore();
}

void paintToolbarIcon(QPainter& painter, ToolbarGlyph glyph, const QRectF& rect, bool enabled)
{
    const QIcon icon = themeToolbarIcon(glyph);
    if (icon.isNull()) {
        paintToolbarGlyph(painter, glyph, rect, enabled);
        return;
    }
    // The theme's artwork is 16 pixels; centred in the 18-pixel button it keeps a margin.
    const QRect area = rect.toAlignedRect();
    icon.paint(&painter, area.adjusted(1, 1, -1, -1), Qt::AlignCenter,
               enabled ? QIcon::Normal : QIcon::Disabled);
}

} // namespace yw
