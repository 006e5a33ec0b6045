#include "files/breedsheet.h"

#include "files/breedresources.h"
#include "files/eggwriter.h"
#include "files/fieldcodec.h"
#include "model/installation.h"
#include "model/palette.h"
#include "model/projectstate.h"
#include "platform/cp1252.h"
#include "platform/errors.h"
#include "platform/savefile.h"

#include <QStringList>
#include <algorithm>

namespace yw {

namespace {

constexpr double kMargin = 24;
constexpr int kColumnsPerSet = 3;
constexpr double kCellWidth = 190;
constexpr double kCellHeight = 60;
constexpr double kSetGap = 32;
constexpr double kRadius = 24;      // a disc's room: the largest disc and its soft edge
constexpr double kLargestDisc = 20; // leaves room for the heaviest fuzz
constexpr double kLeastRadius = 3;
constexpr double kTextLeft = 62; // from the cell's left edge
constexpr double kLabelWidth = kCellWidth - kTextLeft - 8;
// Average advance of a glyph in em, generous for the sans-serif fonts a viewer picks.
constexpr double kGlyphWidth = 0.6;
constexpr qsizetype kDescriptionColumns = 150;

constexpr uint32_t kInk = 0x202020;
constexpr uint32_t kGrey = 0x555555;

// Texts of the state are Windows-1252 bytes; control characters have no place in a picture (and
// most are not allowed in XML), so they become blanks.
QString withoutControls(QString text)
{
    for (QChar& c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            c = QLatin1Char(' ');
    }
    return text;
}

QString sheetText(std::string_view bytes)
{
    return withoutControls(cp1252::toUnicode(bytes));
}

SheetText makeText(double x, double y, double size, QString text, uint32_t color = kInk,
                   bool bold = false, double fitWidth = 0)
{
    SheetText t;
    t.x = x;
    t.y = y;
    t.size = size;
    t.bold = bold;
    t.color = color;
    if (fitWidth > 0 && double(text.size()) * size * kGlyphWidth > fitWidth)
        t.squeezeTo = fitWidth;
    t.text = std::move(text);
    return t;
}

// The description's own line breaks, then word wrapping at a fixed column count.
std::vector<QString> descriptionLines(const std::string& description)
{
    std::vector<QString> lines;
    QString all = cp1252::toUnicode(description);
    all.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    all.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    for (const QString& paragraph : all.split(QLatin1Char('\n'))) {
        QString rest = withoutControls(paragraph).trimmed();
        while (rest.size() > kDescriptionColumns) {
            qsizetype cut = rest.lastIndexOf(QLatin1Char(' '), kDescriptionColumns);
            if (cut <= 0)
                cut = kDescriptionColumns;
            lines.push_back(rest.left(cut).trimmed());
            rest = rest.mid(cut).trimmed();
        }
        lines.push_back(rest);
    }
    while (!lines.empty() && lines.back().isEmpty())
        lines.pop_back();
    return lines;
}

std::optional<uint32_t> colourOf(int16_t index)
{
    if (index < 0)
        return std::nullopt;
    return paletteColor(index);
}

} // namespace

const std::array<std::array<double, 2>, 6>& spreckDots()
{
    static const std::array<std::array<double, 2>, 6> dots{{
        {-0.45, -0.35},
        {0.3, -0.5},
        {0.5, 0.2},
        {-0.15, 0.45},
        {-0.55, 0.2},
        {0.2, 0.3},
    }};
    return dots;
}

double discRadiusFor(int16_t diameter, int largestDiameter, double largestRadius)
{
    const double share = largestDiameter > 0 ? std::abs(diameter) / double(largestDiameter) : 1;
    return std::clamp(largestRadius * share, std::min(kLeastRadius, largestRadius), largestRadius);
}

double fuzzWidthFor(int16_t fuzziness, double radius)
{
    return std::clamp<int>(fuzziness, 0, 3) * std::max(1.5, 0.12 * radius);
}

double ringWidthFor(int16_t borderThickness)
{
    if (borderThickness < 0)
        return 0;
    if (borderThickness == 0)
        return 1.5;
    return 3.0 * std::min<int>(borderThickness, 4);
}

namespace {

// How the printed sheet and the live preview differ: the preview packs the discs without their
// texts, the labels left to hovering.
struct SheetLook
{
    double margin;
    int columns; // per set
    double cellWidth;
    double cellHeight;
    double setGap;
    double headingGap; // from the last text above to the set headings' baseline
    double headingSize;
    double headingToCells;
    double discInset; // from the cell's left edge to the disc's room
    bool texts;       // the breed's texts and each disc's label and values
};

constexpr SheetLook kSheetLook{
    kMargin, kColumnsPerSet, kCellWidth, kCellHeight, kSetGap, 20, 15, 14, 6, true};
constexpr SheetLook kPreviewLook{12, 6, 2 * kRadius + 8, 2 * kRadius + 8, 20, 26, 13, 8, 4, false};

// The name, tray and slot, and the description; returns the baseline below them.
double addBreedTexts(BreedSheet& sheet, const ProjectState& state)
{
    sheet.texts.push_back(
        makeText(kMargin, 50, 26, sheet.title, kInk, true, sheet.width - 2 * kMargin));
    sheet.texts.push_back(makeText(kMargin, 78, 14,
                                   QStringLiteral("Tray %1 \u00b7 Slot %2")
                                       .arg(sheetText(state.eggTray), sheetText(state.eggSlot)),
                                   kGrey));
    double y = 106;
    // As the egg will hold it: the writer turns the stored quote (148) back into a straight one.
    for (const QString& line : descriptionLines(fromStoredQuotes(state.breedDescription))) {
        sheet.texts.push_back(
            makeText(kMargin, y, 12, line, kInk, false, sheet.width - 2 * kMargin));
        y += 17;
    }
    return y;
}

QString swatchLabel(const std::vector<std::string>& labels, int position)
{
    // A blank label would name nothing, on the sheet or to a screen reader.
    QString label = size_t(position) < labels.size() ? sheetText(labels[size_t(position)]).trimmed()
                                                     : QString();
    return label.isEmpty() ? QStringLiteral("eBall %1").arg(position + 1) : label;
}

// One disc at the top left corner (x, cellTop) of its cell. `colours` is the eBall whose colours
// the game draws it in: its own, or for a baby the adult's of the same place.
SheetSwatch makeSwatch(const SheetLook& look, int record, const EBallRecord& ball,
                       const EBallRecord& colours, double x, double cellTop, int largest)
{
    SheetSwatch swatch;
    swatch.record = record;
    swatch.cx = x + kRadius + look.discInset;
    swatch.cy = cellTop + look.cellHeight / 2;
    swatch.cellRadius = kRadius + 2;
    swatch.radius = discRadiusFor(ball.diameter, largest, kLargestDisc);
    swatch.fill = colourOf(colours.fillColor);
    swatch.border = colourOf(colours.borderColor);
    swatch.sprecks = colourOf(colours.spreckColor);
    swatch.ringWidth = std::min(ringWidthFor(ball.borderThickness), swatch.radius / 2);
    swatch.fuzzWidth = fuzzWidthFor(ball.fuzziness, swatch.radius);
    if (look.texts)
        swatch.values = makeText(
            x + kTextLeft, cellTop + 44, 10,
            QStringLiteral("fuzz %1 \u00b7 diam. %2").arg(ball.fuzziness).arg(ball.diameter), kGrey,
            false, kLabelWidth);
    return swatch;
}

} // namespace

int colourRecordOf(int record, int ballsPerSet)
{
    return record >= 0 && record < ballsPerSet ? record + ballsPerSet : record;
}

BreedSheet breedSheet(const ProjectState& state, const BreedShape& shape, SheetKind kind)
{
    const BreedHeader& header = shape.header;
    const SheetLook& look = kind == SheetKind::Sheet ? kSheetLook : kPreviewLook;
    const double setWidth = look.columns * look.cellWidth;

    BreedSheet sheet;
    sheet.width = 2 * look.margin + 2 * setWidth + look.setGap;
    sheet.swatchTexts = look.texts;
    sheet.title = sheetText(state.breedName);
    const double y = look.texts ? addBreedTexts(sheet, state) : 0;

    const int n = header.ballsPerSet;
    const double headingY = y + look.headingGap;
    const double top = headingY + look.headingToCells;
    const int rows = (n + look.columns - 1) / look.columns;
    sheet.height = top + rows * look.cellHeight + look.margin;

    // Every disc in proportion to the largest eBall of both sets.
    int largest = 0;
    for (int record = 0; record < 2 * n; ++record)
        largest = std::max(largest, std::abs(int(state.ball(record).diameter)));

    const std::string* setFiles[2] = {&header.lnzNameA, &header.lnzNameB};
    const char* setNames[2] = {"Baby", "Adult"};
    sheet.swatches.reserve(size_t(2 * std::max(n, 0)));
    for (int set = 0; set < 2; ++set) {
        const double left = look.margin + set * (setWidth + look.setGap);
        sheet.texts.push_back(makeText(left, headingY, look.headingSize,
                                       QLatin1String(setNames[set]) + QStringLiteral(" (") +
                                           sheetText(*setFiles[set]) + QLatin1Char(')'),
                                       kInk, true, setWidth));
        for (int p = 0; p < n; ++p) {
            const int record = set * n + p;
            const double x = left + (p % look.columns) * look.cellWidth;
            const double cellTop = top + (p / look.columns) * look.cellHeight;
            SheetSwatch swatch =
                makeSwatch(look, record, state.ball(record), state.ball(colourRecordOf(record, n)),
                           x, cellTop, largest);
            swatch.label = makeText(x + kTextLeft, cellTop + 27, 12, swatchLabel(shape.labels, p),
                                    kInk, false, kLabelWidth);
            sheet.swatches.push_back(std::move(swatch));
        }
    }
    return sheet;
}

namespace {

class SvgWriter
{
public:
    QByteArray bytes;

    SvgWriter& raw(const char* text)
    {
        bytes.append(text);
        return *this;
    }
    SvgWriter& number(double value)
    {
        bytes.append(QByteArray::number(value, 'g', 7));
        return *this;
    }
    // No colour is the hatching defined at the top, never black and never nothing.
    SvgWriter& colour(std::optional<uint32_t> rgb)
    {
        if (!rgb)
            return raw("url(#nocolour)");
        static const char digits[] = "0123456789abcdef";
        char text[8] = {'#'};
        const uint32_t value = *rgb;
        const uint32_t channels[3] = {value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF};
        for (int i = 0; i < 3; ++i) {
            text[1 + 2 * i] = digits[channels[i] >> 4];
            text[2 + 2 * i] = digits[channels[i] & 0xF];
        }
        bytes.append(text, 7);
        return *this;
    }
    // Escaped for element content and attribute values alike.
    SvgWriter& escaped(const QString& text)
    {
        QString out;
        out.reserve(text.size() + 16);
        for (const QChar c : text) {
            switch (c.unicode()) {
            case '&':
                out += QStringLiteral("&amp;");
                break;
            case '<':
                out += QStringLiteral("&lt;");
                break;
            case '>':
                out += QStringLiteral("&gt;");
                break;
            case '"':
                out += QStringLiteral("&quot;");
                break;
            default:
                out += c;
            }
        }
        bytes.append(out.toUtf8());
        return *this;
    }
    void text(const SheetText& t, const char* cssClass)
    {
        raw("<text class=\"").raw(cssClass).raw("\" x=\"").number(t.x).raw("\" y=\"").number(t.y);
        raw("\" font-size=\"").number(t.size).raw("\" fill=\"").colour(t.color).raw("\"");
        if (t.bold)
            raw(" font-weight=\"bold\"");
        if (t.squeezeTo > 0)
            raw(" textLength=\"").number(t.squeezeTo).raw("\" lengthAdjust=\"spacingAndGlyphs\"");
        raw(">").escaped(t.text).raw("</text>\n");
    }
    void circle(const char* cssClass, double cx, double cy, double r)
    {
        raw("<circle class=\"").raw(cssClass).raw("\" cx=\"").number(cx).raw("\" cy=\"");
        number(cy).raw("\" r=\"").number(r).raw("\"");
    }
};

} // namespace

QByteArray breedSheetSvg(const BreedSheet& sheet)
{
    SvgWriter w;
    w.bytes.reserve(qsizetype(1024 + sheet.swatches.size() * 900));
    w.raw("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n");
    w.raw("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"").number(sheet.width);
    w.raw("\" height=\"").number(sheet.height).raw("\" viewBox=\"0 0 ").number(sheet.width);
    w.raw(" ").number(sheet.height);
    w.raw("\" font-family=\"DejaVu Sans, Verdana, sans-serif\">\n");
    w.raw("<title>").escaped(sheet.title).raw("</title>\n");
    w.raw("<defs><pattern id=\"nocolour\" width=\"6\" height=\"6\" "
          "patternUnits=\"userSpaceOnUse\" patternTransform=\"rotate(45)\">"
          "<rect width=\"6\" height=\"6\" fill=\"#ffffff\"/>"
          "<rect width=\"2\" height=\"6\" fill=\"#808080\"/></pattern></defs>\n");
    w.raw("<rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n");
    for (const SheetText& t : sheet.texts)
        w.text(t, "heading");
    for (const SheetSwatch& s : sheet.swatches) {
        w.raw("<g class=\"swatch\" id=\"eball").number(s.record).raw("\">\n");
        // The soft edge: two fading rings of the fill colour just outside the disc.
        for (int i = 0; s.fuzzWidth > 0 && i < 2; ++i) {
            w.circle("fuzz", s.cx, s.cy, s.radius + (2 * i + 1) * s.fuzzWidth / 4);
            w.raw(" fill=\"none\" stroke=\"").colour(s.fill).raw("\" stroke-width=\"");
            w.number(s.fuzzWidth / 2)
                .raw(i == 0 ? "\" stroke-opacity=\"0.5\"/>\n" : "\" stroke-opacity=\"0.2\"/>\n");
        }
        w.circle("disc", s.cx, s.cy, s.radius);
        w.raw(" fill=\"").colour(s.fill).raw("\"/>\n");
        if (s.ringWidth > 0) {
            w.circle("ring", s.cx, s.cy, s.radius - s.ringWidth / 2);
            w.raw(" fill=\"none\" stroke=\"").colour(s.border).raw("\" stroke-width=\"");
            w.number(s.ringWidth).raw("\"/>\n");
        }
        if (s.sprecks) {
            for (const auto& [dx, dy] : spreckDots()) {
                w.circle("spreck", s.cx + dx * s.radius, s.cy + dy * s.radius,
                         kSpreckDotRadius * s.radius);
                w.raw(" fill=\"").colour(s.sprecks).raw("\"/>\n");
            }
        }
        if (!sheet.swatchTexts) {
            w.raw("<title>").escaped(s.label.text).raw("</title>\n</g>\n");
            continue;
        }
        w.text(s.label, "label");
        w.text(s.values, "values");
        w.raw("</g>\n");
    }
    w.raw("</svg>\n");
    return w.bytes;
}

void saveBreedSheet(const Installation& install, const ProjectState& state, const BreedShape& shape,
                    const QString& target, const QString& projectPath)
{
    saveBreedSheet(install, state, shape, target, projectPath, breedSheetSvg);
}

void saveBreedSheet(const Installation& install, const ProjectState& state, const BreedShape& shape,
                    const QString& target, const QString& projectPath,
                    const std::function<QByteArray(const BreedSheet&)>& encode)
{
    requireSafeOutput(install, state, target, projectPath);
    saveFileAtomically(target, encode(breedSheet(state, shape)));
}

} // namespace yw
