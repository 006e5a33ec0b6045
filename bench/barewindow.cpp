// The yardstick for the editor's start-up (scripts/measure-startup): a bare Qt main window with an
// MDI area, timed by the editor's own start-up probe. With --text it also shows one word in its
// status bar: what any text costs a plain Qt program (fonts). --size WIDTHxHEIGHT gives it the
// editor's size, since painting the first frame costs in proportion to the window's area.
#include "startupprobe.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMdiArea>
#include <QStatusBar>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    app.installEventFilter(new yw::StartupProbe);
    QMainWindow window;
    window.setCentralWidget(new QMdiArea);
    const QStringList arguments = QApplication::arguments();
    if (arguments.contains(QStringLiteral("--text")))
        window.statusBar()->addWidget(new QLabel(QStringLiteral("Ready")));
    if (const qsizetype at = arguments.indexOf(QStringLiteral("--size")); at > 0) {
        const QStringList size = arguments.value(at + 1).split(QLatin1Char('x'));
        window.resize(size.value(0).toInt(), size.value(1).toInt());
    }
    window.show();
    return QApplication::exec();
}
