#include "files/roundtrip.h"

#include "files/eggwriter.h"
#include "model/eballrecord.h"
#include "platform/errors.h"
#include "platform/text.h"

#include <algorithm>
#include <cstring>

namespace yw {

namespace {

std::string_view view(const QByteArray& bytes, qint64 begin = 0)
{
    return std::string_view(bytes.constData() + begin, size_t(bytes.size() - begin));
}

// The text the game shows from the start of `bytes`: up to the first zero byte.
std::string_view shownText(std::string_view bytes)
{
    return bytes.substr(0, bytes.find('\0'));
}

QString capitalised(const QString& what)
{
    return what.left(1).toUpper() + what.mid(1);
}

// The project file keeps a curly closing quote as a straight one, so that is no loss.
bool sameByte(char base, char written)
{
    return base == written || (uint8_t(base) == 148 && written == '"');
}

// `base` and `written` as the game shows them, `first` the 1-based byte where both begin.
void compareShown(std::vector<QString>& losses, const QString& what, qint64 first,
                  std::string_view base, std::string_view written)
{
    const auto differ =
        std::mismatch(base.begin(), base.end(), written.begin(), written.end(), sameByte);
    if (differ.first == base.end() && differ.second == written.end())
        return;
    const auto at = size_t(differ.first - base.begin());
    const QString where = QStringLiteral("(byte %1)").arg(first + qint64(at));
    if (differ.second == written.end())
        losses.push_back(QStringLiteral("%1 would lose %2 %3.")
                             .arg(capitalised(what), shownBytes(base.substr(at)), where));
    else if (differ.first == base.end())
        losses.push_back(QStringLiteral("%1 would show %2, which the egg does not show %3.")
                             .arg(capitalised(what), shownBytes(written.substr(at)), where));
    else
        losses.push_back(QStringLiteral("%1 would hold %2 in place of %3 %4.")
                             .arg(capitalised(what), shownBytes(written.substr(at)),
                                  shownBytes(base.substr(at)), where));
}

// The description, the attributes or the name block: the base egg's text may run past its
// region (no zero in it), and then the writer's zero after the room cuts it.
void compareText(std::vector<QString>& losses, const QByteArray& baseEgg, const EggPatch& patch)
{
    const std::string_view base = shownText(view(baseEgg, patch.first - 1));
    compareShown(losses, patch.what, patch.first, base, shownText(view(patch.bytes)));
    // A sound room ends in the text's zero. One that ends in other bytes runs into whatever
    // follows it, and the writer's zeros would wipe that.
    const std::string_view room =
        view(baseEgg, patch.first - 1).substr(0, size_t(patch.bytes.size()));
    if (base.size() >= room.size() || room.back() == '\0')
        return;
    const size_t after = room.find_last_of('\0') + 1;
    losses.push_back(QStringLiteral("%1 would wipe %2 at the end of its room (byte %3).")
                         .arg(capitalised(patch.what), shownBytes(room.substr(after)))
                         .arg(patch.first + qint64(after)));
}

std::string_view withoutLineEnd(std::string_view text)
{
    return text.ends_with("\r\n") ? text.substr(0, text.size() - 2) : text;
}

void compareTips(std::vector<QString>& losses, const QByteArray& baseEgg, const EggPatch& patch)
{
    const std::string_view base = shownText(view(baseEgg, patch.first - 1));
    const std::string_view written = shownText(view(patch.bytes));
    compareShown(losses, patch.what, patch.first, withoutLineEnd(base), withoutLineEnd(written));
    // The writer clears the whole room: whatever stands after the zero there is wiped.
    const std::string_view room =
        view(baseEgg, patch.first - 1).substr(0, size_t(patch.bytes.size()));
    if (base.size() >= room.size())
        return;
    const size_t left = room.find_first_not_of('\0', base.size());
    if (left != std::string_view::npos)
        losses.push_back(QStringLiteral("The tips would lose %1 after their last entry (byte %2).")
                             .arg(shownBytes(room.substr(left)))
                             .arg(patch.first + qint64(left)));
}

// What the reader does not read after a ball line's comment may be blanks and the final comma.
bool onlyBlanksAndComma(std::string_view tail)
{
    bool comma = false;
    for (const char c : tail) {
        if (c == ',' && !comma)
            comma = true;
        else if (c != ' ' && c != '\t' && c != '\r')
            return false;
    }
    return true;
}

std::string_view nextLine(std::string_view& lines)
{
    const size_t feed = lines.find('\n');
    const std::string_view line = lines.substr(0, feed);
    lines = feed == std::string_view::npos ? std::string_view() : lines.substr(feed + 1);
    return line;
}

// The set's lines in the base egg and as written fill the same room (the writer makes them so).
void compareBallSet(std::vector<QString>& losses, const QByteArray& baseEgg, const EggPatch& patch,
                    int count)
{
    std::string_view base = view(baseEgg, patch.first - 1).substr(0, size_t(patch.bytes.size()));
    std::string_view written = view(patch.bytes);
    for (int k = 1; k <= count; ++k) {
        const std::string_view baseLine = nextLine(base);
        const std::string_view writtenLine = nextLine(written);
        const BallLineReading before = readBallLine(baseLine);
        const BallLineReading after = readBallLine(writtenLine);
        const QString line = QStringLiteral("Ball line %1 of %2").arg(k).arg(patch.what);
        if (after.fault != BallLineFault::None || before.record != after.record)
            losses.push_back(
                QStringLiteral("%1 would read %2 in place of %3.")
                    .arg(line, shownBytes(writtenLine, 120), shownBytes(baseLine, 120)));
        else if (!onlyBlanksAndComma(baseLine.substr(before.commentEnd)))
            losses.push_back(QStringLiteral("%1 would lose %2 after its comment.")
                                 .arg(line, shownBytes(baseLine.substr(before.commentEnd))));
    }
}

} // namespace

std::vector<QString> roundTripLosses(const QByteArray& baseEgg, int ballsPerSet,
                                     const ProjectState& state, const QString& eggPath)
{
    EggPatches written;
    try {
        written = eggPatches(state, baseEgg, ballsPerSet, eggPath);
    } catch (const Error& error) {
        return {QStringLiteral("The breed cannot be written back: %1").arg(error.message())};
    }
    std::vector<QString> losses;
    for (const EggPatch& patch : written.patches) {
        switch (patch.kind) {
        case RegionKind::BallSet:
            compareBallSet(losses, baseEgg, patch, ballsPerSet);
            break;
        case RegionKind::Tips:
            compareTips(losses, baseEgg, patch);
            break;
        case RegionKind::Text:
            compareText(losses, baseEgg, patch);
            break;
        }
    }
    return losses;
}

} // namespace yw
