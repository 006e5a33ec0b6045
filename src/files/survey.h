#pragma once

#include "files/breedresources.h"
#include "model/projectstate.h"

#include <QByteArray>
#include <QString>
#include <optional>
#include <string>
#include <vector>

// The survey measures a player's own base egg and gives the values of its information and
// locator files, so the program can read and write eggs that we cannot ship files for.
//
// What it expects of an egg (every position 1-based, as the locator file gives them):
// - Where the egg is a "New Executable" with a usable resource table, only its text resources
//   are searched (at least 90 % of their bytes printable ASCII, tab, CR, LF or zero) and no region
//   crosses the end of the resource it starts in; a table that cannot be (see neresources.h) is
//   refused. Without a table the whole file is searched.
// - A text is a run of text bytes (tab, CR, LF, 0x20-0x7E, Windows-1252 0x80-0xFF) after a
//   non-text byte or the start of its resource. Its room runs from its first byte up to the
//   first non-zero byte after the zero bytes that follow it, or the end of its resource or the
//   file. A text with no zero byte after it is no region.
// - Ball sets: the two runs of consecutive lines that read as ball lines, of the same count
//   (1 to 256). Runs under a "[Ballz Info]" header are preferred when there are two or more;
//   lines of other sections are ball lines only if they read as such. Set A is the one with the
//   smaller diameters (the first on a tie). Its name is the resource's name when each set lies in
//   a named resource of its own, else "<stem>_baby.lnz" / "<stem>_adult.lnz". Labels come from
//   the adult set's comments ("; left cheek" -> "Left Cheek"), else the baby set's, else
//   "eBall k" (k from 1).
// - Tips: the one block of lines string0= ... stringK= (consecutive keys, each at a line start);
//   tipCount = K + 1, at most 6; T = room - 2.
// - Name block: a whole text "name CR LF tray blank slot" (tray and slot in digits); the one
//   whose name is the breed's list name wins when there are several. Length = room - 1.
// - Description and attributes: the other texts, followed by zero bytes, mostly letters, that
//   are not LNZ texts (a "[...]" header or a ball line) nor shaped like a name block or tips.
//   Exactly two: the longer is the description. Otherwise the caller chooses by position.
//   Length = room - 1.
// - Finally the program's own reading of a new project must succeed at the measured places.
namespace yw {

// A text that could be the description or the attributes.
struct TextCandidate
{
    qint64 position = 0; // 1-based first byte, as --description/--attributes take it
    std::string text;    // Windows-1252, without the zero bytes
    qint64 room = 0;
};

struct SurveyChoices
{
    std::optional<qint64> descriptionPosition;
    std::optional<qint64> attributesPosition;
};

enum class SurveyRegion {
    ResourceTable,
    BallSets,
    Tips,
    NameBlock,
    Description,
    Attributes,
    Check
};

struct SurveyRefusal
{
    SurveyRegion region = SurveyRegion::Check;
    QString message;                       // one sentence naming the region and why
    std::vector<TextCandidate> candidates; // for a description/attributes ambiguity
};

// What a survey found, in the form of the two files and of what the program then reads.
struct SurveyFindings
{
    BreedHeader header;
    std::vector<std::string> labels;
    LocatorValues locator;
    bool resourceTable = false; // the egg has a usable resource table
    // The base egg as the wizard reads it at the measured places: eBalls, texts and tips.
    ProjectState read;
};

struct SurveyResult
{
    std::optional<SurveyFindings> findings; // set when the survey succeeded
    SurveyRefusal refusal;                  // otherwise
};

// `stem` is the breed's file-name stem ("quadrpus", "Honker"); its list name is preferred for
// the name block. Never throws for anything in `egg`.
SurveyResult surveyEgg(const QByteArray& egg, const std::string& stem,
                       const SurveyChoices& choices = {});

// The files' bytes, exactly as the program reads them. The locator's unread first line is
// "Locator of <stem>.odd (surveyed)"; the sample game writes the shipped files through these too.
QByteArray surveyedInformationFile(const SurveyFindings& findings);
QByteArray surveyedLocatorFile(const SurveyFindings& findings, const std::string& stem);
QByteArray surveyedLocatorFile(const LocatorValues& values, const std::string& stem);

} // namespace yw
