#include "files/neresources.h"

#include <algorithm>

namespace yw {

namespace {

class Damaged
{
public:
    explicit Damaged(QString problem) : problem(std::move(problem)) {}
    QString problem;
};

class Reader
{
public:
    explicit Reader(QByteArrayView file) : m_file(file) {}

    qint64 size() const { return m_file.size(); }
    bool has(qint64 at, qint64 count) const
    {
        return at >= 0 && count >= 0 && at <= size() && count <= size() - at;
    }
    uint32_t u16(qint64 at) const
    {
        return uint32_t(uint8_t(m_file[at])) | uint32_t(uint8_t(m_file[at + 1])) << 8;
    }
    uint32_t u32(qint64 at) const { return u16(at) | u16(at + 2) << 16; }

    // A length byte and that many characters, `at` counted from the resource table.
    std::string name(qint64 table, uint32_t offset, const char* what) const
    {
        const qint64 at = table + offset;
        if (!has(at, 1) || !has(at + 1, uint8_t(m_file[at])))
            throw Damaged(QStringLiteral("the name of %1 lies outside the file (byte %2 of %3)")
                              .arg(QLatin1String(what))
                              .arg(at + 1)
                              .arg(size()));
        return std::string(m_file.data() + at + 1, size_t(uint8_t(m_file[at])));
    }

private:
    QByteArrayView m_file;
};

std::vector<NeResource> readTable(const Reader& in, qint64 table, int& shiftCount)
{
    if (!in.has(table, 2))
        throw Damaged(QStringLiteral("the resource table begins at byte %1, past the end of the "
                                     "file (%2 bytes)")
                          .arg(table + 1)
                          .arg(in.size()));
    const uint32_t shift = in.u16(table);
    if (shift > 15)
        throw Damaged(
            QStringLiteral("the resource table's shift count is %1; at most 15 can be").arg(shift));
    shiftCount = int(shift);
    std::vector<NeResource> resources;
    qint64 at = table + 2;
    for (;;) {
        if (!in.has(at, 2))
            throw Damaged(QStringLiteral("the list of resource types has no end"));
        const uint32_t type = in.u16(at);
        if (type == 0)
            break;
        if (!in.has(at, 8))
            throw Damaged(QStringLiteral("the list of resource types has no end"));
        const uint32_t count = in.u16(at + 2);
        at += 8;
        if (!in.has(at, qint64(count) * 12))
            throw Damaged(QStringLiteral("%1 resources are listed at byte %2, more than the file "
                                         "holds")
                              .arg(count)
                              .arg(at + 1));
        const bool namedType = (type & 0x8000) == 0;
        const std::string typeName =
            namedType ? in.name(table, type, "a resource type") : std::string();
        for (uint32_t i = 0; i < count; ++i, at += 12) {
            NeResource r;
            r.type = namedType ? 0 : uint16_t(type & 0x7fff);
            r.typeName = typeName;
            const uint32_t id = in.u16(at + 6);
            if (id & 0x8000)
                r.id = uint16_t(id & 0x7fff);
            else
                r.name = in.name(table, id, "a resource");
            r.recordAt = at;
            r.offset = qint64(in.u16(at)) << shift;
            r.length = qint64(in.u16(at + 2)) << shift;
            if (r.offset >= in.size())
                throw Damaged(QStringLiteral("a resource begins at byte %1, past the end of the "
                                             "file (%2 bytes)")
                                  .arg(r.offset + 1)
                                  .arg(in.size()));
            r.length = std::min(r.length, in.size() - r.offset);
            resources.push_back(std::move(r));
        }
    }

    std::vector<const NeResource*> byOffset;
    for (const NeResource& r : resources)
        if (r.length > 0)
            byOffset.push_back(&r);
    std::sort(byOffset.begin(), byOffset.end(),
              [](const NeResource* a, const NeResource* b) { return a->offset < b->offset; });
    for (size_t i = 1; i < byOffset.size(); ++i) {
        const NeResource& before = *byOffset[i - 1];
        if (byOffset[i]->offset < before.offset + before.length)
            throw Damaged(
                QStringLiteral("two resources overlap at byte %1").arg(byOffset[i]->offset + 1));
    }
    return resources;
}

} // namespace

NeResourceTable readNeResources(QByteArrayView file)
{
    NeResourceTable result;
    const Reader in(file);
    if (!in.has(0, 0x40) || file[0] != 'M' || file[1] != 'Z')
        return result;
    const qint64 header = in.u32(0x3c);
    if (!in.has(header, 0x40) || file[header] != 'N' || file[header + 1] != 'E')
        return result;
    const uint32_t tableOffset = in.u16(header + 0x24);
    if (tableOffset == 0 || tableOffset == in.u16(header + 0x26))
        return result;
    try {
        result.resources = readTable(in, header + tableOffset, result.shift);
        // A table without resources places nothing: the bytes stand alone.
        result.kind =
            result.resources.empty() ? NeResourceTable::Kind::None : NeResourceTable::Kind::Table;
    } catch (const Damaged& damaged) {
        result.kind = NeResourceTable::Kind::Damaged;
        result.problem = damaged.problem;
    }
    return result;
}

} // namespace yw
