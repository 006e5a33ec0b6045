#pragma once

#include <QByteArray>
#include <QImage>
#include <QWidget>

namespace yw {

// The breed sheet drawn from its SVG at one pixel per sheet unit on white, so each swatch's
// centre has the palette colour of its fill.
QImage renderBreedSheet(const QByteArray& svg);

// The breed sheet in a window of its own, beside the main window.
class BreedSheetWindow : public QWidget
{
    Q_OBJECT
public:
    BreedSheetWindow(const QImage& sheet, const QString& breedName, QWidget* parent = nullptr);
};

} // namespace yw
