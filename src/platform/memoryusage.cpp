#include "platform/memoryusage.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <sys/resource.h>

namespace yw {

long residentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

long long cpuMicroseconds()
{
    rusage usage{};
    if (getrusage(RUSAGE_SELF, &usage) != 0)
        return -1;
    const auto micro = [](const timeval& t) { return t.tv_sec * 1000000LL + t.tv_usec; };
    return micro(usage.ru_utime) + micro(usage.ru_stime);
}

} // namespace yw
