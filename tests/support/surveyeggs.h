#pragma once

#include "files/breedresources.h"
#include "model/eballrecord.h"

#include <QByteArray>
#include <vector>

// Base eggs made for the survey's tests and fuzz seeds, with the values the survey must find.
// Every region has non-zero bytes right up to it and right after its room, except where a room
// runs to the end of its resource and the byte after the resource is zero on purpose.
namespace yw::test {

// A "New Executable" (the sample game's writer) with its chunks in order, each at a 16-byte
// boundary after some filler; the resources among them named in the table (shift 4). `offsets`
// gets where each chunk begins.
struct NeChunk
{
    std::string name;
    QByteArray data;
    bool resource = true;
    uint16_t type = 0xa; // an integer type: 10 raw data, 2 a bitmap
};

struct SurveyEggRecipe
{
    uint64_t seed = 1;
    bool resourceTable = true;      // a "New Executable" with named resources, else bare bytes
    bool decoys = true;             // texts, name blocks and numeric LNZ lines that are no region
    bool ballzInfo = true;          // a [Ballz Info] header above each set
    bool onePaddingByte = false;    // two after the tips, which one would not give back
    bool thirdText = false;         // one more text that could be the description
    std::vector<NeChunk> more = {}; // further resources, after the breed's
    int ballsPerSet = 5, tipCount = 6;
};

struct SurveyEgg
{
    QByteArray bytes;
    LocatorValues locator;
    BreedHeader header;
    std::vector<std::string> labels;
    std::vector<EBallRecord> eBalls; // set A then set B
    std::string description, attributes;
};

// The breed is Honker (list name and stem alike).
SurveyEgg makeSurveyEgg(const SurveyEggRecipe& recipe);

QByteArray neFile(const std::vector<NeChunk>& chunks, std::vector<qsizetype>* offsets = nullptr);

} // namespace yw::test
