#include "samplegame/samplegame.h"

#include "files/survey.h"
#include "model/gameinstall.h"
#include "model/projectstate.h"
#include "platform/cp1252.h"
#include "platform/errors.h"
#include "platform/savefile.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <optional>
#include <set>
#include <stdexcept>

namespace yw::sample {

namespace {

// SplitMix64: the same numbers on every platform and compiler, unlike <random>'s distributions.
class Random
{
public:
    explicit Random(const std::string& seed)
    {
        m_state = 1469598103934665603ull;
        for (const char c : seed)
            m_state = (m_state ^ uint8_t(c)) * 1099511628211ull;
    }
    uint64_t next()
    {
        uint64_t z = (m_state += 0x9e3779b97f4a7c15ull);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
        return z ^ (z >> 31);
    }
    int below(int bound) { return int(next() % uint64_t(bound)); }

private:
    uint64_t m_state;
};

QByteArray filler(qint64 size, const std::string& seed)
{
    QByteArray bytes(size, Qt::Uninitialized);
    Random random(seed);
    qint64 i = 0;
    while (i < size) {
        uint64_t value = random.next();
        for (int b = 0; b < 8 && i < size; ++b, ++i, value >>= 8)
            bytes[i] = char(value & 0xff);
    }
    return bytes;
}

struct BreedSeed
{
    const char* listText;
    const char* stem;
    const char* setCode;
    bool companion;
    const char* tray;
    const char* slot;
    const char* description;
    const char* attributes;
    std::array<const char*, 3> regTips;
    std::array<const char*, 3> demoTips;
    int tipCount;
    qint64 eggSize; // of the US egg
};

// Texts are Windows-1252 bytes, as the game stores them.
const BreedSeed kBreeds[] = {
    {"Quadrapus",
     "quadrpus",
     "qp",
     true,
     "3",
     "1",
     "Four arms, four times the mischief. The Quadrapus juggles anything it can reach.",
     "Playful, curious, clumsy",
     {"The Quadrapus can juggle four balls at once.", "Tickle a tentacle to make it giggle.",
      "A sleepy Quadrapus curls all four arms."},
     {"Register Oddballz to hatch more Quadrapuses.", "Demo eggs hatch only once.",
      "The full game has twelve more breeds."},
     6,
     412160},
    {"Honker",
     "Honker",
     "hk",
     false,
     "4",
     "2",
     "You will hear a Honker long before you see one. It loves to \"honk\" at every visitor.",
     "Loud, friendly, hungry",
     {"Honkers honk louder when they are happy.", "Feed a Honker before bedtime.",
      "Two Honkers will honk in harmony."},
     {"Register to teach your Honker new tunes.", "The demo Honker honks only twice.",
      "More breeds wait in the full game."},
     6,
     1000000},
    {"Norvil",
     "Norvil",
     "nv",
     true,
     "5",
     "3",
     "A quiet thinker.\r\nThe Norvil keeps to its corner and watches the others play.",
     "Shy, patient, wise",
     {"Norvils like a slow, gentle hand.", "Leave a Norvil alone and it will come to you.",
      "A Norvil remembers every trick."},
     {"Register to let your Norvil think aloud.", "The demo has one Norvil only.",
      "Buy the full game for more eggs."},
     6,
     268288},
    {"Zott",
     "Zott",
     "zt",
     false,
     "6",
     "4",
     "Zotts zip from one side of the screen to the other and never seem to tire.",
     "Fast, restless, bright",
     {"Catch a Zott by waiting where it stops.", "Zotts love bouncing balls.",
      "A tired Zott naps in mid-air."},
     {"Register for faster Zotts.", "Demo Zotts stay in the first tray.",
      "The full game has every tray open."},
     6,
     185344},
    {"Jester",
     "Jester",
     "js",
     true,
     "7",
     "5",
     "The Jester tells the same joke again and again, and laughs every time.",
     "Silly, loud, cheerful",
     {"Laugh at a Jester's joke and it will tell another.", "Jesters juggle their own bells.",
      "A bored Jester pulls faces."},
     {"Register to hear all the Jester's jokes.", "The demo Jester knows one joke.",
      "The full game tells the rest."},
     6,
     530432},
    {"Snowbo",
     "Snowbo",
     "sb",
     false,
     "8",
     "6",
     "Snowbo dreams of snowy hills and cr\xe8me br\xfbl\xe9"
     "e.",
     "Cool, calm, sweet-toothed",
     {"Snowbos shiver when they are happy.", "Give a Snowbo something cold to hold.",
      "Snowbos melt a little in the sun."},
     {"Register for a Snowbo that never melts.", "The demo Snowbo stays indoors.",
      "The full game has winter scenes."},
     6,
     143360},
    {"Walret",
     "Walret",
     "wr",
     false,
     "9",
     "7",
     "The Walret waddles on its whiskers and snorts at anything new.",
     "Grumpy, loyal, round",
     {"A Walret snort means hello.", "Walrets like to be patted on the head.",
      "Two Walrets will argue all day."},
     {"Register to make your Walret smile.", "The demo Walret does not waddle far.",
      "The full game has room for a herd."},
     6,
     337920},
    {"Dynaroo",
     "Dynaroo",
     "dr",
     false,
     "10",
     "8",
     "Dynaroos bounce on their tails and can clear three trays in a single jump.",
     "Bouncy, bold, noisy",
     {"A Dynaroo bounces higher on soft ground.", "Throw a ball and a Dynaroo fetches it.",
      "Dynaroos never walk if they can jump."},
     {"Register for higher jumps.", "The demo Dynaroo jumps twice only.",
      "The full game opens every tray."},
     6,
     604160},
    {"Modvark",
     "Modvark",
     "mv",
     false,
     "11",
     "9",
     "The Modvark sniffs out every hidden thing and likes to dig under the tray.",
     "Nosy, busy, tidy",
     {"Hide a ball and watch the Modvark find it.", "Modvarks sneeze when they are dusty.",
      "A Modvark tidies its own corner."},
     {"Register to let your Modvark dig deeper.", "The demo Modvark sniffs but never digs.",
      "The full game hides more treasure."},
     6,
     229376},
    {"Lips",
     "Lips",
     "lp",
     false,
     "12",
     "10",
     "Lips is all mouth: it hums, it whistles, and it kisses every ball it sees.",
     "Chatty, loving, musical",
     {"Lips hums a new song every day.", "Kiss the Lips back and it blushes.",
      "Lips whistles when it is hungry."},
     {"Register to hear every song.", "The demo Lips only hums.", "The full game sings along."},
     6,
     118784},
    {"Skorch",
     "Skorch",
     "sk",
     true,
     "13",
     "11",
     "A Skorch breathes warm air and keeps the whole tray cosy on cold nights.",
     "Warm, proud, quick to anger",
     {"Never tickle a Skorch after dinner.", "A happy Skorch glows orange.",
      "Skorches like to sleep near the top of the screen."},
     {"Register for a Skorch that glows all night.", "The demo Skorch stays cool.",
      "The full game has hotter breeds."},
     6,
     761856},
    {"102",
     "102",
     "102",
     false,
     "14",
     "12",
     "Nobody knows why this breed is called 102. It does not seem to know either.",
     "Odd, puzzled, gentle",
     {"Count to 102 and it will wave.", "102 likes numbers and patterns.", ""},
     {"Register to learn 102's secret.", "The demo 102 counts only to ten.", ""},
     4,
     296960},
    {"Grinnz",
     "Grinnz",
     "gz",
     false,
     "15",
     "1",
     "The Grinnz grins at everything, even when there is nothing to grin about.",
     "Happy, toothy, easy-going",
     {"A Grinnz grins wider when you smile back.", "Grinnz teeth need no brushing.", ""},
     {"Register for a Grinnz that laughs.", "The demo Grinnz grins only.", ""},
     5,
     450560},
};

constexpr int kCount = int(std::size(kBreeds));

const char* const kLabels[kBallsPerSet] = {"Body",
                                           "Belly",
                                           "Chest",
                                           "Back",
                                           "Neck",
                                           "Head",
                                           "Snout",
                                           "Nose",
                                           "Chin",
                                           "Jaw",
                                           "Left Cheek",
                                           "Right Cheek",
                                           "Left Eye",
                                           "Right Eye",
                                           "Left Pupil",
                                           "Right Pupil",
                                           "Left Brow",
                                           "Right Brow",
                                           "Left Ear",
                                           "Right Ear",
                                           "Left Ear Tip",
                                           "Right Ear Tip",
                                           "Forehead",
                                           "Crown",
                                           "Tongue",
                                           "Upper Lip",
                                           "Lower Lip",
                                           "Left Shoulder",
                                           "Right Shoulder",
                                           "Left Upper Arm",
                                           "Right Upper Arm",
                                           "Left Elbow",
                                           "Right Elbow",
                                           "Left Forearm",
                                           "Right Forearm",
                                           "Left Wrist",
                                           "Right Wrist",
                                           "Left Hand",
                                           "Right Hand",
                                           "Left Finger 1",
                                           "Left Finger 2",
                                           "Right Finger 1",
                                           "Right Finger 2",
                                           "Left Hip",
                                           "Right Hip",
                                           "Left Thigh",
                                           "Right Thigh",
                                           "Left Knee",
                                           "Right Knee",
                                           "Left Shin",
                                           "Right Shin",
                                           "Left Ankle",
                                           "Right Ankle",
                                           "Left Foot",
                                           "Right Foot",
                                           "Left Toe 1",
                                           "Left Toe 2",
                                           "Right Toe 1",
                                           "Right Toe 2",
                                           "Tail Base",
                                           "Tail 1",
                                           "Tail 2",
                                           "Tail 3",
                                           "Tail Tip",
                                           "Tummy Spot",
                                           "Back Spot",
                                           "Whisker"};

// The limbs of the Quadrapus are eight tentacles of four segments each.
constexpr int kFirstLimbLabel = 27;
constexpr int kLimbLabels = 32;

std::string lowerAscii(std::string text)
{
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return text;
}

BreedContent makeContent(const BreedSeed& seed)
{
    BreedContent b;
    b.listText = seed.listText;
    b.stem = seed.stem;
    b.lnzNameA = std::string(seed.setCode) + "_small.lnz";
    b.lnzNameB = std::string(seed.setCode) + ".lnz";
    b.companion = seed.companion;
    b.breedName = seed.listText;
    b.eggTray = seed.tray;
    b.eggSlot = seed.slot;
    b.description = seed.description;
    b.attributes = seed.attributes;
    for (size_t i = 0; i < 3; ++i) {
        b.regTips[i] = seed.regTips[i];
        b.demoTips[i] = seed.demoTips[i];
    }
    b.tipCount = seed.tipCount;

    const bool tentacles = b.stem == "quadrpus";
    for (int i = 0; i < kBallsPerSet; ++i) {
        if (tentacles && i >= kFirstLimbLabel && i < kFirstLimbLabel + kLimbLabels) {
            const int limb = i - kFirstLimbLabel;
            b.labels.push_back("Tentacle " + std::to_string(limb / 4 + 1) + " Segment " +
                               std::to_string(limb % 4 + 1));
        } else {
            b.labels.emplace_back(kLabels[i]);
        }
    }

    Random random(b.stem + "/eBalls");
    for (int i = 0; i < 2 * kBallsPerSet; ++i) {
        EBallRecord r;
        r.fillColor = int16_t(random.below(256));
        r.borderColor = int16_t(random.below(256));
        r.spreckColor = int16_t(random.below(5) == 0 ? -1 : random.below(256));
        r.fuzziness = int16_t(random.below(4));
        r.borderThickness = int16_t(random.below(4) - 1);
        r.diameter = int16_t(8 + random.below(80));
        r.auxValue = int16_t(random.below(6) == 0 ? random.below(5) - 1 : 0);
        r.texture = int16_t(random.below(3) == 0 ? random.below(24) : -1);
        r.useTexture = r.texture > -1 ? 1 : 0;
        // Both sets carry the label as their comment: a survey of the egg finds it there.
        r.comment = "; " + lowerAscii(b.labels[size_t(i % kBallsPerSet)]);
        b.eBalls.push_back(r);
    }
    // The baby is the smaller form, ball by ball.
    Random scale(b.stem + "/baby");
    for (int k = 0; k < kBallsPerSet; ++k)
        b.eBalls[size_t(k)].diameter = int16_t(std::max(
            2, b.eBalls[size_t(kBallsPerSet + k)].diameter * (35 + scale.below(40)) / 100));
    return b;
}

const std::vector<BreedContent>& allBreeds()
{
    static const std::vector<BreedContent> breeds = [] {
        std::vector<BreedContent> list;
        for (const BreedSeed& seed : kBreeds)
            list.push_back(makeContent(seed));
        return list;
    }();
    return breeds;
}

QByteArray ballSet(const BreedContent& b, int first)
{
    QByteArray bytes;
    for (int i = first; i < first + kBallsPerSet; ++i) {
        bytes += QByteArray::fromStdString(formatBallLine(b.eBalls[size_t(i)]));
        bytes += ",\r\n";
    }
    return bytes;
}

QByteArray nameBlock(const BreedContent& b)
{
    return QByteArray::fromStdString(b.breedName + "\r\n" + b.eggTray + " " + b.eggSlot);
}

// The tips block as the egg writer builds it: string0=, string1=, ... registered and demo tips
// alternating, an entry beyond the pairs empty, CR LF between entries.
QByteArray tipsBlock(const BreedContent& b)
{
    QByteArray block;
    const int pairs = b.tipCount / 2;
    for (int j = 0; j < b.tipCount; ++j) {
        if (j > 0)
            block += "\r\n";
        block += "string" + QByteArray::number(j) + "=";
        if (j / 2 < pairs) {
            const std::string& tip =
                j % 2 == 0 ? b.regTips[size_t(j / 2)] : b.demoTips[size_t(j / 2)];
            block += QByteArray::fromStdString(tip);
        }
    }
    return block;
}

QByteArray editionSeed(int index, Edition edition)
{
    return QByteArray::fromStdString(allBreeds()[size_t(index)].stem) +
           (edition == Edition::UK ? "/uk" : "/us");
}

void checkIndex(int index)
{
    if (index < 0 || index >= kCount)
        throw std::out_of_range("sample breed index");
}

// What a reader of any code page takes for text: printable characters, tab, CR and LF.
bool isTextByte(char c)
{
    const auto u = uint8_t(c);
    return u == '\t' || u == '\n' || u == '\r' || (u >= 0x20 && u != 0x7f);
}

// Control characters that no reader takes for text. Every region has one of these right before
// it and right after its room, so a writer that is one byte off changes a byte that matters.
char nonTextByte(Random& random)
{
    static constexpr char kBytes[] = {1,  2,  3,  4,  5,  6,  7,  8,  14, 15, 16, 17, 18, 19,
                                      20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 127};
    return kBytes[random.below(int(std::size(kBytes)))];
}

// Binary filler with zero bytes, like code and pictures, except that no text runs into a zero
// byte: only the egg's own texts have the shape of a text with its room.
QByteArray binaryFiller(qint64 size, const std::string& seed)
{
    QByteArray bytes = filler(size, seed);
    Random random(seed + "/cut");
    for (qint64 i = 1; i < size; ++i)
        if (bytes[i] == '\0' && isTextByte(bytes[i - 1]))
            bytes[i - 1] = nonTextByte(random);
    return bytes;
}

void put16(QByteArray& bytes, qint64 at, qint64 value)
{
    bytes[at] = char(value & 0xff);
    bytes[at + 1] = char((value >> 8) & 0xff);
}

void append16(QByteArray& bytes, qint64 value)
{
    bytes.append(char(value & 0xff)).append(char((value >> 8) & 0xff));
}

constexpr int kShift = 4; // resource offsets and lengths count 16-byte units
constexpr qint64 kUnit = qint64(1) << kShift;

qint64 roundUp(qint64 size)
{
    return (size + kUnit - 1) / kUnit * kUnit;
}

// One resource of the egg. A named type or resource has an empty id.
struct Resource
{
    uint16_t type = 0;
    QByteArray typeName;
    uint16_t id = 0;
    QByteArray name;
    QByteArray data; // a whole number of units
    qint64 offset = 0;
};

// An LNZ text: the breed's numbers for one form in bracketed sections, the ball lines under
// [Ballz Info] among others whose numeric lines are no ball lines.
QByteArray lnzText(const BreedContent& b, int set, qint64& ballLinesAt)
{
    const bool adult = set == 1;
    Random random(b.stem + (adult ? "/lnz/adult" : "/lnz/baby"));
    const auto number = [&](int low, int high) {
        return QByteArray::number(low + random.below(high - low + 1));
    };
    QByteArray text = "; " + QByteArray::fromStdString(adult ? b.lnzNameB : b.lnzNameA) + " - " +
                      QByteArray::fromStdString(b.listText) + (adult ? ", grown up" : ", baby") +
                      "\r\n\r\n[Default Scales]\r\n" + number(60, 120) + "\r\n\r\n[Move]\r\n";
    for (int i = 0; i < 3; ++i)
        text += number(-9, 9) + ", " + number(-9, 9) + ", " + number(-9, 9) + "\r\n";
    text += "\r\n[Ballz Info]\r\n";
    ballLinesAt = text.size();
    text += ballSet(b, set * kBallsPerSet);
    text += "\r\n[Add Ball]\r\n";
    for (int i = 0, count = 3 + random.below(6); i < count; ++i)
        text += number(0, kBallsPerSet - 1) + "\t" + number(-40, 40) + "\t" + number(-40, 40) +
                "\t" + number(-40, 40) + "\t" + number(0, 255) + "\t" + number(-1, 255) + "\t" +
                number(0, 3) + "\t" + number(4, 40) + "\t; extra " + QByteArray::number(i + 1) +
                "\r\n";
    text += "\r\n[Paint Ballz]\r\n";
    for (int i = 0, count = 2 + random.below(5); i < count; ++i)
        text += number(0, kBallsPerSet - 1) + " " + number(0, kBallsPerSet - 1) + " " +
                number(10, 60) + " -1 " + number(0, 255) + " 0 0 ; spot\r\n";
    text += "\r\n[Linez]\r\n";
    for (int i = 0, count = 4 + random.below(8); i < count; ++i)
        text += number(0, kBallsPerSet - 1) + " " + number(0, kBallsPerSet - 1) + " " +
                number(0, 3) + " " + number(-1, 255) + " -1 -1 " + number(1, 8) + "\r\n";
    text += "\r\n[Omissions]\r\n" + number(1, 4) + "\r\n";
    // A last comment line fills the final unit, so no zero byte follows the text.
    text += ';';
    while ((text.size() + 2) % kUnit != 0)
        text += '-';
    return text + "\r\n";
}

enum class Text { Name, Desc, Attr, Tips };

struct PlacedText
{
    Text text;
    QByteArray bytes;
    qint64 room = 0; // the text and the zero bytes after it
    qint64 at = 0;   // inside its resource
};

// Texts each with a control byte before it and zero bytes after it up to its room, and control
// bytes to the end of the last unit.
QByteArray textResource(std::vector<PlacedText>& texts, Random& random)
{
    QByteArray data;
    for (PlacedText& t : texts) {
        if (t.bytes.size() >= t.room)
            throw std::logic_error("sample text has no zero byte in its room");
        for (int i = 0, count = 1 + random.below(3); i < count; ++i)
            data += nonTextByte(random);
        t.at = data.size();
        data += t.bytes + QByteArray(t.room - t.bytes.size(), '\0');
    }
    do
        data += nonTextByte(random);
    while (data.size() % kUnit != 0);
    return data;
}

// Texts that are no region: not followed by zero bytes.
QByteArray decoyResource(const BreedContent& b, Random& random)
{
    const std::string decoys[] = {"Oddballz Egg",
                                  b.listText,
                                  b.listText + "\r\n" + b.eggTray,
                                  "Copyright 1997 Brindlecote. All rights reserved.",
                                  "string",
                                  "This egg hatches in the Eggz tray."};
    QByteArray data;
    for (const std::string& decoy : decoys)
        data += nonTextByte(random) + QByteArray::fromStdString(decoy);
    do
        data += nonTextByte(random);
    while (data.size() % kUnit != 0);
    return data;
}

// The DOS header and stub that every Windows program starts with.
QByteArray dosStub(qint64 neOffset, Random& random)
{
    QByteArray stub(64, '\0');
    stub[0] = 'M';
    stub[1] = 'Z';
    put16(stub, 0x02, 0x10);   // bytes on the last page
    put16(stub, 0x04, 1);      // pages
    put16(stub, 0x08, 4);      // header paragraphs
    put16(stub, 0x0A, 0x10);   // minimum extra paragraphs
    put16(stub, 0x0C, 0xffff); // maximum extra paragraphs
    put16(stub, 0x10, 0xb8);   // SP
    put16(stub, 0x18, 0x40);   // relocation table
    put16(stub, 0x3C, neOffset);
    // Prints the message and ends.
    stub += QByteArray("\x0e\x1f\xba\x0e\x00\xb4\x09\xcd\x21\xb8\x01\x4c\xcd\x21", 14);
    stub += "This program requires Microsoft Windows.\r\n$";
    while (stub.size() < neOffset)
        stub += nonTextByte(random);
    return stub;
}

// The NE header, the resource table and the (empty) name and entry tables. The resources'
// offsets must be set.
QByteArray neHeader(const std::vector<Resource>& resources)
{
    // Type records in the order of first appearance; names after them.
    std::vector<std::pair<uint16_t, QByteArray>> types;
    for (const Resource& r : resources) {
        const std::pair<uint16_t, QByteArray> type{r.type, r.typeName};
        if (std::find(types.begin(), types.end(), type) == types.end())
            types.push_back(type);
    }
    qint64 namesAt = 2 + 2;
    for (const auto& type : types)
        namesAt += 8 + 12 * std::count_if(resources.begin(), resources.end(), [&](const auto& r) {
                           return r.type == type.first && r.typeName == type.second;
                       });
    QByteArray names;
    const auto nameOffset = [&](const QByteArray& name) {
        const qint64 at = namesAt + names.size();
        names += char(name.size()) + name;
        return at;
    };
    QByteArray table;
    append16(table, kShift);
    for (const auto& [type, typeName] : types) {
        std::vector<const Resource*> ofType;
        for (const Resource& r : resources)
            if (r.type == type && r.typeName == typeName)
                ofType.push_back(&r);
        const qint64 typeAt = table.size();
        append16(table, 0);
        append16(table, qint64(ofType.size()));
        table += QByteArray(4, '\0');
        for (const Resource* r : ofType) {
            append16(table, r->offset >> kShift);
            append16(table, r->data.size() >> kShift);
            append16(table, 0x0c30); // moveable, pure, discardable
            append16(table, r->name.isEmpty() ? 0x8000 | r->id : nameOffset(r->name));
            table += QByteArray(4, '\0');
        }
        // The type's name last, so the names end with the shortest.
        put16(table, typeAt, typeName.isEmpty() ? 0x8000 | type : nameOffset(typeName));
    }
    append16(table, 0);
    table += names + '\0';

    const qint64 tablesAt = 0x40 + table.size(); // resident names, imports, entries: empty
    QByteArray ne(0x40, '\0');
    ne[0] = 'N';
    ne[1] = 'E';
    ne[2] = 5;
    ne[3] = 10;
    put16(ne, 0x04, tablesAt + 2); // entry table
    put16(ne, 0x06, 1);
    put16(ne, 0x0C, 0x0302);
    put16(ne, 0x10, 0x400); // heap
    put16(ne, 0x22, 0x40);  // segments: none
    put16(ne, 0x24, 0x40);  // resource table
    put16(ne, 0x26, tablesAt);
    put16(ne, 0x28, tablesAt + 1);
    put16(ne, 0x2A, tablesAt + 1);
    put16(ne, 0x32, kShift);
    put16(ne, 0x34, qint64(resources.size()));
    ne[0x36] = 2; // Windows
    put16(ne, 0x3E, 0x030a);
    return ne + table + QByteArray(4, '\0');
}

struct BuiltEgg
{
    QByteArray bytes;
    EggLayout layout;
};

// A 16-bit Windows executable with the breed in its resources: the two LNZ texts, a resource
// with the name block, description and attributes, one with the tips, one with decoy texts,
// an icon and two pictures, in an order and with filler that differ between the editions.
BuiltEgg buildEgg(int index, Edition edition)
{
    const BreedContent& b = breed(index);
    const bool uk = edition == Edition::UK;
    const std::string seed = editionSeed(index, edition).toStdString();
    Random random(seed + "/layout");

    EggLayout layout;
    layout.tipCount = b.tipCount;
    layout.locNameLen = 40 + 8 * random.below(4);
    layout.locDescLen = 230 + random.below(60);
    layout.locAttrLen = 110 + random.below(40);
    layout.locTipsLen = 420 + random.below(80);
    layout.eggSize = kBreeds[index].eggSize - (uk ? 3072 + 128 * index : 0);

    // Rooms: a locator length is the room less one, the tips' T the room less two (a line end).
    std::vector<PlacedText> breedTexts = {
        {Text::Name, nameBlock(b), layout.locNameLen + 1},
        {Text::Desc, QByteArray::fromStdString(b.description), layout.locDescLen + 1},
        {Text::Attr, QByteArray::fromStdString(b.attributes), layout.locAttrLen + 1}};
    if (uk)
        std::reverse(breedTexts.begin(), breedTexts.end());
    std::vector<PlacedText> tipsTexts = {
        {Text::Tips, tipsBlock(b) + "\r\n", 10 * layout.tipCount + layout.locTipsLen + 2}};

    qint64 setAAt = 0, setBAt = 0;
    // The table lists the types in this order, the LNZ type last, so that its short name ends
    // the names.
    enum { Icon, BreedText, Tips, About, Picture1, Picture2, LnzA, LnzB, ResourceCount };
    std::vector<Resource> resources(ResourceCount);
    resources[Icon] = {0x3, {}, 1, {}, binaryFiller(752, seed + "/icon")};
    resources[Picture1] = {0x2, {}, 1, {}, {}};
    resources[Picture2] = {0x2, {}, 2, {}, {}};
    resources[LnzA] = {0, "LNZ", 0, QByteArray::fromStdString(b.lnzNameA), lnzText(b, 0, setAAt)};
    resources[LnzB] = {0, "LNZ", 0, QByteArray::fromStdString(b.lnzNameB), lnzText(b, 1, setBAt)};
    resources[BreedText] = {0xa, {}, 0, "BREED", textResource(breedTexts, random)};
    resources[Tips] = {0xa, {}, 0, "TIPS", textResource(tipsTexts, random)};
    resources[About] = {0xa, {}, 0, "ABOUT", decoyResource(b, random)};

    const qint64 neOffset = uk ? 0x100 : 0x80;
    const qint64 headerSize = neOffset + neHeader(resources).size();
    const std::vector<int> order =
        uk ? std::vector<int>{Picture1, Tips, LnzB, About, BreedText, LnzA, Icon, Picture2}
           : std::vector<int>{Icon, LnzA, LnzB, BreedText, Tips, About, Picture1, Picture2};
    // Filler of at least one unit between resources, and after the last.
    std::vector<qint64> gaps;
    qint64 used = roundUp(headerSize);
    for (size_t i = 0; i <= order.size(); ++i) {
        gaps.push_back(kUnit * (1 + random.below(uk ? 90 : 40)));
        used += gaps.back();
    }
    for (const Resource& r : resources)
        used += r.data.size();
    const qint64 pictures = (layout.eggSize - used) / kUnit;
    const qint64 picture1 = pictures * (30 + random.below(40)) / 100;
    if (picture1 < 1 || picture1 > 0xffff || pictures - picture1 < 1 ||
        pictures - picture1 > 0xffff)
        throw std::logic_error("sample egg's size does not suit its resources");
    resources[Picture1].data = binaryFiller(picture1 * kUnit, seed + "/picture1");
    resources[Picture2].data = binaryFiller((pictures - picture1) * kUnit, seed + "/picture2");

    qint64 cursor = roundUp(headerSize);
    for (size_t i = 0; i < order.size(); ++i) {
        cursor += gaps[i];
        resources[size_t(order[i])].offset = cursor;
        cursor += resources[size_t(order[i])].data.size();
    }

    QByteArray egg = binaryFiller(layout.eggSize, seed + "/egg");
    const QByteArray header = dosStub(neOffset, random) + neHeader(resources);
    egg.replace(0, header.size(), header);
    for (const Resource& r : resources) {
        egg.replace(r.offset, r.data.size(), r.data);
        // Resources lie between control bytes: whether a reader stops at a resource's end or
        // not, a text in it is followed by the same bytes.
        egg[r.offset - 1] = nonTextByte(random);
        if (r.offset + r.data.size() < egg.size())
            egg[r.offset + r.data.size()] = nonTextByte(random);
    }

    // Positions are 1-based; ball lines are read from one byte before their located position.
    layout.locSetAPos = int32_t(resources[LnzA].offset + setAAt + 2);
    layout.locSetBPos = int32_t(resources[LnzB].offset + setBAt + 2);
    for (const PlacedText& t : breedTexts) {
        const auto position = int32_t(resources[BreedText].offset + t.at + 1);
        (t.text == Text::Name   ? layout.locNamePos
         : t.text == Text::Desc ? layout.locDescPos
                                : layout.locAttrPos) = position;
    }
    layout.locTipsPos = int32_t(resources[Tips].offset + tipsTexts[0].at + 1);

    // Only the four texts may have the shape of a text with its room.
    const std::set<qint64> texts = {layout.locNamePos - 1, layout.locDescPos - 1,
                                    layout.locAttrPos - 1, layout.locTipsPos - 1};
    for (qint64 i = 0, start = 0; i < egg.size(); ++i) {
        if (isTextByte(egg[i]))
            continue;
        if (egg[i] == '\0' && i - start >= 4 && !texts.count(start))
            throw std::logic_error("sample egg has a stray text before zero bytes");
        start = i + 1;
    }
    return {egg, layout};
}

} // namespace

QString editionFolder(Edition edition)
{
    return edition == Edition::UK ? QStringLiteral("uk") : QStringLiteral("us");
}

int breedCount()
{
    return kCount;
}

const BreedContent& breed(int index)
{
    checkIndex(index);
    return allBreeds()[size_t(index)];
}

EggLayout eggLayout(int index, Edition edition)
{
    return buildEgg(index, edition).layout;
}

QByteArray eggFile(int index, Edition edition)
{
    return buildEgg(index, edition).bytes;
}

QByteArray companionFile(int index, Edition edition)
{
    if (!breed(index).companion)
        return QByteArray();
    QByteArray odx =
        filler(24576 + 1024 * index, editionSeed(index, edition).toStdString() + "/odx");
    odx.replace(0, 4, "ODX1");
    return odx;
}

QByteArray informationFile(int index)
{
    const BreedContent& b = breed(index);
    return informationFileBytes({b.lnzNameA, b.lnzNameB, kBallsPerSet}, b.labels);
}

QByteArray locatorFile(int index, Edition edition)
{
    // Written as a survey of the egg writes it: the shipped files are what a player would get.
    return surveyedLocatorFile(eggLayout(index, edition), breed(index).stem);
}

QByteArray gameDataFile(Edition edition)
{
    return filler(edition == Edition::UK ? kUkWadSize : kUsWadSize,
                  edition == Edition::UK ? "oddballz.wad/uk" : "oddballz.wad/us");
}

QByteArray settingsFile(const QString& gameFolder)
{
    const std::optional<std::string> folder = cp1252::fromUnicode(gameFolder);
    if (!folder)
        throw FileError(gameFolder, QStringLiteral("The folder's name cannot be written in the "
                                                   "game's settings file (Windows-1252)."));
    return "[Oddballz]\r\nSound=1\r\nMusic=1\r\nLast Oddball=" +
           QByteArray::fromStdString(*folder) + "/\r\nLast Egg=Honker\r\n";
}

QString windowsFolder(const QString& folder, Edition edition)
{
    return QDir(folder).absoluteFilePath(editionFolder(edition) +
                                         QStringLiteral("/drive_c/windows"));
}

QString gameFolder(const QString& folder, Edition edition)
{
    return QDir(folder).absoluteFilePath(editionFolder(edition) +
                                         QStringLiteral("/drive_c/Oddballz"));
}

void writeSampleGame(const QString& folder, Edition edition)
{
    const QString game = QDir::cleanPath(gameFolder(folder, edition));
    const QString windows = QDir::cleanPath(windowsFolder(folder, edition));
    const auto save = [](const QString& path, const QByteArray& bytes) {
        if (!QDir().mkpath(QFileInfo(path).absolutePath()))
            throw FileError(path, QStringLiteral("Its folder cannot be created."));
        saveFileAtomically(path, bytes);
    };
    save(windows + QStringLiteral("/oddballz.ini"), settingsFile(game));
    save(game + QStringLiteral("/oddballz.wad"), gameDataFile(edition));
    for (int i = 0; i < kCount; ++i) {
        const QString stem = QString::fromStdString(breed(i).stem);
        const QString base = game + QStringLiteral("/eggz/") + stem + QLatin1Char('/') + stem;
        save(base + QStringLiteral(".odd"), eggFile(i, edition));
        const QByteArray odx = companionFile(i, edition);
        if (!odx.isEmpty())
            save(base + QStringLiteral(".odx"), odx);
    }
}

std::vector<std::pair<QString, QByteArray>> resourceFiles()
{
    std::vector<std::pair<QString, QByteArray>> files;
    for (const Edition edition : {Edition::US, Edition::UK}) {
        // "res/" or "resUK/", relative to the data folder.
        const QString folder =
            resFolder(edition).mid(1).replace(QLatin1Char('\\'), QLatin1Char('/'));
        for (int i = 0; i < kCount; ++i) {
            const QString stem = QString::fromStdString(breed(i).stem);
            files.emplace_back(folder + stem + QStringLiteral(".blz"), informationFile(i));
            files.emplace_back(folder + stem + QStringLiteral(".loc"), locatorFile(i, edition));
        }
    }
    return files;
}

void writeResourceFiles(const QString& dataFolder)
{
    for (const auto& [name, bytes] : resourceFiles()) {
        const QString path = QDir(dataFolder).filePath(name);
        if (!QDir().mkpath(QFileInfo(path).absolutePath()))
            throw FileError(path, QStringLiteral("Its folder cannot be created."));
        saveFileAtomically(path, bytes);
    }
}

} // namespace yw::sample
