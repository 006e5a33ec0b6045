#include "fuzzsupport.h"

#include "platform/filesystem.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

namespace yw::fuzz {

void fail(const char* what, const std::string& detail)
{
    std::fprintf(stderr, "property failed: %s %s\n", what, detail.c_str());
    std::abort();
}

void writeScratch(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        fail("cannot write the scratch file", path.toStdString());
}

QString fixturePath(const QString& name)
{
    // Made on first use and kept for the whole run; removed when the process ends normally.
    static QTemporaryDir dir;
    static const bool made = [] {
        const QDir root(dir.path());
        if (!dir.isValid() || !root.mkpath(QStringLiteral("res")) ||
            !root.mkpath(QStringLiteral("game/eggz/Honker")))
            fail("cannot make the fixture folder");
        for (const auto& [file, bytes] : {std::pair{"res/Zott.blz", kZottInfo},
                                          {"res/Zott.loc", kZottLocator},
                                          {"res/Lips.blz", kLipsInfo},
                                          {"res/Lips.loc", kLipsLocator}})
            writeScratch(root.filePath(QLatin1String(file)), bytes);
        return true;
    }();
    return !made || name.isEmpty() ? dir.path() : dir.filePath(name);
}

QString input(const QString& name, const QByteArray& bytes)
{
    const QString file = fixturePath(name);
    writeScratch(file, bytes);
    return file;
}

Installation startInstallation()
{
    static const FileSystem fso;
    Installation install;
    install.programFolder = fixturePath(QString());
    install.edition = Edition::US;
    install.fso = &fso;
    install.buildNo = "0310";
    return install;
}

} // namespace yw::fuzz
