// Writes the fuzzers' seed corpora from our own writers, so no binary corpus lives in the
// repository: yw_fuzz_seeds OUTDIR makes OUTDIR/<target>/ for every target.
#include "files/fieldcodec.h"
#include "files/projectfile.h"
#include "fuzzsupport.h"
#include "model/eballrecord.h"
#include "samplegame/samplegame.h"
#include "support/surveyeggs.h"

#include <QDir>
#include <cstdio>
#include <random>

using namespace yw;

namespace {

class Seeds
{
public:
    Seeds(const QString& root, const char* target)
        : m_dir(root + QLatin1Char('/') + QLatin1String(target))
    {
        QDir().mkpath(m_dir);
    }
    void add(const QByteArray& bytes)
    {
        fuzz::writeScratch(
            m_dir + QStringLiteral("/seed%1").arg(m_count++, 3, 10, QLatin1Char('0')), bytes);
    }
    int count() const { return m_count; }

private:
    QString m_dir;
    int m_count = 0;
};

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

void projectSeeds(const QString& root)
{
    Seeds seeds(root, "projectfile");
    const fuzz::Fixture& fixture = fuzz::Fixture::instance();
    for (int variant = 0; variant < 8; ++variant) {
        ProjectState s = fixture.startState();
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
        s.buildNo = variant == 5 ? "0012" : "0310";
        seeds.add(projectFileBytes(s, lips ? 3 : 2, variant == 6 ? 2 : 0));
    }
    seeds.add(QByteArray(kProjectHeader) + "\r\n");
    seeds.add("[Yolkwright Project File] \r\n\"0310\",0,\"Zott\"\r\n");
}

void infoSeeds(const QString& root)
{
    Seeds seeds(root, "infofile");
    seeds.add(fuzz::kZottInfo);
    seeds.add(fuzz::kLipsInfo);
    seeds.add("\"a.lnz\",\"b.lnz\",256\r\n");
    seeds.add("\"a.lnz\"\r\n\"b.lnz\"\r\n67\nlabel\rlabel two\r\n");
    seeds.add("a.lnz, b.lnz, 1.5\r\n");
}

void locatorSeeds(const QString& root)
{
    Seeds seeds(root, "locatorfile");
    seeds.add(fuzz::kZottLocator);
    seeds.add(fuzz::kLipsLocator);
    seeds.add("x\r\ny\r\n 100 \t\t 50 \r\n200\t40\r\n3000\r\n");
    seeds.add("\n\n1\t\t2\t\t3\n4\t\t5\n6\n7\n8\t\t9\n10\t\t11\t\t12\t\t13\n");
}

void ballLineSeeds(const QString& root)
{
    Seeds seeds(root, "ballline");
    for (int variant = 0; variant < 6; ++variant) {
        std::string set;
        for (int i = 0; i < 3; ++i)
            set += formatBallLine(randomRecord()) + (variant == 5 ? "\n" : ",\r\n");
        seeds.add(QByteArray(set.data(), qsizetype(set.size())));
    }
    seeds.add("  2,      -300,      0,      0,      0,      0,      0,      2     abc\r\n");
}

void settingsSeeds(const QString& root)
{
    Seeds seeds(root, "settings");
    seeds.add("[QuorrelYW]\nCheckedCountry=1\noptUK=True\noptAsk=0\noptSplash=2\noptProjVers=1\n"
              "YPKSiteName=My \"site\", mine\nYPKURL=http://example.invalid/\n"
              "[QuorrelYW%5CMDI]\nShowTips=False\nWidth=-1\nHeight=9000\n"
              "[QuorrelYW\\Recent%20Files]\n1st=/home/me/a b.opj\n");
    seeds.add("[QuorrelYW\\MDI]\nWidth=12abc\nShowTips=yes\n[QuorrelYW]\noptAsk= 3.5\n");
    seeds.add("1");
    seeds.add(" -2.5 ");
    seeds.add("True");
}

// A small egg holding the regions of a sample breed, cut to `n` eBalls per set, with the
// information and locator files that describe it: "#YW#" separates the three.
QByteArray smallEgg(const sample::BreedContent& breed, int n, int tipCount)
{
    std::string egg = "EGG-HEADER\r\n";
    const auto position = [&] { return int32_t(egg.size() + 1); };
    const auto ballSet = [&](int from) {
        const int32_t pos = position() + 1; // the first line is read from the byte before
        for (int i = from; i < from + n; ++i)
            egg += formatBallLine(breed.eBalls[size_t(i)]) + ",\r\n";
        egg += "--";
        return pos;
    };
    const auto region = [&](const std::string& text, int32_t room) {
        const int32_t pos = position();
        std::string bytes = text.substr(0, size_t(room));
        bytes.resize(size_t(room) + 1, '\0');
        egg += bytes;
        return pos;
    };
    const int32_t setA = ballSet(0);
    const int32_t setB = ballSet(sample::kBallsPerSet);
    const int32_t nameLen = int32_t(breed.breedName.size() + breed.eggTray.size() + 8);
    const int32_t name =
        region(breed.breedName + "\r\n" + breed.eggTray + " " + breed.eggSlot, nameLen);
    const int32_t descLen = int32_t(breed.description.size() + 4);
    const int32_t desc = region(breed.description, descLen);
    const int32_t attrLen = int32_t(breed.attributes.size() + 2);
    const int32_t attr = region(breed.attributes, attrLen);
    std::string tips;
    for (int j = 0; j < tipCount; ++j) {
        const std::string& tip =
            j % 2 == 0 ? breed.regTips[size_t(j / 2)] : breed.demoTips[size_t(j / 2)];
        tips += (j ? "\r\n" : "") + ("string" + std::to_string(j) + "=") + tip;
    }
    const int32_t tipsLen = int32_t(tips.size()) - 10 * tipCount + 6;
    const int32_t tipsPos = region(tips, int32_t(tips.size()) + 6);
    egg += "EGG-TRAILER";

    std::string locator = breed.stem + "\r\nUS\r\n";
    const auto field = [](int32_t value) { return std::to_string(value); };
    locator += field(desc) + "\t\t" + field(descLen) + "\r\n";
    locator += field(name) + "\t\t" + field(nameLen) + "\r\n";
    locator += field(setB) + "\r\n" + field(setA) + "\r\n";
    locator += field(attr) + "\t\t" + field(attrLen) + "\r\n";
    locator += field(tipsPos) + "\t\t" + field(tipsLen) + "\t\t" + field(tipCount) + "\r\n";
    const std::string info =
        "\"" + breed.lnzNameA + "\",\"" + breed.lnzNameB + "\"," + std::to_string(n) + "\r\n";
    return QByteArray::fromStdString(info + "#YW#" + locator + "#YW#" + egg);
}

void eggSeeds(const QString& root)
{
    Seeds seeds(root, "eggreader");
    for (int index = 0; index < sample::breedCount(); index += 3) {
        const sample::BreedContent& breed = sample::breed(index);
        seeds.add(smallEgg(breed, 1 + index % 4, index % 2 == 0 ? 6 : 5));
    }
}

// The smallest sample eggs of both editions, and small generated eggs of every shape.
void surveySeeds(const QString& root)
{
    Seeds seeds(root, "survey");
    for (const sample::Edition edition : {sample::Edition::US, sample::Edition::UK})
        for (const char* stem : {"Lips", "Snowbo"})
            for (int index = 0; index < sample::breedCount(); ++index)
                if (sample::breed(index).stem == stem)
                    seeds.add(sample::eggFile(index, edition));
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
        seeds.add(test::makeSurveyEgg(recipe).bytes);
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: yw_fuzz_seeds OUTDIR\n");
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[1]);
    projectSeeds(root);
    infoSeeds(root);
    locatorSeeds(root);
    ballLineSeeds(root);
    settingsSeeds(root);
    eggSeeds(root);
    surveySeeds(root);
    return 0;
}
