// The eBall table's tools: Replace Colour, Apply to Others and the label filter.
#include "model/eballtools.h"
#include "model/projectstate.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <stdexcept>

namespace yw {

using namespace Qt::StringLiterals;

namespace {

using F = EBallField;
const std::pair<F, int16_t EBallRecord::*> kFields[] = {
    {F::Fill, &EBallRecord::fillColor},       {F::Border, &EBallRecord::borderColor},
    {F::Sprecks, &EBallRecord::spreckColor},  {F::Fuzziness, &EBallRecord::fuzziness},
    {F::Diameter, &EBallRecord::diameter},    {F::BorderThickness, &EBallRecord::borderThickness},
    {F::UseTexture, &EBallRecord::useTexture}};

constexpr int kPerSet = 5; // not 67: set B must start at ballsPerSet
constexpr int16_t kOld = 7, kNew = 9;

// Every field of every record differs from every other, and from the colour being replaced
// except where a row of the tests puts it.
ProjectState distinctBalls()
{
    ProjectState state;
    for (int i = 0; i < kEBallCount; ++i)
        state.eBalls[size_t(i)] = {int16_t(1000 + i), int16_t(2000 + i), int16_t(3000 + i),
                                   int16_t(4000 + i), int16_t(5000 + i), int16_t(6000 + i),
                                   int16_t(7000 + i), int16_t(8000 + i), "c" + std::to_string(i),
                                   int16_t(i % 2)};
    return state;
}

} // namespace

// Distinct eBalls, with the old colour (and two other fields) here and there.
static ProjectState withOldColour()
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
    return start;
}

TEST(EBallTools, ReplaceColourChangesExactlyTheNamedFields)
{
    const ProjectState start = withOldColour();

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
    EXPECT_EQ(countColourReplacements(start.eBalls, kPerSet, {.from = kOld, .to = kNew}), 1);

    ProjectState same = start;
    EXPECT_EQ(replaceColour(same.eBalls, kPerSet, {kOld, kOld, all, both}), 0);
    EXPECT_THROW(countColourReplacements(same.eBalls, kPerSet, {kOld, kNew, F::Diameter, both}),
                 std::invalid_argument);
    EXPECT_EQ(same.eBalls, start.eBalls);
}

TEST(EBallTools, ApplyToOthersCopiesExactlyTheChosenFields)
{
    const ProjectState start = withOldColour();
    // Apply to Others copies exactly the chosen fields to the chosen eBalls.
    struct Copy
    {
        BallSet set;
        int source;
        std::vector<int> targets;
        EBallFields fields;
        int changed;
    };
    const Copy copies[] = {
        {BallSet::B, 1, {0, 3}, F::Border | F::Diameter | F::UseTexture, 2},
        {BallSet::A, 4, {0, 1, 4}, F::Fill | F::Sprecks, 2}, // not the source itself
        {BallSet::A, 0, {2}, F::Fuzziness | F::BorderThickness, 1},
        {BallSet::B, 4, {2}, F::Fill | F::Border | F::Sprecks, 1},
    };
    for (const Copy& row : copies) {
        ProjectState state = start;
        EXPECT_EQ(
            applyToOthers(state.eBalls, kPerSet, row.set, row.source, row.targets, row.fields),
            row.changed);
        const int offset = row.set == BallSet::B ? kPerSet : 0;
        const EBallRecord& source = start.eBalls[size_t(offset + row.source)];
        for (int i = 0; i < kEBallCount; ++i) {
            EBallRecord expected = start.eBalls[size_t(i)];
            if (i != offset + row.source && std::ranges::count(row.targets, i - offset))
                for (const auto& [field, member] : kFields)
                    if (row.fields & field)
                        expected.*member = source.*member;
            EXPECT_EQ(state.eBalls[size_t(i)], expected) << "record " << i;
        }
    }

    ProjectState state = start;
    EXPECT_THROW(applyToOthers(state.eBalls, kPerSet, BallSet::A, 0, {1, kPerSet}, F::Fill),
                 std::out_of_range);
    EXPECT_EQ(state.eBalls, start.eBalls) << "a bad position must change nothing";
}

TEST(EBallTools, LabelFilterMatchesWholeWordsInAnyCase)
{
    // The label filter ignores case and blanks.
    const std::vector<std::string> labels = {"Left Tentacle", "tentacle tip", "Head",
                                             "TENTACLES",     "Body",         "\xC9paule"};
    // Whole words: not the plural, and "Ear" not in "Forearm".
    EXPECT_EQ(labelsContaining(labels, u" Tentacle "_s), (std::vector<int>{0, 1}));
    EXPECT_EQ(labelsContaining({"Left Ear", "Left Forearm", "ear"}, u"Ear"_s),
              (std::vector<int>{0, 2}));
    EXPECT_EQ(labelsContaining(labels, u"\u00e9PAULE"_s), (std::vector<int>{5}));
    EXPECT_TRUE(labelsContaining(labels, u"  "_s).empty());
    EXPECT_TRUE(labelsContaining(labels, u"Tail"_s).empty());
}

} // namespace yw
