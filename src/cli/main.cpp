#include "cli/cliapp.h"
#include "platform/errors.h"
#include "platform/settingsstore.h"

#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>
#include <memory>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    // The same names as the editor's, so both find the same per-user data folder.
    QCoreApplication::setOrganizationName(QStringLiteral("Brindlecote"));
    QCoreApplication::setApplicationName(QStringLiteral("Yolkwright"));

    QTextStream out(stdout);
    QTextStream err(stderr);
    std::unique_ptr<yw::QSettingsStore> settings;
    try {
        settings = std::make_unique<yw::QSettingsStore>();
    } catch (const yw::Error& e) {
        err << "yolkwright-cli: " << e.message() << '\n';
        return int(yw::cli::ExitCode::Failure);
    }
    return int(yw::cli::run(QCoreApplication::arguments().mid(1), out, err, *settings));
}
