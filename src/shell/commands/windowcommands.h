#pragma once

#include <QObject>

class QMdiArea;

namespace yw {

struct WindowMenu;

// The Window menu: tiling, cascading and arranging the child windows, and the list of open child
// windows after the fixed items, rebuilt each time the menu opens.
class WindowCommands : public QObject
{
    Q_OBJECT
public:
    WindowCommands(QMdiArea& area, const WindowMenu& menu, QObject* parent);

    // Tile Horizontally: the windows one above another, each as wide as the area.
    void tileOneAboveAnother() { tile(false); }
    // Tile Vertically: the windows side by side, each as high as the area.
    void tileSideBySide() { tile(true); }
    void arrangeIcons();

private:
    void tile(bool sideBySide);
    void listWindows();

    QMdiArea& m_area;
    const WindowMenu& m_menu;
};

} // namespace yw
