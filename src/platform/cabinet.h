#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <vector>

namespace yw {

struct CabinetFile
{
    QString name;       // the name inside the cabinet
    QString sourcePath; // read when the cabinet is made
    QDateTime date;     // stored to two seconds; given explicitly so packages are reproducible
};

// A Microsoft cabinet with MSZIP compression holding the files in the given order, in memory,
// so the caller saves it atomically. Throws FileError for an unreadable source and Error when
// the cabinet cannot be made.
QByteArray makeCabinet(const std::vector<CabinetFile>& files);

} // namespace yw
