#include "model/eballrecord.h"
#include "model/edition.h"
#include "platform/cp1252.h"
#include "platform/errors.h"
#include "platform/numbers.h"
#include "platform/setting.h"
#include "support/testsupport.h"

#include <QStringDecoder>
#include <QTemporaryDir>

namespace yw {

namespace {

ParsedBallLine parse(const std::string& bytes, qint64 position = 1)
{
    return parseBallLine(QByteArrayView(bytes.data(), qsizetype(bytes.size())), position,
                         QStringLiteral("egg.odd"));
}

} // namespace

TEST(BallLine, NumbersLineAndReadingBack)
{
    const std::pair<int16_t, const char*> numbers[] = {
        {0, "  0"},  {9, "  9"},   {10, "10"},     {255, "255"},      {-1, " -1"},
        {-9, " -9"}, {-10, "-10"}, {1000, "1000"}, {-32768, "-32768"}};
    for (const auto& [value, text] : numbers)
        EXPECT_EQ(formatBallNumber(value), text) << value;

    // The 78-character example: an unused texture is written as -1.
    EBallRecord r{5, 12, 255, 0, -1, 25, 0, 3, "abc", 0};
    const std::string sep = ",      ";
    const std::string line = "  5" + sep + "12" + sep + "255" + sep + "  0" + sep + " -1" + sep +
                             "25" + sep + "  0" + sep + " -1" + "    abc";
    EXPECT_EQ(formatBallLine(r), line);
    EXPECT_EQ(line.size(), 78u);
    r.texture = 7;
    EXPECT_EQ(parse(formatBallLine(r) + ",\r\nX").record,
              (EBallRecord{5, 12, 255, 0, -1, 25, 0, -1, "abc", 0}));
    r.useTexture = 1;
    EXPECT_EQ(formatBallLine(r).substr(line.size() - 10), "  7    abc");
    // Read from byte 3, the next line begins after the line feed and reads the same.
    const std::string one = formatBallLine(r) + ",\r\n";
    const ParsedBallLine a = parse("zz" + one + one, 3);
    EXPECT_EQ(a.record, r);
    EXPECT_EQ(a.nextPosition, qint64(3 + one.size()));
    EXPECT_EQ(parse("zz" + one + one, a.nextPosition).record, r);
}

TEST(BallLine, CommentsDiameterFloorAndBadLines)
{
    const std::string head = "1,2,3,0,1,20,0,";
    const std::pair<const char*, const char*> comments[] = {
        {"2     abc,\r\n", " abc"},         // five blanks: the fifth belongs to the comment
        {"  2    left,right,\r\n", "left"}, // a comma cuts it, the rest lands in ignored fields
        {"  2    abc,\n", "abc"},           // bare line feed
        {"  2    abc\r\n", "abc\r"},        // no trailing comma: the CR stays in the comment
        {"  2    abc    def,\r\n", "abc"}}; // only up to the next four blanks
    for (const auto& [tail, comment] : comments) {
        EXPECT_EQ(parse(head + tail).record.comment, comment) << tail;
        EXPECT_EQ(parse(head + tail).record.texture, 2) << tail;
    }
    for (const auto& [text, diameter] : {std::pair{"-300", -255}, {"-255", -255}, {"-254", -254}})
        EXPECT_EQ(parse("1,2,3,0,1," + std::string(text) + ",0,  2    c,\r\n").record.diameter,
                  diameter);
    for (const char* line : {
             "1,2,3,0,1,20,0\r\n",              // seven fields
             "1,2,3,0,1,20,0,  2 abc,\r\n",     // no four blanks
             "1,x,3,0,1,20,0,  2    abc,\r\n",  // not a number
             "1,2,3,0,1,40000,0,  2    c,\r\n", // beyond 16 bits
             "1,2,3,0,1,20,0,  2    abc,",      // no line feed before the end
         })
        test::expectFormatError([&] { parse(line); }, QStringLiteral("egg.odd"),
                                QStringLiteral("byte 1"));
    EXPECT_THROW(parse("1,2\n", 0), FormatError);
    EXPECT_THROW(parse("1,2\n", 99), FormatError);
}

TEST(Numbers, StrictLenientBooleanAnd16Bit)
{
    for (const auto& [text, value] : {std::pair{"1", 1}, {" -1 ", -1}, {"2.5", 2}, {"3.5", 4}})
        EXPECT_EQ(strictNumber(QLatin1String(text), QString()), value) << text; // half to even
    for (const char* text : {"1x", "", "True"})
        EXPECT_THROW(strictNumber(QLatin1String(text), QString()), FormatError) << text;
    for (const auto& [text, value] : {std::pair{"12abc", 12},
                                      {"  -3", -3},
                                      {"abc", 0},
                                      {"", 0},
                                      {"99999999999999999999999", 0}})
        EXPECT_EQ(lenientNumber(QLatin1String(text)), value) << text;
    for (const auto& [text, value] :
         {std::pair{"True", true}, {"true", true}, {"False", false}, {"0", false}, {"-1", true}})
        EXPECT_EQ(booleanValue(QLatin1String(text), QString()), value) << text;
    EXPECT_THROW(booleanValue(QStringLiteral("yes"), QString()), FormatError);
    EXPECT_EQ(parseInt16(" 12 "), 12);
    EXPECT_EQ(parseInt16("-32768"), -32768);
    for (const char* text : {"32768", "1 2", "", "-"})
        EXPECT_FALSE(parseInt16(text).has_value()) << text;
    EXPECT_EQ(leadingNumber("0310"), 310);
    EXPECT_EQ(leadingNumber("12b"), 12);
    EXPECT_EQ(leadingNumber("b12"), 0);
}

// A fresh account: the edition check runs, everything is switched on, the texts are empty.
TEST(Settings, FreshAccountReadsTheDefaultsAndStoredTextWins)
{
    MemorySettingsStore store;
    EXPECT_EQ(setting::checkedCountry.number(store), 0);
    EXPECT_EQ(editionFromSetting(setting::optUK.text(store)), Edition::US);
    for (const Setting* s : {&setting::optAsk, &setting::optSplash, &setting::optProjVers})
        EXPECT_EQ(s->number(store), 1) << s->key.toStdString();
    EXPECT_TRUE(setting::showTips.isOn(store));
    EXPECT_EQ(setting::width.number(store, 9000), 9000);
    for (const Setting* s : {&setting::siteName, &setting::siteUrl, &setting::recentFiles[0],
                             &setting::recentFiles[3]})
        EXPECT_EQ(s->text(store), QString()) << s->key.toStdString();

    // Each read by its own rule: optSplash leniently, the window size strictly.
    setting::optProjVers.write(store, QStringLiteral("2"));
    EXPECT_EQ(setting::optProjVers.number(store), 2);
    setting::optSplash.write(store, QStringLiteral("off"));
    EXPECT_EQ(setting::optSplash.number(store), 0);
    setting::optAsk.write(store, QStringLiteral("2 please"));
    EXPECT_EQ(setting::optAsk.number(store), 2);
    setting::width.write(store, QStringLiteral("wide"));
    EXPECT_THROW(setting::width.number(store, 9000), FormatError);
    setting::showTips.write(store, QStringLiteral("False"));
    EXPECT_FALSE(setting::showTips.isOn(store));
    EXPECT_EQ(store.read(kSectionMdi, QStringLiteral("ShowTips"), QString()),
              QStringLiteral("False"));
}

// Sections with backslashes are nested groups, values stay text (commas too), hand-edited files
// read back, and the default file follows XDG_CONFIG_HOME.
TEST(Settings, IniFileKeepsSectionsAndText)
{
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("Brindlecote.ini"));
    test::writeFile(ini, "[QuorrelYW\\MDI]\nWidth=9000\n[QuorrelYW]\n"
                         "YPKSiteName=Eggs, Nests and More\n");
    {
        QSettingsStore store(ini);
        EXPECT_EQ(setting::width.number(store, 0), 9000);
        EXPECT_EQ(setting::siteName.text(store), QStringLiteral("Eggs, Nests and More"));
        store.write(kSectionMdi, QStringLiteral("ShowTips"), QStringLiteral("True"));
        store.write(kSectionRecent, QStringLiteral("1st"), QStringLiteral("/home/p/a, b.opj"));
        store.write(kSectionMain, QStringLiteral("optUK"), QStringLiteral("1"));
    }
    QSettingsStore reopened(ini);
    EXPECT_EQ(reopened.read(kSectionMdi, QStringLiteral("ShowTips"), QString()),
              QStringLiteral("True"));
    EXPECT_EQ(reopened.read(kSectionRecent, QStringLiteral("1st"), QString()),
              QStringLiteral("/home/p/a, b.opj"));
    EXPECT_EQ(reopened.read(kSectionMain, QStringLiteral("optUK"), QStringLiteral("0")),
              QStringLiteral("1"));
    EXPECT_EQ(reopened.read(kSectionRecent, QStringLiteral("2nd"), QString()), QString());
    EXPECT_EQ(reopened.read(kSectionMain, QStringLiteral("YPKSiteName"), QString()),
              QStringLiteral("Eggs, Nests and More"));

    qputenv("XDG_CONFIG_HOME", dir.path().toLocal8Bit());
    EXPECT_EQ(QSettingsStore().fileName(), ini);
    qunsetenv("XDG_CONFIG_HOME");
}

TEST(Cp1252, EveryByteRoundTripsAndOtherCharactersAreReported)
{
    std::string all;
    for (int i = 0; i < 256; ++i)
        all.push_back(char(i));
    const QString text = cp1252::toUnicode(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(cp1252::fromUnicode(text), all);
    EXPECT_FALSE(cp1252::fromUnicode(QString::fromUtf8("Zott \u4e2d")).has_value());
    EXPECT_TRUE(cp1252::canEncode(QString::fromUtf8("Caf\u00e9 \u201cquoted\u201d \u20ac")));
    // Qt's converter of that name reads every byte the same; exactly those characters can be
    // stored (no lone surrogate, which would be dropped), each as the byte it was read from.
    const QString qt = QStringDecoder("windows-1252").decode(QByteArray::fromStdString(all));
    EXPECT_EQ(text, qt);
    int wrong = 0;
    for (char32_t c = 0; c <= 0xFFFF; ++c) {
        const qsizetype at = qt.indexOf(QChar(char16_t(c)));
        wrong += cp1252::fromUnicode(QString(QChar(char16_t(c)))) !=
                 (at < 0 ? std::nullopt : std::optional(std::string(1, char(at))));
    }
    EXPECT_EQ(wrong, 0);
}

} // namespace yw
