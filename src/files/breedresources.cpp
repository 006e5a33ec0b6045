#include "files/breedresources.h"

#include "files/fieldcodec.h"
#include "model/installation.h"
#include "model/projectstate.h"
#include "platform/cp1252.h"
#include "platform/errors.h"
#include "platform/numbers.h"
#include "platform/savefile.h"
#include "platform/text.h"

#include <algorithm>

namespace yw {

namespace {

BreedHeader headerFrom(const QByteArray& bytes, const QString& path)
{
    FieldReader reader(bytes, path);
    BreedHeader header;
    header.lnzNameA = reader.text(QStringLiteral("the name of ball set A"));
    header.lnzNameB = reader.text(QStringLiteral("the name of ball set B"));
    const int line = reader.line();
    const int32_t count = reader.int32(QStringLiteral("the number of eBalls per set"));
    reader.requireLineEnd(QStringLiteral("the number of eBalls per set"));
    if (count < 1 || count > kMaxBallsPerSet)
        throw FormatError(path, QStringLiteral("line %1").arg(line),
                          QStringLiteral("a number of eBalls per set from 1 to %1, not %2")
                              .arg(kMaxBallsPerSet)
                              .arg(count));
    header.ballsPerSet = count;
    return header;
}

std::vector<std::string> labelsFrom(const QByteArray& bytes)
{
    std::vector<std::string> lines = splitLines(bytes);
    if (!lines.empty())
        lines.erase(lines.begin());
    return lines;
}

} // namespace

BreedHeader readBreedHeader(const QString& path)
{
    return headerFrom(readWholeFile(path, kTextFileLimit), path);
}

std::vector<std::string> readBreedLabels(const QString& path)
{
    return labelsFrom(readWholeFile(path, kTextFileLimit));
}

BreedHeader readBreedHeader(const Installation& install, const ProjectState& state)
{
    return readBreedHeader(install.infoFilePath(state.baseBreed));
}

BreedShape readBreedShape(const QString& path)
{
    const QByteArray bytes = readWholeFile(path, kTextFileLimit);
    return {headerFrom(bytes, path), labelsFrom(bytes)};
}

BreedShape readBreedShape(const Installation& install, const ProjectState& state)
{
    return readBreedShape(install.infoFilePath(state.baseBreed));
}

namespace {

// The field from `from` to the next two tabs; `from` moves past them (past the end at the last).
std::string fieldAt(const std::string& line, size_t& from)
{
    const size_t split = line.find("\t\t", from);
    std::string field =
        line.substr(from, split == std::string::npos ? std::string::npos : split - from);
    from = split == std::string::npos ? line.size() + 1 : split + 2;
    return field;
}

void readLocatorLines(const Installation& install, ProjectState& state, bool strict)
{
    const QString path = install.locatorFilePath(state.baseBreed);
    const std::vector<std::string> lines = splitLines(readWholeFile(path, kTextFileLimit));

    // The values each line gives, in the order of its fields.
    std::vector<const LocatorField*> fields[kLocatorLines];
    for (const LocatorField& field : kLocatorFields)
        fields[field.line].push_back(&field);
    for (size_t row = 0; row < kLocatorLines; ++row) {
        const size_t lineIndex = row + 2;
        const auto fault = [&](const QString& expected) {
            return FormatError(path, QStringLiteral("line %1").arg(lineIndex + 1), expected);
        };
        // A value the file does not give would stay the previous breed's, unseen.
        const auto missing = [&] {
            const auto count =
                std::count_if(fields[row].begin(), fields[row].end(),
                              [](const LocatorField* field) { return !field->whenAbsent; });
            return fault(QStringLiteral("%1 number(s) separated by two tabs").arg(count));
        };
        if (lineIndex >= lines.size()) {
            if (strict)
                throw missing();
            break;
        }
        const std::string& line = lines[lineIndex];
        size_t from = 0;
        for (const LocatorField* locator : fields[row]) {
            int32_t* const member = &(state.*locator->state);
            if (locator->whenAbsent) {
                const auto value =
                    from > line.size() ? std::nullopt : parseInt32(fieldAt(line, from));
                *member = value.value_or(*locator->whenAbsent);
                continue;
            }
            if (from > line.size()) {
                if (strict)
                    throw missing();
                break;
            }
            const std::string field = fieldAt(line, from);
            const auto value = parseInt32(field);
            if (value)
                *member = *value;
            else if (strict)
                throw fault(QStringLiteral("a whole number (digits, with a sign if need be) "
                                           "between the double tabs, not \"%1\"")
                                .arg(cp1252::toUnicode(field.substr(0, 40))));
        }
    }
}

} // namespace

void readLocatorFile(const Installation& install, ProjectState& state)
{
    readLocatorLines(install, state, true);
}

void getLOX(const Installation& install, ProjectState& state)
{
    try {
        readLocatorLines(install, state, false);
    } catch (const FileError&) {
    }
}

void LocatorValues::applyTo(ProjectState& state) const
{
    for (const LocatorField& row : kLocatorFields)
        state.*row.state = this->*row.values;
}

LocatorValues LocatorValues::of(const ProjectState& state)
{
    LocatorValues values;
    for (const LocatorField& row : kLocatorFields)
        values.*row.values = state.*row.state;
    return values;
}

QByteArray informationFileBytes(const BreedHeader& header, const std::vector<std::string>& labels)
{
    QByteArray blz = "\"" + QByteArray::fromStdString(header.lnzNameA) + "\",\"" +
                     QByteArray::fromStdString(header.lnzNameB) + "\"," +
                     QByteArray::number(header.ballsPerSet) + "\r\n";
    for (const std::string& label : labels)
        blz += QByteArray::fromStdString(label) + "\r\n";
    return blz;
}

QByteArray locatorFileBytes(const LocatorValues& v, const std::string& title)
{
    QByteArray loc = QByteArray::fromStdString(title) + "\r\nposition\t\tlength\t\tcount";
    for (const LocatorField& row : kLocatorFields)
        loc += (row.field == 0 ? "\r\n" : "\t\t") + QByteArray::number(v.*row.values);
    return loc + "\r\n";
}

} // namespace yw
