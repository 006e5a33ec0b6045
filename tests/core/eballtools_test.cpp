#include "model/eballtools.h"
#include "model/projectstate.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <stdexcept>

namespace yw {

namespace {

using F = EBallField;
using Member = int16_t EBallRecord::*;
const std::pair<F, Member> kFields[] = {
    {F::Fill, &EBallRecord::fillColor},
    {F::Border, &EBallRecord::borderColor},
    {F::Sprecks, &EBallRecord::spreckColor},
    {F::Fuzziness, &EBallRecord::fuzziness},
    {F::BorderThickness, &EBallRecord::borderThickness},
    {F::Diameter, &EBallRecord::diameter},
    {F::UseTexture, &EBallRecord::useTexture},
};

constexpr int kPerSet = 5; // not 67: set B must start at ballsPerSet
constexpr int16_t kOld = 7;
constexpr int16_t kNew = 9;

// Every field of every record differs from every other, and from the colour being replaced
// except where a row of the tests puts it.
ProjectState distinctBalls()
{
    ProjectState state;
    for (int i = 0; i < kEBallCount; ++i) {
        EBallRecord& r = state.eBalls[size_t(i)];
        r = {int16_t(1000 + i),       int16_t(2000 + i), int16_t(3000 + i), int16_t(4000 + i),
             int16_t(5000 + i),       int16_t(6000 + i), int16_t(7000 + i), int16_t(8000 + i),
             "c" + std::to_string(i), int16_t(i % 2)};
    }
    return state;
}

} // namespace

TEST(ReplaceColour, ChangesExactlyTheNamedFieldsOfTheNamedSets)
{
    ProjectState start = distinctBalls();
    auto& b = start.eBalls;
    b[0].fillColor = kOld;
    b[1].borderColor = kOld;
    b[2].spreckColor = kOld;
    b[3].fillColor = b[3].borderColor = kOld;
    b[4].fuzziness = b[4].diameter = kOld; // not colours
    b[kPerSet + 0].fillColor = kOld;
    b[kPerSet + 2].spreckColor = kOld;
    b[2 * kPerSet].fillColor = kOld; // beyond both sets
    b[kEBallCount - 1].borderColor = kOld;

    const EBallFields all = kColourFields;
    const BallSets both = BallSet::A | BallSet::B;
    struct Row
    {
        EBallFields fields;
        BallSets sets;
        int count; // records changed
    };
    const Row rows[] = {{F::Fill, BallSet::B, 1},
                        {F::Fill | F::Border, BallSet::A, 3},
                        {F::Sprecks, both, 2},
                        {F::Border, BallSet::B, 0},
                        {all, both, 6}};
    for (const Row& row : rows) {
        ProjectState state = start;
        const ColourReplacement replacement{kOld, kNew, row.fields, row.sets};
        EXPECT_EQ(countColourReplacements(state.eBalls, kPerSet, replacement), row.count);
        EXPECT_EQ(state.eBalls, start.eBalls) << "counting changed the table";
        EXPECT_EQ(replaceColour(state.eBalls, kPerSet, replacement), row.count);
        for (int i = 0; i < kEBallCount; ++i) {
            EBallRecord expected = start.eBalls[size_t(i)];
            const bool inSets = (row.sets.testFlag(BallSet::A) && i < kPerSet) ||
                                (row.sets.testFlag(BallSet::B) && i >= kPerSet && i < 2 * kPerSet);
            for (const auto& [field, member] : kFields)
                if (inSets && row.fields.testFlag(field) && expected.*member == kOld)
                    expected.*member = kNew;
            EXPECT_EQ(state.eBalls[size_t(i)], expected)
                << "record " << i << ", count " << row.count;
        }
    }

    // Unless told otherwise, the fill colour of the adult set: the set the game takes colours from.
    ColourReplacement defaults;
    defaults.from = kOld;
    defaults.to = kNew;
    EXPECT_EQ(countColourReplacements(start.eBalls, kPerSet, defaults), 1);

    ProjectState same = start;
    EXPECT_EQ(replaceColour(same.eBalls, kPerSet, {kOld, kOld, all, both}), 0);
    EXPECT_THROW(countColourReplacements(same.eBalls, kPerSet, {kOld, kNew, F::Diameter, both}),
                 std::invalid_argument);
    EXPECT_EQ(same.eBalls, start.eBalls);
}

TEST(ApplyToOthers, CopiesExactlyTheChosenFieldsToTheChosenEBalls)
{
    const ProjectState start = distinctBalls();
    struct Row
    {
        BallSet set;
        int source;
        std::vector<int> targets;
        EBallFields fields;
    };
    const Row rows[] = {
        {BallSet::B, 1, {0, 3}, F::Border | F::Diameter | F::UseTexture},
        {BallSet::A, 4, {0, 1, 4}, F::Fill | F::Sprecks},
        {BallSet::A, 0, {2}, F::Fuzziness | F::BorderThickness},
        {BallSet::B, 4, {2}, F::Fill | F::Border | F::Sprecks},
    };
    for (const Row& row : rows) {
        ProjectState state = start;
        const int offset = row.set == BallSet::B ? kPerSet : 0;
        const int changed =
            applyToOthers(state.eBalls, kPerSet, row.set, row.source, row.targets, row.fields);
        const EBallRecord& source = start.eBalls[size_t(offset + row.source)];
        int expectedChanged = 0;
        for (int i = 0; i < kEBallCount; ++i) {
            EBallRecord expected = start.eBalls[size_t(i)];
            const bool target =
                i != offset + row.source &&
                std::find(row.targets.begin(), row.targets.end(), i - offset) != row.targets.end();
            if (target) {
                for (const auto& [field, member] : kFields)
                    if (row.fields & field)
                        expected.*member = source.*member;
                expectedChanged += expected == start.eBalls[size_t(i)] ? 0 : 1;
            }
            EXPECT_EQ(state.eBalls[size_t(i)], expected) << "record " << i;
        }
        EXPECT_EQ(changed, expectedChanged);
    }

    ProjectState state = start;
    EXPECT_THROW(applyToOthers(state.eBalls, kPerSet, BallSet::A, 0, {1, kPerSet}, F::Fill),
                 std::out_of_range);
    EXPECT_EQ(state.eBalls, start.eBalls) << "a bad position must change nothing";
}

TEST(ApplyToOthers, LabelFilterIgnoresCaseAndBlanks)
{
    const std::vector<std::string> labels = {"Left Tentacle", "tentacle tip", "Head",
                                             "TENTACLES",     "Body",         "\xC9paule"};
    EXPECT_EQ(labelsContaining(labels, QStringLiteral(" Tentacle ")), (std::vector<int>{0, 1, 3}));
    EXPECT_EQ(labelsContaining(labels, QStringLiteral("\u00e9PAULE")), (std::vector<int>{5}));
    EXPECT_TRUE(labelsContaining(labels, QStringLiteral("  ")).empty());
    EXPECT_TRUE(labelsContaining(labels, QStringLiteral("Tail")).empty());
}

} // namespace yw
