// Writes the fuzzers' seed corpora from our own writers, so no binary corpus lives in the
// repository: yw_fuzz_seeds OUTDIR makes OUTDIR/<target>/ for every target.
#include "files/breedresources.h"
#include "files/fieldcodec.h"
#include "files/projectfile.h"
#include "fuzzsupport.h"
#include "model/eballrecord.h"
#include "platform/cabinet.h"
#include "samplegame/samplegame.h"
#include "support/surveyeggs.h"

#include <QDir>
#include <QTemporaryDir>
#include <cstdio>
#include <random>

using namespace yw;

namespace {

using Seeds = std::vector<QByteArray>;

std::mt19937 rng(1997);

int16_t pick(std::initializer_list<int16_t> values)
{
    std::uniform_int_distribution<size_t> index(0, values.size() - 1);
    return *(values.begin() + index(rng));
}

EBallRecord randomRecord()
{
    EBallRecord r;
    r.fillColor = pick({-1, 0, 5, 12, 143, 255});
    r.borderColor = pick({-1, 0, 9, 10, 244});
    r.spreckColor = pick({-1, 0, 255});
    r.fuzziness = pick({0, 1, 2, 3});
    r.borderThickness = pick({-1, 0, 1, 2});
    r.diameter = pick({-255, -10, 0, 7, 25, 999});
    r.auxValue = pick({0, 1, -1, 32767});
    r.texture = pick({-1, 0, 3, 12});
    r.useTexture = r.texture > -1 ? pick({0, 1}) : 0;
    const char* comments[] = {"head", "left ear", "tail, long", " belly", "say \"ah\"", "x"};
    r.comment = comments[std::uniform_int_distribution<int>(0, 5)(rng)];
    return r;
}

Seeds projectSeeds()
{
    Seeds seeds;
    for (int variant = 0; variant < 8; ++variant) {
        Installation install = fuzz::startInstallation();
        ProjectState s;
        const bool lips = variant % 2 == 1;
        s.baseBreed = lips ? "Lips" : "Zott";
        s.tipCount = lips ? 5 : 6;
        s.breedName = variant == 3 ? "The \"Great\" One" : "Ziggy";
        s.eggTray = std::to_string(variant * 3);
        s.eggSlot = std::to_string(variant);
        for (int t = 0; t < 3; ++t) {
            s.regTips[size_t(t)] = variant == 2 ? "" : "reg tip " + std::to_string(t);
            s.demoTips[size_t(t)] = "demo, \"tip\"\r\nline two";
        }
        for (int i = 0; i < 6; ++i)
            s.eBalls[size_t(i)] = randomRecord();
        s.breedDescription = variant == 4 ? std::string("curly \x94 quote") : "A breed.\r\nFast";
        s.breedAttributes = "Friendly";
        install.buildNo = variant == 5 ? "0012" : "0310";
        seeds.push_back(projectFileBytes(install, s, lips ? 3 : 2, variant == 6 ? 2 : 0));
    }
    seeds.push_back(QByteArray(kProjectHeader) + "\r\n");
    seeds.push_back("[Yolkwright Project File] \r\n\"0310\",0,\"Zott\"\r\n");
    return seeds;
}

const Seeds kInfoSeeds = {fuzz::kZottInfo, fuzz::kLipsInfo, "\"a.lnz\",\"b.lnz\",256\r\n",
                          "\"a.lnz\"\r\n\"b.lnz\"\r\n67\nlabel\rlabel two\r\n",
                          "a.lnz, b.lnz, 1.5\r\n"};

const Seeds kLocatorSeeds = {fuzz::kZottLocator, fuzz::kLipsLocator,
                             "x\r\ny\r\n 100 \t\t 50 \r\n200\t40\r\n3000\r\n",
                             "\n\n1\t\t2\t\t3\n4\t\t5\n6\n7\n8\t\t9\n10\t\t11\t\t12\t\t13\n"};

Seeds ballLineSeeds()
{
    Seeds seeds;
    for (int variant = 0; variant < 6; ++variant) {
        std::string set;
        for (int i = 0; i < 3; ++i)
            set += formatBallLine(randomRecord()) + (variant == 5 ? "\n" : ",\r\n");
        seeds.push_back(QByteArray::fromStdString(set));
    }
    seeds.push_back("  2,      -300,      0,      0,      0,      0,      0,      2     abc\r\n");
    return seeds;
}

const Seeds kSettingsSeeds = {
    "[QuorrelYW]\nCheckedCountry=1\noptUK=True\noptAsk=0\noptSplash=2\noptProjVers=1\n"
    "YPKSiteName=My \"site\", mine\nYPKURL=http://example.invalid/\n"
    "[QuorrelYW%5CMDI]\nShowTips=False\nWidth=-1\nHeight=9000\n"
    "[QuorrelYW\\Recent%20Files]\n1st=/home/me/a b.opj\n",
    "[QuorrelYW\\MDI]\nWidth=12abc\nShowTips=yes\n[QuorrelYW]\noptAsk= 3.5\n", "1", " -2.5 ",
    "True"};

// The smallest sample eggs of both editions for the survey, and small generated eggs of every
// shape for the survey and, with the information and locator files that describe them ("#YW#"
// separates the three), for the new-project reader.
void eggSeeds(Seeds& survey, Seeds& eggreader)
{
    for (const sample::Edition edition : {sample::Edition::US, sample::Edition::UK})
        for (const char* stem : {"Lips", "Snowbo"})
            for (int index = 0; index < sample::breedCount(); ++index)
                if (sample::breed(index).stem == stem)
                    survey.push_back(sample::eggFile(index, edition));
    for (uint64_t seed = 1; seed <= 8; ++seed) {
        test::SurveyEggRecipe recipe;
        recipe.seed = seed;
        recipe.resourceTable = seed % 2 == 0;
        recipe.decoys = seed % 3 != 0;
        recipe.ballzInfo = seed % 4 != 1;
        recipe.onePaddingByte = seed == 5;
        recipe.thirdText = seed == 7;
        recipe.ballsPerSet = 2 + int(seed % 3);
        recipe.tipCount = 4 + int(seed % 3);
        const test::SurveyEgg egg = test::makeSurveyEgg(recipe);
        survey.push_back(egg.bytes);
        // Layouts the survey must refuse or leave to the user, one change each.
        const std::pair<QByteArray, QByteArray> changes[] = {
            {"Honker\r\n4 2", "WHonker\r\n4 2"},
            {"Honker\r\n4 2", "Honker\r\n4 2 old"},
            {"\r\nstring2=", "\r\ncount=4\r\nstring2="},
            {",\r\n", ",\n"},
            {",      ", ",\t"},
            {"[Ballz Info]\r\n", "[Ballz Info]\r\nscale\r\n"},
            {"    ; baby", "; baby"},
            {"The Honker is", "[Rare] The \x93Honker\x94 is"}};
        const auto& [from, to] = changes[seed - 1];
        survey.push_back(QByteArray(egg.bytes).replace(from, to));
        eggreader.push_back(informationFileBytes(egg.header, egg.labels) + "#YW#" +
                            locatorFileBytes(egg.locator, "Honker") + "#YW#" + egg.bytes);
    }
}

// The import fuzzer's base egg as it is, with a byte changed outside its regions, and packed
// with "ypkinfo.inf" alone and with a companion the base breed lacks.
Seeds importSeeds()
{
    QTemporaryDir scratch;
    const QByteArray egg = test::makeSurveyEgg(fuzz::kImportBaseRecipe).bytes;
    Seeds seeds{egg, QByteArray(egg).replace(3, 1, "#")};
    std::vector<CabinetFile> members;
    for (const char* name : {"ypkinfo.inf", "Honker.odd", "Honker.odx"}) {
        const QString path = scratch.filePath(QLatin1String(name));
        fuzz::writeScratch(path, members.empty()
                                     ? "\"YPKFILE|$|2.0\",\"Hon\",\"\",#FALSE#,\"\",\"\"\r\n"
                                 : members.size() == 1 ? egg
                                                       : "companion");
        members.push_back(
            {QLatin1String(name), path, QDateTime(QDate(2001, 2, 3), QTime(4, 5, 6))});
        if (members.size() > 1)
            seeds.push_back(makeCabinet(members));
    }
    return seeds;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: yw_fuzz_seeds OUTDIR\n");
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[1]);
    Seeds survey;
    Seeds eggreader;
    eggSeeds(survey, eggreader);
    const std::pair<const char*, Seeds> corpora[] = {{"projectfile", projectSeeds()},
                                                     {"infofile", kInfoSeeds},
                                                     {"locatorfile", kLocatorSeeds},
                                                     {"ballline", ballLineSeeds()},
                                                     {"settings", kSettingsSeeds},
                                                     {"eggreader", eggreader},
                                                     {"survey", survey},
                                                     {"import", importSeeds()}};
    for (const auto& [target, seeds] : corpora) {
        const QString dir = root + QLatin1Char('/') + QLatin1String(target);
        QDir().mkpath(dir);
        for (size_t i = 0; i < seeds.size(); ++i)
            fuzz::writeScratch(dir + QStringLiteral("/seed%1").arg(i, 3, 10, QLatin1Char('0')),
                               seeds[i]);
    }
    return 0;
}
