#include "files/breedresources.h"
#include "files/breedsheet.h"
#include "model/palette.h"
#include "model/projectstate.h"

#include <QXmlStreamReader>
#include <gtest/gtest.h>
#include <map>

namespace yw {

namespace {

QString hex(int16_t index)
{
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
        const QString cls = attributes.value(QLatin1String("class")).toString();
        if (cls == u"swatch")
            swatch = &sheet.swatches.emplace_back();
        for (const QXmlStreamAttribute& a : attributes)
            if (swatch)
                (*swatch)[cls + u' ' + a.name().toString()].append(a.value().toString());
        if (xml.name() == u"title")
            sheet.title = xml.readElementText();
        else if (xml.name() == u"text")
            (swatch ? (*swatch)[cls + QStringLiteral(" text")] : sheet.texts)
                .append(xml.readElementText());
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
    const BreedHeader header{"z_small.lnz", "z<.lnz", 4};
    const std::vector<std::string> labels = {"Body", "Left \"Arm\" & <Leg>", "", "Caf\xE9"};
    struct Colours
    {
        int16_t fill, border, spreck, thickness;
    };
    const Colours colours[8] = {{3, 143, 73, 2},   {143, 3, -1, 1}, {-1, 255, 2, 0},
                                {255, -1, 300, 1}, {73, 2, 3, -1},  {2, 73, 143, 2},
                                {300, 0, 255, 0},  {0, 300, 0, 1}};
    for (int i = 0; i < 8; ++i) {
        EBallRecord& r = state.eBalls[size_t(i)];
        r.fillColor = colours[i].fill;
        r.borderColor = colours[i].border;
        r.spreckColor = colours[i].spreck;
        r.borderThickness = colours[i].thickness;
        r.fuzziness = int16_t(i % 4);
        r.diameter = int16_t(20 + i);
        r.auxValue = int16_t(90 + i);
    }
    state.eBalls[8].fillColor = 5; // beyond both sets: not drawn

    const ParsedSheet sheet = parse(breedSheetSvg(breedSheet(state, header, labels)));
    EXPECT_EQ(sheet.title, QStringLiteral("Zot <&\"> \u201d"));
    EXPECT_TRUE(sheet.texts.contains(sheet.title));
    for (const char* text : {"Cr\u00e8me & <b>", "second line", "z<.lnz", "Tray 7", "Slot 12"})
        EXPECT_TRUE(sheet.texts.filter(QString::fromUtf8(text)).size() == 1) << text;

    ASSERT_EQ(sheet.swatches.size(), 8u);
    std::map<int16_t, double> ringWidths;
    for (int i = 0; i < 8; ++i) {
        SCOPED_TRACE(i);
        Swatch s = sheet.swatches[size_t(i)];
        const Colours& c = colours[i];
        const bool ring = c.thickness >= 0 && c.border >= 0;
        if (ring)
            ringWidths[c.thickness] = s[QStringLiteral("ring stroke-width")].value(0).toDouble();
        const std::string& label = labels[size_t(i % 4)];
        const std::pair<const char*, QStringList> expected[] = {
            {"swatch id", {QStringLiteral("eball%1").arg(i)}},
            {"disc fill", {c.fill < 0 ? QStringLiteral("none") : hex(c.fill)}},
            {"ring stroke", ring ? QStringList{hex(c.border)} : QStringList()},
            {"spreck fill", c.spreck < 0 ? QStringList() : QStringList(6, hex(c.spreck))},
            {"label text",
             {label.empty() ? QStringLiteral("eBall %1").arg(i % 4 + 1)
                            : QString::fromLatin1(label)}},
            {"values text", {QStringLiteral("fuzz %1 \u00b7 diam. %2").arg(i % 4).arg(20 + i)}}};
        for (const auto& [key, values] : expected)
            EXPECT_EQ(s[QLatin1String(key)], values) << key;
    }
    // The palette packs red in the low byte; no colour and indexes past the table are black.
    EXPECT_EQ(hex(2), QStringLiteral("#808000"));
    EXPECT_EQ(hex(3), QStringLiteral("#000080"));
    EXPECT_EQ(paletteColor(-1) | paletteColor(256), 0u);
    ASSERT_EQ(ringWidths.size(), 3u);
    EXPECT_LT(ringWidths[0], ringWidths[1]);
    EXPECT_LT(ringWidths[1], ringWidths[2]);
}

} // namespace yw
