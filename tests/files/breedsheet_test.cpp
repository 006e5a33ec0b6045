// The breed sheet drawn from the eBall table: one swatch per eBall in the palette's colours.
#include "files/breedresources.h"
#include "files/breedsheet.h"
#include "model/palette.h"
#include "model/projectstate.h"

#include <QXmlStreamReader>
#include <algorithm>
#include <gtest/gtest.h>
#include <map>

namespace yw {

using namespace Qt::StringLiterals;

namespace {

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
