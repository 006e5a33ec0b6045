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
#include "support/randomedits.h"
#include "support/samplegamefixture.h"
#include "support/testsupport.h"

#include <QFile>
#include <cstring>

namespace yw {

using namespace test;

// The sample game of both editions with the program's resource files, an installation of each.
class EggImport : public SampleGameFixture
{
protected:
    void SetUp() override
    {
        SampleGameFixture::SetUp();
        sample::writeSampleGame(dir.path(), Edition::UK);
        uk = installation;
        uk.edition = Edition::UK;
        uk.gameFolder = sample::gameFolder(dir.path(), Edition::UK);
    }

    Installation uk;
};

TEST_F(EggImport, RandomProjectsComeBackFromTheirEggsOrPackages)
{
    RandomEdits edits(21);
    MemorySettingsStore settings;
    setting::siteName.write(settings, QStringLiteral("Odd \"Corner\""));
    setting::siteUrl.write(settings, QStringLiteral("http://odd.example/"));
    const std::string site = "|Odd \"Corner\"|http://odd.example/";
    for (const Installation* install : {&installation, &uk}) {
        for (const BaseBreedEntry& breed : baseBreeds()) {
            SCOPED_TRACE(breed.listText.toStdString() + (install == &uk ? " UK" : " US"));
            NewProject made = readBaseBreed(*install, state, breed.listText, prompts);
            ASSERT_EQ(made.status, NewProjectStatus::Created);
            const int n = made.shape.ballsPerSet();
            edits.edit(made.state, n);
            const QString egg = path(QStringLiteral("shared.odd"));
            const QString package = path(QStringLiteral("shared.ypk"));
            saveODD(*install, made.state, made.shape, egg, prompts);
            SaveYPK(*install, made.state, made.shape, package, prompts, settings);
            const QByteArray expected =
                projectFileBytes(*install, asReadFromEgg(made.state, n), n, 2);
            for (const QString& source : {egg, package}) {
                const ImportedEgg back = importFile(*install, state, source);
                EXPECT_EQ(back.baseListText + back.note, breed.listText);
                writeImportedProject(*install, back, path(QStringLiteral("back.opj")), source);
                if (source == egg && QFile::exists(companionPathFor(egg))) {
                    EXPECT_THROW(writeImportedProject(*install, back, companionPathFor(egg), egg),
                                 FileError);
                }
                EXPECT_EQ(readFile(path(QStringLiteral("back.opj"))), expected);
                const PackageInfo info = back.package.value_or(PackageInfo{"egg", {}, {}, {}});
                EXPECT_EQ(info.breedName + '|' + info.siteName + '|' + info.siteUrl,
                          source == egg ? "egg||" : made.state.breedName + site);
            }
            // Without its companion an egg is taken, with a note when the base breed has one.
            QFile::remove(companionPathFor(egg));
            EXPECT_EQ(importFile(*install, state, egg).note.isEmpty(),
                      !QFile::exists(install->baseCompanionPath(breed.stem)));
        }
    }
}

// Every refusal names the egg and the reason; nothing is imported.
TEST_F(EggImport, EggsThatNoBaseExplainsAreRefusedWithTheReason)
{
    const sample::EggLayout quadrapus = sample::eggLayout(0, Edition::US);
    const QByteArray egg = sample::eggFile(0, Edition::US);
    struct Row
    {
        const char* name;
        int breed = 0;
        Edition edition = Edition::US;
        Edition setTo = Edition::US; // the edition Yolkwright is set to; the game is US
        qsizetype at = -1;           // where `put` goes, or where the egg is cut when it is null
        const char* put = "";        // bytes put into the sample egg
        const char* odx{};           // the companion, instead of the sample's
        std::string base{};          // as --base names it
        const char* says;
    };
    const qsizetype setA = quadrapus.locSetAPos, name = quadrapus.locNamePos;
    const Row rows[] = {
        // The edition hint only where changing the setting could help.
        {.name = "UK",
         .edition = Edition::UK,
         .says = "409088 bytes, or a smaller one it was grown from"},
        {.name = "set to UK",
         .edition = Edition::UK,
         .setTo = Edition::UK,
         .says = "grown from (Yolkwright is set to the UK edition"},
        {.name = "cut short", .at = egg.size() - 1, .put = nullptr, .says = "has an egg of"},
        {.name = "outside", .at = 99, .put = "#", .says = "edits, the first at byte 100"},
        {.name = "the last byte", .at = egg.size() - 1, .put = "#", .says = "in 1 byte(s)"},
        {.name = "before set A", .at = setA - 3, .put = "\x01", .says = "Quadrapus, differs in 1"},
        {.name = "after name", .at = name + quadrapus.locNameLen, .put = "@", .says = "in 1 byte"},
        {.name = "a ball line", .at = egg.indexOf(',', setA), .put = "!", .says = "ball set A"},
        {.name = "the name", .at = egg.indexOf("\r\n", name - 1), .put = " ", .says = "name block"},
        {.name = "a companion of one byte changed",
         .odx = "~",
         .says = "companion file of the base breed Quadrapus"},
        {.name = "none in the base", .breed = 1, .odx = "x", .says = "Honker has none"},
        {.name = "another base", .base = "Honker", .says = "the egg of Honker has"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        QByteArray damaged = sample::eggFile(row.breed, row.edition);
        if (!row.put)
            damaged.truncate(row.at);
        else if (row.at >= 0)
            damaged.replace(row.at, qsizetype(strlen(row.put)), row.put);
        std::optional companion =
            row.odx ? QByteArray(row.odx) : sample::companionFile(row.breed, row.edition);
        if (companion->isEmpty())
            companion.reset();
        if (row.odx && *row.odx == '~') {
            companion = sample::companionFile(row.breed, row.edition);
            (*companion)[3] = char(~(*companion)[3]);
        }
        installation.edition = row.setTo;
        try {
            importEgg(installation, state, damaged, companion, QStringLiteral("shared.odd"),
                      row.base);
            ADD_FAILURE() << "imported";
        } catch (const FormatError& e) {
            EXPECT_TRUE(e.message().startsWith(QStringLiteral("shared.odd"))) << e.what();
            EXPECT_TRUE(e.message().contains(QLatin1String(row.says))) << e.what();
            if (row.edition == Edition::UK) {
                EXPECT_EQ(e.message().contains(QStringLiteral("Options window")),
                          row.setTo == Edition::UK)
                    << e.what();
            }
        }
    }
}

// A text ends at its first zero, as the game shows it. What a project cannot keep is named, and
// the project is written only when that is accepted.
TEST_F(EggImport, TextsEndAtTheirZeroAndWhatAProjectCannotKeepIsNamed)
{
    NewProject made = readBaseBreed(installation, state, QStringLiteral("Quadrapus"), prompts);
    made.state.regTips[0] = "a"; // room after the tips block
    const QString eggPath = path(QStringLiteral("e.odd"));
    saveODD(installation, made.state, made.shape, eggPath, prompts);
    const QByteArray egg = readFile(eggPath);
    const std::optional<QByteArray> companion = readFile(companionPathFor(eggPath));
    const ProjectState& s = made.state;
    const qsizetype lineEnd = egg.indexOf("\r\n", s.locSetAPos - 1);
    ASSERT_EQ(egg[lineEnd - 1], ',');
    struct Row
    {
        const char* name;
        qsizetype at;
        QByteArray put;
        const char* loss; // or, when empty, the description and attributes read
    };
    const Row rows[] = {
        {"zeros in the texts", s.locDescPos - 1, QByteArray("A meek b\0hear", 13), "A meek b|Shy"},
        {"words after the slot", egg.indexOf('\0', s.locNamePos - 1), " extra",
         "The name block would lose \" extra\""},
        {"a 7th tip", egg.indexOf('\0', s.locTipsPos - 1), "string6=x\r\n",
         "The tips would lose \"\\r\\nstring6=x\""},
        {"string9=", s.locTipsPos - 1, "string9=", "The tips would hold \"0=string9="},
        {"a ball line without its final comma", lineEnd - 1, " ", "eBall 0"},
        {"a line break in the name", s.locNamePos, "\n", "breed name holds a line break"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        QByteArray changed = egg;
        changed.replace(row.at, row.put.size(), row.put);
        if (row.name == rows[0].name)
            changed.replace(s.locAttrPos - 1, 14, QByteArray("Shy\0, friendly", 14));
        const ImportedEgg back = importEgg(installation, state, changed, companion, eggPath);
        const QString losses = back.losses.empty() ? QString() : back.losses.front();
        if (row.name == rows[0].name) {
            EXPECT_EQ(back.project.state.breedDescription + "|" +
                          back.project.state.breedAttributes,
                      row.loss);
            EXPECT_TRUE(back.losses.empty()) << losses.toStdString();
            continue;
        }
        ASSERT_EQ(back.losses.size(), 1u);
        EXPECT_TRUE(losses.contains(QLatin1String(row.loss))) << losses.toStdString();
        const QString project = path(QStringLiteral("p.opj"));
        EXPECT_THROW(writeImportedProject(installation, back, project, eggPath), FormatError);
        EXPECT_FALSE(QFile::exists(project));
        writeImportedProject(installation, back, project, eggPath, true);
        EXPECT_TRUE(QFile::remove(project));
    }
}

// Two installed bases that both fit would give two projects: the import names both.
TEST_F(EggImport, AnEggThatTwoBasesFitIsRefusedNamingBoth)
{
    const QString res = dir.filePath(QStringLiteral("program/res/"));
    for (const QString& kind : {QStringLiteral(".blz"), QStringLiteral(".loc")}) {
        QFile::remove(res + QStringLiteral("Honker") + kind);
        ASSERT_TRUE(QFile::copy(res + QStringLiteral("quadrpus") + kind,
                                res + QStringLiteral("Honker") + kind));
    }
    QFile::remove(installation.baseEggPath("Honker"));
    ASSERT_TRUE(
        QFile::copy(installation.baseEggPath("quadrpus"), installation.baseEggPath("Honker")));
    try {
        importEgg(installation, state, sample::eggFile(0, Edition::US),
                  sample::companionFile(0, Edition::US), QStringLiteral("shared.odd"), {});
        ADD_FAILURE() << "imported";
    } catch (const FormatError& e) {
        EXPECT_TRUE(e.message().contains(QLatin1String("both Quadrapus and Honker fit")))
            << e.what();
    }
}

TEST_F(EggImport, DamagedOrHostilePackagesAreRefusedBeforeTheyAreUnpacked)
{
    const NewProject made =
        readBaseBreed(installation, state, QStringLiteral("Quadrapus"), prompts);
    SaveYPK(installation, made.state, made.shape, path(QStringLiteral("q.ypk")), prompts,
            MemorySettingsStore());
    const QByteArray package = readFile(path(QStringLiteral("q.ypk")));
    const int files = uchar(package[16]) | uchar(package[17]) << 8;
    const int blocks = uchar(package[36]) | uchar(package[37]) << 8; // the one folder's data
    struct Row
    {
        const char* name;
        qsizetype at;        // where `hex` goes
        const char* hex;     // or, with `members`, a cabinet of these (one-byte) members
        const char* members; // blank-separated
        const char* words;
    };
    const Row rows[] = {
        {"a wrong size", 8, "00000100", nullptr, "byte 9"},
        {"LZX", 42, "03", nullptr, "MSZIP"},
        {"a member over the egg limit", files, "01000004", nullptr, "67108864"},
        {"a block of 40000 bytes", blocks + 6, "409c", nullptr, "32768"},
        {"more blocks than it holds", 40, "ff7f", nullptr, "ends at byte"},
        {"damaged data", blocks + 20, "deadbeef", nullptr, "libgcab"},
        {"nine members", 0, "", "1 2 3 4 5 6 7 8 9", "1 to 8"},
        {"no ypkinfo.inf", 0, "", "a.odd", "a package holding"},
        {"two eggs", 0, "", "ypkinfo.inf a.odd b.odd", "one egg"},
        {"a stray member", 0, "", "ypkinfo.inf a.odd read.me", "read.me"},
        {"a folder in a name", 0, "", "ypkinfo.inf sub\\a.odd", "without folders"},
        {"a member past its folder's data", files + 4, "00000001", nullptr, "inside its folder"},
        {"an egg of no base", 0, "", "ypkinfo.inf a.odd", "a.odd (in q.ypk)"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        QByteArray damaged = package;
        if (row.members) {
            std::vector<CabinetFile> members;
            for (const QString& name : QString::fromLatin1(row.members).split(QLatin1Char(' '))) {
                writeFile(path(name), "x");
                members.push_back({name, path(name), QDateTime::currentDateTime()});
            }
            damaged = makeCabinet(members);
        } else {
            damaged.replace(row.at, qsizetype(strlen(row.hex) / 2), QByteArray::fromHex(row.hex));
        }
        try {
            importPackage(installation, state, damaged, QStringLiteral("q.ypk"));
            ADD_FAILURE() << "imported";
        } catch (const FormatError& e) {
            EXPECT_TRUE(e.message().contains(QLatin1String(row.words))) << e.what();
            EXPECT_TRUE(e.message().contains(QStringLiteral("q.ypk"))) << e.what();
        }
    }
    // Member names in another letter case are the same members.
    QByteArray upper = package;
    for (const char* name : {"ypkinfo.inf", ".odd", ".odx"})
        upper.replace(name, QByteArray(name).toUpper());
    EXPECT_EQ(importPackage(installation, state, upper, QStringLiteral("q.ypk")).baseListText,
              QStringLiteral("Quadrapus"));

    // Two folders within the unpacked limit each, over it together: blocks claiming 32768 bytes.
    QByteArray big(70 + 2 * 3100 * 8, '\0');
    const auto put = [&](qsizetype at, quint32 value, int bytes) {
        for (int b = 0; b < bytes; ++b)
            big[at + b] = char(value >> 8 * b);
    };
    big.replace(0, 4, "MSCF");
    put(8, quint32(big.size()), 4);
    put(16, 52, 4); // the file entry, after the two folders
    put(26, 2, 2);
    put(28, 1, 2);
    for (int f = 0; f < 2; ++f) {
        put(36 + 8 * f, 70 + f * 3100 * 8, 4);
        put(40 + 8 * f, 3100, 2);
    }
    big[68] = 'a';
    for (qsizetype at = 70; at < big.size(); at += 8)
        put(at + 6, 32768, 2);
    try {
        cabinetEntries(big, QStringLiteral("big.ypk"));
        ADD_FAILURE() << "read";
    } catch (const FormatError& e) {
        EXPECT_TRUE(e.expected().contains(QStringLiteral("bytes unpacked"))) << e.what();
    }

    // One folder of one 10-byte block: a member of 10 bytes fits it, one of 11 runs past it.
    big = QByteArray(80, '\0');
    big.replace(0, 4, "MSCF");
    put(8, 80, 4);
    put(16, 44, 4);
    put(26, 1, 2);
    put(28, 1, 2);
    put(36, 62, 4);
    put(40, 1, 2);
    big[60] = 'a';
    put(66, 10, 2);
    put(68, 10, 2);
    put(44, 10, 4);
    const std::vector<CabinetEntry> one = cabinetEntries(big, QStringLiteral("one.ypk"));
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(one[0].name + QString::number(one[0].size), QStringLiteral("a10"));
    put(44, 11, 4);
    try {
        cabinetEntries(big, QStringLiteral("one.ypk"));
        ADD_FAILURE() << "read";
    } catch (const FormatError& e) {
        EXPECT_EQ(e.expected(), QStringLiteral("a member inside its folder's data"));
    }
}

} // namespace yw
