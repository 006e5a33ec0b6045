#include "shell/dialogs/breedsheetwindow.h"

#include "platform/errors.h"

#include <QLabel>
#include <QPainter>
#include <QScrollArea>
#include <QSvgRenderer>
#include <QVBoxLayout>
#include <cmath>

namespace yw {

QImage renderBreedSheet(const QByteArray& svg)
{
    QSvgRenderer renderer(svg);
    if (!renderer.isValid())
        throw FormatError(QStringLiteral("breed sheet"), QString(),
                          QStringLiteral("a drawing the editor can read"));
    const QSizeF size = renderer.viewBoxF().size();
    QImage image(int(std::ceil(size.width())), int(std::ceil(size.height())), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(QPointF(0, 0), size));
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
