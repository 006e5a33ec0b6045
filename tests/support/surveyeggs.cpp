#include "support/surveyeggs.h"

#include "samplegame/newexecutable.h"

#include <algorithm>
#include <random>

namespace yw::test {

namespace {

using Value = int32_t LocatorValues::*;

// A text and `zeros` zero bytes after it (none: a control byte follows, so it has no zero after
// it). A region's text gives the locator its position, `shift` bytes on (a set: its first ball
// line, plus one), and its length: the room less `less`. `at` and `end` are where the text and
// its room lie in its piece.
struct Item
{
    QByteArray text;
    int zeros = 0;
    Value position = nullptr, length = nullptr;
    int shift = 0, less = 1;
    qsizetype at = 0, end = 0;
};

struct Piece
{
    std::string name;
    std::vector<Item> items;
    bool zeroTail = false; // padded with zeros to the end of the resource, then a zero after it
};

class Filler : public std::mt19937_64
{
public:
    using std::mt19937_64::mt19937_64;
    int below(int bound) { return int((*this)() % uint64_t(bound)); }
    // Non-zero bytes that are no text: nothing in them reads as a region.
    QByteArray control(int count)
    {
        static const char bytes[] = "\x01\x02\x03\x04\x05\x06\x07\x08\x0b\x0c\x0e\x0f\x10\x11"
                                    "\x12\x13\x14\x15\x16\x17\x18\x19\x1a\x1b\x1c\x1d\x1e\x1f\x7f";
        QByteArray out;
        for (int i = 0; i < count; ++i)
            out += bytes[below(int(sizeof bytes) - 1)];
        return out;
    }
    std::string words(int count, const char* separator)
    {
        static const char* const pool[] = {"honk",   "loud",  "happy", "bright",   "the",  "egg",
                                           "sleepy", "round", "quick", "friendly", "bold", "tray"};
        std::string text;
        for (int i = 0; i < count; ++i)
            text += (i ? separator : "") + std::string(pool[below(12)]);
        return text;
    }
};

// The labels the survey makes of the eBalls' comments.
const char* const kParts[] = {"Body",     "Left Cheek", "Right Ear Tip", "Tail", "Nose",
                              "Left Eye", "Chin",       "Belly",         "Neck", "Right Paw"};

} // namespace

QByteArray neFile(const std::vector<NeChunk>& chunks, std::vector<qsizetype>* offsets)
{
    // The sample game's writer, with the NE header at 128 and its resource table at 192: named
    // resources, each at a unit boundary after some control bytes.
    Filler filler(chunks.size());
    std::vector<sample::NeResourceEntry> resources;
    for (const NeChunk& chunk : chunks)
        if (chunk.resource)
            resources.push_back(
                {chunk.type,
                 {},
                 0,
                 QByteArray::fromStdString(chunk.name),
                 chunk.data.leftJustified(sample::roundUpToUnit(chunk.data.size()), '~')});
    qsizetype at = 128 + sample::neHeader(resources).size();
    std::vector<qsizetype> starts;
    for (size_t c = 0, r = 0; c < chunks.size(); ++c) {
        at = sample::roundUpToUnit(at + 3 + filler.below(20));
        starts.push_back(at);
        if (chunks[c].resource)
            resources[r++].offset = at;
        at += sample::roundUpToUnit(chunks[c].data.size());
    }
    QByteArray file =
        sample::dosStub(128, [&] { return filler.control(1)[0]; }) + sample::neHeader(resources);
    for (size_t c = 0; c < chunks.size(); ++c) {
        file += filler.control(int(starts[c] - file.size()));
        file += chunks[c].data.leftJustified(sample::roundUpToUnit(chunks[c].data.size()), '~');
    }
    if (offsets)
        *offsets = starts;
    return file + filler.control(7);
}

SurveyEgg makeSurveyEgg(const SurveyEggRecipe& recipe)
{
    Filler filler(recipe.seed);
    SurveyEgg egg;
    const int n = recipe.ballsPerSet;
    const auto zeros = [&] { return recipe.onePaddingByte ? 1 : 2 + filler.below(30); };
    using L = LocatorValues;

    // The two sets in LNZ texts, among decoy sections; set A also has lines of ball shape outside
    // [Ballz Info]: as many as a set has where the header tells them apart, else one.
    std::vector<Piece> pieces;
    for (int set = 0; set < 2; ++set) {
        QByteArray lnz = recipe.decoys ? "[Default Linez Thickness]\r\n100\r\n" : "";
        if (recipe.ballzInfo)
            lnz += "[Ballz Info]\r\n";
        const int at = int(lnz.size());
        for (int k = 0; k < n; ++k) {
            const std::string part = k < 10 ? kParts[k] : "Part " + std::to_string(k + 1);
            const std::string lower = QString::fromStdString(part).toLower().toStdString();
            EBallRecord& r = egg.eBalls.emplace_back(
                EBallRecord{int16_t(filler.below(256)), int16_t(filler.below(256) - 1), 0,
                            int16_t(filler.below(4)), int16_t(filler.below(4) - 1),
                            int16_t(set == 0 ? 4 + filler.below(27) : 31 + filler.below(60)), 0,
                            int16_t(filler.below(3) == 0 ? filler.below(20) : -1),
                            k == 1 ? ";" : (set == 0 ? "; baby " : "; ") + lower, 0});
            r.useTexture = r.texture > -1;
            if (set == 1)
                egg.labels.push_back(k == 1 ? "eBall 2" : part);
            lnz += QByteArray::fromStdString(formatBallLine(r)) + ",\r\n";
        }
        if (recipe.decoys)
            lnz += "[Add Ball]\r\n10 20 30 4 5 6 7\r\n[Linez]\r\n1 2 0 -1 5 5\r\n";
        if (recipe.decoys && set == 0) {
            lnz += "[Paint Ballz]\r\n";
            for (int k = 0; k < (recipe.ballzInfo ? n : 1); ++k)
                lnz += "  3,      2,      1,      0,      0,      1,      0,      4    dot,\r\n";
        }
        pieces.push_back(
            {set ? "HK.LNZ" : "HK_SMALL.LNZ",
             {{lnz, filler.below(3), set ? &L::locSetBPos : &L::locSetAPos, nullptr, at + 1}}});
    }

    // The texts, with decoys: a name block of another breed, a text without a zero after it, a
    // line of numbers. The egg writer writes an entry beyond the tip pairs empty: so does the
    // game.
    egg.description = "The Honker is " + filler.words(8 + filler.below(10), " ") + ".";
    egg.attributes = filler.words(3, ", ");
    QByteArray tips;
    for (int j = 0; j < recipe.tipCount; ++j)
        tips += (j ? "\r\nstring" : "string") + QByteArray::number(j) + "=" +
                QByteArray::fromStdString(
                    j < recipe.tipCount / 2 * 2 ? filler.words(filler.below(6), " ") : "");
    std::vector<Item> texts = {
        {"Honker\r\n4 2", zeros(), &L::locNamePos, &L::locNameLen},
        {QByteArray::fromStdString(egg.description), zeros(), &L::locDescPos, &L::locDescLen},
        {QByteArray::fromStdString(egg.attributes), zeros(), &L::locAttrPos, &L::locAttrLen},
        {tips + "\r\n", zeros() + recipe.onePaddingByte, &L::locTipsPos, &L::locTipsLen, 0,
         2 + 10 * recipe.tipCount},
    };
    if (recipe.decoys)
        texts.insert(texts.end(), {{"Honkette\r\n7 3", zeros()},
                                   {"A text with no zero byte after it", 0},
                                   {"12 34 56 78", zeros()}});
    if (recipe.thirdText)
        texts.push_back({"Some other words entirely", zeros()});
    std::shuffle(texts.begin(), texts.end(), filler);
    if (filler.below(2) == 0)
        pieces.push_back({"STRINGS", texts});
    else
        for (size_t i = 0; i < texts.size(); ++i)
            pieces.push_back({"TEXT" + std::to_string(i), {texts[i]}});
    std::shuffle(pieces.begin(), pieces.end(), filler);

    // Each piece becomes a resource (or a stretch of bare bytes between control bytes).
    std::vector<NeChunk> chunks;
    for (Piece& piece : pieces) {
        QByteArray data;
        for (Item& item : piece.items) {
            item.at = data.size();
            data += item.text + (item.zeros ? QByteArray(item.zeros, '\0') : filler.control(1));
            item.end = data.size();
            if (!recipe.resourceTable)
                data += filler.control(1 + filler.below(8));
        }
        piece.zeroTail = recipe.resourceTable && !recipe.onePaddingByte &&
                         piece.items.back().zeros > 0 && filler.below(2) == 0;
        if (piece.zeroTail) {
            data += QByteArray((16 - data.size() % 16) % 16, '\0');
            piece.items.back().end = data.size();
        }
        chunks.push_back({piece.name, data, recipe.resourceTable});
    }
    std::vector<qsizetype> offsets;
    if (recipe.resourceTable) {
        if (recipe.decoys) // a text outside every resource
            chunks.insert(
                chunks.begin() + 1,
                {"", "Outside every resource, so no text" + QByteArray(8, '\0') + filler.control(1),
                 false});
        chunks.insert(chunks.end(), recipe.more.begin(), recipe.more.end());
        egg.bytes = neFile(chunks, &offsets);
        if (recipe.decoys)
            offsets.erase(offsets.begin() + 1);
    } else {
        for (const NeChunk& chunk : chunks) {
            egg.bytes += filler.control(1 + filler.below(20));
            offsets.push_back(egg.bytes.size());
            egg.bytes += chunk.data;
        }
        egg.bytes += filler.control(9);
    }

    egg.locator.tipCount = recipe.tipCount;
    for (size_t p = 0; p < pieces.size(); ++p) {
        for (const Item& item : pieces[p].items) {
            if (item.position)
                egg.locator.*item.position = int32_t(offsets[p] + item.at + 1 + item.shift);
            if (item.length)
                egg.locator.*item.length = int32_t(item.end - item.at - item.less);
        }
        // A zero right after a resource whose room runs to its end: the room must stop there.
        if (pieces[p].zeroTail)
            egg.bytes[offsets[p] + pieces[p].items.back().end] = '\0';
    }
    egg.header.ballsPerSet = n;
    egg.header.lnzNameA = recipe.resourceTable ? "HK_SMALL.LNZ" : "Honker_baby.lnz";
    egg.header.lnzNameB = recipe.resourceTable ? "HK.LNZ" : "Honker_adult.lnz";
    return egg;
}

} // namespace yw::test
