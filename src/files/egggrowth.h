#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

// Giving a region of an egg more room than the base egg has: the resource holding it is copied,
// with the region's new content, to the end of the file, and its record in the resource table
// points there. Windows finds resources only through that table, so nothing else has to move.
namespace yw {

// A region of the egg, 1-based [first, first + room), that is to hold `content` instead.
struct RegionContent
{
    qint64 first = 0;
    qint64 room = 0;
    QByteArray content;
    QString what; // "the description", for messages
};

// A resource that was moved to the end of the egg with more room.
struct GrownResource
{
    QString resource; // as the table names it: "LNZ hk.lnz", "#10 BREED"
    qint64 oldLength = 0;
    qint64 newLength = 0; // both in bytes, whole units of the table's shift
};

// Asked of the egg writer: whether a region too long for its room may grow, or whether to ask
// the user (the editor's offer: "Grow the Egg", for tips also "Cut the Tips", or Cancel); it
// tells back what grew.
struct EggGrowth
{
    bool allowed = false;
    bool ask = false; // when not allowed
    std::vector<GrownResource> grown;
};

// How long the editor lets a text grow when growing is on, in characters.
inline constexpr int kGrownTextCap = 4096;

// Writes each of `regions` into a copy of the resource of `egg`'s table that holds it, the
// resource's bytes before the region, the content, then its bytes after the region's room. A
// resource holding several regions is copied once, with all of them. The copies go to the end
// of the file, each at a multiple of the table's unit (zeros before it and after it up to the
// next), and only the moved resources' offsets and lengths in the table change. Throws
// CannotGrow naming `eggPath` and the reason: a region in no resource or across two, an egg
// without a (sound) table, a file whose offsets or lengths would outgrow 16 bits at the
// table's shift, or an egg over the egg file limit.
std::vector<GrownResource> growResources(QByteArray& egg, std::vector<RegionContent> regions,
                                         const QString& eggPath);

// One line per grown resource, "LNZ hk.lnz: 1024 -> 1088 bytes (+64)".
QString describeGrowth(const std::vector<GrownResource>& grown);

// Where regions of `base` (1-based [first, first + room), apart) lie in `egg`, when `egg` holds
// the same resources, found by type and name, some of them perhaps grown: the 1-based first
// byte of each in `egg`, in the order given. `lengthInEgg(index, first)` says how long region
// `index` is in `egg` when it starts at `first` there, or -1 when it does not read. Empty when
// the tables do not correspond or a region does not read. The caller still compares the bytes.
std::optional<std::vector<qint64>>
grownRegionPlaces(const QByteArray& base, const QByteArray& egg,
                  const std::vector<RegionContent>& regions,
                  const std::function<qint64(size_t index, qint64 first)>& lengthInEgg);

struct ProjectState;

// Reads `egg`, a grown egg of `fresh`'s base breed (`baseEgg`, its locator values in `fresh`),
// into `fresh`, each region where the egg now holds it. True only when writing `fresh` back over
// `baseEgg`, growing, gives `egg` byte for byte: then nothing of the egg is lost or guessed.
bool readGrownEgg(ProjectState& fresh, int ballsPerSet, const QByteArray& baseEgg,
                  const QByteArray& egg, const QString& eggPath);

// Says how `egg` shows that it was grown (an earlier copy of a resource outside every resource),
// or is empty. Readers that measure an egg's rooms must not start from a grown one.
QString grownTrace(const QByteArray& egg);

} // namespace yw
