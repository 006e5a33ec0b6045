#include "files/survey.h"

#include "files/egggrowth.h"
#include "files/eggregions.h"
#include "files/neresources.h"
#include "files/newproject.h"
#include "files/roundtrip.h"
#include "platform/cp1252.h"
#include "platform/errors.h"
#include "platform/savefile.h"
#include "platform/text.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace yw {

namespace {

constexpr int kMostTipEntries = 6;
constexpr size_t kMostListed = 64;  // candidate texts kept for a refusal's list
constexpr size_t kMostTraced = 300; // regions kept for the layout report
constexpr size_t kShownBytes = 60;  // first words kept of a candidate

class Refused
{
public:
    Refused(SurveyRegion region, QString message) : region(region), message(std::move(message)) {}
    SurveyRegion region;
    QString message;
};

// Tab, CR, LF, printable ASCII and Windows-1252 beyond it (which leaves five codes undefined),
// looked up, since a survey asks it of every byte of the egg.
constexpr std::array<bool, 256> kTextBytes = [] {
    std::array<bool, 256> table{};
    for (int c = 0; c < 256; ++c)
        table[size_t(c)] =
            c == '\t' || c == '\r' || c == '\n' || (c >= 0x20 && c < 0x7f) ||
            (c >= 0x80 && c != 0x81 && c != 0x8d && c != 0x8f && c != 0x90 && c != 0x9d);
    return table;
}();

bool isTextByte(uint8_t c)
{
    return kTextBytes[c];
}

bool isLetter(uint8_t c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
           (c >= 0xc0 && c != 0xd7 && c != 0xf7);
}

// Integer resource types that hold pictures and glyphs: cursor, bitmap, icon, font, cursor
// group, icon group.
bool isPictureType(const NeResource& r)
{
    return r.typeName.empty() && (r.type == 1 || r.type == 2 || r.type == 3 || r.type == 8 ||
                                  r.type == 12 || r.type == 14);
}

std::string_view blankTrimmed(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool isDigits(std::string_view text)
{
    return !text.empty() && text.size() <= 5 &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [&](char x, char y) { return lower(x) == lower(y); });
}

// Whether `line` (without its line feed) reads as a ball line, and its diameter.
std::optional<int16_t> ballLineDiameter(std::string_view line)
{
    const BallLineReading reading = readBallLine(line);
    if (reading.fault != BallLineFault::None)
        return std::nullopt;
    return reading.record.diameter;
}

bool looksLikeBallLine(std::string_view line)
{
    return std::count(line.begin(), line.end(), ',') >= 7;
}

// "name CR LF tray blank slot", as the wizard's reader splits it; it ignores what follows the
// slot, so words or lines after it are allowed here (the round trip then tells what is lost).
bool isNameBlock(std::string_view text)
{
    const size_t lineEnd = text.find("\r\n");
    if (lineEnd == 0 || lineEnd == std::string_view::npos)
        return false;
    if (text.substr(0, lineEnd).find_first_of("\r\n") != std::string_view::npos)
        return false;
    std::string_view second = text.substr(lineEnd + 2);
    second = second.substr(0, second.find("\r\n"));
    const size_t blank = second.find(' ');
    if (blank == std::string_view::npos)
        return false;
    const std::string_view slot = second.substr(blank + 1);
    return isDigits(second.substr(0, blank)) && isDigits(slot.substr(0, slot.find(' ')));
}

bool looksLikeProse(std::string_view text)
{
    const auto letters =
        std::count_if(text.begin(), text.end(), [](char c) { return isLetter(uint8_t(c)); });
    return text.size() >= 2 && size_t(letters) * 2 >= text.size();
}

std::string readableLabel(const std::string& comment)
{
    std::string_view text = blankTrimmed(comment);
    while (!text.empty() && (text.front() == ';' || text.front() == ' '))
        text.remove_prefix(1);
    std::string label;
    bool wordStart = true;
    for (const char c : text) {
        if (uint8_t(c) < 0x20)
            continue;
        label += wordStart && c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
        wordStart = c == ' ';
    }
    return std::string(blankTrimmed(label));
}

bool usableSetName(const std::string& name)
{
    return !name.empty() && std::all_of(name.begin(), name.end(), [](char c) {
        return uint8_t(c) >= 0x20 && c != '"' && uint8_t(c) != 0x7f;
    });
}

struct Segment
{
    qint64 begin = 0;
    qint64 end = 0;
    const NeResource* resource = nullptr;
};

// A text: 0-based [begin, end) and the end of the zero bytes after it.
struct Span
{
    qint64 begin = 0;
    qint64 end = 0;
    qint64 roomEnd = 0;
};

struct Section
{
    int runs = 0;
    int otherLines = 0;
};

struct BallRun
{
    qint64 begin = 0; // 0-based first byte of the first line
    qint64 end = 0;
    int count = 0;
    qint64 diameters = 0;
    size_t segment = 0;
    int section = -1;      // its [Ballz Info] section, if under one
    qint64 taintedBy = -1; // a line next to it that only looks like a ball line
};

struct TipsBlock
{
    qint64 begin = 0;
    int entries = 0;
    qint64 roomEnd = -1; // -1: other lines follow the last entry
    qint64 nextLine = 0;
};

class Surveyor
{
public:
    Surveyor(const QByteArray& egg, const std::string& stem, const SurveyChoices& choices)
        : m_egg(egg), m_stem(stem), m_choices(choices)
    {}

    SurveyFindings run();
    std::vector<SurveyTrace> m_tried;
    std::vector<TextCandidate> m_listed;
    qint64 m_candidateCount = 0;

private:
    std::string_view bytes(qint64 begin, qint64 end) const
    {
        return std::string_view(m_egg.constData() + begin, size_t(end - begin));
    }
    void trace(const char* what, qint64 begin, qint64 end, qint64 roomEnd)
    {
        if (m_tried.size() < kMostTraced)
            m_tried.push_back({QLatin1String(what), begin, end, roomEnd});
    }
    void findSegments();
    void scanSegment(size_t index);
    void scanText(const Span& text, size_t segment);
    void endRun(BallRun& run, qint64 nextLookalike);
    int openSection(std::string_view bare);
    void readTipsBlock(qint64 line, const Span& text);
    void sortPlainText(const Span& text);
    void chooseBallSets();
    std::vector<const BallRun*> ballSetPool() const;
    std::array<const BallRun*, 2> twoLongestRuns(std::vector<const BallRun*> pool) const;
    void requireWholeSet(const BallRun& run) const;
    void nameBallSets(const BallRun& baby, const BallRun& adult);
    void chooseTips();
    void chooseNameBlock();
    TextCandidate textAt(qint64 position, const char* what, SurveyRegion region) const;
    void chooseTexts();
    [[noreturn]] void refuseUntoldTexts(bool description, bool attributes, qint64 otherCount) const;
    void roundTrip();

    const QByteArray& m_egg;
    std::string m_stem;
    SurveyChoices m_choices;
    NeResourceTable m_table;
    std::vector<Segment> m_segments;
    std::vector<BallRun> m_runs;
    std::vector<Section> m_sections;
    std::vector<TipsBlock> m_tips;
    std::vector<Span> m_nameBlocks;
    std::vector<Span> m_candidates; // the first kMostListed
    SurveyFindings m_found;
};

void Surveyor::findSegments()
{
    m_table = readNeResources(m_egg);
    switch (m_table.kind) {
    case NeResourceTable::Kind::Damaged:
        throw Refused(
            SurveyRegion::ResourceTable,
            QStringLiteral("The egg's resource table is damaged: %1.").arg(m_table.problem));
    case NeResourceTable::Kind::None:
        m_segments.push_back({0, m_egg.size(), nullptr});
        return;
    case NeResourceTable::Kind::Table:
        break;
    }
    m_found.resourceTable = true;
    // Pictures are never text, whatever their zero padding looks like; other resources are
    // searched when nine bytes in ten could be text.
    const auto isText = [&](const NeResource& r) {
        if (isPictureType(r))
            return false;
        const auto* bytes = reinterpret_cast<const uint8_t*>(m_egg.constData()) + r.offset;
        const qint64 plain = std::count_if(bytes, bytes + r.length,
                                           [](uint8_t c) { return c == 0 || isTextByte(c); });
        return plain * 10 >= r.length * 9;
    };
    for (const NeResource& r : m_table.resources)
        if (r.length > 0 && isText(r))
            m_segments.push_back({r.offset, r.offset + r.length, &r});
    std::sort(m_segments.begin(), m_segments.end(),
              [](const Segment& a, const Segment& b) { return a.begin < b.begin; });
}

void Surveyor::scanSegment(size_t index)
{
    const Segment& segment = m_segments[index];
    const char* data = m_egg.constData();
    qint64 i = segment.begin;
    while (i < segment.end) {
        if (!isTextByte(uint8_t(data[i]))) {
            ++i;
            continue;
        }
        Span text;
        text.begin = i;
        while (i < segment.end && isTextByte(uint8_t(data[i])))
            ++i;
        text.end = i;
        while (i < segment.end && data[i] == '\0')
            ++i;
        text.roomEnd = i;
        scanText(text, index);
    }
}

void Surveyor::endRun(BallRun& run, qint64 nextLookalike)
{
    if (run.count > 0) {
        if (nextLookalike >= 0)
            run.taintedBy = nextLookalike;
        if (run.section >= 0)
            ++m_sections[size_t(run.section)].runs;
        trace("ball lines", run.begin, run.end, run.end);
        m_runs.push_back(run);
    }
    run = BallRun();
}

// A section header is only a bracketed word on a line of its own, so prose that begins
// "[Rare] ..." is no LNZ text. Gives the section's index when it is "[Ballz Info]", else -1.
int Surveyor::openSection(std::string_view bare)
{
    if (!equalsIgnoringCase(blankTrimmed(bare.substr(1, bare.size() - 2)), "ballz info"))
        return -1;
    m_sections.emplace_back();
    return int(m_sections.size() - 1);
}

// The consecutive "stringK=" lines from `line` on: one tips block.
void Surveyor::readTipsBlock(qint64 line, const Span& text)
{
    TipsBlock block{line, 0, -1, 0};
    qint64 at = line;
    qint64 lastEnd = line;
    while (at < text.end) {
        const std::string key = "string" + std::to_string(block.entries) + "=";
        if (bytes(at, std::min(text.end, at + qint64(key.size()))) != key)
            break;
        ++block.entries;
        const char* from = m_egg.constData() + at;
        const auto* next = static_cast<const char*>(std::memchr(from, '\n', size_t(text.end - at)));
        lastEnd = next ? at + (next - from) + 1 : text.end;
        at = lastEnd;
    }
    block.nextLine = lastEnd;
    if (lastEnd == text.end && text.roomEnd > text.end)
        block.roomEnd = text.roomEnd;
    trace("tips", block.begin, lastEnd, block.roomEnd < 0 ? lastEnd : block.roomEnd);
    m_tips.push_back(block);
}

// A text that holds no LNZ lines and no tips may be a name block or prose.
void Surveyor::sortPlainText(const Span& text)
{
    const std::string_view content = bytes(text.begin, text.end);
    if (isNameBlock(content)) {
        trace("name block", text.begin, text.end, text.roomEnd);
        m_nameBlocks.push_back(text);
    } else if (looksLikeProse(content)) {
        trace("text", text.begin, text.end, text.roomEnd);
        if (m_candidates.size() < kMostListed)
            m_candidates.push_back(text);
        ++m_candidateCount;
    }
}

void Surveyor::scanText(const Span& text, size_t segment)
{
    bool lnz = false;
    bool tipsLike = false;
    int section = -1;
    BallRun run;
    qint64 lookalike = -1; // the last line that only looked like a ball line, if just before
    qint64 line = text.begin;
    while (line < text.end) {
        const char* start = m_egg.constData() + line;
        const auto* feed =
            static_cast<const char*>(std::memchr(start, '\n', size_t(text.end - line)));
        const qint64 lineEnd = feed ? line + (feed - start) + 1 : text.end;
        const std::string_view content = bytes(line, lineEnd);
        const std::string_view bare = blankTrimmed(content);
        std::optional<int16_t> diameter;
        if (bare.size() >= 2 && bare.front() == '[' && bare.back() == ']') {
            lnz = true;
            section = openSection(bare);
        } else if (content.substr(0, 8) == "string0=") {
            tipsLike = true;
            readTipsBlock(line, text);
        } else if (feed) {
            diameter = ballLineDiameter(content.substr(0, content.size() - 1));
        }
        if (diameter) {
            if (run.count == 0)
                run = {line, line, 0, 0, segment, section, lookalike};
            ++run.count;
            run.diameters += *diameter;
            run.end = lineEnd;
            lnz = true;
            lookalike = -1;
        } else {
            const qint64 looked = feed && looksLikeBallLine(content) ? line : -1;
            endRun(run, looked);
            lookalike = looked;
            if (section >= 0 && !bare.empty() && bare.front() != '[' && bare.front() != ';')
                ++m_sections[size_t(section)].otherLines;
        }
        line = lineEnd;
    }
    endRun(run, -1);
    if (text.roomEnd != text.end && !lnz && !tipsLike)
        sortPlainText(text);
}

// The runs that may be the two sets: those under "[Ballz Info]" when there are two, else all.
std::vector<const BallRun*> Surveyor::ballSetPool() const
{
    std::vector<const BallRun*> pool;
    for (const BallRun& run : m_runs)
        if (run.section >= 0)
            pool.push_back(&run);
    if (pool.size() < 2) {
        pool.clear();
        for (const BallRun& run : m_runs)
            pool.push_back(&run);
    }
    if (pool.empty())
        throw Refused(SurveyRegion::BallSets,
                      QStringLiteral("No ball lines were found, so there are no ball sets."));
    if (pool.size() == 1)
        throw Refused(SurveyRegion::BallSets,
                      QStringLiteral("Only one run of ball lines was found (%1 lines at byte %2); "
                                     "two ball sets are needed.")
                          .arg(pool[0]->count)
                          .arg(pool[0]->begin + 1));
    return pool;
}

// The two longest runs, when they are alike in length and longer than any other, in egg order.
std::array<const BallRun*, 2> Surveyor::twoLongestRuns(std::vector<const BallRun*> pool) const
{
    std::stable_sort(pool.begin(), pool.end(),
                     [](const BallRun* a, const BallRun* b) { return a->count > b->count; });
    if (pool[0]->count != pool[1]->count || (pool.size() > 2 && pool[2]->count == pool[1]->count)) {
        std::sort(pool.begin(), pool.end(),
                  [](const BallRun* a, const BallRun* b) { return a->begin < b->begin; });
        QStringList runs;
        for (const BallRun* run : pool) {
            if (runs.size() == 12) {
                runs.append(QStringLiteral("and %1 more").arg(pool.size() - 12));
                break;
            }
            runs.append(QStringLiteral("%1 lines at byte %2").arg(run->count).arg(run->begin + 1));
        }
        const QString list = runs.join(QStringLiteral(", "));
        throw Refused(SurveyRegion::BallSets,
                      pool.size() == 2
                          ? QStringLiteral("The two runs of ball lines differ in length (%1); "
                                           "both ball sets must have as many.")
                                .arg(list)
                          : QStringLiteral("The two ball sets cannot be told among %1 runs of "
                                           "ball lines (%2).")
                                .arg(pool.size())
                                .arg(list));
    }
    std::array<const BallRun*, 2> sets = {pool[0], pool[1]};
    if (sets[1]->begin < sets[0]->begin)
        std::swap(sets[0], sets[1]);
    return sets;
}

// A set is whole only when no lookalike line stands next to it and it fills its section.
void Surveyor::requireWholeSet(const BallRun& run) const
{
    if (run.taintedBy >= 0)
        throw Refused(SurveyRegion::BallSets,
                      QStringLiteral("The ball lines at byte %1 stand next to a line at byte "
                                     "%2 that looks like a ball line but does not read as "
                                     "one, so the whole set cannot be told.")
                          .arg(run.begin + 1)
                          .arg(run.taintedBy + 1));
    if (run.section < 0)
        return;
    const Section& section = m_sections[size_t(run.section)];
    if (section.runs != 1 || section.otherLines != 0)
        throw Refused(SurveyRegion::BallSets,
                      QStringLiteral("The ball lines at byte %1 do not fill their "
                                     "[Ballz Info] section, which holds other lines too, "
                                     "so the whole set cannot be told.")
                          .arg(run.begin + 1));
}

void Surveyor::chooseBallSets()
{
    const std::array<const BallRun*, 2> sets = twoLongestRuns(ballSetPool());
    for (const BallRun* run : sets)
        requireWholeSet(*run);
    const int n = sets[0]->count;
    if (n > kMaxBallsPerSet)
        throw Refused(SurveyRegion::BallSets,
                      QStringLiteral("The ball sets have %1 lines each; at most %2 can be edited.")
                          .arg(n)
                          .arg(kMaxBallsPerSet));
    for (size_t s = 0; s < 2; ++s)
        m_found.sets[s] = {sets[s]->begin + 1, n, sets[s]->diameters, {}};

    // The baby is the smaller form; equal diameters do not tell, and then the user chooses.
    if (m_choices.baby)
        m_found.baby = *m_choices.baby;
    else if (sets[0]->diameters != sets[1]->diameters)
        m_found.baby = sets[0]->diameters < sets[1]->diameters ? BabySet::A : BabySet::B;
    else
        m_found.babyOpen = true;
    const BallRun* baby = sets[m_found.baby == BabySet::A ? 0 : 1];
    const BallRun* adult = sets[m_found.baby == BabySet::A ? 1 : 0];
    m_found.header.ballsPerSet = n;
    m_found.locator.locSetAPos = int32_t(baby->begin + 2);
    m_found.locator.locSetBPos = int32_t(adult->begin + 2);
    nameBallSets(*baby, *adult);
}

// The sets' LNZ names are their resources' names when each has its own, else made up.
void Surveyor::nameBallSets(const BallRun& baby, const BallRun& adult)
{
    const NeResource* resourceA = m_segments[baby.segment].resource;
    const NeResource* resourceB = m_segments[adult.segment].resource;
    if (resourceA && resourceB && baby.segment != adult.segment && usableSetName(resourceA->name) &&
        usableSetName(resourceB->name) && resourceA->name != resourceB->name) {
        m_found.header.lnzNameA = resourceA->name;
        m_found.header.lnzNameB = resourceB->name;
    } else {
        m_found.header.lnzNameA = m_stem + "_baby.lnz";
        m_found.header.lnzNameB = m_stem + "_adult.lnz";
    }
}

void Surveyor::chooseTips()
{
    if (m_tips.empty())
        throw Refused(SurveyRegion::Tips, QStringLiteral("No tips block (lines beginning "
                                                         "string0=, string1=, ...) was found."));
    if (m_tips.size() > 1) {
        QStringList at;
        for (const TipsBlock& block : m_tips)
            at.append(QString::number(block.begin + 1));
        throw Refused(SurveyRegion::Tips,
                      QStringLiteral("%1 tips blocks were found (at bytes %2); an egg has one.")
                          .arg(m_tips.size())
                          .arg(at.join(QStringLiteral(", "))));
    }
    const TipsBlock& block = m_tips.front();
    if (block.entries > kMostTipEntries)
        throw Refused(SurveyRegion::Tips,
                      QStringLiteral("The tips block at byte %1 has %2 entries; at most %3 can be "
                                     "edited.")
                          .arg(block.begin + 1)
                          .arg(block.entries)
                          .arg(kMostTipEntries));
    if (block.roomEnd < 0) {
        const qint64 after = std::min<qint64>(block.nextLine, m_egg.size());
        const std::string_view next = bytes(after, std::min<qint64>(after + 24, m_egg.size()));
        throw Refused(
            SurveyRegion::Tips,
            next.empty() || next.front() == '\0' || !isTextByte(uint8_t(next.front()))
                ? QStringLiteral("The tips block at byte %1 has no zero byte after it, so its "
                                 "room cannot be measured.")
                      .arg(block.begin + 1)
                : QStringLiteral("The tips block at byte %1 is followed by other lines (at byte "
                                 "%2, %3), not by zero bytes: its room cannot be measured, and "
                                 "writing the tips would wipe those lines.")
                      .arg(block.begin + 1)
                      .arg(after + 1)
                      .arg(shownBytes(next.substr(0, next.find_first_of("\r\n")))));
    }
    const qint64 room = block.roomEnd - block.begin;
    m_found.locator.locTipsPos = int32_t(block.begin + 1);
    m_found.locator.tipCount = block.entries;
    m_found.locator.locTipsLen = int32_t(room - 2 - 10 * qint64(block.entries));
}

void Surveyor::chooseNameBlock()
{
    std::string listName = m_stem;
    for (const BaseBreedEntry& breed : baseBreeds())
        if (equalsIgnoringCase(breed.stem, m_stem))
            listName = breed.listText.toStdString();
    std::vector<const Span*> named;
    std::vector<const Span*> glued;
    const auto nameOf = [&](const Span& text) {
        const std::string_view content = bytes(text.begin, text.end);
        return content.substr(0, content.find("\r\n"));
    };
    for (const Span& text : m_nameBlocks) {
        const std::string_view name = nameOf(text);
        if (equalsIgnoringCase(name, listName))
            named.push_back(&text);
        else if (name.size() > listName.size() &&
                 equalsIgnoringCase(name.substr(name.size() - listName.size()), listName))
            glued.push_back(&text);
    }
    const Span* chosen = named.size() == 1 ? named.front() : nullptr;
    if (!chosen && named.empty() && !glued.empty()) {
        const std::string_view name = nameOf(*glued.front());
        throw Refused(SurveyRegion::NameBlock,
                      QStringLiteral("The name block at byte %1 reads %2: the breed's name %3 "
                                     "has %4 byte(s) glued before it, so where the block begins "
                                     "cannot be told, and a new name would overwrite them.")
                          .arg(glued.front()->begin + 1)
                          .arg(shownBytes(name))
                          .arg(QString::fromStdString(listName))
                          .arg(name.size() - listName.size()));
    }
    if (!chosen && named.empty() && m_nameBlocks.size() == 1) {
        chosen = &m_nameBlocks.front();
        m_found.notes.append(
            QStringLiteral("The name in the egg, %1, is not the breed's list "
                           "name %2.")
                .arg(shownBytes(nameOf(*chosen)), QString::fromStdString(listName)));
    }
    if (!chosen) {
        QStringList found;
        for (const Span& text : m_nameBlocks) {
            if (found.size() == 12)
                break;
            found.append(QStringLiteral("%1 at byte %2")
                             .arg(shownBytes(bytes(text.begin, text.end)))
                             .arg(text.begin + 1));
        }
        throw Refused(
            SurveyRegion::NameBlock,
            m_nameBlocks.empty()
                ? QStringLiteral("No name block (the name, a line break, then the tray and the "
                                 "slot numbers, followed by zero bytes) was found.")
                : QStringLiteral("%1 name blocks were found and none is the only one named %2: "
                                 "%3.")
                      .arg(m_nameBlocks.size())
                      .arg(QString::fromStdString(listName), found.join(QStringLiteral(", "))));
    }
    m_found.locator.locNamePos = int32_t(chosen->begin + 1);
    m_found.locator.locNameLen = int32_t(chosen->roomEnd - chosen->begin - 1);
}

// The text the user named by position: whatever its bytes, as long as a region can begin there
// and zero bytes follow it.
TextCandidate Surveyor::textAt(qint64 position, const char* what, SurveyRegion region) const
{
    const auto refuse = [&](const QString& why) {
        return Refused(region, QStringLiteral("No %1 can begin at byte %2: %3.")
                                   .arg(QLatin1String(what))
                                   .arg(position)
                                   .arg(why));
    };
    if (position < 1 || position > m_egg.size())
        throw refuse(QStringLiteral("the egg has %1 bytes").arg(m_egg.size()));
    const qint64 begin = position - 1;
    qint64 limit = m_egg.size();
    bool resourceStart = begin == 0;
    for (const NeResource& r : m_table.resources) {
        if (begin >= r.offset && begin < r.offset + r.length) {
            limit = r.offset + r.length;
            resourceStart = resourceStart || begin == r.offset;
        }
    }
    if (!resourceStart) {
        const auto before = uint8_t(m_egg[begin - 1]);
        if (isTextByte(before) && before != '\r' && before != '\n')
            throw refuse(QStringLiteral("it lies inside a text"));
    }
    qint64 end = begin;
    while (end < limit && isTextByte(uint8_t(m_egg[end])))
        ++end;
    qint64 roomEnd = end;
    while (roomEnd < limit && m_egg[roomEnd] == '\0')
        ++roomEnd;
    if (roomEnd == end)
        throw refuse(QStringLiteral("no zero byte follows the text there, so its room cannot be "
                                    "measured"));
    return {position, std::string(bytes(begin, std::min(end, begin + qint64(kShownBytes)))),
            roomEnd - begin};
}

// Why the description or the attributes (whichever is not given) cannot be told.
void Surveyor::refuseUntoldTexts(bool description, bool attributes, qint64 otherCount) const
{
    const SurveyRegion region = description ? SurveyRegion::Attributes : SurveyRegion::Description;
    const bool oneGiven = description || attributes;
    if (!oneGiven && m_candidateCount == 0)
        throw Refused(region, QStringLiteral("No text for the description and the attributes "
                                             "(followed by zero bytes) was found."));
    if (otherCount + (oneGiven ? 1 : 0) < 2)
        throw Refused(region, QStringLiteral("Only one text for the description and the "
                                             "attributes (followed by zero bytes) was found; "
                                             "give the other by position."));
    throw Refused(region, QStringLiteral("The description and the attributes cannot be told "
                                         "apart among %1 texts; choose them by position.")
                              .arg(m_candidateCount));
}

void Surveyor::chooseTexts()
{
    for (const Span& text : m_candidates)
        m_listed.push_back(
            {text.begin + 1,
             std::string(bytes(text.begin, std::min(text.end, text.begin + qint64(kShownBytes)))),
             text.roomEnd - text.begin});
    std::optional<TextCandidate> description, attributes;
    if (m_choices.descriptionPosition)
        description =
            textAt(*m_choices.descriptionPosition, "description", SurveyRegion::Description);
    if (m_choices.attributesPosition)
        attributes = textAt(*m_choices.attributesPosition, "attributes", SurveyRegion::Attributes);
    if (description && attributes && description->position == attributes->position)
        throw Refused(SurveyRegion::Attributes,
                      QStringLiteral("The description and the attributes cannot both be the text "
                                     "at byte %1.")
                          .arg(description->position));
    std::vector<const TextCandidate*> others;
    for (const TextCandidate& candidate : m_listed)
        if ((!description || candidate.position != description->position) &&
            (!attributes || candidate.position != attributes->position))
            others.push_back(&candidate);
    const qint64 otherCount = m_candidateCount - qint64(m_listed.size() - others.size());
    if (description && !attributes && otherCount == 1)
        attributes = *others.front();
    if (attributes && !description && otherCount == 1)
        description = *others.front();
    if (!description && !attributes && m_candidateCount == 2) {
        // Two texts: which is which the egg cannot say. The longer is offered as the
        // description, and the caller must have the user confirm it.
        const bool firstLonger = m_listed[0].room >= m_listed[1].room;
        description = m_listed[firstLonger ? 0 : 1];
        attributes = m_listed[firstLonger ? 1 : 0];
        m_found.textsOpen = true;
    }
    if (!description || !attributes)
        refuseUntoldTexts(bool(description), bool(attributes), otherCount);
    m_found.texts = {*description, *attributes};
    m_found.locator.locDescPos = int32_t(description->position);
    m_found.locator.locDescLen = int32_t(description->room - 1);
    m_found.locator.locAttrPos = int32_t(attributes->position);
    m_found.locator.locAttrLen = int32_t(attributes->room - 1);
}

void Surveyor::roundTrip()
{
    const QString name = QString::fromStdString(m_stem) + QStringLiteral(".odd");
    const int n = m_found.header.ballsPerSet;
    ProjectState& read = m_found.read;
    read.baseBreed = m_stem;
    m_found.locator.applyTo(read);
    try {
        readEggRegions(read, n, m_egg, name);
    } catch (const Error& error) {
        throw Refused(
            SurveyRegion::Check,
            QStringLiteral("The regions found do not read back: %1").arg(error.message()));
    }
    const std::vector<QString> losses = roundTripLosses(m_egg, n, read, name);
    if (!losses.empty()) {
        QStringList all(losses.begin(),
                        losses.begin() + qsizetype(std::min<size_t>(losses.size(), 3)));
        if (losses.size() > 3)
            all.append(QStringLiteral("(and %1 more)").arg(losses.size() - 3));
        throw Refused(SurveyRegion::Check,
                      QStringLiteral("Written back unchanged, every egg made with these places "
                                     "would lose what this egg holds: %1")
                          .arg(all.join(QLatin1Char(' '))));
    }
    for (int k = 0; k < n; ++k) {
        std::string label = readableLabel(read.ball(n + k).comment);
        if (label.empty())
            label = readableLabel(read.ball(k).comment);
        if (label.empty())
            label = "eBall " + std::to_string(k + 1);
        m_found.labels.push_back(std::move(label));
    }
    for (size_t s = 0; s < 2; ++s)
        m_found.sets[s].firstComment =
            read.ball(int(s == (m_found.baby == BabySet::A ? 0u : 1u) ? 0 : n)).comment;
}

SurveyFindings Surveyor::run()
{
    if (m_egg.size() > kEggFileLimit)
        throw Refused(SurveyRegion::Check,
                      QStringLiteral("The egg has %1 bytes, more than the %2 an egg can have.")
                          .arg(m_egg.size())
                          .arg(kEggFileLimit));
    // Its rooms would be measured from the grown copies, not the base egg's.
    if (const QString trace = grownTrace(m_egg); !trace.isEmpty())
        throw Refused(SurveyRegion::Check,
                      QStringLiteral("This is not the game's own egg: %1.").arg(trace));
    findSegments();
    for (size_t s = 0; s < m_segments.size(); ++s)
        scanSegment(s);
    chooseBallSets();
    chooseTips();
    chooseNameBlock();
    chooseTexts();
    roundTrip();
    return std::move(m_found);
}

} // namespace

SurveyChoices SurveyFindings::choices() const
{
    return {texts[0].position, texts[1].position, baby};
}

SurveyChoices SurveyFindings::withTextsSwapped() const
{
    return {texts[1].position, texts[0].position, baby};
}

SurveyChoices SurveyFindings::withSetsSwapped() const
{
    return {texts[0].position, texts[1].position, baby == BabySet::A ? BabySet::B : BabySet::A};
}

SurveyResult surveyEgg(const QByteArray& egg, const std::string& stem, const SurveyChoices& choices)
{
    SurveyResult result;
    Surveyor surveyor(egg, stem, choices);
    try {
        result.findings = surveyor.run();
    } catch (const Refused& refused) {
        result.refusal.region = refused.region;
        result.refusal.message = refused.message;
        if (refused.region == SurveyRegion::Description ||
            refused.region == SurveyRegion::Attributes) {
            result.refusal.candidates = std::move(surveyor.m_listed);
            result.refusal.candidateCount = surveyor.m_candidateCount;
        }
    }
    result.tried = std::move(surveyor.m_tried);
    return result;
}

QByteArray surveyedInformationFile(const SurveyFindings& findings)
{
    return informationFileBytes(findings.header, findings.labels);
}

QByteArray surveyedLocatorFile(const SurveyFindings& findings, const std::string& stem)
{
    return surveyedLocatorFile(findings.locator, stem);
}

QByteArray surveyedLocatorFile(const LocatorValues& values, const std::string& stem)
{
    return locatorFileBytes(values, "Locator of " + stem + ".odd (surveyed)");
}

} // namespace yw
