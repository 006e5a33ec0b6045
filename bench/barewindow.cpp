// The yardstick for the editor's start-up (scripts/measure-startup): a bare Qt main window with an
// MDI area, reporting its first paint the way the editor's start-up probe does. With --text it
// also shows one word in its status bar: what any text costs a plain Qt program (fonts).
#include "platform/memoryusage.h"

#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QLabel>
#include <QMainWindow>
#include <QMdiArea>
#include <QStatusBar>
#include <QTimer>
#include <chrono>
#include <cstdio>

namespace {

class Probe : public QObject
{
protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!m_done && event->type() == QEvent::Paint && watched->isWidgetType() &&
            qobject_cast<QMainWindow*>(static_cast<QWidget*>(watched)->window())) {
            m_done = true;
            const auto now = std::chrono::system_clock::now().time_since_epoch();
            std::fprintf(stderr, "first paint at %lld ns, cpu %lld us, VmRSS %ld KiB\n",
                         static_cast<long long>(
                             std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()),
                         yw::cpuMicroseconds(), yw::residentKiB());
            QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool m_done = false;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    app.installEventFilter(new Probe);
    QMainWindow window;
    window.setCentralWidget(new QMdiArea);
    if (QApplication::arguments().contains(QStringLiteral("--text")))
        window.statusBar()->addWidget(new QLabel(QStringLiteral("Ready")));
    window.show();
    return QApplication::exec();
}
