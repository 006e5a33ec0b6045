#include "model/gameinstall.h"
#include "model/installation.h"
#include "platform/errors.h"
#include "platform/filesystem.h"
#include "platform/settingsstore.h"
#include "platform/winpaths.h"
#include "support/testsupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace yw {

using test::ScriptedPrompts;

namespace {

QString canonical(const QString& path)
{
    return QFileInfo(path).canonicalFilePath();
}

} // namespace

// A Wine prefix as Wine lays it out: drive_c with the Windows folder, dosdevices/c: linking to
// it, and the game installed under Program Files.
class GameInstall : public ::testing::Test
{
protected:
    void SetUp() override
    {
        prefix = dir.filePath(QStringLiteral("wine"));
        QDir().mkpath(prefix + QStringLiteral("/drive_c/Windows"));
        QDir().mkpath(prefix + QStringLiteral("/dosdevices"));
        QFile::link(QStringLiteral("../drive_c"), prefix + QStringLiteral("/dosdevices/c:"));
        game = prefix + QStringLiteral("/drive_c/Program Files/Oddballz");
        QDir().mkpath(game);
        env.insert(QStringLiteral("WINEPREFIX"), prefix);
        env.insert(QStringLiteral("HOME"), dir.filePath(QStringLiteral("home")));
        install.fso = &fso;
    }
    void writeIni(const QByteArray& text)
    {
        test::writeFile(prefix + QStringLiteral("/drive_c/Windows/ODDBALLZ.INI"), text);
    }
    QString find()
    {
        prompts.shown.clear();
        return findGameFolder(fso, prompts, env);
    }
    void writeWad(qint64 size)
    {
        QFile wad(game + QStringLiteral("/OddBallz.WAD"));
        ASSERT_TRUE(wad.open(QIODevice::WriteOnly));
        ASSERT_TRUE(wad.resize(size));
    }
    QString setting(const char* key) const
    {
        return settings.read(kSectionMain, QLatin1String(key), QStringLiteral("<absent>"));
    }
    void expectTold(const QString& text, PromptIcon icon = PromptIcon::Exclamation)
    {
        ASSERT_EQ(prompts.shown.size(), 1u);
        EXPECT_EQ(prompts.shown[0].text, text);
        EXPECT_EQ(prompts.shown[0].icon, icon);
    }

    QTemporaryDir dir;
    QString prefix;
    QString game;
    QProcessEnvironment env;
    FileSystem fso;
    ScriptedPrompts prompts;
    Installation install;
    MemorySettingsStore settings;
};

TEST_F(GameInstall, SettingsFileLines)
{
    EXPECT_EQ(find(), QString());
    expectTold(QStringLiteral("Oddballz does not appear to be installed. You must install it "
                              "before you can run Yolkwright."));

    const QByteArray posix = game.toUtf8();
    const QList<std::pair<QByteArray, bool>> cases = {
        // a Windows path through the prefix's drive, in any letter case (files copied from
        // Windows); the key in any letter case with spaces around it; one trailing separator off
        {"[Oddballz]\r\nLast Oddball=C:\\Program Files\\Oddballz\\\r\n", true},
        {"last oddball=c:\\PROGRAM FILES\\oddballz\r\n", true},
        {"[Oddballz]\r\n  LAST OddBall   =C:\\Program Files\\Oddballz\\\r\n", true},
        {"last oddball=" + posix + "/\r\n", true},
        // section headers, other keys, blank lines; LF and CR line ends
        {"[Oddballz]\nsound=1\n\nlast oddball=" + posix + "\n", true},
        {"[Oddballz]\rsound=1\rlast oddball=" + posix, true},
        // a space after "=" is part of the value: no such folder
        {"last oddball= " + posix + "\r\n", false},
        {"[Oddballz]\r\nlast oddballz=x\r\n  LAST ODDBALL =" + posix + "/\r\n", true},
        // missing key, key without "=", similar keys, no such folder, garbage
        {"[Oddballz]\r\nsound=1\r\n", false},
        {"[Oddballz]\r\nlast oddball\r\n", false},
        {"last oddball " + posix + "\r\n", false},
        // the first line with the key decides, even when it has no value
        {"last oddball\r\nlast oddball=" + posix + "\r\n", false},
        {"last oddballz=" + posix + "\r\nlastoddball=" + posix + "\r\n", false},
        {"last oddball=\r\n", false},
        {"last oddball=" + posix + "/no-such-folder\r\n", false},
        {QByteArray("\0\0=\0", 4), false},
        {"", false},
    };
    for (const auto& [ini, found] : cases) {
        SCOPED_TRACE(ini.constData());
        writeIni(ini);
        const QString folder = find();
        if (found) {
            EXPECT_EQ(canonical(folder), canonical(game));
            EXPECT_FALSE(folder.endsWith(QLatin1Char('/')) || folder.endsWith(QLatin1Char('\\')));
            EXPECT_TRUE(prompts.shown.empty());
            EXPECT_TRUE(!ini.contains("C:") ||
                        folder.startsWith(prefix + QStringLiteral("/dosdevices/c:/")));
        } else {
            EXPECT_EQ(folder, QString());
            expectTold(QStringLiteral("The folder where Oddballz is located could not be "
                                      "determined. You may need to re-install Oddballz."));
        }
    }

    // The value is taken exactly after the first "=", and only one trailing separator goes.
    const QString odd = dir.filePath(QStringLiteral("a=b/Odd Game "));
    QDir().mkpath(odd + QStringLiteral("/x"));
    writeIni("last oddball=" + odd.toUtf8() + "\r\n");
    EXPECT_EQ(find(), odd);
    writeIni("last oddball=" + odd.toUtf8() + "/x//\r\n");
    EXPECT_EQ(find(), odd + QStringLiteral("/x/"));
}

TEST_F(GameInstall, WindowsFolderAndDrivesMapThroughThePrefix)
{
    EXPECT_EQ(windowsFolder(fso, env), prefix + QStringLiteral("/drive_c/Windows"));
    const QString other = dir.filePath(QStringLiteral("elsewhere"));
    QDir().mkpath(other);
    env.insert(QStringLiteral("WINDIR"), other);
    EXPECT_EQ(windowsFolder(fso, env), other);
    env.insert(QStringLiteral("windir"), QStringLiteral("C:\\windows"));
    EXPECT_EQ(canonical(windowsFolder(fso, env)),
              canonical(prefix + QStringLiteral("/drive_c/Windows")));
    QProcessEnvironment noPrefix;
    noPrefix.insert(QStringLiteral("HOME"), dir.path());
    EXPECT_EQ(winePrefix(noPrefix), dir.path() + QStringLiteral("/.wine"));

    const std::pair<const char*, QString> paths[] = {
        {"/games/Oddballz/", QStringLiteral("/games/Oddballz/")},
        {"D:\\Games\\Odd", prefix + QStringLiteral("/dosdevices/d:/Games/Odd")},
        {"C:", prefix + QStringLiteral("/dosdevices/c:")},
        {"\\\\server\\share", QStringLiteral("\\\\server\\share")}};
    for (const auto& [path, local] : paths)
        EXPECT_EQ(localPath(QLatin1String(path), fso, env), local);
    // Without the dosdevices link drive C is still its own folder.
    QFile::remove(prefix + QStringLiteral("/dosdevices/c:"));
    EXPECT_EQ(localPath(QStringLiteral("C:\\Oddballz"), fso, env),
              prefix + QStringLiteral("/drive_c/Oddballz"));
}

TEST_F(GameInstall, TheDataFileSizeDecidesTheEditionOncePerUser)
{
    // No data file: an error after marking the check done; later starts skip the check and the
    // stored edition chooses the resource folder.
    writeIni("last oddball=C:\\Program Files\\Oddballz\\\r\n");
    EXPECT_THROW(checkEdition(install, settings, prompts, env), FileError);
    EXPECT_EQ(setting("CheckedCountry"), QStringLiteral("1"));
    EXPECT_EQ(setting("optUK"), QStringLiteral("<absent>"));
    const std::pair<const char*, const char*> stored[] = {
        {nullptr, "\\res\\"},  {"0", "\\res\\"},       {"False", "\\res\\"}, {"1", "\\resUK\\"},
        {"True", "\\resUK\\"}, {"false", "\\resUK\\"}, {"", "\\resUK\\"}};
    for (const auto& [value, folder] : stored) {
        if (value)
            settings.write(kSectionMain, QStringLiteral("optUK"), QLatin1String(value));
        checkEdition(install, settings, prompts, env);
        EXPECT_EQ(resFolder(install.edition), QLatin1String(folder)) << (value ? value : "absent");
    }
    EXPECT_TRUE(prompts.shown.empty());

    const QString uk = QStringLiteral(
        "Yolkwright has detected that your copy of Oddballz is the UK edition.\r\nIf this is "
        "incorrect, go to the View menu and choose Options, then click \"Use US Egg "
        "Information.\"");
    const QString us = QStringLiteral(
        "Yolkwright has detected that your copy of Oddballz is the US edition.\r\nIf you are "
        "using the UK version, go to the View menu and choose Options, then click \"Use UK Egg "
        "Information.\"");
    for (const qint64 size : {kUkWadSize + 1, kUkWadSize - 1, kUkWadSize}) {
        SCOPED_TRACE(size);
        const bool isUk = size == kUkWadSize;
        settings = MemorySettingsStore();
        prompts.shown.clear();
        writeWad(size);
        checkEdition(install, settings, prompts, env);
        EXPECT_EQ(setting("CheckedCountry"), QStringLiteral("1"));
        EXPECT_EQ(setting("optUK"), isUk ? QStringLiteral("1") : QStringLiteral("0"));
        EXPECT_EQ(install.edition, isUk ? Edition::UK : Edition::US);
        expectTold(isUk ? uk : us, PromptIcon::Information);
    }
    // A later start neither checks nor tells again.
    writeWad(kUkWadSize + 1);
    checkEdition(install, settings, prompts, env);
    EXPECT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(install.edition, Edition::UK);
}

} // namespace yw
