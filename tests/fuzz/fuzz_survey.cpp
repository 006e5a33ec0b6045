// The survey (and the resource-table reader under it) on any egg. Properties: it never crashes
// or hangs; a refusal says why; a resource table it accepts lies inside the file without
// overlaps; what it finds lies inside the egg (inside one resource where there is a table), and
// its two files read back through the program's readers to the same values.
#include "files/breedresources.h"
#include "files/neresources.h"
#include "files/survey.h"
#include "fuzzsupport.h"
#include "support/statecompare.h"

#include <algorithm>

using namespace yw;

namespace {

void checkTable(const QByteArray& egg, const NeResourceTable& table)
{
    if (table.kind == NeResourceTable::Kind::Damaged)
        fuzz::check(!table.problem.isEmpty(), "a damaged table without a reason");
    std::vector<std::pair<qint64, qint64>> spans;
    for (const NeResource& r : table.resources) {
        fuzz::check(r.offset >= 0 && r.length >= 0 && r.offset + r.length <= egg.size(),
                    "a resource outside the file");
        if (r.length > 0)
            spans.emplace_back(r.offset, r.offset + r.length);
    }
    std::sort(spans.begin(), spans.end());
    for (size_t i = 1; i < spans.size(); ++i)
        fuzz::check(spans[i].first >= spans[i - 1].second, "overlapping resources accepted");
}

// [first, end) 0-based must lie in the egg, and in one resource when there is a table.
void checkInside(const QByteArray& egg, const NeResourceTable& table, qint64 first, qint64 end,
                 const char* what)
{
    fuzz::check(first >= 0 && first <= end && end <= egg.size(), what, "outside the egg");
    if (table.kind != NeResourceTable::Kind::Table)
        return;
    const bool inOne = std::any_of(table.resources.begin(), table.resources.end(), [&](auto& r) {
        return first >= r.offset && end <= r.offset + r.length;
    });
    fuzz::check(inOne, what, "crosses the end of its resource");
}

void checkFindings(const QByteArray& egg, const NeResourceTable& table, const SurveyFindings& f)
{
    const LocatorValues& l = f.locator;
    const int n = f.header.ballsPerSet;
    fuzz::check(n >= 1 && n <= kMaxBallsPerSet && f.labels.size() == size_t(n),
                "a set size outside 1 to 256, or labels that do not fit it");
    for (const std::string& label : f.labels)
        fuzz::check(!label.empty() && label.find_first_of("\r\n") == std::string::npos,
                    "an empty label or one with a line end");
    checkInside(egg, table, l.locSetAPos - 2, l.locSetAPos - 1, "ball set A");
    checkInside(egg, table, l.locSetBPos - 2, l.locSetBPos - 1, "ball set B");
    checkInside(egg, table, l.locNamePos - 1, l.locNamePos + l.locNameLen, "the name block");
    checkInside(egg, table, l.locDescPos - 1, l.locDescPos + l.locDescLen, "the description");
    checkInside(egg, table, l.locAttrPos - 1, l.locAttrPos + l.locAttrLen, "the attributes");
    checkInside(egg, table, l.locTipsPos - 1, l.locTipsPos - 1 + 10 * l.tipCount + l.locTipsLen + 2,
                "the tips");

    const Installation install = fuzz::startInstallation();
    ProjectState state;
    state.baseBreed = "Honker";
    fuzz::writeScratch(install.infoFilePath(state.baseBreed), surveyedInformationFile(f));
    fuzz::writeScratch(install.locatorFilePath(state.baseBreed), surveyedLocatorFile(f, "Honker"));
    const BreedHeader header = readBreedHeader(install, state);
    fuzz::check(header.lnzNameA == f.header.lnzNameA && header.lnzNameB == f.header.lnzNameB &&
                    header.ballsPerSet == n,
                "the information file reads back differently");
    fuzz::check(readBreedLabels(install.infoFilePath(state.baseBreed)) == f.labels,
                "the labels read back differently");
    ProjectState expected = state;
    l.applyTo(expected);
    getLOX(install, state);
    fuzz::check(
        test::projectDifference(state, expected).empty(),
        "the locator file reads back differently:", test::projectDifference(state, expected));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray egg = fuzz::bytesOf(data, size);
    const NeResourceTable table = readNeResources(egg);
    checkTable(egg, table);

    SurveyResult result = surveyEgg(egg, "Honker");
    if (!result.findings && result.refusal.candidates.size() >= 2) {
        // Settle an ambiguity the way a player would: by two of the listed positions.
        const std::vector<TextCandidate>& texts = result.refusal.candidates;
        result = surveyEgg(egg, "Honker", {texts.back().position, texts.front().position, {}});
    }
    if (!result.findings) {
        fuzz::check(!result.refusal.message.isEmpty(), "a refusal without a reason");
        return 0;
    }
    fuzz::check(table.kind != NeResourceTable::Kind::Damaged, "a damaged table was surveyed");
    checkFindings(egg, table, *result.findings);
    return 0;
}
