#pragma once

#include "platform/savefile.h"

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

struct CabinetMember
{
    QString name;
    QByteArray bytes;
};

// What a cabinet from anywhere may hold: a package has three members, each no bigger than an egg.
// The cabinet itself is read whole, so it is no bigger than an egg either: refusing one then
// costs little memory.
inline constexpr int kCabinetMemberLimit = 8;
inline constexpr qint64 kCabinetTotalLimit = 3 * kEggFileLimit;
inline constexpr qint64 kCabinetFileLimit = kEggFileLimit;

// A member as the cabinet's headers declare it.
struct CabinetEntry
{
    QString name;
    qint64 size = 0;
};

// The members the headers of `bytes` declare, in their stored order, checked as readCabinet
// checks them but with nothing unpacked.
std::vector<CabinetEntry> cabinetEntries(const QByteArray& bytes, const QString& path);

// The members of the cabinet `bytes` (read from `path`, named in errors) in their stored order.
// The headers are checked against the limits above before anything is unpacked, so a hostile
// cabinet costs no more than the limits allow: FormatError for one that is damaged, split over
// several files, compressed other than by MSZIP or over a limit; Error when libgcab is missing.
std::vector<CabinetMember> readCabinet(const QByteArray& bytes, const QString& path);

} // namespace yw
