#include "shell/dialogs/breedsheetwindow.h"

#include "editors/sheetpainter.h"
#include "files/breedsheet.h"

#include <QLabel>
#include <QPainter>
#include <QScrollArea>
#include <QShortcut>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace yw {

QImage renderBreedSheet(const BreedSheet& sheet)
{
    QImage image(int(std::ceil(sheet.width)), int(std::ceil(sheet.height)), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    paintBreedSheet(painter, sheet);
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
    // A window of its own closes the way such windows do. Each key once: a key bound twice is
    // ambiguous and runs neither (the platform's Close is Ctrl+W on some desktops).
    auto* closing = new QShortcut(this);
    closing->setKeys({QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W),
                      QKeySequence(Qt::CTRL | Qt::Key_F4)});
    connect(closing, &QShortcut::activated, this, &QWidget::close);
}

} // namespace yw
