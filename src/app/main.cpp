#include "model/projectstate.h"
#include "platform/filesystem.h"
#include "shell/mainwindow.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Yolkwright"));
    QApplication::setOrganizationName(QStringLiteral("Brindlecote"));

    yw::FileSystem fso;
    yw::ProjectState state;
    state.fso = &fso;
    state.buildNo = QStringLiteral("%1").arg(YW_REVISION, 4, 10, QLatin1Char('0')).toStdString();
    state.resetForStartUp();

    yw::MainWindow window(state);
    window.show();
    return app.exec();
}
