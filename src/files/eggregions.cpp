#include "files/eggregions.h"

#include "model/projectstate.h"
#include "platform/errors.h"

#include <algorithm>

namespace yw {

namespace {

const QString kEditionHint = QStringLiteral(
    " (the breed information may belong to the other edition of Oddballz: check the edition in "
    "the Options window)");

} // namespace

BallSetSpan readBallSet(const QByteArray& egg, qint64 locSetPos, int count, const QString& eggPath,
                        const QString& setName)
{
    BallSetSpan span;
    span.start = locSetPos - 1;
    span.records.reserve(size_t(std::max(count, 0)));
    qint64 position = span.start;
    for (int i = 0; i < count; ++i) {
        try {
            ParsedBallLine line = parseBallLine(egg, position, eggPath);
            span.records.push_back(std::move(line.record));
            position = line.nextPosition;
        } catch (const FormatError& error) {
            throw FormatError(eggPath, error.where(),
                              QStringLiteral("ball line %1 of %2: %3%4")
                                  .arg(i + 1)
                                  .arg(setName, error.expected(), kEditionHint));
        }
    }
    span.end = position;
    return span;
}

void requireInside(const QByteArray& egg, qint64 first, qint64 length, const QString& eggPath,
                   const QString& what)
{
    if (first < 1 || length < 0 || first - 1 + length > egg.size())
        throw FormatError(eggPath, QStringLiteral("byte %1").arg(first),
                          QStringLiteral("%1 (%2 bytes) inside the egg of %3 bytes%4")
                              .arg(what)
                              .arg(length)
                              .arg(egg.size())
                              .arg(kEditionHint));
}

void requireApart(std::vector<EggSpan> spans, const QString& eggPath)
{
    std::sort(spans.begin(), spans.end(),
              [](const EggSpan& a, const EggSpan& b) { return a.first < b.first; });
    for (size_t i = 1; i < spans.size(); ++i) {
        const EggSpan& before = spans[i - 1];
        const EggSpan& after = spans[i];
        if (after.first < before.end)
            throw FormatError(eggPath, QStringLiteral("byte %1").arg(after.first),
                              QStringLiteral("%1 to begin after %2, which ends at byte %3%4")
                                  .arg(after.what, before.what)
                                  .arg(before.end - 1)
                                  .arg(kEditionHint));
    }
}

qint64 tipsRoom(const ProjectState& state)
{
    return 10 * qint64(state.tipCount) + qint64(state.locTipsLen);
}

std::vector<EggSpan> writtenRegions(const ProjectState& state, const BallSetSpan& setA,
                                    const BallSetSpan& setB)
{
    const qint64 room = tipsRoom(state);
    const auto text = [](qint64 position, qint64 length, const char* what) {
        return EggSpan{position, position + length + 1, QLatin1String(what)};
    };
    return {{setA.start, setA.end, QStringLiteral("ball set A")},
            {setB.start, setB.end, QStringLiteral("ball set B")},
            text(state.locDescPos, state.locDescLen, "the description"),
            text(state.locAttrPos, state.locAttrLen, "the attributes"),
            {state.locTipsPos, state.locTipsPos + (room < 0 ? room : room + 2),
             QStringLiteral("the tips")},
            text(state.locNamePos, state.locNameLen, "the name block")};
}

} // namespace yw
