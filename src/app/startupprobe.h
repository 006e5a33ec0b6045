#pragma once

#include <QObject>

namespace yw {

// For scripts/measure-startup: when YW_STARTUP_PROBE is set (the yardstick, bench/barewindow.cpp,
// installs it always), the end of the main window's first frame prints the wall-clock time
// (nanoseconds since the epoch), the processor time, the resident memory and the window's size
// to stderr and ends the program, so a script can time process start to first frame.
class StartupProbe : public QObject
{
public:
    static void installIfAsked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool m_done = false;
};

} // namespace yw
