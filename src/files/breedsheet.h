#pragma once

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// The breed sheet: one picture of the whole breed. The layout is computed once here, widget-free,
// so that the SVG writer below and a painter in the editor draw the same picture.
namespace yw {

struct BreedShape;
struct Installation;
struct ProjectState;

struct SheetText
{
    double x = 0;
    double y = 0; // baseline
    double size = 12;
    bool bold = false;
    uint32_t color = 0; // red + 256 * green + 65536 * blue
    QString text;
    // When not 0, the text is squeezed to this width (it would be wider at its natural size).
    double squeezeTo = 0;
};

struct SheetSwatch
{
    int record = 0; // index into the project's eBall table
    double cx = 0;
    double cy = 0;
    double radius = 0;     // by the eBall's diameter, the breed's largest filling its cell
    double cellRadius = 0; // the most any disc of the sheet may have: where a click finds it
    // The palette colours; nullopt for no colour (-1), drawn hatched so it never reads as black.
    // No ring when ringWidth is 0: the eBall has no border (thickness -1).
    std::optional<uint32_t> fill;
    std::optional<uint32_t> border;
    std::optional<uint32_t> sprecks;
    double ringWidth = 0;
    // The soft edge outside the disc, wider with more fuzz; 0 for none.
    double fuzzWidth = 0;
    SheetText label;
    SheetText values; // fuzziness and diameter
};

// The printed sheet, with the breed's texts and a label beside each disc; the live preview,
// discs only, packed closer, the labels left to hovering.
enum class SheetKind { Sheet, Preview };

struct BreedSheet
{
    double width = 0;
    double height = 0;
    bool swatchTexts = true;           // whether the label and values are drawn
    QString title;                     // the breed name
    std::vector<SheetText> texts;      // name, tray and slot, description lines, set headings
    std::vector<SheetSwatch> swatches; // set A in list order, then set B
};

// Where the sprecks' dots lie, relative to a swatch's centre, in units of its radius. None covers
// the centre, which always shows the fill colour, and all lie inside a two-pixel border's ring.
const std::array<std::array<double, 2>, 6>& spreckDots();
inline constexpr double kSpreckDotRadius = 0.1; // of the swatch's radius

// Ring width in sheet units for a border thickness: -1 none, 0 a half border, 1 and 2 pixels.
double ringWidthFor(int16_t borderThickness);
// A disc's radius: |diameter| in proportion to the breed's largest, which gets `largestRadius`;
// never so small that it cannot be seen or clicked.
double discRadiusFor(int16_t diameter, int largestDiameter, double largestRadius);
// The soft edge's width for a fuzziness (0 none to 3 heavy; more counts as 3).
double fuzzWidthFor(int16_t fuzziness, double radius);

// The record whose colours the game draws record `record` in: a baby eBall (set A) takes the
// colours of the adult eBall of the same place; an adult eBall its own.
int colourRecordOf(int record, int ballsPerSet);

// Lays out the sheet of `state`, each baby eBall in its adult's colours: the eBalls per set, the
// set names and the eBall labels from `shape` (a missing label is shown as "eBall N").
BreedSheet breedSheet(const ProjectState& state, const BreedShape& shape,
                      SheetKind kind = SheetKind::Sheet);

// The sheet as a standalone SVG document, UTF-8.
QByteArray breedSheetSvg(const BreedSheet& sheet);

// Saves the SVG sheet of `state`, a project of the breed `shape`, to `target` atomically.
// `projectPath` is the project file the sheet is made from, empty when there is none: the sheet
// never replaces it, the base breed's files or anything but a regular file. Throws FileError or
// FormatError; on failure nothing is written.
void saveBreedSheet(const Installation& install, const ProjectState& state, const BreedShape& shape,
                    const QString& target, const QString& projectPath = QString());
// The same with another encoding of the laid-out sheet (the editor's PNG); `encode` may throw.
void saveBreedSheet(const Installation& install, const ProjectState& state, const BreedShape& shape,
                    const QString& target, const QString& projectPath,
                    const std::function<QByteArray(const BreedSheet&)>& encode);

} // namespace yw
