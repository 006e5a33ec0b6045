#include "editors/numberbar.h"

namespace yw {

NumberBar::NumberBar(int least, int most, QWidget* parent) : QScrollBar(Qt::Vertical, parent)
{
    setRange(-most, -least);
    setValue(-least);
    connect(this, &QScrollBar::valueChanged, this,
            [this](int value) { emit numberChanged(-value); });
}

} // namespace yw
