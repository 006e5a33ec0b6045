// yw-samplegame: writes the sample game installation (and, on request, the resource files that
// describe its eggs).
#include "platform/errors.h"
#include "samplegame/samplegame.h"

#include <QCoreApplication>
#include <QStringList>
#include <QTextStream>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    const QString usage = QStringLiteral(
        "usage: yw-samplegame OUTDIR [--edition us|uk|both]\n"
        "       yw-samplegame --resources DATADIR\n"
        "Writes the sample game to OUTDIR/us and OUTDIR/uk, or the breed resource files that\n"
        "describe its eggs to DATADIR/res and DATADIR/resUK.\n");

    QStringList args = app.arguments().mid(1);
    QString edition = QStringLiteral("both");
    QString resources;
    QString outDir;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if ((arg == QLatin1String("--edition") || arg == QLatin1String("--resources")) &&
            i + 1 < args.size()) {
            (arg == QLatin1String("--edition") ? edition : resources) = args[++i];
        } else if (!arg.startsWith(QLatin1String("--")) && outDir.isEmpty()) {
            outDir = arg;
        } else {
            err << usage;
            return 2;
        }
    }
    const bool known = edition == QLatin1String("us") || edition == QLatin1String("uk") ||
                       edition == QLatin1String("both");
    if (!known || outDir.isEmpty() == resources.isEmpty()) {
        err << usage;
        return 2;
    }

    try {
        if (!resources.isEmpty()) {
            yw::sample::writeResourceFiles(resources);
            return 0;
        }
        if (edition != QLatin1String("uk"))
            yw::sample::writeSampleGame(outDir, yw::sample::Edition::US);
        if (edition != QLatin1String("us"))
            yw::sample::writeSampleGame(outDir, yw::sample::Edition::UK);
    } catch (const yw::Error& e) {
        err << "yw-samplegame: " << e.message() << '\n';
        return 1;
    }
    return 0;
}
