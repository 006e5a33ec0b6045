#include "files/surveyreport.h"

#include "files/neresources.h"
#include "platform/cp1252.h"
#include "platform/text.h"

#include <QRegularExpression>
#include <algorithm>

namespace yw {

namespace {

QString firstWords(const std::string& bytes, int most = 60)
{
    // Line ends and tabs are spacing here; any other control byte is written out.
    std::string spaced = bytes;
    std::replace_if(
        spaced.begin(), spaced.end(), [](char c) { return c == '\r' || c == '\n' || c == '\t'; },
        ' ');
    const QString shown = writtenOut(spaced).simplified();
    return QLatin1Char('"') +
           (shown.size() > most ? shown.left(most - 3) + QStringLiteral("...") : shown) +
           QLatin1Char('"');
}

QString regionName(SurveyRegion region)
{
    switch (region) {
    case SurveyRegion::ResourceTable:
        return QStringLiteral("resource table");
    case SurveyRegion::BallSets:
        return QStringLiteral("ball sets");
    case SurveyRegion::Tips:
        return QStringLiteral("tips");
    case SurveyRegion::NameBlock:
        return QStringLiteral("name block");
    case SurveyRegion::Description:
        return QStringLiteral("description");
    case SurveyRegion::Attributes:
        return QStringLiteral("attributes");
    case SurveyRegion::Check:
        break;
    }
    return QStringLiteral("round trip");
}

// Z zero, C control, E line end, D digit, L letter, O anything else; '-' past the file's edge.
char byteClass(const QByteArray& egg, qint64 at)
{
    if (at < 0 || at >= egg.size())
        return '-';
    const auto c = uint8_t(egg[at]);
    if (c == 0)
        return 'Z';
    if (c == '\r' || c == '\n')
        return 'E';
    if (c < 0x20 || c == 0x7f)
        return 'C';
    if (c >= '0' && c <= '9')
        return 'D';
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c >= 0xc0)
        return 'L';
    return 'O';
}

QString classes(const QByteArray& egg, qint64 from, qint64 count)
{
    QString text;
    for (qint64 i = 0; i < count; ++i)
        text += QLatin1Char(byteClass(egg, from + i));
    return text;
}

// A resource name from the egg's table, on one line of the report whatever its bytes: a damaged
// table can point a name anywhere in the egg.
QString reportName(const std::string& name)
{
    constexpr size_t kShownNameBytes = 32;
    return writtenOut(std::string_view(name).substr(0, kShownNameBytes)) +
           (name.size() > kShownNameBytes ? QStringLiteral("...") : QString());
}

} // namespace

QStringList surveyFindingsLines(const SurveyFindings& findings)
{
    const ProjectState& read = findings.read;
    const LocatorValues& l = findings.locator;
    const int n = findings.header.ballsPerSet;
    QStringList labels;
    for (size_t k = 0; k < findings.labels.size() && k < 4; ++k)
        labels.append(writtenOut(findings.labels[k]));
    if (findings.labels.size() > 4)
        labels.append(QStringLiteral("..."));
    const auto room = [](qint64 position, qint64 length) {
        return QStringLiteral("(at byte %1, room for %2 characters)").arg(position).arg(length);
    };

    // The sums tell the player which set is the smaller form, the baby.
    const size_t baby = findings.baby == BabySet::A ? 0 : 1;
    QStringList lines;
    lines.append(QStringLiteral("Baby ball set %1: %2 eBalls from byte %3, diameters adding up to "
                                "%4 (%5)")
                     .arg(writtenOut(findings.header.lnzNameA))
                     .arg(n)
                     .arg(l.locSetAPos - 1)
                     .arg(findings.sets[baby].diameters)
                     .arg(labels.join(QStringLiteral(", "))));
    lines.append(QStringLiteral("Adult ball set %1: %2 eBalls from byte %3, diameters adding up "
                                "to %4")
                     .arg(writtenOut(findings.header.lnzNameB))
                     .arg(n)
                     .arg(l.locSetBPos - 1)
                     .arg(findings.sets[1 - baby].diameters));
    // The name shares its block with a line end, the tray, a blank and the slot: its room is
    // what is left of the block for it.
    const qint64 nameRoom =
        qint64(l.locNameLen) - 3 - qint64(read.eggTray.size()) - qint64(read.eggSlot.size());
    lines.append(QStringLiteral("Name: %1, tray %2, slot %3 %4")
                     .arg(writtenOut(read.breedName), writtenOut(read.eggTray),
                          writtenOut(read.eggSlot), room(l.locNamePos, nameRoom)));
    lines.append(QStringLiteral("Description: %1 %2")
                     .arg(firstWords(read.breedDescription), room(l.locDescPos, l.locDescLen)));
    lines.append(QStringLiteral("Attributes: %1 %2")
                     .arg(firstWords(read.breedAttributes), room(l.locAttrPos, l.locAttrLen)));
    lines.append(
        QStringLiteral("Tips: %1 pairs (%2 entries, at byte %3, room for %4 characters): %5")
            .arg(std::min(l.tipCount / 2, kMaxTipPairs))
            .arg(l.tipCount)
            .arg(l.locTipsPos)
            .arg(l.locTipsLen)
            .arg(firstWords(read.regTips[0])));
    lines += findings.notes;
    if (findings.textsOpen)
        lines.append(QStringLiteral("Which text is the description the egg does not tell: the "
                                    "longer was offered first. Check it, and swap if it is "
                                    "wrong."));
    if (findings.babyOpen)
        lines.append(QStringLiteral("Which set is the baby the egg does not tell (their "
                                    "diameters add up alike): set A was offered first. Check it, "
                                    "and swap if it is wrong."));
    return lines;
}

QStringList surveyTextLines(const std::vector<TextCandidate>& texts, qint64 total)
{
    QStringList lines;
    for (const TextCandidate& text : texts)
        lines.append(QStringLiteral("byte %1 %2").arg(text.position).arg(firstWords(text.text)));
    if (total > qint64(texts.size()))
        lines.append(QStringLiteral("and %1 more").arg(total - qint64(texts.size())));
    return lines;
}

QStringList surveySetLines(const SurveyFindings& findings)
{
    QStringList lines;
    const char* names[] = {"A", "B"};
    for (size_t s = 0; s < 2; ++s) {
        const BallSetCandidate& set = findings.sets[s];
        lines.append(QStringLiteral("%1: %2 eBalls from byte %3, diameters adding up to %4, "
                                    "first %5")
                         .arg(QLatin1String(names[s]))
                         .arg(set.count)
                         .arg(set.position)
                         .arg(set.diameters)
                         .arg(firstWords(set.firstComment)));
    }
    return lines;
}

QByteArray surveyLayoutReport(const QByteArray& egg, const std::string& stem,
                              const SurveyResult& result)
{
    QStringList lines;
    lines.append(QStringLiteral("Yolkwright survey layout report (no texts or pictures of the "
                                "egg are in it)"));
    lines.append(QStringLiteral("Breed: %1").arg(cp1252::toUnicode(stem)));
    lines.append(QStringLiteral("Egg size: %1 bytes").arg(egg.size()));
    const NeResourceTable table = readNeResources(egg);
    switch (table.kind) {
    case NeResourceTable::Kind::None:
        lines.append(QStringLiteral("Resource table: none (the whole file is searched)"));
        break;
    case NeResourceTable::Kind::Damaged:
        lines.append(QStringLiteral("Resource table: damaged: %1").arg(table.problem));
        break;
    case NeResourceTable::Kind::Table:
        lines.append(QStringLiteral("Resource table: %1 resources").arg(table.resources.size()));
        for (const NeResource& r : table.resources)
            lines.append(
                QStringLiteral("  type %1, %2, offset %3, length %4")
                    .arg(r.typeName.empty() ? QString::number(r.type) : reportName(r.typeName))
                    .arg(r.name.empty() ? QStringLiteral("id %1").arg(r.id) : reportName(r.name))
                    .arg(r.offset)
                    .arg(r.length));
        break;
    }
    if (result.findings) {
        const LocatorValues& l = result.findings->locator;
        lines.append(QStringLiteral("Outcome: surveyed, %1 eBalls per set")
                         .arg(result.findings->header.ballsPerSet));
        lines.append(QStringLiteral("  sets at %1 and %2; name %3+%4; description %5+%6; "
                                    "attributes %7+%8; tips %9+%10, %11 entries")
                         .arg(l.locSetAPos)
                         .arg(l.locSetBPos)
                         .arg(l.locNamePos)
                         .arg(l.locNameLen)
                         .arg(l.locDescPos)
                         .arg(l.locDescLen)
                         .arg(l.locAttrPos)
                         .arg(l.locAttrLen)
                         .arg(l.locTipsPos)
                         .arg(l.locTipsLen)
                         .arg(l.tipCount));
    } else {
        // The reason without the egg's words: quoted bytes are left out.
        QString reason = result.refusal.message;
        reason.replace(QRegularExpression(QStringLiteral("\"[^\"]*\"")), QStringLiteral("\"…\""));
        lines.append(QStringLiteral("Outcome: refused (%1): %2")
                         .arg(regionName(result.refusal.region), reason));
    }
    lines.append(QStringLiteral("Regions looked at (byte classes: Z zero, C control, E line end, "
                                "D digit, L letter, O other, - no byte):"));
    for (const SurveyTrace& region : result.tried)
        lines.append(QStringLiteral("  %1 at byte %2: %3 bytes, room %4; before %5 | first %6, "
                                    "last %7 | after %8 | after the room %9")
                         .arg(region.what)
                         .arg(region.begin + 1)
                         .arg(region.end - region.begin)
                         .arg(region.roomEnd - region.begin)
                         .arg(classes(egg, region.begin - 4, 4), classes(egg, region.begin, 2),
                              classes(egg, region.end - 2, 2), classes(egg, region.end, 4),
                              classes(egg, region.roomEnd, 4)));
    return (lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8();
}

} // namespace yw
