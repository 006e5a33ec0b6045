#include "model/eballtools.h"

#include "platform/cp1252.h"

#include <QRegularExpression>
#include <stdexcept>

namespace yw {

namespace {

void checkTable(size_t tableSize, int ballsPerSet)
{
    if (ballsPerSet < 1 || size_t(ballsPerSet) * 2 > tableSize)
        throw std::invalid_argument("eBalls per set out of range: " + std::to_string(ballsPerSet));
}

// The colour fields of a record that a mask selects, in one place for counting and changing.
template <typename Record, typename Visit>
void forEachColour(Record& record, EBallFields fields, Visit visit)
{
    for (const EBallFieldRow& row : kEBallFields)
        if ((kColourFields & row.field) && (fields & row.field))
            visit(record.*row.member);
}

// Calls `visit(record)` for every record of the chosen sets.
template <typename Table, typename Visit>
void forEachInSets(Table& eBalls, int ballsPerSet, BallSets sets, Visit visit)
{
    for (BallSet set : {BallSet::A, BallSet::B}) {
        if (!(sets & set))
            continue;
        for (int p = 0; p < ballsPerSet; ++p)
            visit(eBalls[size_t(recordIndex(set, p, ballsPerSet))]);
    }
}

void checkReplacement(size_t tableSize, int ballsPerSet, const ColourReplacement& replacement)
{
    checkTable(tableSize, ballsPerSet);
    if (replacement.fields & ~kColourFields)
        throw std::invalid_argument("Replace Colour changes only fill, border and sprecks");
}

} // namespace

int recordIndex(BallSet set, int position, int ballsPerSet)
{
    if (position < 0 || position >= ballsPerSet)
        throw std::out_of_range("eBall position " + std::to_string(position) +
                                " outside a set of " + std::to_string(ballsPerSet));
    return set == BallSet::B ? ballsPerSet + position : position;
}

int countColourReplacements(std::span<const EBallRecord> eBalls, int ballsPerSet,
                            const ColourReplacement& replacement)
{
    checkReplacement(eBalls.size(), ballsPerSet, replacement);
    if (replacement.from == replacement.to)
        return 0;
    int count = 0;
    forEachInSets(eBalls, ballsPerSet, replacement.sets, [&](const EBallRecord& record) {
        bool matches = false;
        forEachColour(record, replacement.fields,
                      [&](int16_t colour) { matches = matches || colour == replacement.from; });
        count += matches ? 1 : 0;
    });
    return count;
}

int replaceColour(std::span<EBallRecord> eBalls, int ballsPerSet,
                  const ColourReplacement& replacement)
{
    checkReplacement(eBalls.size(), ballsPerSet, replacement);
    if (replacement.from == replacement.to)
        return 0;
    int count = 0;
    forEachInSets(eBalls, ballsPerSet, replacement.sets, [&](EBallRecord& record) {
        bool changed = false;
        forEachColour(record, replacement.fields, [&](int16_t& colour) {
            if (colour == replacement.from) {
                colour = replacement.to;
                changed = true;
            }
        });
        count += changed ? 1 : 0;
    });
    return count;
}

int applyToOthers(std::span<EBallRecord> eBalls, int ballsPerSet, BallSet set, int source,
                  const std::vector<int>& targets, EBallFields fields)
{
    checkTable(eBalls.size(), ballsPerSet);
    const EBallRecord from = eBalls[size_t(recordIndex(set, source, ballsPerSet))];
    // All positions are checked before the first change, so a bad list changes nothing.
    std::vector<size_t> records;
    records.reserve(targets.size());
    for (int target : targets)
        records.push_back(size_t(recordIndex(set, target, ballsPerSet)));

    int changed = 0;
    for (size_t index : records) {
        EBallRecord& to = eBalls[index];
        const EBallRecord before = to;
        for (const EBallFieldRow& row : kEBallFields)
            if (fields & row.field)
                to.*row.member = from.*row.member;
        changed += to == before ? 0 : 1;
    }
    return changed;
}

std::vector<int> labelsContaining(const std::vector<std::string>& labels, const QString& word)
{
    std::vector<int> positions;
    const QString wanted = word.trimmed();
    if (wanted.isEmpty())
        return positions;
    // Whole words only: "Ear" is in "Left Ear" but not in "Left Forearm".
    const QRegularExpression whole(
        QStringLiteral("(?<!\\w)%1(?!\\w)").arg(QRegularExpression::escape(wanted)),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::UseUnicodePropertiesOption);
    for (size_t i = 0; i < labels.size(); ++i) {
        if (whole.match(cp1252::toUnicode(labels[i])).hasMatch())
            positions.push_back(int(i));
    }
    return positions;
}

} // namespace yw
