#include "breedfixture.h"

#include "files/breedresources.h"
#include "files/eggregions.h"
#include "files/fieldcodec.h"

#include <cstring>

namespace yw::test {

QByteArray fillerEgg(int size)
{
    QByteArray egg(size, '\0');
    for (int i = 0; i < size; ++i)
        egg[i] = char('a' + i % 26);
    return egg;
}

std::vector<EBallRecord> sampleBalls(int count)
{
    std::vector<EBallRecord> balls;
    for (int i = 0; i < count; ++i) {
        EBallRecord r;
        r.fillColor = int16_t(i * 37 % 256);
        r.borderColor = int16_t(i % 3 == 0 ? -1 : i * 11);
        r.spreckColor = int16_t(i * 5);
        r.fuzziness = int16_t(i % 4);
        r.borderThickness = int16_t(i % 4 - 1);
        r.diameter = int16_t(10 + i * 3);
        r.auxValue = int16_t(i % 2);
        r.texture = int16_t(i % 2 == 0 ? -1 : i);
        r.useTexture = int16_t(i % 2 == 0 ? 0 : 1);
        r.comment = "ball " + std::to_string(i);
        balls.push_back(r);
    }
    return balls;
}

namespace {

void place(QByteArray& egg, int position, const QByteArray& bytes)
{
    ASSERT_LE(position - 1 + bytes.size(), egg.size());
    std::memcpy(egg.data() + position - 1, bytes.constData(), size_t(bytes.size()));
}

// A text region: the text, then the room's fill up to len + 1 bytes.
QByteArray padded(const QByteArray& text, int length, char fill)
{
    return text + QByteArray(length + 1 - text.size(), fill);
}

} // namespace

QByteArray buildEgg(const EggLayout& layout, const EggContent& content)
{
    QByteArray egg = fillerEgg(layout.size);
    const int n = layout.ballsPerSet;
    QByteArray setA, setB;
    for (int i = 0; i < n; ++i) {
        setA += QByteArray::fromStdString(formatBallLine(content.balls[size_t(i)])) + ",\r\n";
        setB += QByteArray::fromStdString(formatBallLine(content.balls[size_t(n + i)])) + ",\r\n";
    }
    place(egg, layout.setAPos - 1, setA);
    place(egg, layout.setBPos - 1, setB);
    place(egg, layout.descPos, padded(content.description, layout.descLen, content.roomFill));
    place(egg, layout.attrPos, padded(content.attributes, layout.attrLen, content.roomFill));
    place(egg, layout.namePos, padded(content.nameBlock, layout.nameLen, content.roomFill));
    const int room = 10 * layout.tipCount + layout.tipsLen;
    QByteArray tips = content.tipsBlock;
    if (tips.size() < room)
        tips += "\r\n" + QByteArray(room - tips.size(), content.roomFill);
    place(egg, layout.tipsPos, tips);
    return egg;
}

void expectEggFitsBase(const QByteArray& egg, const QByteArray& base, const ProjectState& s, int n)
{
    ASSERT_EQ(egg.size(), base.size());
    QByteArray expected = base;
    for (const int32_t position : {s.locSetAPos, s.locSetBPos}) {
        const BallSetSpan old = readBallSet(base, position, n, QString(), QString());
        const BallSetSpan now = readBallSet(egg, position, n, QString(), QString());
        EXPECT_EQ(now.end, old.end) << "set at " << position;
        for (int i = 0; i < n; ++i)
            EXPECT_EQ(now.records[size_t(i)], s.ball((position == s.locSetAPos ? 0 : n) + i))
                << "ball " << i << " of the set at " << position;
        expected.replace(old.start - 1, old.end - old.start,
                         egg.mid(old.start - 1, old.end - old.start));
    }
    // A text region: `clear` zeros after its position, then the text from the position.
    const auto text = [&](int32_t position, qint64 clear, const QByteArray& bytes) {
        expected.replace(position, clear, QByteArray(clear, '\0'));
        expected.replace(position - 1, bytes.size(), bytes);
    };
    const auto straight = [](const std::string& t) {
        return QByteArray::fromStdString(fromStoredQuotes(t));
    };
    text(s.locDescPos, s.locDescLen, straight(s.breedDescription));
    text(s.locAttrPos, s.locAttrLen, straight(s.breedAttributes));
    text(s.locNamePos, s.locNameLen,
         QByteArray::fromStdString(s.breedName + "\r\n" + s.eggTray + " " + s.eggSlot));
    QByteArray tips;
    for (int j = 0; j < s.tipCount; ++j) {
        const auto& tip = j % 2 == 0 ? s.regTips : s.demoTips;
        tips += (j > 0 ? "\r\nstring" : "string") + QByteArray::number(j) + '=' +
                (j / 2 < s.tipCount / 2 ? QByteArray::fromStdString(tip[size_t(j / 2)]) : "");
    }
    const qint64 room = 10 * qint64(s.tipCount) + s.locTipsLen;
    text(s.locTipsPos, room,
         tips.size() < room ? tips + "\r\n" + QByteArray(room - tips.size(), '\0')
                            : tips.left(room));
    for (qsizetype i = 0; i < egg.size(); ++i) {
        if (egg[i] != expected[i]) {
            ADD_FAILURE() << "byte " << i + 1 << " is " << int(egg[i]) << ", expected "
                          << int(expected[i]);
            return;
        }
    }
}

QByteArray locatorText(const EggLayout& l)
{
    return locatorText(located({l.descPos, l.descLen, l.namePos, l.nameLen, l.setBPos, l.setAPos,
                                l.attrPos, l.attrLen, l.tipsPos, l.tipsLen, l.tipCount}));
}

void BreedFixture::SetUp()
{
    ASSERT_TRUE(dir.isValid());
    state = startState(fso, dir.filePath(QStringLiteral("program")),
                       dir.filePath(QStringLiteral("game")));
    content.balls = sampleBalls(2 * layout.ballsPerSet);
}

QString BreedFixture::gamePath(const char* rest) const
{
    return state.gameFolder + QLatin1Char('/') + QLatin1String(rest);
}

void BreedFixture::install(bool withCompanion)
{
    QByteArray info =
        "\"zt_small.lnz\",\"zt.lnz\"," + QByteArray::number(layout.ballsPerSet) + "\r\n";
    for (int i = 0; i < layout.ballsPerSet; ++i)
        info += "label " + QByteArray::number(i) + "\r\n";
    writeFile(state.programFolder + QStringLiteral("/res/Zott.blz"), info);
    writeFile(state.programFolder + QStringLiteral("/res/Zott.loc"), locatorText(layout));
    baseEgg = buildEgg(layout, content);
    writeFile(gamePath("eggz/Zott/Zott.odd"), baseEgg);
    if (withCompanion)
        writeFile(gamePath("eggz/Zott/Zott.odx"), baseCompanion);
    state.baseBreed = "Zott";
    getLOX(state);
}

} // namespace yw::test
