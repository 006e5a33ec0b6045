#include "samplegame/samplegame.h"

#include "model/gameinstall.h"
#include "model/projectstate.h"
#include "platform/cp1252.h"
#include "platform/errors.h"
#include "platform/savefile.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <optional>
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
        const bool adult = i >= kBallsPerSet;
        EBallRecord r;
        r.fillColor = int16_t(random.below(256));
        r.borderColor = int16_t(random.below(256));
        r.spreckColor = int16_t(random.below(5) == 0 ? -1 : random.below(256));
        r.fuzziness = int16_t(random.below(4));
        r.borderThickness = int16_t(random.below(4) - 1);
        r.diameter = int16_t(adult ? 8 + random.below(80) : 4 + random.below(36));
        r.auxValue = int16_t(random.below(6) == 0 ? random.below(5) - 1 : 0);
        r.texture = int16_t(random.below(3) == 0 ? random.below(24) : -1);
        r.useTexture = r.texture > -1 ? 1 : 0;
        r.comment = (adult ? "; " : "; baby ") + lowerAscii(b.labels[size_t(i % kBallsPerSet)]);
        b.eBalls.push_back(r);
    }
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

int tipsRoom(const EggLayout& layout)
{
    return 10 * layout.tipCount + layout.locTipsLen;
}

enum class Region { Name, Desc, Attr, Tips, SetA, SetB };

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
    const BreedContent& b = breed(index);
    const bool uk = edition == Edition::UK;
    Random random(editionSeed(index, edition).toStdString() + "/layout");

    EggLayout layout;
    layout.tipCount = b.tipCount;
    layout.locNameLen = 40 + 8 * random.below(4);
    layout.locDescLen = 230 + random.below(60);
    layout.locAttrLen = 110 + random.below(40);
    layout.locTipsLen = 420 + random.below(80);

    // Each region's extent in bytes, counted from its first byte: the writer clears one byte
    // past a text region's room and writes the tips block with its line end and padding.
    const auto extent = [&](Region region) -> qint64 {
        switch (region) {
        case Region::Name:
            return layout.locNameLen + 1;
        case Region::Desc:
            return layout.locDescLen + 1;
        case Region::Attr:
            return layout.locAttrLen + 1;
        case Region::Tips:
            return tipsRoom(layout) + 2;
        case Region::SetA:
            return ballSet(b, 0).size();
        case Region::SetB:
            return ballSet(b, kBallsPerSet).size();
        }
        return 0;
    };
    const Region usOrder[] = {Region::Name, Region::Desc, Region::Attr,
                              Region::Tips, Region::SetA, Region::SetB};
    const Region ukOrder[] = {Region::SetA, Region::SetB, Region::Tips,
                              Region::Name, Region::Attr, Region::Desc};

    qint64 cursor = (uk ? 6144 : 1536) + random.below(4096); // 0-based first byte
    for (const Region region : uk ? ukOrder : usOrder) {
        const auto position = int32_t(cursor + 1);
        switch (region) {
        case Region::Name:
            layout.locNamePos = position;
            break;
        case Region::Desc:
            layout.locDescPos = position;
            break;
        case Region::Attr:
            layout.locAttrPos = position;
            break;
        case Region::Tips:
            layout.locTipsPos = position;
            break;
        // Ball lines start one byte before their located position.
        case Region::SetA:
            layout.locSetAPos = position + 1;
            break;
        case Region::SetB:
            layout.locSetBPos = position + 1;
            break;
        }
        cursor += extent(region) + 24 + random.below(2000);
    }
    layout.eggSize = kBreeds[index].eggSize - (uk ? 3072 + 128 * index : 0);
    if (layout.eggSize < cursor + 1024)
        throw std::logic_error("sample egg too small for its regions");
    return layout;
}

QByteArray eggFile(int index, Edition edition)
{
    const BreedContent& b = breed(index);
    const EggLayout layout = eggLayout(index, edition);
    QByteArray egg = filler(layout.eggSize, editionSeed(index, edition).toStdString() + "/egg");
    // No zero byte in the filler: next to a region it would hide a writer that stops short.
    std::replace(egg.begin(), egg.end(), '\0', '\x01');

    // A text region as the egg writer leaves it: the text at its position, then zeros up to one
    // byte past its room.
    const auto putText = [&](int32_t position, const QByteArray& text, int32_t room) {
        if (text.size() > room)
            throw std::logic_error("sample text longer than its room");
        QByteArray region = text;
        region.append(QByteArray(room + 1 - text.size(), '\0'));
        egg.replace(position - 1, region.size(), region);
    };
    putText(layout.locNamePos, nameBlock(b), layout.locNameLen);
    putText(layout.locDescPos, QByteArray::fromStdString(b.description), layout.locDescLen);
    putText(layout.locAttrPos, QByteArray::fromStdString(b.attributes), layout.locAttrLen);

    const QByteArray tips = tipsBlock(b);
    const int room = tipsRoom(layout);
    if (tips.size() >= room)
        throw std::logic_error("sample tips longer than their room");
    QByteArray tipsRegion = tips + "\r\n" + QByteArray(room - tips.size(), '\0');
    egg.replace(layout.locTipsPos - 1, tipsRegion.size(), tipsRegion);

    const QByteArray setA = ballSet(b, 0);
    const QByteArray setB = ballSet(b, kBallsPerSet);
    egg.replace(layout.locSetAPos - 2, setA.size(), setA);
    egg.replace(layout.locSetBPos - 2, setB.size(), setB);
    return egg;
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
    QByteArray blz = "\"" + QByteArray::fromStdString(b.lnzNameA) + "\",\"" +
                     QByteArray::fromStdString(b.lnzNameB) + "\"," +
                     QByteArray::number(kBallsPerSet) + "\r\n";
    for (const std::string& label : b.labels)
        blz += QByteArray::fromStdString(label) + "\r\n";
    return blz;
}

QByteArray locatorFile(int index, Edition edition)
{
    const BreedContent& b = breed(index);
    const EggLayout l = eggLayout(index, edition);
    const auto line = [](std::initializer_list<int32_t> values) {
        QByteArray text;
        for (const int32_t value : values) {
            if (!text.isEmpty())
                text += "\t\t";
            text += QByteArray::number(value);
        }
        return text + "\r\n";
    };
    QByteArray loc = "Locator of " + QByteArray::fromStdString(b.stem) +
                     (edition == Edition::UK ? ".odd, UK edition" : ".odd, US edition") + "\r\n";
    loc += "position\t\tlength\t\tcount\r\n";
    loc += line({l.locDescPos, l.locDescLen});
    loc += line({l.locNamePos, l.locNameLen});
    loc += line({l.locSetBPos});
    loc += line({l.locSetAPos});
    loc += line({l.locAttrPos, l.locAttrLen});
    loc += line({l.locTipsPos, l.locTipsLen, l.tipCount});
    return loc;
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
        const QString folder =
            edition == Edition::UK ? QStringLiteral("resUK/") : QStringLiteral("res/");
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
