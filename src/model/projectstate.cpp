#include "model/projectstate.h"

#include "platform/errors.h"

namespace yw {

int ProjectState::tipPairs(const QString& sourceFile) const
{
    const int pairs = tipCount > 0 ? tipCount / 2 : 0;
    if (pairs > kMaxTipPairs)
        throw FormatError(
            sourceFile, QStringLiteral("line 8"),
            QStringLiteral("a tip count of at most 7 (three pairs), not %1").arg(tipCount));
    return pairs;
}

void ProjectState::commitProject(const ProjectState& fresh, int usedRecords)
{
    std::array<EBallRecord, kEBallCount> kept = eBalls;
    *this = fresh;
    for (int i = std::max(usedRecords, 0); i < kEBallCount; ++i)
        eBalls[size_t(i)] = kept[size_t(i)];
}

EBallRecord& ProjectState::ball(int index)
{
    if (index < 0 || index >= kEBallCount)
        throw Error(QStringLiteral("eBall index %1 is outside 0 to 511.").arg(index));
    return eBalls[size_t(index)];
}

const EBallRecord& ProjectState::ball(int index) const
{
    return const_cast<ProjectState*>(this)->ball(index);
}

QString joinPath(const QString& folder, const QString& rest)
{
    QString joined = folder + QLatin1Char('/') + rest;
    joined.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (joined.contains(QStringLiteral("//")))
        joined.replace(QStringLiteral("//"), QStringLiteral("/"));
    return joined;
}

} // namespace yw
