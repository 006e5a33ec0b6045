#include "model/projectstate.h"
#include "platform/filesystem.h"
#include "platform/settingsstore.h"
#include "shell/guiprompts.h"
#include "shell/mainwindow.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Yolkwright"));
    QApplication::setOrganizationName(QStringLiteral("Brindlecote"));

    yw::FileSystem fso;
    yw::QSettingsStore settings;
    yw::GuiPrompts prompts;
    yw::ProjectState state;
    state.fso = &fso;
    state.buildNo = QStringLiteral("%1").arg(YW_REVISION, 4, 10, QLatin1Char('0')).toStdString();
    state.resetForStartUp();

    yw::MainWindow window(state, settings, prompts);
    prompts.setParent(&window);
    window.load(QString());
    window.show();
    return app.exec();
}
