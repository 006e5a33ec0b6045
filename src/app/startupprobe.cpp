#include "startupprobe.h"

#include "platform/memoryusage.h"

#include <QApplication>
#include <QEvent>
#include <QMainWindow>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <cstdio>

namespace yw {

void StartupProbe::installIfAsked()
{
    if (qEnvironmentVariableIsEmpty("YW_STARTUP_PROBE"))
        return;
    qApp->installEventFilter(new StartupProbe);
}

bool StartupProbe::eventFilter(QObject* watched, QEvent* event)
{
    // The first paint event of any widget of the main window starts its first frame; a timer
    // posted then fires once that frame is painted whole and flushed. Read at the event itself,
    // a window whose first painted widget is its background would be timed before its fill and a
    // window whose first is a child after it.
    if (!m_done && event->type() == QEvent::Paint && watched->isWidgetType() &&
        qobject_cast<QMainWindow*>(static_cast<QWidget*>(watched)->window())) {
        m_done = true;
        const QSize size = static_cast<QWidget*>(watched)->window()->size();
        QTimer::singleShot(0, qApp, [size] {
            const auto now = std::chrono::system_clock::now().time_since_epoch();
            std::fprintf(stderr,
                         "first frame at %lld ns, cpu %lld us, VmRSS %ld KiB, window %dx%d\n",
                         static_cast<long long>(
                             std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()),
                         cpuMicroseconds(), residentKiB(), size.width(), size.height());
            QCoreApplication::exit(0);
        });
    }
    return QObject::eventFilter(watched, event);
}

} // namespace yw
