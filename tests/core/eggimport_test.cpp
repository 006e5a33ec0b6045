// Eggs and packages turned back into projects, on the sample game of both editions.
#include "files/eggimport.h"
#include "files/eggwriter.h"
#include "files/packagewriter.h"
#include "files/projectfile.h"
#include "platform/cabinet.h"
#include "platform/setting.h"
#include "platform/settingsstore.h"
#include "samplegame/samplegame.h"
#include "support/eggreadback.h"
#include "support/statecompare.h"
#include "support/testsupport.h"

#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <random>

namespace yw {

using namespace test;

namespace {

// Random values the egg writer accepts, every text within its room.
void editAtRandom(ProjectState& s, int ballsPerSet, std::mt19937& rng)
{
    const auto number = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(rng);
    };
    const auto text = [&](int room) {
        std::string out = "a";
        for (int length = number(0, std::max(0, room - 1)); length > 0; --length)
            out += "bcXYZ09 \"'&\xe4\xe9\x80"[number(0, 13)];
        return out;
    };
    for (int i = 0; i < 2 * ballsPerSet; ++i) {
        EBallRecord& r = s.eBalls[size_t(i)];
        r.fillColor = int16_t(number(-1, 255));
        r.spreckColor = int16_t(number(-1, 255));
        r.fuzziness = int16_t(number(0, 3));
        r.diameter = int16_t(number(1, 120));
        r.useTexture = int16_t(r.texture > -1 ? number(0, 1) : 0);
    }
    s.eggTray = std::to_string(number(0, 99));
    s.eggSlot = std::to_string(number(0, 9));
    s.breedName = text(std::min(20, s.locNameLen - 7));
    s.breedDescription = text(std::min(s.locDescLen, 200));
    s.breedAttributes = text(std::min(s.locAttrLen, 60));
    for (int t = 0; t < s.tipPairs(); ++t) {
        s.regTips[size_t(t)] = number(0, 3) == 0 ? std::string() : text(s.locTipsLen / 6 - 2);
        s.demoTips[size_t(t)] = text(s.locTipsLen / 6 - 2);
    }
}

} // namespace

// The sample game of both editions with the program's resource files, an installation of each.
class EggImport : public ::testing::Test
{
protected:
    void SetUp() override
    {
        installation = sampleGameInstallation(dir.path(), fso);
        sample::writeSampleGame(dir.path(), Edition::UK);
        uk = installation;
        uk.edition = Edition::UK;
        uk.gameFolder = sample::gameFolder(dir.path(), Edition::UK);
    }
    QString path(const QString& name) const { return dir.filePath(name); }

    QTemporaryDir dir;
    FileSystem fso;
    Installation installation, uk;
    ProjectState state;
    ScriptedPrompts prompts;
};

TEST_F(EggImport, EggsAndPackagesOfRandomProjectsOfEveryBreedGiveTheProjectBack)
{
    std::mt19937 rng(21);
    MemorySettingsStore settings;
    setting::siteName.write(settings, QStringLiteral("Odd \"Corner\""));
    setting::siteUrl.write(settings, QStringLiteral("http://odd.example/"));
    for (const Installation* install : {&installation, &uk}) {
        for (const BaseBreedEntry& breed : baseBreeds()) {
            SCOPED_TRACE(breed.listText.toStdString() + (install == &uk ? " UK" : " US"));
            NewProject made = readBaseBreed(*install, state, breed.listText, prompts);
            ASSERT_EQ(made.status, NewProjectStatus::Created);
            const int n = made.header.ballsPerSet;
            editAtRandom(made.state, n, rng);
            const QString egg = path(QStringLiteral("shared.odd"));
            const QString package = path(QStringLiteral("shared.ypk"));
            saveODD(*install, made.state, egg, prompts);
            SaveYPK(*install, made.state, package, prompts, settings);
            const QByteArray expected =
                projectFileBytes(*install, asReadFromEgg(made.state, n), n, 2);
            for (const QString& source : {egg, package}) {
                const ImportedEgg back = importFile(*install, state, source);
                EXPECT_EQ(back.baseListText, breed.listText);
                EXPECT_EQ(projectDifference(back.project.state, asReadFromEgg(made.state, n)), "");
                const QString project = path(QStringLiteral("back.opj"));
                writeImportedProject(*install, back, project, source);
                EXPECT_EQ(readFile(project), expected);
                EXPECT_EQ(back.package.has_value(), source == package);
            }
            const PackageInfo info = importFile(*install, state, package).package.value();
            EXPECT_EQ(info.breedName, made.state.breedName);
            EXPECT_EQ(info.siteName, "Odd \"Corner\"");
            EXPECT_EQ(info.siteUrl, "http://odd.example/");
            QFile::remove(companionPathFor(egg));
        }
    }
    EXPECT_TRUE(prompts.shown.empty());
}

// Every refusal names the egg and the reason; nothing is imported.
TEST_F(EggImport, EggsThatNoBaseExplainsAreRefusedWithTheReason)
{
    const sample::EggLayout quadrapus = sample::eggLayout(0, Edition::US);
    struct Row
    {
        const char* name;
        int breed; // the sample egg (and its companion) the damage starts from
        std::function<void(QByteArray& egg, std::optional<QByteArray>& companion)> damage;
        std::string base; // as --base names it
        std::vector<const char*> words;
    };
    const Row rows[] = {
        {"of the other edition",
         0,
         [](QByteArray& egg, auto&) { egg = sample::eggFile(0, Edition::UK); },
         {},
         {"no base breed", "US edition", "other edition"}},
        {"cut short by a byte",
         0,
         [](QByteArray& egg, auto&) { egg.chop(1); },
         {},
         {"no base breed", "bytes"}},
        {"one byte changed outside the regions",
         0,
         [](QByteArray& egg, auto&) { egg[99] = '#'; },
         {},
         {"byte 100", "closest, Quadrapus, differs in 1 byte(s)", "the first at byte 100"}},
        {"the bytes right before ball set A and right after the name block changed",
         0,
         [&](QByteArray& egg, auto&) {
             egg[quadrapus.locSetAPos - 3] ^= 1;
             egg[quadrapus.locNamePos + quadrapus.locNameLen] ^= 1;
         },
         {},
         {"differs in 2 byte(s)"}},
        {"a ball line that does not read",
         0,
         [&](QByteArray& egg, auto&) {
             egg.replace(egg.indexOf(',', quadrapus.locSetAPos), 1, "!");
         },
         {},
         {"Quadrapus", "ball set A"}},
        {"a name block without its line break",
         0,
         [&](QByteArray& egg, auto&) {
             egg.replace(egg.indexOf("\r\n", quadrapus.locNamePos - 1), 2, "  ");
         },
         {},
         {"Quadrapus", "name block"}},
        {"a companion that is not the base breed's",
         0,
         [](QByteArray&, std::optional<QByteArray>& companion) { (*companion)[10] ^= 1; },
         {},
         {"companion", "quadrpus.odx", "differs"}},
        {"a companion where the base breed has none",
         1,
         [](QByteArray&, std::optional<QByteArray>& companion) { companion = "odx"; },
         {},
         {"Honker has none"}},
        {"another base breed named",
         0,
         [](QByteArray&, auto&) {},
         "Honker",
         {"no Honker with resource files", "the egg of Honker has"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        QByteArray egg = sample::eggFile(row.breed, Edition::US);
        std::optional<QByteArray> companion = sample::companionFile(row.breed, Edition::US);
        if (companion->isEmpty())
            companion.reset();
        row.damage(egg, companion);
        try {
            importEgg(installation, state, egg, companion, QStringLiteral("shared.odd"), row.base);
            ADD_FAILURE() << "imported";
        } catch (const FormatError& e) {
            EXPECT_TRUE(e.message().startsWith(QStringLiteral("shared.odd"))) << e.what();
            for (const char* word : row.words)
                EXPECT_TRUE(e.message().contains(QLatin1String(word))) << e.what();
        }
    }
}

TEST_F(EggImport, DamagedOrHostilePackagesAreRefusedBeforeTheyAreUnpacked)
{
    SaveYPK(installation,
            readBaseBreed(installation, state, QStringLiteral("Quadrapus"), prompts).state,
            path(QStringLiteral("q.ypk")), prompts, MemorySettingsStore());
    const QByteArray package = readFile(path(QStringLiteral("q.ypk")));
    const auto at = [&](int offset) {
        return uchar(package[offset]) | uchar(package[offset + 1]) << 8;
    };
    const int files = at(16), blocks = at(36); // no reserved fields: the first folder at 36
    const auto cabinetOf = [&](std::initializer_list<const char*> names) {
        std::vector<CabinetFile> members;
        for (const char* text : names) {
            const QString name = QLatin1String(text);
            writeFile(path(name),
                      name == QStringLiteral("ypkinfo.inf") ? "\"YPKFILE|$|2.0\"" : "x");
            members.push_back({name, path(name), QDateTime::currentDateTime()});
        }
        return makeCabinet(members);
    };
    struct Row
    {
        const char* name;
        std::function<void(QByteArray&)> damage;
        const char* words;
    };
    const Row rows[] = {
        {"cut short", [](QByteArray& p) { p.chop(p.size() / 2); }, "byte 9"},
        {"one of a set", [](QByteArray& p) { p[30] = 1; }, "not one of a set"},
        {"LZX", [](QByteArray& p) { p[42] = 3; }, "MSZIP"},
        {"a member over the egg limit",
         [&](QByteArray& p) { p.replace(files, 4, QByteArray::fromHex("01000004")); }, "67108864"},
        {"a block of 40000 bytes",
         [&](QByteArray& p) { p.replace(blocks + 6, 2, QByteArray::fromHex("409c")); }, "32768"},
        {"more blocks than it holds", [](QByteArray& p) { p[41] = char(0x7f); }, "ends at byte"},
        {"damaged data", [&](QByteArray& p) { p[blocks + 20] = char(~p[blocks + 20]); }, "libgcab"},
        {"nine members",
         [&](QByteArray& p) {
             p = cabinetOf({"1", "2", "3", "4", "5", "6", "7", "8", "9"});
         },
         "1 to 8"},
        {"no ypkinfo.inf", [&](QByteArray& p) { p = cabinetOf({"a.odd"}); }, "a package holding"},
        {"two eggs",
         [&](QByteArray& p) {
             p = cabinetOf({"ypkinfo.inf", "a.odd", "b.odd"});
         },
         "one egg"},
        {"a stray member",
         [&](QByteArray& p) {
             p = cabinetOf({"ypkinfo.inf", "a.odd", "read.me"});
         },
         "read.me"},
        {"an egg of no base",
         [&](QByteArray& p) {
             p = cabinetOf({"ypkinfo.inf", "a.odd"});
         },
         "a.odd (in q.ypk)"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        QByteArray damaged = package;
        row.damage(damaged);
        try {
            importPackage(installation, state, damaged, QStringLiteral("q.ypk"));
            ADD_FAILURE() << "imported";
        } catch (const FormatError& e) {
            EXPECT_TRUE(e.message().contains(QLatin1String(row.words))) << e.what();
            EXPECT_TRUE(e.message().contains(QStringLiteral("q.ypk"))) << e.what();
        }
    }
}

} // namespace yw
