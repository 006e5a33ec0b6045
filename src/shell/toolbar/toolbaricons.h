#pragma once

#include <QIcon>

class QPainter;
class QRectF;

namespace yw {

enum class ToolbarGlyph { New, Open, Save, Options, Update, Help, About, SaveArrow };

// The desktop theme's icon for a toolbar button, or a null icon when the theme has none.
QIcon themeToolbarIcon(ToolbarGlyph glyph);

// Our own artwork, drawn as vectors so it stays crisp at any device pixel ratio. `rect` is the
// 18 by 18 (or 9 by 18 for the arrow) area in logical pixels; disabled glyphs are drawn grey.
void paintToolbarGlyph(QPainter& painter, ToolbarGlyph glyph, const QRectF& rect, bool enabled);

// The theme's icon when there is one, else ours.
void paintToolbarIcon(QPainter& painter, ToolbarGlyph glyph, const QRectF& rect, bool enabled);

} // namespace yw
