#include "samplegame/newexecutable.h"

#include <algorithm>

namespace yw::sample {

void put16(QByteArray& bytes, qint64 at, qint64 value)
{
    bytes[at] = char(value & 0xff);
    bytes[at + 1] = char((value >> 8) & 0xff);
}

void append16(QByteArray& bytes, qint64 value)
{
    bytes.append(char(value & 0xff)).append(char((value >> 8) & 0xff));
}

QByteArray dosStub(qint64 neOffset, const std::function<char()>& padding)
{
    QByteArray stub(64, '\0');
    stub[0] = 'M';
    stub[1] = 'Z';
    put16(stub, 0x02, 0x10);   // bytes on the last page
    put16(stub, 0x04, 1);      // pages
    put16(stub, 0x08, 4);      // header paragraphs
    put16(stub, 0x0A, 0x10);   // minimum extra paragraphs
    put16(stub, 0x0C, 0xffff); // maximum extra paragraphs
    put16(stub, 0x10, 0xb8);   // SP
    put16(stub, 0x18, 0x40);   // relocation table
    put16(stub, 0x3C, neOffset);
    // Prints the message and ends.
    stub += QByteArray("\x0e\x1f\xba\x0e\x00\xb4\x09\xcd\x21\xb8\x01\x4c\xcd\x21", 14);
    stub += "This program requires Microsoft Windows.\r\n$";
    while (stub.size() < neOffset)
        stub += padding();
    return stub;
}

QByteArray neHeader(const std::vector<NeResourceEntry>& resources)
{
    // Type records in the order of first appearance; names after them.
    std::vector<std::pair<uint16_t, QByteArray>> types;
    for (const NeResourceEntry& r : resources) {
        const std::pair<uint16_t, QByteArray> type{r.type, r.typeName};
        if (std::find(types.begin(), types.end(), type) == types.end())
            types.push_back(type);
    }
    qint64 namesAt = 2 + 2;
    for (const auto& type : types)
        namesAt += 8 + 12 * std::count_if(resources.begin(), resources.end(), [&](const auto& r) {
                           return r.type == type.first && r.typeName == type.second;
                       });
    QByteArray names;
    const auto nameOffset = [&](const QByteArray& name) {
        const qint64 at = namesAt + names.size();
        names += char(name.size()) + name;
        return at;
    };
    QByteArray table;
    append16(table, kNeShift);
    for (const auto& [type, typeName] : types) {
        std::vector<const NeResourceEntry*> ofType;
        for (const NeResourceEntry& r : resources)
            if (r.type == type && r.typeName == typeName)
                ofType.push_back(&r);
        const qint64 typeAt = table.size();
        append16(table, 0);
        append16(table, qint64(ofType.size()));
        table += QByteArray(4, '\0');
        for (const NeResourceEntry* r : ofType) {
            append16(table, r->offset >> kNeShift);
            append16(table, r->data.size() >> kNeShift);
            append16(table, 0x0c30); // moveable, pure, discardable
            append16(table, r->name.isEmpty() ? 0x8000 | r->id : nameOffset(r->name));
            table += QByteArray(4, '\0');
        }
        // The type's name last, so the names end with the shortest.
        put16(table, typeAt, typeName.isEmpty() ? 0x8000 | type : nameOffset(typeName));
    }
    append16(table, 0);
    table += names + '\0';

    const qint64 tablesAt = 0x40 + table.size(); // resident names, imports, entries: empty
    QByteArray ne(0x40, '\0');
    ne[0] = 'N';
    ne[1] = 'E';
    ne[2] = 5;
    ne[3] = 10;
    put16(ne, 0x04, tablesAt + 2); // entry table
    put16(ne, 0x06, 1);
    put16(ne, 0x0C, 0x0302);
    put16(ne, 0x10, 0x400); // heap
    put16(ne, 0x22, 0x40);  // segments: none
    put16(ne, 0x24, 0x40);  // resource table
    put16(ne, 0x26, tablesAt);
    put16(ne, 0x28, tablesAt + 1);
    put16(ne, 0x2A, tablesAt + 1);
    put16(ne, 0x32, kNeShift);
    put16(ne, 0x34, qint64(resources.size()));
    ne[0x36] = 2; // Windows
    put16(ne, 0x3E, 0x030a);
    return ne + table + QByteArray(4, '\0');
}

} // namespace yw::sample
