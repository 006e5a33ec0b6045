// Growing resources of an egg, on eggs built here: random letters everywhere (no zero byte), a
// minimal NE header at 0x40 and one type of raw-data resources with integer IDs.
#include "files/egggrowth.h"
#include "files/neresources.h"
#include "platform/errors.h"
#include "platform/savefile.h"
#include "support/testsupport.h"

namespace yw {

namespace {

struct Res
{
    qint64 offset, length; // bytes
};

void put16(QByteArray& egg, qint64 at, qint64 value)
{
    egg[at] = char(value & 0xff);
    egg[at + 1] = char(value >> 8 & 0xff);
}

QByteArray neEgg(qint64 size, int shift, const std::vector<Res>& resources)
{
    QByteArray egg(size, '\0');
    uint32_t x = 1; // letters with no period a copy could be mistaken for
    for (qint64 i = 0; i < size; ++i, x = x * 1103515245 + 12345)
        egg[i] = char('a' + (x >> 16) % 26);
    egg[0] = 'M', egg[1] = 'Z', egg[0x40] = 'N', egg[0x41] = 'E';
    put16(egg, 0x3c, 0x40), put16(egg, 0x3e, 0);
    put16(egg, 0x40 + 0x24, 0x40);  // the table, at 0x80
    put16(egg, 0x40 + 0x26, 0x200); // the resident names: elsewhere
    put16(egg, 0x80, shift);
    put16(egg, 0x82, 0x800a);
    put16(egg, 0x84, qint64(resources.size()));
    qint64 at = 0x8a;
    for (size_t i = 0; i < resources.size(); ++i, at += 12) {
        put16(egg, at, resources[i].offset >> shift);
        put16(egg, at + 2, resources[i].length >> shift);
        put16(egg, at + 6, 0x8001 + qint64(i));
    }
    put16(egg, at, 0);
    return egg;
}

RegionContent region(qint64 first, qint64 room, qsizetype size, char fill)
{
    return {first, room, QByteArray(size, fill), QStringLiteral("the region at %1").arg(first)};
}

} // namespace

// Two regions of one resource grow together, one of another alone; the third resource, the
// header and every byte of the old copies stay; the copies start at whole units of the shift and
// are padded with zeros to whole units.
TEST(EggGrowth, MovesEachResourceOnceWithAllItsRegions)
{
    const std::vector<Res> table = {{0x100, 0x100}, {0x200, 0x80}, {0x300, 0x100}};
    const QByteArray base = neEgg(0x405, 4, table);
    QByteArray egg = base;
    const std::vector<RegionContent> regions = {
        region(0x341, 10, 30, 'Z'), region(0x111, 8, 20, 'X'), region(0x321, 4, 40, 'Y')};
    const std::vector<GrownResource> grown = growResources(egg, regions, QStringLiteral("e.odd"));

    QByteArray first = base.mid(0x100, 0x10) + QByteArray(20, 'X') + base.mid(0x118, 0xe8);
    first += QByteArray(0x110 - first.size(), '\0');
    QByteArray third = base.mid(0x300, 0x20) + QByteArray(40, 'Y') + base.mid(0x324, 0x1c) +
                       QByteArray(30, 'Z') + base.mid(0x34a, 0xb6);
    third += QByteArray(0x140 - third.size(), '\0');
    QByteArray expected = base + QByteArray(11, '\0') + first + third;
    put16(expected, 0x8a, 0x410 >> 4), put16(expected, 0x8c, 0x110 >> 4);
    put16(expected, 0xa2, 0x520 >> 4), put16(expected, 0xa4, 0x140 >> 4);
    EXPECT_TRUE(egg == expected);

    ASSERT_EQ(grown.size(), 2u);
    EXPECT_EQ(grown[0].resource, QStringLiteral("#10 #1"));
    EXPECT_EQ(grown[1].resource, QStringLiteral("#10 #3"));
    EXPECT_EQ(describeGrowth(grown),
              QStringLiteral("#10 #1: 256 -> 272 bytes (+16)\n#10 #3: 256 -> 320 bytes (+64)"));
    const NeResourceTable read = readNeResources(egg);
    ASSERT_EQ(read.kind, NeResourceTable::Kind::Table) << read.problem.toStdString();
    EXPECT_EQ(read.resources[1].offset, 0x200);

    // Where the regions now lie, measured by the content each holds there.
    const auto places = grownRegionPlaces(base, egg, regions, [&](size_t index, qint64) {
        return qint64(regions[index].content.size());
    });
    ASSERT_TRUE(places);
    EXPECT_EQ(*places, (std::vector<qint64>{0x521 + 0x40 + 36, 0x411 + 0x10, 0x521 + 0x20}));
    EXPECT_FALSE(grownRegionPlaces(base, neEgg(0x405, 4, {{0x100, 0x100}}), regions,
                                   [](size_t, qint64) { return qint64(1); }));
    EXPECT_TRUE(grownTrace(base).isEmpty());
    EXPECT_TRUE(grownTrace(egg).contains(QStringLiteral("copy of its resource #10 #1 at byte 257")))
        << grownTrace(egg).toStdString();
}

struct GrowthRefusalRow
{
    const char* name;
    std::function<QByteArray()> egg;
    RegionContent region;
    const char* reason;

    friend void PrintTo(const GrowthRefusalRow& row, std::ostream* out) { *out << row.name; }
};

class GrowthRefusal : public ::testing::TestWithParam<GrowthRefusalRow>
{};

TEST_P(GrowthRefusal, NamesTheEggAndTheReason)
{
    QByteArray egg = GetParam().egg();
    try {
        growResources(egg, {GetParam().region}, QStringLiteral("e.odd"));
        ADD_FAILURE() << "grew";
    } catch (const CannotGrow& e) {
        EXPECT_TRUE(e.message().startsWith(QStringLiteral("e.odd: ") + GetParam().region.what));
        EXPECT_TRUE(e.reason().contains(QLatin1String(GetParam().reason)))
            << e.message().toStdString();
    }
}

const std::vector<Res> kTable = {{0x100, 0x100}, {0x200, 0x80}};
INSTANTIATE_TEST_SUITE_P(
    Rows, GrowthRefusal,
    ::testing::Values(
        GrowthRefusalRow{"InNoResource", [] { return neEgg(0x300, 4, kTable); },
                         region(0x281, 4, 9, 'x'), "bytes 641 to 644 lie in no resource"},
        GrowthRefusalRow{"AcrossTwo", [] { return neEgg(0x300, 4, kTable); },
                         region(0x1f1, 32, 40, 'x'),
                         "across more than one resource (#10 #1, #10 #2)"},
        GrowthRefusalRow{"PastTheEndOfOne", [] { return neEgg(0x300, 4, kTable); },
                         region(0x271, 32, 40, 'x'), "(#10 #2) or past the end"},
        GrowthRefusalRow{"NoTable", [] { return QByteArray(0x300, 'q'); }, region(0x101, 4, 9, 'x'),
                         "no resource table"},
        GrowthRefusalRow{"DamagedTable", [] { return neEgg(0x300, 16, kTable); },
                         region(0x101, 4, 9, 'x'),
                         "damaged (the resource table's shift count is 16"},
        GrowthRefusalRow{"PastSixteenBits", [] { return neEgg(0x100000, 4, kTable); },
                         region(0x101, 4, 9, 'x'),
                         "start at byte 1048577 and be 272 bytes long, but "
                         "the table counts at most 65535 units of 16 bytes"},
        GrowthRefusalRow{"OverTheEggLimit",
                         [] {
                             return neEgg(kEggFileLimit - 0x7fff, 15, {{0x8000, 0x8000}});
                         },
                         region(0x8001, 4, 9, 'x'),
                         "grow to 67174400 bytes, past the limit of 67108864"}),
    test::RowName());

} // namespace yw
