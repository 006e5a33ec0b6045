#include "files/eggwriter.h"

#include "files/breedresources.h"
#include "files/egggrowth.h"
#include "files/eggregions.h"
#include "files/fieldcodec.h"
#include "files/keptoriginals.h"
#include "model/gameinstall.h"
#include "model/installation.h"
#include "model/projectstate.h"
#include "platform/cp1252.h"
#include "platform/errors.h"
#include "platform/filesystem.h"
#include "platform/prompts.h"
#include "platform/savefile.h"

#include <QDir>
#include <QFileInfo>
#include <cstring>
#include <vector>

namespace yw {

namespace {

constexpr int kSeparatorBlanks = 6;
constexpr int kSeparatorsPerLine = 7;

// A ball line with `blanks` blanks after each of its seven separating commas. The numbers hold
// no comma, so the first seven commas are exactly the separators.
std::string ballLine(const EBallRecord& record, int blanks)
{
    std::string line = formatBallLine(record);
    if (blanks == kSeparatorBlanks)
        return line;
    size_t from = 0;
    for (int i = 0; i < kSeparatorsPerLine; ++i) {
        const size_t comma = line.find(',', from);
        line.erase(comma + 1, size_t(kSeparatorBlanks - blanks));
        from = comma + 1;
    }
    return line;
}

// The new lines of one set, filling exactly the base egg's lines of that set (`room` bytes), so
// no fragment of the old lines survives after them: six blanks after each separating comma, or
// the widest uniform count that fits, and what is left over as blanks before each line's final
// comma, the first lines taking one more when it does not share out evenly.
QByteArray ballSetBytes(const ProjectState& state, int first, int count, qint64 room,
                        const QString& setName)
{
    if (count <= 0)
        return QByteArray();
    std::vector<std::string> lines(static_cast<size_t>(count));
    qint64 excess = 0;
    for (int blanks = kSeparatorBlanks; blanks >= 1; --blanks) {
        qint64 size = 0;
        for (int i = 0; i < count; ++i) {
            lines[size_t(i)] = ballLine(state.ball(first + i), blanks);
            size += qint64(lines[size_t(i)].size()) + 3; // ",\r\n"
        }
        if (size > room) {
            excess = size - room;
            continue;
        }
        const qint64 spare = room - size;
        QByteArray bytes;
        bytes.reserve(qsizetype(room));
        for (int i = 0; i < count; ++i) {
            const std::string& line = lines[size_t(i)];
            bytes.append(line.data(), qsizetype(line.size()));
            bytes.append(qsizetype(spare / count + (i < spare % count ? 1 : 0)), ' ');
            bytes.append(",\r\n");
        }
        return bytes;
    }
    throw DoesNotFit(QStringLiteral("text of %1").arg(setName), excess);
}

QByteArray straightQuotes(std::string text)
{
    text = fromStoredQuotes(std::move(text));
    return QByteArray(text.data(), qsizetype(text.size()));
}

// Entries string0= to string<tipCount-1>=, registered and demo tips alternating.
QByteArray tipsBlock(const ProjectState& state)
{
    const int pairs = state.tipPairs(QString());
    QByteArray block;
    for (int j = 0; j < state.tipCount; ++j) {
        if (j > 0)
            block.append("\r\n");
        block.append("string").append(QByteArray::number(j)).append('=');
        if (j / 2 < pairs) {
            const std::string& tip =
                j % 2 == 0 ? state.regTips[size_t(j / 2)] : state.demoTips[size_t(j / 2)];
            block.append(tip.data(), qsizetype(tip.size()));
        }
    }
    return block;
}

bool holdsAny(const std::string& text, const char* characters)
{
    return text.find_first_of(characters) != std::string::npos;
}

// The wizard's reader, and the game, find the ball lines, the tray and the slot by their line
// breaks and blanks: a value holding one would change the egg's structure instead of
// filling its region.
void requireEggShape(const ProjectState& state, int ballsPerSet)
{
    const QString lineBreak = QStringLiteral("holds a line break, which would %1 in the egg; "
                                             "take it out.");
    if (holdsAny(state.breedName, "\r\n"))
        throw BadValue(QStringLiteral("breed name"),
                       lineBreak.arg(QStringLiteral("move the tray and slot")));
    for (const auto& [text, name] : {std::pair{&state.eggTray, "tray"}, {&state.eggSlot, "slot"}})
        if (holdsAny(*text, " \r\n"))
            throw BadValue(QLatin1String(name),
                           QStringLiteral("holds a blank or a line break, which would move the "
                                          "slot in the egg; take it out."));
    // A lone CR is kept (a base egg's last tip may end in one); only CR LF starts a new line.
    for (int t = 0; t < state.tipPairs(QString()); ++t)
        for (const auto& [tip, kind] : {std::pair{&state.regTips[size_t(t)], "registered"},
                                        {&state.demoTips[size_t(t)], "demo"}})
            if (tip->find("\r\n") != std::string::npos)
                throw BadValue(QStringLiteral("%1 tip %2").arg(QLatin1String(kind)).arg(t + 1),
                               lineBreak.arg(QStringLiteral("add a line to the tips")));
    for (int i = 0; i < 2 * ballsPerSet; ++i) {
        const std::string& comment = state.ball(i).comment;
        const QString field = QStringLiteral("comment of eBall %1").arg(i);
        // The game reads any smaller diameter as -255, so a second egg would differ from this one.
        if (state.ball(i).diameter < -255)
            throw BadValue(QStringLiteral("diameter of eBall %1").arg(i),
                           QStringLiteral("is %1, below -255, which the game reads as -255; "
                                          "make it -255 or more.")
                               .arg(state.ball(i).diameter));
        if (holdsAny(comment, "\r\n"))
            throw BadValue(field, lineBreak.arg(QStringLiteral("add a ball line")));
        // The reader finds the comment after the texture by the blanks between them.
        if (comment.substr(0, comment.find(',')).find_first_not_of(' ') == std::string::npos)
            throw BadValue(field, QStringLiteral("is empty or only blanks (before any comma), so "
                                                 "its ball line could not be read back from the "
                                                 "egg; give it a word."));
    }
}

// The field a refusal names for a region too long for its room.
QString refusedField(const QString& what)
{
    if (what.startsWith(QLatin1String("ball set")))
        return QStringLiteral("text of ") + what;
    if (what == QLatin1String("the attributes"))
        return QStringLiteral("attributes text");
    if (what == QLatin1String("the name block"))
        return QStringLiteral("name block (breed name, tray and slot)");
    return what.mid(4); // "description", "tips"
}

// A text at `position`, then zeros to the end of its room (`clear` bytes after it); grown, the
// text and one zero, so readers still find its end. An empty text leaves a zero at `position`
// too: the base egg's first byte there would read back as the text.
EggPatch textPatch(qint64 position, qint64 clear, QByteArray text, const QString& what)
{
    text.append(qsizetype(std::max<qint64>(clear + 1 - text.size(), 1)), '\0');
    return {position, std::move(text), what, clear + 1, RegionKind::Text};
}

// The lines filling the base egg's room exactly, or, when they do not fit and may grow, at six
// blanks after each comma.
EggPatch ballSetPatch(const ProjectState& state, const BallSetSpan& span, int first, int count,
                      bool grow, const QString& what)
{
    EggPatch patch{span.start, QByteArray(), what, span.end - span.start, RegionKind::BallSet};
    try {
        patch.bytes = ballSetBytes(state, first, count, patch.room, what);
    } catch (const DoesNotFit&) {
        if (!grow)
            throw;
        for (int i = 0; i < count; ++i)
            patch.bytes.append(QByteArray::fromStdString(formatBallLine(state.ball(first + i))))
                .append(",\r\n");
    }
    return patch;
}

// T + 2 bytes: the block, a line end and zeros; a block of T bytes or more takes T + 1, cut to T
// unless it may grow, when it keeps a line end and a zero after it.
EggPatch tipsPatch(qint64 position, qint64 room, QByteArray tips, bool grow, const QString& what)
{
    if (tips.size() > room && grow)
        tips.append("\r\n").append('\0');
    else if (tips.size() >= room) {
        tips.truncate(qsizetype(room));
        tips.append('\0');
    } else {
        const auto zeros = qsizetype(room - tips.size());
        tips.append("\r\n").append(zeros, '\0');
    }
    return {position, std::move(tips), what, room + 2, RegionKind::Tips};
}

} // namespace

QStringList cutTips(const ProjectState& state)
{
    const qint64 room = tipsRoom(state);
    if (tipsBlock(state).size() <= room)
        return {};
    QStringList cut;
    qint64 end = 0; // of entry j in the block
    for (int j = 0; j < state.tipCount && j / 2 < state.tipPairs(QString()); ++j) {
        const std::string& tip =
            j % 2 == 0 ? state.regTips[size_t(j / 2)] : state.demoTips[size_t(j / 2)];
        const qint64 start = end + (j > 0 ? 2 : 0) + 7 + qint64(QByteArray::number(j).size());
        end = start + qint64(tip.size());
        if (end > room && !tip.empty())
            cut << QStringLiteral("%1 tip %2 is %3")
                       .arg(j % 2 == 0 ? QStringLiteral("registered") : QStringLiteral("demo"))
                       .arg(j / 2 + 1)
                       .arg(start >= room ? QStringLiteral("lost") : QStringLiteral("cut"));
    }
    return cut;
}

TipsUse tipsUse(const ProjectState& state)
{
    const int pairs = state.tipPairs(QString());
    qint64 used = 0;
    for (int j = 0; j < state.tipCount && j / 2 < pairs; ++j)
        used += qint64((j % 2 == 0 ? state.regTips : state.demoTips)[size_t(j / 2)].size());
    return {used, tipsRoom(state) - (tipsBlock(state).size() - used)};
}

QString companionPathFor(const QString& eggTarget)
{
    return eggTarget.left(eggTarget.size() - 1) + QLatin1Char('x');
}

EggPatches eggPatches(const ProjectState& state, const QByteArray& baseEgg, int ballsPerSet,
                      const QString& baseEggPath, bool grow)
{
    // Everything is checked before the first byte changes, so a refusal shows no notice.
    requireEggShape(state, ballsPerSet);
    const BallSetSpan setA = readBallSet(baseEgg, state.locSetAPos, ballsPerSet, baseEggPath,
                                         QStringLiteral("ball set A"));
    const BallSetSpan setB = readBallSet(baseEgg, state.locSetBPos, ballsPerSet, baseEggPath,
                                         QStringLiteral("ball set B"));
    // A text region spans its position and the cleared bytes after it.
    const auto requireTextRegion = [&](qint64 position, qint64 length, const QString& what) {
        requireInside(baseEgg, position, length < 0 ? length : length + 1, baseEggPath, what);
    };
    requireTextRegion(state.locDescPos, state.locDescLen, QStringLiteral("the description"));
    requireTextRegion(state.locAttrPos, state.locAttrLen, QStringLiteral("the attributes"));
    requireTextRegion(state.locNamePos, state.locNameLen, QStringLiteral("the name block"));
    const qint64 room = tipsRoom(state);
    // The tips' region is what the locator gives, whatever the tips' length: T + 2 bytes, as a
    // block shorter than T is written.
    const qint64 tipsSpan = room < 0 ? room : room + 2;
    requireInside(baseEgg, state.locTipsPos, tipsSpan, baseEggPath, QStringLiteral("the tips"));
    const std::vector<EggSpan> regions = writtenRegions(state, setA, setB);
    requireApart(regions, baseEggPath);

    QByteArray nameBlock(state.breedName.data(), qsizetype(state.breedName.size()));
    nameBlock.append("\r\n").append(state.eggTray.data(), qsizetype(state.eggTray.size()));
    nameBlock.append(' ').append(state.eggSlot.data(), qsizetype(state.eggSlot.size()));
    const QByteArray tips = tipsBlock(state);
    EggPatches result;
    result.tipsCut = tips.size() > room && !grow;
    result.patches = {ballSetPatch(state, setA, 0, ballsPerSet, grow, regions[0].what),
                      ballSetPatch(state, setB, ballsPerSet, ballsPerSet, grow, regions[1].what),
                      textPatch(state.locDescPos, state.locDescLen,
                                straightQuotes(state.breedDescription), regions[2].what),
                      textPatch(state.locAttrPos, state.locAttrLen,
                                straightQuotes(state.breedAttributes), regions[3].what),
                      tipsPatch(state.locTipsPos, room, tips, grow, regions[4].what),
                      textPatch(state.locNamePos, state.locNameLen, nameBlock, regions[5].what)};
    // At most the room, so the cleared byte after a text stays zero and a reader of the egg finds
    // the whole text within the bytes it reads.
    for (const EggPatch& patch : result.patches)
        if (!grow && patch.bytes.size() > patch.room)
            throw DoesNotFit(refusedField(patch.what), patch.bytes.size() - patch.room);
    return result;
}

namespace {

const QString kGrowOffer = QStringLiteral(
    "Grow the Egg gives it more room for this write: the part of the egg that holds it is copied "
    "to the end of the egg with the room it needs, and the egg's table points there.");

// The patches of a write that asks before it grows: for a part too long for its room, "Grow the
// Egg" or Cancel; for tips that would be cut, also "Cut the Tips", which writes them cut.
// Cancelled when the user chose Cancel.
EggPatches askedPatches(const ProjectState& state, const QByteArray& baseEgg, int ballsPerSet,
                        Prompts& prompts, const QString& baseEggPath)
{
    EggPatches written;
    try {
        written = eggPatches(state, baseEgg, ballsPerSet, baseEggPath, false);
    } catch (const DoesNotFit& e) {
        if (prompts.question(e.message() + QStringLiteral("\r\n\r\n") + kGrowOffer,
                             PromptButtons::GrowTheEgg,
                             PromptIcon::Exclamation) != PromptAnswer::Yes)
            throw Cancelled();
        return eggPatches(state, baseEgg, ballsPerSet, baseEggPath, true);
    }
    if (!written.tipsCut)
        return written;
    QStringList cut = cutTips(state);
    if (!cut.isEmpty())
        cut.front()[0] = cut.front()[0].toUpper();
    const QString text = kTipsTooLong + QStringLiteral("\r\n\r\n") +
                         cut.join(QStringLiteral(", ")) + QStringLiteral(".\r\n\r\n") + kGrowOffer +
                         QStringLiteral(" Cut the Tips writes them cut, as the base egg's room "
                                        "holds them.");
    switch (prompts.question(text, PromptButtons::GrowOrCutTips, PromptIcon::Question)) {
    case PromptAnswer::Yes:
        return eggPatches(state, baseEgg, ballsPerSet, baseEggPath, true);
    case PromptAnswer::No:
        return written;
    case PromptAnswer::Cancel:
        break;
    }
    throw Cancelled();
}

} // namespace

QByteArray patchedEgg(const ProjectState& state, const QByteArray& baseEgg, int ballsPerSet,
                      Prompts& prompts, const QString& baseEggPath, EggGrowth* growth)
{
    const bool grow = growth && growth->allowed;
    const bool asks = growth && growth->ask && !grow;
    EggPatches written = asks ? askedPatches(state, baseEgg, ballsPerSet, prompts, baseEggPath)
                              : eggPatches(state, baseEgg, ballsPerSet, baseEggPath, grow);
    // Asked, the user chose the cut having read this notice in the question.
    if (written.tipsCut && !asks)
        prompts.message(kTipsTooLong, PromptIcon::Information);
    QByteArray egg = baseEgg;
    std::vector<RegionContent> toGrow;
    for (EggPatch& patch : written.patches) {
        if (patch.bytes.size() <= patch.room)
            std::memcpy(egg.data() + patch.first - 1, patch.bytes.constData(),
                        size_t(patch.bytes.size()));
        else
            toGrow.push_back({patch.first, patch.room, std::move(patch.bytes), patch.what});
    }
    if (growth)
        growth->grown = growResources(egg, std::move(toGrow), baseEggPath);
    return egg;
}

QString saveODD(const Installation& install, const ProjectState& state, const BreedShape& shape,
                const QString& target, Prompts& prompts, const QString& projectPath,
                EggGrowth* growth)
{
    state.tipPairs(install.locatorFilePath(state.baseBreed));
    const QString basePath = install.baseEggPath(state.baseBreed);
    const QString baseCompanion = install.baseCompanionPath(state.baseBreed);
    // Anything there counts: a companion that is not a regular file is refused when read.
    const bool hasCompanion = QFileInfo::exists(baseCompanion);
    const QString companionTarget = companionPathFor(target);

    // The game finds names in any letter case, so "Rex" and "REX" both name their own companion.
    if (hasCompanion && companionTarget.compare(target, Qt::CaseInsensitive) == 0)
        throw FileError(target, QStringLiteral("The base breed has a companion file, which is "
                                               "written under the egg's name with its last "
                                               "letter replaced by \"x\": here that is the egg "
                                               "itself. Choose a name that does not end in \"x\", "
                                               "such as one ending in .odd."));
    requireSafeOutput(install, state, target, projectPath, OutputKind::Egg);
    if (hasCompanion)
        requireSafeOutput(install, state, companionTarget, projectPath, OutputKind::Egg);

    const QByteArray egg = patchedEgg(state, readWholeFile(basePath, kEggFileLimit),
                                      shape.ballsPerSet(), prompts, basePath, growth);
    // One save: an egg beside a companion of another breed (or none) is a broken breed.
    std::vector<std::pair<QString, QByteArray>> files = {{target, egg}};
    if (hasCompanion)
        files.emplace_back(companionTarget, readWholeFile(baseCompanion, kEggFileLimit));
    keepReplacedGameEgg(install, target, egg);
    saveFilesTogether(files);
    // The companion of the egg replaced would make another breed of this one; it is kept with
    // the game's egg, so removing it loses nothing.
    if (!hasCompanion && !keptOriginalFor(install, target).isEmpty()) {
        const QString stale = install.files().resolve(companionTarget);
        if (QFileInfo::exists(stale) && !QFile::remove(stale))
            throw FileError(stale, QStringLiteral("The egg is written, but this companion of the "
                                                  "egg it replaced cannot be removed."));
    }
    return target;
}

} // namespace yw
