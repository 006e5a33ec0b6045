#include "fuzzsupport.h"

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

QByteArray bytesOf(const uint8_t* data, size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}

void writeScratch(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        fail("cannot write the scratch file", path.toStdString());
}

Fixture& Fixture::instance()
{
    static Fixture fixture;
    return fixture;
}

Fixture::Fixture()
{
    // Kept for the whole run; the folder is removed when the process ends normally.
    static QTemporaryDir dir;
    if (!dir.isValid())
        fail("cannot make the fixture folder");
    m_root = dir.path();
    QDir(m_root).mkpath(QStringLiteral("res"));
    QDir(m_root).mkpath(QStringLiteral("game/eggz/Honker"));
    writeScratch(path(QStringLiteral("res/Zott.blz")), kZottInfo);
    writeScratch(path(QStringLiteral("res/Zott.loc")), kZottLocator);
    writeScratch(path(QStringLiteral("res/Lips.blz")), kLipsInfo);
    writeScratch(path(QStringLiteral("res/Lips.loc")), kLipsLocator);
}

QString Fixture::path(const QString& name) const
{
    return m_root + QLatin1Char('/') + name;
}

QString Fixture::input(const QString& name, const QByteArray& bytes) const
{
    const QString file = path(name);
    writeScratch(file, bytes);
    return file;
}

ProjectState Fixture::startState() const
{
    ProjectState state;
    state.programFolder = m_root;
    state.edition = Edition::US;
    state.fso = &m_fso;
    state.buildNo = "0310";
    state.resetForStartUp();
    return state;
}

} // namespace yw::fuzz
