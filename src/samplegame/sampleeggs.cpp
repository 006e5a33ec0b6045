#include "files/survey.h"
#include "samplegame/newexecutable.h"
#include "samplegame/samplegame.h"
#include "samplegame/samplerandom.h"

#include <algorithm>
#include <set>
#include <stdexcept>

// The sample eggs: 16-bit Windows executables with a breed in their resources.
namespace yw::sample {

namespace {

constexpr qint64 kUnit = kNeUnit;

qint64 roundUp(qint64 size)
{
    return roundUpToUnit(size);
}

using Resource = NeResourceEntry;

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
    return QByteArray::fromStdString(breed(index).stem) + (edition == Edition::UK ? "/uk" : "/us");
}

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
    layout.eggSize = b.usEggSize - (uk ? 3072 + 128 * index : 0);

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
    const QByteArray header =
        dosStub(neOffset, [&] { return nonTextByte(random); }) + neHeader(resources);
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

QByteArray locatorFile(int index, Edition edition)
{
    // Written as a survey of the egg writes it: the shipped files are what a player would get.
    return surveyedLocatorFile(eggLayout(index, edition), breed(index).stem);
}

} // namespace yw::sample
