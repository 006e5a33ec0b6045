#include "platform/errors.h"
#include "platform/numbers.h"
#include "platform/settingsstore.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace yw {

TEST(SettingsRules, StrictNumberNeedsTheWholeText)
{
    EXPECT_EQ(strictNumber(QStringLiteral("1"), QString()), 1);
    EXPECT_EQ(strictNumber(QStringLiteral(" -1 "), QString()), -1);
    EXPECT_EQ(strictNumber(QStringLiteral("2.5"), QString()), 2); // half to even
    EXPECT_EQ(strictNumber(QStringLiteral("3.5"), QString()), 4);
    EXPECT_THROW(strictNumber(QStringLiteral("1x"), QString()), FormatError);
    EXPECT_THROW(strictNumber(QStringLiteral(""), QString()), FormatError);
    EXPECT_THROW(strictNumber(QStringLiteral("True"), QString()), FormatError);
}

TEST(SettingsRules, LenientNumberTakesTheLeadingNumber)
{
    EXPECT_EQ(lenientNumber(QStringLiteral("12abc")), 12);
    EXPECT_EQ(lenientNumber(QStringLiteral("  -3")), -3);
    EXPECT_EQ(lenientNumber(QStringLiteral("abc")), 0);
    EXPECT_EQ(lenientNumber(QStringLiteral("")), 0);
    EXPECT_EQ(lenientNumber(QStringLiteral("99999999999999999999999")), 0);
}

TEST(SettingsRules, BooleansAcceptWordsAndNumbers)
{
    EXPECT_TRUE(booleanValue(QStringLiteral("True"), QString()));
    EXPECT_TRUE(booleanValue(QStringLiteral("true"), QString()));
    EXPECT_FALSE(booleanValue(QStringLiteral("False"), QString()));
    EXPECT_FALSE(booleanValue(QStringLiteral("0"), QString()));
    EXPECT_TRUE(booleanValue(QStringLiteral("-1"), QString()));
    EXPECT_THROW(booleanValue(QStringLiteral("yes"), QString()), FormatError);
}

TEST(SettingsRules, DefaultsApplyOnlyWhenAbsent)
{
    MemorySettingsStore store;
    EXPECT_EQ(readStrictNumber(store, kSectionMain, QStringLiteral("optProjVers"), 1), 1);
    EXPECT_TRUE(readBoolean(store, kSectionMdi, QStringLiteral("ShowTips"), true));
    store.write(kSectionMain, QStringLiteral("optProjVers"), QStringLiteral("2"));
    EXPECT_EQ(readStrictNumber(store, kSectionMain, QStringLiteral("optProjVers"), 1), 2);
    store.write(kSectionMain, QStringLiteral("optSplash"), QStringLiteral("off"));
    EXPECT_EQ(readLenientNumber(store, kSectionMain, QStringLiteral("optSplash"), 1), 0);
    store.write(kSectionMdi, QStringLiteral("Width"), QStringLiteral("wide"));
    EXPECT_THROW(readStrictNumber(store, kSectionMdi, QStringLiteral("Width"), 0), FormatError);
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
    EXPECT_EQ(readStrictNumber(store, kSectionMdi, QStringLiteral("Width"), 0), 9000);
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
