#include "samplegame/samplegame.h"
#include "samplegame/samplerandom.h"

#include <algorithm>
#include <stdexcept>

// The sample game's breeds: their texts, labels and eBalls, the same in both editions.
namespace yw::sample {

namespace {

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
    b.usEggSize = seed.eggSize;
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

void checkIndex(int index)
{
    if (index < 0 || index >= kCount)
        throw std::out_of_range("sample breed index");
}

} // namespace

int breedCount()
{
    return kCount;
}

const BreedContent& breed(int index)
{
    checkIndex(index);
    return allBreeds()[size_t(index)];
}

QByteArray informationFile(int index)
{
    const BreedContent& b = breed(index);
    return informationFileBytes({b.lnzNameA, b.lnzNameB, kBallsPerSet}, b.labels);
}

} // namespace yw::sample
