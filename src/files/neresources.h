#pragma once

#include <QByteArrayView>
#include <QString>
#include <cstdint>
#include <string>
#include <vector>

// The resources of a 16-bit Windows "New Executable" file, as far as the survey needs them.
// Every number in the table is checked against the file's size before use, so a damaged or
// hostile file gives "no table" or a problem in words, never a read outside the bytes.
namespace yw {

struct NeResource
{
    uint16_t type = 0;    // the type number without its high bit; 0 for a named type
    std::string typeName; // a named type's name
    uint16_t id = 0;      // the ID without its high bit; 0 for a named resource
    std::string name;     // a named resource's name, as stored (Windows-1252)
    qint64 offset = 0;    // 0-based first byte
    qint64 length = 0;    // in bytes; data running past the end of the file are cut there
    qint64 recordAt = 0;  // 0-based first byte of its record in the table (offset, then length)
};

struct NeResourceTable
{
    enum class Kind {
        None,    // not an NE file, or one without resources: the bytes stand alone
        Table,   // `resources` holds the table, in table order
        Damaged, // the file claims a table that cannot be: `problem` says why
    };
    Kind kind = Kind::None;
    std::vector<NeResource> resources;
    int shift = 0; // offsets and lengths count units of 2^shift bytes
    QString problem;
};

// "MZ" at 0, the NE header's offset at 0x3C, "NE" there, the resource table's offset (from the
// NE header) at its 0x24. A table offset of 0, or one equal to the resident-name table's (0x26),
// means no resources, and so does a table that lists none. Resources that touch do not
// overlap. Damaged: a shift count above 15, a type list without its closing 0, a
// record, a name or a resource's first byte past the end of the file, resources that overlap.
NeResourceTable readNeResources(QByteArrayView file);

} // namespace yw
