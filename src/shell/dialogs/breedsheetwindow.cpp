#include "shell/dialogs/breedsheetwindow.h"

#include "editors/screencolor.h"
#include "files/breedsheet.h"

#include <QFontMetricsF>
#include <QLabel>
#include <QPainter>
#include <QScrollArea>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace yw {

namespace {

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

} // namespace

QImage renderBreedSheet(const BreedSheet& sheet)
{
    QImage image(int(std::ceil(sheet.width)), int(std::ceil(sheet.height)), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    for (const SheetText& t : sheet.texts)
        drawText(painter, t);
    for (const SheetSwatch& s : sheet.swatches) {
        const QPointF centre(s.cx, s.cy);
        if (s.fill) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(screenColor(*s.fill));
        } else { // no colour: a dashed outline, so the swatch is still there to see
            QPen outline(QColor(0x99, 0x99, 0x99), 1, Qt::CustomDashLine, Qt::FlatCap);
            outline.setDashPattern({3, 2});
            painter.setPen(outline);
            painter.setBrush(Qt::NoBrush);
        }
        painter.drawEllipse(centre, s.radius, s.radius);
        if (s.ringWidth > 0 && s.border) {
            painter.setPen(QPen(screenColor(*s.border), s.ringWidth, Qt::SolidLine, Qt::FlatCap));
            painter.setBrush(Qt::NoBrush);
            const double r = s.radius - s.ringWidth / 2;
            painter.drawEllipse(centre, r, r);
        }
        if (s.sprecks) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(screenColor(*s.sprecks));
            const double r = kSpreckDotRadius * s.radius;
            for (const auto& [dx, dy] : spreckDots())
                painter.drawEllipse(centre + QPointF(dx, dy) * s.radius, r, r);
        }
        drawText(painter, s.label);
        drawText(painter, s.values);
    }
    return image;
}

BreedSheetWindow::BreedSheetWindow(const QImage& sheet, const QString& breedName, QWidget* parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmBreedSheet"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("Breed Sheet - %1").arg(breedName));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* scroll = new QScrollArea(this);
    auto* picture = new QLabel(scroll);
    picture->setObjectName(QStringLiteral("sheetPicture"));
    picture->setPixmap(QPixmap::fromImage(sheet));
    scroll->setWidget(picture);
    layout->addWidget(scroll);
    resize(std::min(sheet.width() + 24, 1000), std::min(sheet.height() + 24, 760));
}

} // namespace yw
