// Numbers, the code page and the settings.
#include "model/edition.h"
#include "platform/cp1252.h"
#include "platform/errors.h"
#include "platform/numbers.h"
#include "platform/setting.h"
#include "platform/settingsstore.h"
#include "support/testsupport.h"

#include <QStringDecoder>

namespace yw {

using namespace Qt::StringLiterals;

TEST(Numbers, EachReadingFollowsItsOwnRule)
{
    // Numbers: strict, lenient, boolean and 16-bit readings.
    for (const auto& [text, value] : {std::pair{"1", 1}, {" -1 ", -1}, {"2.5", 2}, {"3.5", 4}})
        EXPECT_EQ(strictNumber(QLatin1String(text), QString()), value) << text; // half to even
    for (const char* text : {"1x", "", "True"})
        EXPECT_THROW(strictNumber(QLatin1String(text), QString()), FormatError) << text;
    const std::pair<const char*, int> lenient[] = {
        {"12abc", 12}, {"  -3", -3}, {"abc", 0}, {"", 0}, {"99999999999999999999999", 0}};
    for (const auto& [text, value] : lenient)
        EXPECT_EQ(lenientNumber(QLatin1String(text)), value) << text;
    for (const auto& [text, value] :
         {std::pair{"True", true}, {"true", true}, {"False", false}, {"0", false}, {"-1", true}})
        EXPECT_EQ(booleanValue(QLatin1String(text), QString()), value) << text;
    EXPECT_THROW(booleanValue(u"yes"_s, QString()), FormatError);
    EXPECT_EQ(parseInt16(" 12 "), 12);
    EXPECT_EQ(parseInt16("-32768"), -32768); // int16's ends
    EXPECT_EQ(parseInt16("32767"), 32767);
    EXPECT_EQ(parseInt32("\t+7\t"), 7); // tabs stand where blanks do
    // The files' numbers are digits: nothing is rounded or read up to where it stops.
    for (const char* text : {"32768", "-32769", "1 2", "", "-", "60.5", "1e2", "7x", "+-1", "0x10"})
        EXPECT_FALSE(parseInt16(text).has_value()) << text;
    EXPECT_FALSE(parseInt32("99999999999999999999").has_value());
    EXPECT_EQ(leadingNumber("0310"), 310);
    EXPECT_EQ(leadingNumber("12b"), 12);
    EXPECT_EQ(leadingNumber("b12"), 0);
}

TEST(CodePage, IsExactlyWindows1252)
{
    // Windows-1252: every byte round-trips, other characters are reported.
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

TEST(Settings, AFreshAccountHasTheDefaults)
{
    // Settings of a fresh account: the edition check runs, everything is switched on, the texts
    // are empty.
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
}

TEST(Settings, EachIsReadByItsOwnRule)
{
    MemorySettingsStore store;
    // Each read by its own rule: optSplash leniently, the window size strictly.
    setting::optProjVers.write(store, u"2"_s);
    EXPECT_EQ(setting::optProjVers.number(store), 2);
    setting::optSplash.write(store, u"off"_s);
    EXPECT_EQ(setting::optSplash.number(store), 0);
    setting::optAsk.write(store, u"2 please"_s);
    EXPECT_EQ(setting::optAsk.number(store), 2);
    setting::width.write(store, u"wide"_s);
    EXPECT_THROW(setting::width.number(store, 9000), FormatError);
    setting::showTips.write(store, u"False"_s);
    EXPECT_FALSE(setting::showTips.isOn(store));
    EXPECT_EQ(store.read(kSectionMdi, u"ShowTips"_s, QString()), u"False"_s);
}

using SettingsFile = test::TempFolderTest;

TEST_F(SettingsFile, AHandEditedFileReadsBack)
{
    // A hand-edited file reads back (sections with backslashes are nested groups, commas stay
    // in the text), writing keeps the other values, the default file follows XDG_CONFIG_HOME.
    const QString ini = path(u"Brindlecote.ini"_s);
    test::writeFile(ini, "[QuorrelYW\\MDI]\nWidth=9000\n[QuorrelYW]\n"
                         "YPKSiteName=Eggs, Nests and More\n");
    QSettingsStore(ini).write(kSectionRecent, u"1st"_s, u"/home/p/a, b.opj"_s);
    QSettingsStore file(ini);
    EXPECT_EQ(setting::width.number(file, 0), 9000);
    EXPECT_EQ(setting::siteName.text(file), u"Eggs, Nests and More"_s);
    EXPECT_EQ(setting::recentFiles[0].text(file), u"/home/p/a, b.opj"_s);
    EXPECT_EQ(setting::recentFiles[1].text(file), QString());
    qputenv("XDG_CONFIG_HOME", dir.path().toLocal8Bit());
    EXPECT_EQ(QSettingsStore().fileName(), ini);
    qunsetenv("XDG_CONFIG_HOME");
}

} // namespace yw
