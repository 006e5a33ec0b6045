#pragma once

#include <QString>

namespace yw {

// The child windows the lists open: the eBall editor, the Slot/Tray panel and the Tips panel.
// The main window talks to them only through this, so the lists never depend on a window class.
class EditorWindows
{
public:
    virtual ~EditorWindows() = default;

    // Creates the eBall editor when it is not open, then switches it to record `newIndex`; it
    // stores what it shows into the record it showed before (`curBall`) first.
    virtual void switchBall(int newIndex, const QString& componentName) = 0;
    // Create the panel when it is not open, show it and give it the focus.
    virtual void showSlotTray() = 0;
    virtual void showTips() = 0;
    // Closes all three; the eBall editor stores what it shows while closing.
    virtual void closeAll() = 0;
};

} // namespace yw
