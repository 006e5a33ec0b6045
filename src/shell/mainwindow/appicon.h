#pragma once

#include <QIcon>

class QPainter;
class QRectF;

namespace yw {

// The program's picture: a cream egg dotted with coloured eBalls. The same drawing as
// data/icons/yolkwright.svg, which the desktop uses.
void paintApplicationIcon(QPainter& painter, const QRectF& rect);
QIcon applicationIcon();

} // namespace yw
