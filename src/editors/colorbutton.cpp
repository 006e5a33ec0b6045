#include "editors/colorbutton.h"

#include "editors/screencolor.h"
#include "editors/sheetpainter.h"
#include "model/palette.h"

#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace yw {

ColorButton::ColorButton(QWidget* parent) : QPushButton(parent)
{
    setAutoDefault(false);
}

void ColorButton::setIndex(int index)
{
    m_index = index;
    m_face = screenColor(paletteColor(index));
    update();
}

void ColorButton::setUnused(bool unused)
{
    m_unused = unused;
    update();
}

void ColorButton::paintEvent(QPaintEvent* event)
{
    QPushButton::paintEvent(event);
    // Styles draw the button's own face; the colour goes inside its bevel, leaving the focus
    // frame and the pressed look visible around it.
    QStyleOptionButton option;
    initStyleOption(&option);
    const QRect face = style()
                           ->subElementRect(QStyle::SE_PushButtonContents, &option, this)
                           .adjusted(1, 1, -1, -1);
    QPainter painter(this);
    if (m_unused)
        painter.setOpacity(0.3);
    if (m_index < 0)
        fillNoColour(painter, face);
    else
        painter.fillRect(face, m_face);
}

} // namespace yw
