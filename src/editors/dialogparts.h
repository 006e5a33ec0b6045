#pragma once

#include <QRect>
#include <QSize>
#include <functional>

class QBoxLayout;
class QDialog;
class QFont;
class QPushButton;
class QString;

namespace yw {

// The footer of a tool's dialog: its action button `okCaption` (btnOK, which runs `apply`) and
// Cancel (btnCancel), added at the bottom of `column`. Returns the action button.
QPushButton* addToolFooter(QDialog& dialog, QBoxLayout& column, const QString& okCaption,
                           const std::function<void()>& apply);

// A frame of `size` centred on the primary screen's free area (at the origin without a screen).
QRect centredOnScreen(const QSize& size);

// The font `family` where the system has it, otherwise the application's own font, the desktop's
// choice for such text. Asking the font system for a stand-in for a missing family instead costs
// a twentieth of the editor's start-up.
QFont installedOrApplicationFont(const QString& family);

} // namespace yw
