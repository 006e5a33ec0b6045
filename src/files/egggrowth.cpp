#include "files/egggrowth.h"

#include "files/eggregions.h"
#include "files/eggwriter.h"
#include "files/neresources.h"
#include "files/newproject.h"
#include "model/projectstate.h"
#include "platform/cp1252.h"
#include "platform/errors.h"
#include "platform/prompts.h"
#include "platform/savefile.h"

#include <algorithm>

namespace yw {

namespace {

constexpr qint64 kMaxUnits = 0xffff;

QString resourceLabel(const NeResource& r)
{
    const QString type =
        r.typeName.empty() ? QStringLiteral("#%1").arg(r.type) : cp1252::toUnicode(r.typeName);
    const QString name =
        r.name.empty() ? QStringLiteral("#%1").arg(r.id) : cp1252::toUnicode(r.name);
    return type + QLatin1Char(' ') + name;
}

void put16(QByteArray& bytes, qint64 at, qint64 value)
{
    bytes[at] = char(value & 0xff);
    bytes[at + 1] = char((value >> 8) & 0xff);
}

// The resource holding the whole region, or CannotGrow saying which resources it touches.
const NeResource& holder(const NeResourceTable& table, const RegionContent& region,
                         const QString& eggPath)
{
    const qint64 from = region.first - 1;
    const qint64 to = from + region.room;
    QStringList touched;
    for (const NeResource& r : table.resources) {
        if (r.offset <= from && to <= r.offset + r.length)
            return r;
        if (r.offset < to && from < r.offset + r.length)
            touched << resourceLabel(r);
    }
    const QString where = QStringLiteral("bytes %1 to %2").arg(from + 1).arg(to);
    throw CannotGrow(eggPath, region.what,
                     touched.isEmpty()
                         ? QStringLiteral("%1 lie in no resource of the egg's table").arg(where)
                         : QStringLiteral("%1 lie across more than one resource (%2) or past the "
                                          "end of one")
                               .arg(where, touched.join(QStringLiteral(", "))));
}

// The resource's bytes with each region's content in place of its room; `regions` in order.
QByteArray grownCopy(const QByteArray& egg, const NeResource& r,
                     const std::vector<const RegionContent*>& regions)
{
    QByteArray copy;
    qint64 from = r.offset;
    for (const RegionContent* region : regions) {
        copy.append(egg.constData() + from, qsizetype(region->first - 1 - from));
        copy.append(region->content);
        from = region->first - 1 + region->room;
    }
    copy.append(egg.constData() + from, qsizetype(r.offset + r.length - from));
    return copy;
}

} // namespace

std::vector<GrownResource> growResources(QByteArray& egg, std::vector<RegionContent> regions,
                                         const QString& eggPath)
{
    if (regions.empty())
        return {};
    const QString& what = regions.front().what;
    const NeResourceTable table = readNeResources(egg);
    if (table.kind == NeResourceTable::Kind::None)
        throw CannotGrow(eggPath, what,
                         QStringLiteral("the egg has no resource table to point at a larger copy"));
    if (table.kind == NeResourceTable::Kind::Damaged)
        throw CannotGrow(
            eggPath, what,
            QStringLiteral("the egg's resource table is damaged (%1)").arg(table.problem));
    std::sort(regions.begin(), regions.end(),
              [](const RegionContent& a, const RegionContent& b) { return a.first < b.first; });
    // Each resource once, in table order, with its regions in the order they lie.
    std::vector<std::vector<const RegionContent*>> held(table.resources.size());
    for (const RegionContent& region : regions)
        held[size_t(&holder(table, region, eggPath) - table.resources.data())].push_back(&region);

    const qint64 unit = qint64(1) << table.shift;
    const auto padded = [unit](qint64 size) { return (size + unit - 1) / unit * unit; };
    std::vector<GrownResource> grown;
    for (size_t i = 0; i < held.size(); ++i) {
        if (held[i].empty())
            continue;
        const NeResource& r = table.resources[i];
        const QByteArray copy = grownCopy(egg, r, held[i]);
        const qint64 at = padded(egg.size());
        const qint64 length = padded(copy.size());
        if (at + length > kEggFileLimit)
            throw CannotGrow(eggPath, held[i].front()->what,
                             QStringLiteral("the egg would grow to %1 bytes, past the limit of %2")
                                 .arg(at + length)
                                 .arg(kEggFileLimit));
        if (at / unit > kMaxUnits || length / unit > kMaxUnits)
            throw CannotGrow(eggPath, held[i].front()->what,
                             QStringLiteral("the resource %1 would start at byte %2 and be %3 "
                                            "bytes long, but the table counts at most %4 units "
                                            "of %5 bytes")
                                 .arg(resourceLabel(r))
                                 .arg(at + 1)
                                 .arg(length)
                                 .arg(kMaxUnits)
                                 .arg(unit));
        egg.append(QByteArray(qsizetype(at - egg.size()), '\0'));
        egg.append(copy).append(QByteArray(qsizetype(length - copy.size()), '\0'));
        put16(egg, r.recordAt, at / unit);
        put16(egg, r.recordAt + 2, length / unit);
        grown.push_back({resourceLabel(r), r.length, length});
    }
    return grown;
}

QString describeGrowth(const std::vector<GrownResource>& grown)
{
    QStringList lines;
    for (const GrownResource& g : grown)
        lines << QStringLiteral("%1: %2 -> %3 bytes (+%4)")
                     .arg(g.resource)
                     .arg(g.oldLength)
                     .arg(g.newLength)
                     .arg(g.newLength - g.oldLength);
    return lines.join(QLatin1Char('\n'));
}

std::optional<std::vector<qint64>>
grownRegionPlaces(const QByteArray& base, const QByteArray& egg,
                  const std::vector<RegionContent>& regions,
                  const std::function<qint64(size_t index, qint64 first)>& lengthInEgg)
{
    const NeResourceTable baseTable = readNeResources(base);
    const NeResourceTable eggTable = readNeResources(egg);
    if (baseTable.kind != NeResourceTable::Kind::Table ||
        eggTable.kind != NeResourceTable::Kind::Table ||
        baseTable.resources.size() != eggTable.resources.size())
        return std::nullopt;
    const auto sameName = [](const NeResource& a, const NeResource& b) {
        return a.type == b.type && a.typeName == b.typeName && a.id == b.id && a.name == b.name;
    };
    std::vector<const NeResource*> inEgg;
    for (const NeResource& r : baseTable.resources) {
        const auto found = std::find_if(eggTable.resources.begin(), eggTable.resources.end(),
                                        [&](const NeResource& e) { return sameName(r, e); });
        if (found == eggTable.resources.end())
            return std::nullopt;
        inEgg.push_back(&*found);
    }

    std::vector<size_t> order(regions.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::sort(order.begin(), order.end(),
              [&](size_t a, size_t b) { return regions[a].first < regions[b].first; });
    std::vector<qint64> places(regions.size());
    std::vector<qint64> shift(baseTable.resources.size(), 0); // growth so far in each resource
    for (size_t index : order) {
        const RegionContent& region = regions[index];
        const qint64 from = region.first - 1;
        qint64 place = region.first;
        for (size_t i = 0; i < baseTable.resources.size(); ++i) {
            const NeResource& r = baseTable.resources[i];
            if (r.offset <= from && from + region.room <= r.offset + r.length) {
                place = inEgg[i]->offset + 1 + (from - r.offset) + shift[i];
                const qint64 length = lengthInEgg(index, place);
                if (length < 0)
                    return std::nullopt;
                shift[i] += length - region.room;
                break;
            }
        }
        places[index] = place;
    }
    return places;
}

namespace {

// How long a text region is in an egg: its room when the text fits it (the writer pads it with
// zeros), else the grown text and its zero; -1 without a zero.
qint64 textLength(const QByteArray& egg, qint64 first, qint64 room, qint64 fitsUpTo)
{
    const qsizetype zero = egg.indexOf('\0', qsizetype(first - 1));
    if (zero < 0)
        return -1;
    const qint64 text = zero - (first - 1);
    return text <= fitsUpTo ? room : text + 1;
}

} // namespace

bool readGrownEgg(ProjectState& fresh, int ballsPerSet, const QByteArray& baseEgg,
                  const QByteArray& egg, const QString& eggPath)
{
    if (egg.size() <= baseEgg.size())
        return false;
    try {
        const BallSetSpan setA = readBallSet(baseEgg, fresh.locSetAPos, ballsPerSet, eggPath, {});
        const BallSetSpan setB = readBallSet(baseEgg, fresh.locSetBPos, ballsPerSet, eggPath, {});
        // In writtenRegions' order: set A, set B, description, attributes, tips, name block.
        std::vector<RegionContent> regions;
        for (const EggSpan& span : writtenRegions(fresh, setA, setB))
            regions.push_back({span.first, span.end - span.first, {}, span.what});
        std::vector<qint64> lengths(regions.size());
        for (size_t i = 0; i < regions.size(); ++i)
            lengths[i] = regions[i].room;
        const qint64 tips = tipsRoom(fresh);
        const auto lengthInEgg = [&](size_t index, qint64 first) -> qint64 {
            const qint64 room = regions[index].room;
            qint64 length = -1;
            if (index < 2) {
                const BallSetSpan set = readBallSet(egg, first + 1, ballsPerSet, eggPath, {});
                length = set.end - set.start;
            } else // a tips block that fits ends in a line end and zeros, or a zero at T + 1
                length = textLength(egg, first, room, index == 4 ? tips + 1 : room - 1);
            lengths[index] = length;
            return length;
        };
        const std::optional<std::vector<qint64>> places =
            grownRegionPlaces(baseEgg, egg, regions, lengthInEgg);
        if (!places)
            return false;
        ProjectState view = fresh;
        const auto& at = *places;
        view.locSetAPos = int32_t(at[0] + 1);
        view.locSetBPos = int32_t(at[1] + 1);
        view.locDescPos = int32_t(at[2]);
        view.locDescLen = int32_t(lengths[2] - 1);
        view.locAttrPos = int32_t(at[3]);
        view.locAttrLen = int32_t(lengths[3] - 1);
        view.locTipsPos = int32_t(at[4]);
        // Grown, the block is followed by a line end and a zero. The room read keeps that line
        // end, as a block shorter than its room is read with it: an odd number of tips reads
        // as pairs, the last demo tip empty.
        view.locTipsLen = int32_t((lengths[4] == regions[4].room ? tips : lengths[4] - 1) -
                                  (tips - fresh.locTipsLen));
        view.locNamePos = int32_t(at[5]);
        view.locNameLen = int32_t(lengths[5] - 1);
        readEggRegions(view, ballsPerSet, egg, eggPath);
        ProjectState read = fresh;
        read.eBalls = view.eBalls;
        read.breedName = view.breedName;
        read.eggTray = view.eggTray;
        read.eggSlot = view.eggSlot;
        read.breedDescription = view.breedDescription;
        read.breedAttributes = view.breedAttributes;
        read.regTips = view.regTips;
        read.demoTips = view.demoTips;
        EggGrowth growth;
        growth.allowed = true;
        NoPrompts none;
        if (patchedEgg(read, baseEgg, ballsPerSet, none, eggPath, &growth) != egg)
            return false;
        fresh = std::move(read);
        return true;
    } catch (const Error&) {
        return false; // regions that do not read, or a state the writer refuses: no grown egg
    }
}

QString grownTrace(const QByteArray& egg)
{
    const NeResourceTable table = readNeResources(egg);
    if (table.kind != NeResourceTable::Kind::Table)
        return QString();
    const qint64 unit = qint64(1) << table.shift;
    const auto inAResource = [&](qint64 at) {
        return std::any_of(table.resources.begin(), table.resources.end(), [&](const auto& r) {
            return r.offset <= at && at < r.offset + r.length;
        });
    };
    // A grown copy begins with its resource's bytes before the first region, so the old copy
    // shows as the same bytes at a unit boundary that no resource holds any more.
    constexpr qint64 kProbe = 16;
    for (const NeResource& r : table.resources) {
        if (r.length < kProbe)
            continue;
        const QByteArrayView head(egg.constData() + r.offset, kProbe);
        // Zeros or filler of one byte match any padding.
        if (std::all_of(head.begin(), head.end(), [&](char c) { return c == head.front(); }))
            continue;
        for (qint64 at = 0; at + kProbe <= r.offset; at += unit)
            if (!inAResource(at) && QByteArrayView(egg.constData() + at, kProbe) == head)
                return QStringLiteral("the egg holds an earlier copy of its resource %1 at byte "
                                      "%2, outside every resource: it was grown, by Yolkwright "
                                      "or by hand; start from the game's own egg")
                    .arg(resourceLabel(r))
                    .arg(at + 1);
    }
    return QString();
}

} // namespace yw
