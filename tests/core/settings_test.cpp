#include "model/edition.h"
#include "platform/errors.h"
#include "platform/numbers.h"
#include "platform/setting.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace yw {

TEST(SettingsRules, StrictLenientAndBooleanReadings)
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
}

// A fresh account: the edition check runs, everything is switched on, the texts are empty.
TEST(SettingsRules, FreshAccountReadsTheDefaultsAndStoredTextWins)
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

TEST(QSettingsStore, SectionsWithBackslashesAreNestedGroupsAndValuesStayText)
{
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("Brindlecote.ini"));
    {
        QSettingsStore store(ini);
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
}

TEST(QSettingsStore, HandEditedSectionsAndUnquotedCommasReadBack)
{
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("Brindlecote.ini"));
    QFile file(ini);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[QuorrelYW\\MDI]\nWidth=9000\n[QuorrelYW]\nYPKSiteName=Eggs, Nests and More\n");
    file.close();
    QSettingsStore store(ini);
    EXPECT_EQ(setting::width.number(store, 0), 9000);
    EXPECT_EQ(store.read(kSectionMain, QStringLiteral("YPKSiteName"), QString()),
              QStringLiteral("Eggs, Nests and More"));
}

TEST(QSettingsStore, DefaultStoreHonoursXdgConfigHome)
{
    QTemporaryDir dir;
    qputenv("XDG_CONFIG_HOME", dir.path().toLocal8Bit());
    QSettingsStore store;
    EXPECT_EQ(store.fileName(), dir.filePath(QStringLiteral("Brindlecote.ini")));
    qunsetenv("XDG_CONFIG_HOME");
}

TEST(Numbers, StrictParsingAndRanges)
{
    EXPECT_EQ(parseInt16(" 12 "), 12);
    EXPECT_EQ(parseInt16("-32768"), -32768);
    EXPECT_FALSE(parseInt16("32768").has_value());
    EXPECT_FALSE(parseInt16("1 2").has_value());
    EXPECT_FALSE(parseInt16("").has_value());
    EXPECT_FALSE(parseInt16("-").has_value());
    EXPECT_EQ(leadingNumber("0310"), 310);
    EXPECT_EQ(leadingNumber("12b"), 12);
    EXPECT_EQ(leadingNumber("b12"), 0);
}

} // namespace yw
