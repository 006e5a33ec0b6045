#pragma once

#include "files/breedresources.h"
#include "model/projectstate.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <string>
#include <vector>

// The survey measures a player's own base egg and gives the values of its information and
// locator files, so the program can read and write eggs that we cannot ship files for. A wrong
// locator file would damage every egg made from it, so the survey never guesses: what it finds
// must survive a round trip, and what the egg cannot tell is left to the user.
//
// What it expects of an egg (every position 1-based, as the locator file gives them):
// - Where the egg is a "New Executable" with resources, only its text resources are searched:
//   never pictures, icons, cursors or fonts, nor resources that are mostly not text. No region
//   crosses the end of its resource. A damaged table is refused (see neresources.h); a table
//   without resources leaves the whole file to be searched.
// - A region begins at a resource's first byte or right after a byte that cannot be text (a
//   zero, a control byte, a line end). A text's room runs over the zero bytes after it.
// - Ball sets: the two whole runs of ball lines of the same count (1 to 256), preferred under
//   "[Ballz Info]" headers, where a run must fill its section. A run next to a line that only
//   looks like a ball line is refused. The baby is the set with the smaller diameters; when
//   the sums are equal the user chooses (`SurveyChoices::baby`).
// - Tips: the consecutive lines string0= ... stringK= from a line start; the room ends at the
//   zero bytes right after the last of them.
// - Name block: "name CR LF tray blank slot" (tray and slot in digits), as the wizard's reader
//   reads it; the one named like the breed wins. A name with bytes glued before the breed's list
//   name is refused.
// - Description and attributes: the other texts followed by zero bytes, mostly letters. Which is
//   which is the user's choice; with exactly two the longer is offered as the description.
// - Finally the round trip: an unchanged project read at the places found and written by the egg
//   writer must give back the egg byte for byte (a curly closing quote, 148, may come back
//   straight).
namespace yw {

// A text that could be the description or the attributes.
struct TextCandidate
{
    qint64 position = 0; // 1-based first byte, as --description/--attributes take it
    std::string text;    // Windows-1252, the first words only
    qint64 room = 0;     // the text and the zero bytes after it
};

// A run of ball lines that is one of the two sets; A is the one that comes first in the egg.
struct BallSetCandidate
{
    qint64 position = 0; // 1-based first byte of its first line
    int count = 0;
    qint64 diameters = 0;
    std::string firstComment;
};

enum class BabySet { A, B };

struct SurveyChoices
{
    std::optional<qint64> descriptionPosition;
    std::optional<qint64> attributesPosition;
    std::optional<BabySet> baby;
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
    qint64 candidateCount = 0;             // all of them; `candidates` holds the first few
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
    // The choices the egg did not settle: taken by default here, so the user must confirm them.
    bool textsOpen = false;
    bool babyOpen = false;
    std::array<TextCandidate, 2> texts;   // the description, then the attributes
    std::array<BallSetCandidate, 2> sets; // A then B, in the egg's order
    BabySet baby = BabySet::A;
    QStringList notes; // what the user should know, such as another name
    // The choices that give these findings again, and those with a pair swapped.
    SurveyChoices choices() const;
    SurveyChoices withTextsSwapped() const;
    SurveyChoices withSetsSwapped() const;
};

// A region the survey looked at, for the layout report: 0-based [begin, end) of its text and
// the end of its room.
struct SurveyTrace
{
    QString what;
    qint64 begin = 0;
    qint64 end = 0;
    qint64 roomEnd = 0;
};

struct SurveyResult
{
    std::optional<SurveyFindings> findings; // set when the survey succeeded
    SurveyRefusal refusal;                  // otherwise
    std::vector<SurveyTrace> tried;         // the regions looked at (at most a few hundred)
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
