// The eBall table's tools (Replace Colour, Apply to Others) and the breed sheet drawn from it.
#include "files/breedresources.h"
#include "files/breedsheet.h"
#include "model/eballtools.h"
#include "model/palette.h"
#include "model/projectstate.h"

#include <QXmlStreamReader>
#include <algorithm>
#include <gtest/gtest.h>
#include <map>
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

QString hex(int16_t index)
{
    if (index < 0) // no colour is hatched, never black or nothing
        return u"url(#nocolour)"_s;
    const uint32_t c = paletteColor(index);
    return QString::asprintf("#%02x%02x%02x", c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

// Each swatch as "class attribute" (or "class text") to the values its elements hold.
using Swatch = std::map<QString, QStringList>;

struct ParsedSheet
{
    QString title;
    QStringList texts; // outside the swatches
    std::vector<Swatch> swatches;
};

ParsedSheet parse(const QByteArray& svg)
{
    ParsedSheet sheet;
    QXmlStreamReader xml(svg);
    Swatch* swatch = nullptr;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isEndElement() && xml.name() == u"g")
            swatch = nullptr;
        if (!xml.isStartElement())
            continue;
        const QXmlStreamAttributes attributes = xml.attributes();
        const QString cls = attributes.value("class"_L1).toString();
        if (cls == u"swatch")
            swatch = &sheet.swatches.emplace_back();
        for (const QXmlStreamAttribute& a : attributes)
            if (swatch)
                (*swatch)[cls + u' ' + a.name().toString()].append(a.value().toString());
        if (xml.name() == u"title")
            sheet.title = xml.readElementText();
        else if (xml.name() == u"text")
            (swatch ? (*swatch)[cls + u" text"_s] : sheet.texts).append(xml.readElementText());
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return sheet;
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

TEST(BreedSheet, OneSwatchPerEBallInThePalettesColours)
{
    ProjectState state;
    state.breedName = "Zot <&\"> \x94";
    state.eggTray = "7";
    state.eggSlot = "12";
    state.breedDescription = std::string("Cr\xE8me & <b>\r\nsecond\0line", 25);
    const BreedShape shape{{"z_small.lnz", "z<.lnz", 4},
                           {"Body", "Left \"Arm\" & <Leg>", "", "Caf\xE9"}};
    // Fill, border, sprecks, fuzziness, border thickness, diameter.
    const EBallRecord balls[8] = {
        {3, 143, 73, 0, 2, 20, 0, 0, {}, 0},  {143, 3, -1, 1, 1, 21, 0, 0, {}, 0},
        {-1, 255, 2, 2, 0, 22, 0, 0, {}, 0},  {255, -1, 300, 3, 1, 23, 0, 0, {}, 0},
        {73, 2, 3, 0, -1, 24, 0, 0, {}, 0},   {2, 73, 143, 1, 2, 25, 0, 0, {}, 0},
        {300, 0, 255, 2, 0, 26, 0, 0, {}, 0}, {0, 300, 0, 3, 1, 27, 0, 0, {}, 0}};
    std::copy(std::begin(balls), std::end(balls), state.eBalls.begin());
    state.eBalls[8].fillColor = 5; // beyond both sets: not drawn

    const ParsedSheet sheet = parse(breedSheetSvg(breedSheet(state, shape)));
    EXPECT_EQ(sheet.title, u"Zot <&\"> \u201d"_s);
    EXPECT_TRUE(sheet.texts.contains(sheet.title));
    for (const char* text : {"Cr\u00e8me & <b>", "second line", "Adult (z<.lnz)",
                             "Baby (z_small.lnz)", "Tray 7", "Slot 12"})
        EXPECT_TRUE(sheet.texts.filter(QString::fromUtf8(text)).size() == 1) << text;

    ASSERT_EQ(sheet.swatches.size(), 8u);
    std::map<int16_t, double> ringWidths;
    std::vector<double> radii;
    for (int i = 0; i < 8; ++i) {
        SCOPED_TRACE(i);
        Swatch s = sheet.swatches[size_t(i)];
        // A baby (set A) is drawn in the colours of the adult of its place, at its own size.
        const EBallRecord& own = balls[i];
        const EBallRecord& c = balls[i < 4 ? i + 4 : i];
        const bool ring = own.borderThickness >= 0;
        if (ring)
            ringWidths[own.borderThickness] = s[u"ring stroke-width"_s].value(0).toDouble();
        const std::string& label = shape.labels[size_t(i % 4)];
        const std::pair<const char*, QStringList> expected[] = {
            {"swatch id", {u"eball%1"_s.arg(i)}},
            {"disc fill", {hex(c.fillColor)}},
            {"ring stroke", ring ? QStringList{hex(c.borderColor)} : QStringList()},
            {"fuzz stroke", QStringList(own.fuzziness > 0 ? 2 : 0, hex(c.fillColor))},
            {"spreck fill", c.spreckColor < 0 ? QStringList() : QStringList(6, hex(c.spreckColor))},
            {"label text",
             {label.empty() ? u"eBall %1"_s.arg(i % 4 + 1) : QString::fromLatin1(label)}},
            {"values text", {u"fuzz %1 \u00b7 diam. %2"_s.arg(i % 4).arg(20 + i)}}};
        for (const auto& [key, values] : expected)
            EXPECT_EQ(s[QLatin1String(key)], values) << key;
        radii.push_back(s[u"disc r"_s].value(0).toDouble());
    }
    // Discs are sized by diameter, in proportion to the largest (27).
    for (size_t i = 0; i < 8; ++i)
        EXPECT_NEAR(radii[i] / radii[7], (20 + double(i)) / 27, 1e-6) << i;
    // The palette packs red in the low byte; no colour and indexes past the table are black.
    EXPECT_EQ(hex(2), u"#808000"_s);
    EXPECT_EQ(hex(3), u"#000080"_s);
    EXPECT_EQ(paletteColor(-1) | paletteColor(256), 0u);
    ASSERT_EQ(ringWidths.size(), 3u);
    EXPECT_LT(ringWidths[0], ringWidths[1]);
    EXPECT_LT(ringWidths[1], ringWidths[2]);
}

} // namespace yw
