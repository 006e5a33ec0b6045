#include "support/testsupport.h"

#include "samplegame/samplegame.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cctype>
#include <gtest/gtest.h>

namespace yw::test {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        ADD_FAILURE() << "cannot write " << path.toStdString();
    file.write(bytes);
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        ADD_FAILURE() << "cannot read " << path.toStdString();
    return file.readAll();
}

Installation testInstallation(const FileSystem& fso, const QString& programFolder,
                              const QString& gameFolder)
{
    Installation install;
    install.programFolder = programFolder;
    install.gameFolder = gameFolder;
    // Never the tester's own data folder, where eggs written over the game's are kept.
    install.userFolder = programFolder + QStringLiteral("/user");
    install.edition = Edition::US;
    install.fso = &fso;
    install.buildNo = "0310";
    return install;
}

Installation sampleGameInstallation(const QString& root, const FileSystem& fso)
{
    sample::writeSampleGame(root, Edition::US);
    const QString program = root + QStringLiteral("/program");
    sample::writeResourceFiles(program);
    return testInstallation(fso, program, sample::gameFolder(root, Edition::US));
}

std::string testName(std::string_view words)
{
    std::string name;
    for (const char c : words) {
        if (std::isalnum(static_cast<unsigned char>(c)))
            name += c;
        else if (!name.empty() && name.back() != '_')
            name += '_';
    }
    if (!name.empty() && name.back() == '_')
        name.pop_back();
    return name;
}

} // namespace yw::test
