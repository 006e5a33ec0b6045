#include "files/survey.h"

#include "files/eggwriter.h"
#include "files/neresources.h"
#include "files/newproject.h"
#include "platform/cp1252.h"
#include "platform/errors.h"
#include "platform/prompts.h"
#include "platform/savefile.h"

#include <QStringList>
#include <algorithm>

namespace yw {

namespace {

constexpr int kMostTipEntries = 6;

class Refused
{
public:
    Refused(SurveyRegion region, QString message, std::vector<TextCandidate> candidates = {})
    {
        refusal.region = region;
        refusal.message = std::move(message);
        refusal.candidates = std::move(candidates);
    }
    SurveyRefusal refusal;
};

bool isTextByte(uint8_t c)
{
    if (c == '\t' || c == '\r' || c == '\n')
        return true;
    if (c >= 0x20 && c < 0x7f)
        return true;
    // Windows-1252 leaves these five undefined.
    return c >= 0x80 && c != 0x81 && c != 0x8d && c != 0x8f && c != 0x90 && c != 0x9d;
}

bool isLetter(uint8_t c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
           (c >= 0xc0 && c != 0xd7 && c != 0xf7);
}

struct Segment
{
    qint64 begin = 0;
    qint64 end = 0;
    const NeResource* resource = nullptr;
};

// A maximal run of text bytes; `roomEnd` is where its room ends (== end: no zero byte after it).
struct Text
{
    qint64 begin = 0;
    qint64 end = 0;
    qint64 roomEnd = 0;
    size_t segment = 0;
    bool lnz = false;      // holds a ball line or a "[...]" header line
    bool tipsLike = false; // holds a line beginning with "string0="
};

struct BallRun
{
    qint64 begin = 0; // 0-based first byte of the first line
    size_t segment = 0;
    bool signalled = false; // under a [Ballz Info] header
    std::vector<EBallRecord> records;
    qint64 diameters = 0;
};

struct TipsBlock
{
    qint64 begin = 0;
    int entries = 0;
    const Text* text = nullptr;
};

std::string_view bytes(const QByteArray& egg, qint64 begin, qint64 end)
{
    return std::string_view(egg.constData() + begin, size_t(end - begin));
}

std::string trimmed(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return std::string(text);
}

bool isDigits(std::string_view text)
{
    return !text.empty() && text.size() <= 5 &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A cheap look before the real reading: the reader's shape needs seven commas and a number first.
bool mayBeBallLine(std::string_view line)
{
    if (std::count(line.begin(), line.end(), ',') < 7)
        return false;
    size_t i = line.find_first_not_of(' ');
    if (i != std::string_view::npos && line[i] == '-')
        ++i;
    return i < line.size() && line[i] >= '0' && line[i] <= '9';
}

bool isNameBlock(std::string_view text)
{
    const size_t lineEnd = text.find("\r\n");
    if (lineEnd == 0 || lineEnd == std::string_view::npos)
        return false;
    const std::string_view name = text.substr(0, lineEnd);
    if (name.find_first_of("\r\n") != std::string_view::npos)
        return false;
    const std::string_view rest = text.substr(lineEnd + 2);
    const size_t blank = rest.find(' ');
    return blank != std::string_view::npos && isDigits(rest.substr(0, blank)) &&
           isDigits(rest.substr(blank + 1));
}

bool looksLikeProse(std::string_view text)
{
    const auto letters =
        std::count_if(text.begin(), text.end(), [](char c) { return isLetter(uint8_t(c)); });
    return text.size() >= 2 && size_t(letters) * 2 >= text.size();
}

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [&](char x, char y) { return lower(x) == lower(y); });
}

std::string readableLabel(const std::string& comment)
{
    std::string text = trimmed(comment);
    while (!text.empty() && (text.front() == ';' || text.front() == ' '))
        text.erase(text.begin());
    std::string label;
    bool wordStart = true;
    for (const char c : text) {
        if (uint8_t(c) < 0x20)
            continue;
        label += wordStart && c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
        wordStart = c == ' ';
    }
    return trimmed(label);
}

bool usableSetName(const std::string& name)
{
    return !name.empty() && std::all_of(name.begin(), name.end(), [](char c) {
        return uint8_t(c) >= 0x20 && c != '"' && uint8_t(c) != 0x7f;
    });
}

QString quoted(const std::string& text, size_t most = 40)
{
    std::string shown;
    for (const char c : text.substr(0, most))
        shown += c == '\r' || c == '\n' ? ' ' : c;
    return QLatin1Char('"') + cp1252::toUnicode(shown) +
           (text.size() > most ? QStringLiteral("...\"") : QStringLiteral("\""));
}

class Surveyor
{
public:
    Surveyor(const QByteArray& egg, const std::string& stem, const SurveyChoices& choices)
        : m_egg(egg), m_stem(stem), m_choices(choices)
    {}

    SurveyFindings run();

private:
    void findSegments();
    void scan();
    void scanText(size_t index);
    void chooseBallSets();
    void chooseTips();
    void chooseNameBlock();
    void chooseTexts();
    void check();

    const QByteArray& m_egg;
    std::string m_stem;
    SurveyChoices m_choices;
    NeResourceTable m_table;
    std::vector<Segment> m_segments;
    std::vector<Text> m_texts;
    std::vector<BallRun> m_runs;
    std::vector<TipsBlock> m_tips;
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
    // Pictures and code hold runs that look like short texts; only text resources are searched.
    const auto isText = [&](const NeResource& r) {
        qint64 plain = 0;
        for (qint64 i = r.offset; i < r.offset + r.length; ++i) {
            const auto c = uint8_t(m_egg[i]);
            plain += c == 0 || c == '\t' || c == '\r' || c == '\n' || (c >= 0x20 && c < 0x7f);
        }
        return plain * 10 >= r.length * 9;
    };
    for (const NeResource& r : m_table.resources)
        if (r.length > 0 && isText(r))
            m_segments.push_back({r.offset, r.offset + r.length, &r});
    std::sort(m_segments.begin(), m_segments.end(),
              [](const Segment& a, const Segment& b) { return a.begin < b.begin; });
}

void Surveyor::scan()
{
    for (size_t s = 0; s < m_segments.size(); ++s) {
        const Segment& segment = m_segments[s];
        qint64 i = segment.begin;
        while (i < segment.end) {
            if (!isTextByte(uint8_t(m_egg[i]))) {
                ++i;
                continue;
            }
            Text text;
            text.segment = s;
            text.begin = i;
            while (i < segment.end && isTextByte(uint8_t(m_egg[i])))
                ++i;
            text.end = i;
            while (i < segment.end && m_egg[i] == '\0')
                ++i;
            text.roomEnd = i;
            m_texts.push_back(text);
        }
    }
    // Headers are followed across the texts of one segment: an LNZ resource is one text.
    bool signalled = false;
    size_t segment = size_t(-1);
    for (size_t t = 0; t < m_texts.size(); ++t) {
        Text& text = m_texts[t];
        if (text.segment != segment) {
            segment = text.segment;
            signalled = false;
        }
        const QByteArrayView view(m_egg.constData() + text.begin, text.end - text.begin);
        BallRun run;
        const auto endRun = [&] {
            if (!run.records.empty())
                m_runs.push_back(std::move(run));
            run = BallRun();
        };
        qint64 line = text.begin;
        while (line < text.end) {
            const qsizetype feed = view.indexOf('\n', line - text.begin);
            const qint64 lineEnd = feed < 0 ? text.end : text.begin + feed + 1;
            const std::string_view content = bytes(m_egg, line, lineEnd);
            const std::string head = trimmed(content.substr(0, 64));
            if (!head.empty() && head.front() == '[' && head.find(']') != std::string::npos) {
                text.lnz = true;
                signalled = equalsIgnoringCase(
                    trimmed(std::string_view(head).substr(1, head.find(']') - 1)), "ballz info");
            }
            if (content.substr(0, 8) == "string0=") {
                text.tipsLike = true;
                TipsBlock block{line, 0, &text};
                for (qint64 at = line; at < text.end;) {
                    const std::string key = "string" + std::to_string(block.entries) + "=";
                    if (bytes(m_egg, at, std::min(text.end, at + qint64(key.size()))) != key)
                        break;
                    ++block.entries;
                    const qsizetype next = view.indexOf('\n', at - text.begin);
                    if (next < 0)
                        break;
                    at = text.begin + next + 1;
                }
                m_tips.push_back(block);
            }
            bool ball = false;
            if (feed >= 0 && mayBeBallLine(content)) {
                try {
                    ParsedBallLine parsed = parseBallLine(view, line - text.begin + 1, QString());
                    if (run.records.empty()) {
                        run.begin = line;
                        run.segment = text.segment;
                        run.signalled = signalled;
                    }
                    run.diameters += parsed.record.diameter;
                    run.records.push_back(std::move(parsed.record));
                    ball = true;
                    text.lnz = true;
                } catch (const FormatError&) {
                }
            }
            if (!ball)
                endRun();
            line = lineEnd;
        }
        endRun();
    }
}

void Surveyor::chooseBallSets()
{
    std::vector<const BallRun*> pool;
    for (const BallRun& run : m_runs)
        if (run.signalled)
            pool.push_back(&run);
    if (pool.size() < 2) {
        pool.clear();
        for (const BallRun& run : m_runs)
            pool.push_back(&run);
    }
    const auto describe = [](const BallRun* run) {
        return QStringLiteral("%1 lines at byte %2").arg(run->records.size()).arg(run->begin + 1);
    };
    if (pool.empty())
        throw Refused(SurveyRegion::BallSets,
                      QStringLiteral("No ball lines were found, so there are no ball sets."));
    if (pool.size() == 1)
        throw Refused(SurveyRegion::BallSets,
                      QStringLiteral("Only one run of ball lines was found (%1 lines at byte %2); "
                                     "two ball sets are needed.")
                          .arg(pool[0]->records.size())
                          .arg(pool[0]->begin + 1));
    // The two longest runs, when they are alike in length and longer than any other.
    std::stable_sort(pool.begin(), pool.end(), [](const BallRun* a, const BallRun* b) {
        return a->records.size() > b->records.size();
    });
    if (pool[0]->records.size() != pool[1]->records.size() ||
        (pool.size() > 2 && pool[2]->records.size() == pool[1]->records.size())) {
        std::sort(pool.begin(), pool.end(),
                  [](const BallRun* a, const BallRun* b) { return a->begin < b->begin; });
        QStringList runs;
        for (const BallRun* run : pool)
            runs.append(describe(run));
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
    const BallRun* a = pool[0];
    const BallRun* b = pool[1];
    if (b->begin < a->begin)
        std::swap(a, b);
    if (b->diameters < a->diameters)
        std::swap(a, b);
    const int n = int(a->records.size());
    if (n > kMaxBallsPerSet)
        throw Refused(SurveyRegion::BallSets,
                      QStringLiteral("The ball sets have %1 lines each; at most %2 can be edited.")
                          .arg(n)
                          .arg(kMaxBallsPerSet));

    m_found.header.ballsPerSet = n;
    m_found.locator.locSetAPos = int32_t(a->begin + 2);
    m_found.locator.locSetBPos = int32_t(b->begin + 2);
    const NeResource* resourceA = m_segments[a->segment].resource;
    const NeResource* resourceB = m_segments[b->segment].resource;
    if (resourceA && resourceB && a->segment != b->segment && usableSetName(resourceA->name) &&
        usableSetName(resourceB->name) && resourceA->name != resourceB->name) {
        m_found.header.lnzNameA = resourceA->name;
        m_found.header.lnzNameB = resourceB->name;
    } else {
        m_found.header.lnzNameA = m_stem + "_baby.lnz";
        m_found.header.lnzNameB = m_stem + "_adult.lnz";
    }
    for (int k = 0; k < n; ++k) {
        std::string label = readableLabel(b->records[size_t(k)].comment);
        if (label.empty())
            label = readableLabel(a->records[size_t(k)].comment);
        if (label.empty())
            label = "eBall " + std::to_string(k + 1);
        m_found.labels.push_back(std::move(label));
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
    if (block.text->roomEnd == block.text->end)
        throw Refused(SurveyRegion::Tips,
                      QStringLiteral("The tips block at byte %1 has no zero byte after it, so "
                                     "its room cannot be measured.")
                          .arg(block.begin + 1));
    const qint64 room = block.text->roomEnd - block.begin;
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
    std::vector<const Text*> blocks;
    std::vector<const Text*> named;
    for (const Text& text : m_texts) {
        const std::string_view content = bytes(m_egg, text.begin, text.end);
        if (text.roomEnd == text.end || !isNameBlock(content))
            continue;
        blocks.push_back(&text);
        if (equalsIgnoringCase(content.substr(0, content.find("\r\n")), listName))
            named.push_back(&text);
    }
    const Text* chosen = nullptr;
    if (blocks.size() == 1)
        chosen = blocks.front();
    else if (named.size() == 1)
        chosen = named.front();
    if (!chosen) {
        QStringList found;
        for (const Text* text : blocks)
            found.append(QStringLiteral("%1 at byte %2")
                             .arg(quoted(std::string(bytes(m_egg, text->begin, text->end))))
                             .arg(text->begin + 1));
        throw Refused(
            SurveyRegion::NameBlock,
            blocks.empty()
                ? QStringLiteral("No name block (the name, a line break, then the tray and the "
                                 "slot numbers, followed by zero bytes) was found.")
                : QStringLiteral("%1 name blocks were found and none is the only one named %2: "
                                 "%3.")
                      .arg(blocks.size())
                      .arg(QString::fromStdString(listName), found.join(QStringLiteral(", "))));
    }
    m_found.locator.locNamePos = int32_t(chosen->begin + 1);
    m_found.locator.locNameLen = int32_t(chosen->roomEnd - chosen->begin - 1);
}

void Surveyor::chooseTexts()
{
    std::vector<TextCandidate> candidates;
    for (const Text& text : m_texts) {
        const std::string_view content = bytes(m_egg, text.begin, text.end);
        if (text.roomEnd == text.end || text.lnz || text.tipsLike || isNameBlock(content) ||
            !looksLikeProse(content))
            continue;
        candidates.push_back({text.begin + 1, std::string(content), text.roomEnd - text.begin});
    }
    const auto find = [&](std::optional<qint64> position, SurveyRegion region,
                          const char* what) -> const TextCandidate* {
        if (!position)
            return nullptr;
        for (const TextCandidate& candidate : candidates)
            if (candidate.position == *position)
                return &candidate;
        throw Refused(region,
                      QStringLiteral("No text that could be the %1 begins at byte %2.")
                          .arg(QLatin1String(what))
                          .arg(*position),
                      candidates);
    };
    const TextCandidate* description =
        find(m_choices.descriptionPosition, SurveyRegion::Description, "description");
    const TextCandidate* attributes =
        find(m_choices.attributesPosition, SurveyRegion::Attributes, "attributes");
    if (description && description == attributes)
        throw Refused(SurveyRegion::Attributes,
                      QStringLiteral("The description and the attributes cannot both be the text "
                                     "at byte %1.")
                          .arg(description->position),
                      candidates);
    std::vector<const TextCandidate*> others;
    for (const TextCandidate& candidate : candidates)
        if (&candidate != description && &candidate != attributes)
            others.push_back(&candidate);
    if (description && !attributes && others.size() == 1)
        attributes = others.front();
    if (attributes && !description && others.size() == 1)
        description = others.front();
    if (!description && !attributes && others.size() == 2 &&
        others[0]->text.size() != others[1]->text.size()) {
        const bool firstLonger = others[0]->text.size() > others[1]->text.size();
        description = others[firstLonger ? 0 : 1];
        attributes = others[firstLonger ? 1 : 0];
    }
    if (!description || !attributes) {
        const SurveyRegion region =
            description ? SurveyRegion::Attributes : SurveyRegion::Description;
        if (candidates.size() < 2)
            throw Refused(region,
                          candidates.empty()
                              ? QStringLiteral("No text for the description and the attributes "
                                               "(followed by zero bytes) was found.")
                              : QStringLiteral("Only one text for the description and the "
                                               "attributes (followed by zero bytes) was found."),
                          candidates);
        throw Refused(region,
                      QStringLiteral("The description and the attributes cannot be told apart "
                                     "among %1 texts; choose them by position.")
                          .arg(candidates.size()),
                      candidates);
    }
    m_found.locator.locDescPos = int32_t(description->position);
    m_found.locator.locDescLen = int32_t(description->room - 1);
    m_found.locator.locAttrPos = int32_t(attributes->position);
    m_found.locator.locAttrLen = int32_t(attributes->room - 1);
}

// Silent: an unchanged project has no notice to give.
class NoPrompts : public Prompts
{
public:
    void message(const QString&, PromptIcon) override {}
    PromptAnswer question(const QString&, PromptButtons, PromptIcon) override
    {
        return PromptAnswer::No;
    }
};

void Surveyor::check()
{
    const QString name = QString::fromStdString(m_stem) + QStringLiteral(".odd");
    ProjectState& read = m_found.read;
    read.baseBreed = m_stem;
    m_found.locator.applyTo(read);
    try {
        readEggRegions(read, m_found.header.ballsPerSet, m_egg, name);
        NoPrompts prompts;
        patchedEgg(read, m_egg, m_found.header.ballsPerSet, prompts, name);
    } catch (const Error& error) {
        throw Refused(SurveyRegion::Check,
                      QStringLiteral("The regions found do not read back as the program reads "
                                     "them: %1")
                          .arg(error.message()));
    }
}

SurveyFindings Surveyor::run()
{
    if (m_egg.size() > kEggFileLimit)
        throw Refused(SurveyRegion::Check,
                      QStringLiteral("The egg has %1 bytes, more than the %2 an egg can have.")
                          .arg(m_egg.size())
                          .arg(kEggFileLimit));
    findSegments();
    scan();
    chooseBallSets();
    chooseTips();
    chooseNameBlock();
    chooseTexts();
    check();
    return std::move(m_found);
}

} // namespace

SurveyResult surveyEgg(const QByteArray& egg, const std::string& stem, const SurveyChoices& choices)
{
    SurveyResult result;
    try {
        result.findings = Surveyor(egg, stem, choices).run();
    } catch (const Refused& refused) {
        result.refusal = refused.refusal;
    }
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
