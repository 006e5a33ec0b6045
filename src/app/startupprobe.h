#pragma once

#include <QObject>

namespace yw {

// For scripts/measure-startup: when YW_STARTUP_PROBE is set, the first paint of the main window
// prints the wall-clock time (nanoseconds since the epoch) and the resident memory to stderr and
// ends the program, so a script can time process start to first paint.
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
