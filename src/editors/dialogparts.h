#pragma once

#include <QRect>
#include <QSize>
#include <functional>

class QBoxLayout;
class QDialog;
class QPushButton;
class QString;

namespace yw {

// The footer of a tool's dialog: its action button `okCaption` (btnOK, which runs `apply`) and
// Cancel (btnCancel), added at the bottom of `column`. Returns the action button.
QPushButton* addToolFooter(QDialog& dialog, QBoxLayout& column, const QString& okCaption,
                           const std::function<void()>& apply);

// A frame of `size` centred on the primary screen's free area (at the origin without a screen).
QRect centredOnScreen(const QSize& size);

} // namespace yw
