#pragma once

#include <QBrush>

class QPainter;

namespace yw {

struct BreedSheet;
struct SheetSwatch;

// How "no colour" (-1) shows wherever a colour is shown: grey hatching on white, which can be
// mistaken neither for black nor for the background.
QBrush noColourBrush();
void fillNoColour(QPainter& painter, const QRectF& rect);

// Draws one disc of the sheet: its soft edge, fill, ring and sprecks.
void paintSwatch(QPainter& painter, const SheetSwatch& swatch);

// Draws the sheet as its SVG draws it, in sheet units, onto a white background the caller made.
// With `cached`, each disc is drawn once into a picture kept for the next repaint (the live
// preview repaints far more often than its discs change).
void paintBreedSheet(QPainter& painter, const BreedSheet& sheet, bool cached = false);

} // namespace yw
