#include "startupprobe.h"

#include "platform/memoryusage.h"

#include <QApplication>
#include <QEvent>
#include <QFile>
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
    // The first paint of any widget of the main window: its central area may cover it whole.
    if (!m_done && event->type() == QEvent::Paint && watched->isWidgetType() &&
        qobject_cast<QMainWindow*>(static_cast<QWidget*>(watched)->window())) {
        m_done = true;
        const auto now = std::chrono::system_clock::now().time_since_epoch();
        std::fprintf(stderr, "first paint at %lld ns, cpu %lld us, VmRSS %ld KiB\n",
                     static_cast<long long>(
                         std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()),
                     cpuMicroseconds(), residentKiB());
        QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
    }
    return QObject::eventFilter(watched, event);
}

} // namespace yw
