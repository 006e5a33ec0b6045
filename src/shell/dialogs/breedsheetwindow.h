#pragma once

#include <QImage>
#include <QWidget>

namespace yw {

struct BreedSheet;

// The breed sheet drawn as its SVG draws it, at one pixel per sheet unit on white, so each
// swatch's centre has the palette colour of its fill. Painted directly: the editor does not load
// an SVG library at start-up for a picture it may never make.
QImage renderBreedSheet(const BreedSheet& sheet);

// The breed sheet in a window of its own, beside the main window.
class BreedSheetWindow : public QWidget
{
    Q_OBJECT
public:
    BreedSheetWindow(const QImage& sheet, const QString& breedName, QWidget* parent = nullptr);
};

} // namespace yw
