#include "cli/cliapp.h"
#include "platform/settingsstore.h"

#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    // The same names as the editor's, so both find the same per-user data folder.
    QCoreApplication::setOrganizationName(QStringLiteral("Brindlecote"));
    QCoreApplication::setApplicationName(QStringLiteral("Yolkwright"));

    QTextStream out(stdout);
    QTextStream err(stderr);
    yw::QSettingsStore settings;
    return int(yw::cli::run(QCoreApplication::arguments().mid(1), out, err, settings));
}
