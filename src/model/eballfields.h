#pragma once

#include "model/eballrecord.h"

#include <QFlags>
#include <array>
#include <cstdint>
#include <stdexcept>

namespace yw {

// The fields of an eBall that the editors change. The texture number, the seventh value and the
// comment are never changed by any editor, so they are not here.
enum class EBallField : unsigned {
    Fill = 0x01,
    Border = 0x02,
    Sprecks = 0x04,
    Fuzziness = 0x08,
    BorderThickness = 0x10,
    Diameter = 0x20,
    UseTexture = 0x40,
};
Q_DECLARE_FLAGS(EBallFields, EBallField)
Q_DECLARE_OPERATORS_FOR_FLAGS(EBallFields)

// One row per field: everything that differs between fields is here, and the tools, the undo
// steps, the eBall editor, Apply to Others and the project file loop over the rows.
struct EBallFieldRow
{
    EBallField field;
    int16_t EBallRecord::*member;
    // In undo steps ("Undo Fill Color") and in dialogs.
    const char* name;
    // The object name of its tick in Apply to Others.
    const char* tickName;
    // What the eBall editor can show and set.
    int16_t least;
    int16_t most;
    // Its place in the project file's eBall line (0-based) and how a reading error names it.
    int fileColumn;
    const char* fileName;
};

// In the order the editor and its dialogs show them.
inline constexpr std::array<EBallFieldRow, 7> kEBallFields = {{
    {EBallField::Fill, &EBallRecord::fillColor, "Fill Color", "chkFill", -1, 255, 3,
     "the fill colour"},
    {EBallField::Border, &EBallRecord::borderColor, "Border Color", "chkBorder", -1, 255, 2,
     "the border colour"},
    {EBallField::Sprecks, &EBallRecord::spreckColor, "Sprecks Color", "chkSprecks", -1, 255, 7,
     "the sprecks colour"},
    {EBallField::Fuzziness, &EBallRecord::fuzziness, "Fuzziness", "chkFuzziness", 0, 3, 4,
     "the fuzziness"},
    {EBallField::BorderThickness, &EBallRecord::borderThickness, "Border Thickness", "chkThickness",
     -1, 2, 1, "the border thickness"},
    {EBallField::Diameter, &EBallRecord::diameter, "eBall Diameter", "chkDiameter", -999, 999, 6,
     "the diameter"},
    {EBallField::UseTexture, &EBallRecord::useTexture, "Texture Use", "chkTexture", 0, 1, 9,
     "the texture flag"},
}};

// The project file's eBall line holds ten values: the fields above at their columns, and these.
inline constexpr int kBallLineValues = 10;
inline constexpr int kBallLineAuxColumn = 0;
inline constexpr int kBallLineCommentColumn = 5;
inline constexpr int kBallLineTextureColumn = 8;

// Every column of the line holds exactly one value.
constexpr bool ballLineIsWhole()
{
    for (int column = 0; column < kBallLineValues; ++column) {
        int holders = column == kBallLineAuxColumn || column == kBallLineCommentColumn ||
                      column == kBallLineTextureColumn;
        for (const EBallFieldRow& row : kEBallFields)
            holders += row.fileColumn == column;
        if (holders != 1)
            return false;
    }
    return true;
}
static_assert(ballLineIsWhole());

// The colour fields lead the table, in the order the eBall editor and Replace Colour show them;
// they, and only they, hold a palette index (-1 for none).
inline constexpr size_t kColourFieldCount = 3;
constexpr bool colourRowsLead()
{
    for (size_t i = 0; i < kEBallFields.size(); ++i) {
        const bool palette = kEBallFields[i].least == -1 && kEBallFields[i].most == 255;
        if (palette != (i < kColourFieldCount))
            return false;
    }
    return true;
}
static_assert(colourRowsLead());

constexpr EBallFields colourFields()
{
    EBallFields fields;
    for (size_t i = 0; i < kColourFieldCount; ++i)
        fields |= kEBallFields[i].field;
    return fields;
}
inline constexpr EBallFields kColourFields = colourFields();

// The row of `field`; throws std::invalid_argument for a value that names no one field.
constexpr const EBallFieldRow& fieldRow(EBallField field)
{
    for (const EBallFieldRow& row : kEBallFields)
        if (row.field == field)
            return row;
    throw std::invalid_argument("not one eBall field");
}

// The row at `column` of the project file's eBall line; null for the other values.
constexpr const EBallFieldRow* fieldAtColumn(int column)
{
    for (const EBallFieldRow& row : kEBallFields)
        if (row.fileColumn == column)
            return &row;
    return nullptr;
}

inline int16_t fieldValue(const EBallRecord& record, EBallField field)
{
    return record.*fieldRow(field).member;
}

} // namespace yw
