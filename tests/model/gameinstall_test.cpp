// Finding the game, under Wine or in a folder of its own, and its edition.
#include "model/edition.h"
#include "model/gameinstall.h"
#include "model/installation.h"
#include "platform/filesystem.h"
#include "platform/setting.h"
#include "platform/settingsstore.h"
#include "platform/winpaths.h"
#include "support/testsupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace yw {

using namespace Qt::StringLiterals;

// A Wine prefix as Wine lays it out: drive_c with the Windows folder, dosdevices/c: linking to
// it, and the game installed under Program Files.
class GameInstall : public test::TempFolderTest
{
protected:
    void SetUp() override
    {
        TempFolderTest::SetUp();
        prefix = path(u"wine"_s);
        QDir().mkpath(prefix + u"/drive_c/Windows"_s);
        QDir().mkpath(prefix + u"/dosdevices"_s);
        QFile::link(u"../drive_c"_s, prefix + u"/dosdevices/c:"_s);
        game = prefix + u"/drive_c/Program Files/Oddballz"_s;
        QDir().mkpath(game);
        env.insert(u"WINEPREFIX"_s, prefix);
        env.insert(u"HOME"_s, path(u"home"_s));
        install.fso = &fso;
    }
    void writeIni(const QByteArray& text)
    {
        test::writeFile(prefix + u"/drive_c/Windows/ODDBALLZ.INI"_s, text);
    }
    static QString canonical(const QString& path) { return QFileInfo(path).canonicalFilePath(); }
    QString find()
    {
        prompts.shown.clear();
        return findGameFolder(fso, prompts, env);
    }
    void writeWad(qint64 size)
    {
        QFile wad(game + u"/OddBallz.WAD"_s);
        ASSERT_TRUE(wad.open(QIODevice::WriteOnly));
        ASSERT_TRUE(wad.resize(size));
    }
    QString setting(const char* k) const
    {
        return settings.read(kSectionMain, QLatin1String(k), {});
    }
    QString prefix, game;
    QProcessEnvironment env;
    FileSystem fso;
    test::ScriptedPrompts prompts;
    Installation install;
    MemorySettingsStore settings;
};

TEST_F(GameInstall, FindsTheFolderTheSettingsFileNames)
{
    EXPECT_EQ(find(), QString());
    // The message says where it looked.
    prompts.expectOne(u"Oddballz does not appear to be installed. You must install it "
                      "before you can run Yolkwright. Yolkwright looked for oddballz.ini in "_s +
                          windowsFolder(fso, env),
                      PromptIcon::Exclamation, false);

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
            EXPECT_TRUE(!ini.contains("C:") || folder.startsWith(prefix + u"/dosdevices/c:/"_s));
        } else {
            EXPECT_EQ(folder, QString());
            prompts.expectOne(u"The folder where Oddballz is located could not be "
                              "determined. You may need to re-install Oddballz. Yolkwright "
                              "read "_s +
                                  windowsFolder(fso, env),
                              PromptIcon::Exclamation, false);
        }
    }

    // The value is taken exactly after the first "=", and only one trailing separator goes.
    const QString odd = path(u"a=b/Odd Game "_s);
    QDir().mkpath(odd + u"/x"_s);
    writeIni("last oddball=" + odd.toUtf8() + "\r\n");
    EXPECT_EQ(find(), odd);
    writeIni("last oddball=" + odd.toUtf8() + "/x//\r\n");
    EXPECT_EQ(find(), odd + u"/x/"_s);
}

TEST_F(GameInstall, WineFoldersFollowTheEnvironment)
{
    EXPECT_EQ(windowsFolder(fso, env), prefix + u"/drive_c/Windows"_s);
    const QString other = path(u"elsewhere"_s);
    QDir().mkpath(other);
    env.insert(u"WINDIR"_s, other);
    EXPECT_EQ(windowsFolder(fso, env), other);
    env.insert(u"windir"_s, u"C:\\windows"_s);
    EXPECT_EQ(canonical(windowsFolder(fso, env)), canonical(prefix + u"/drive_c/Windows"_s));
    QProcessEnvironment noPrefix;
    noPrefix.insert(u"HOME"_s, dir.path());
    EXPECT_EQ(winePrefix(noPrefix), dir.path() + u"/.wine"_s);
}

TEST_F(GameInstall, WindowsPathsMapIntoThePrefix)
{
    const std::pair<const char*, QString> paths[] = {
        {"/games/Oddballz/", u"/games/Oddballz/"_s},
        {"D:\\Games\\Odd", prefix + u"/dosdevices/d:/Games/Odd"_s},
        {"C:", prefix + u"/dosdevices/c:"_s},
        {"\\\\server\\share", u"\\\\server\\share"_s}};
    for (const auto& [windows, local] : paths)
        EXPECT_EQ(localPath(QLatin1String(windows), fso, env), local);
    // Without the dosdevices link drive C is still its own folder.
    QFile::remove(prefix + u"/dosdevices/c:"_s);
    EXPECT_EQ(localPath(u"C:\\Oddballz"_s, fso, env), prefix + u"/drive_c/Oddballz"_s);
}

TEST_F(GameInstall, StoredEditionChoosesTheResourceFolder)
{
    // No data file: an error after marking the check done; later starts skip the check and the
    // stored edition chooses the resource folder.
    writeIni("last oddball=C:\\Program Files\\Oddballz\\\r\n");
    EXPECT_THROW(checkEdition(install, settings, prompts, env), FileError);
    EXPECT_EQ(setting("CheckedCountry"), u"1"_s);
    EXPECT_FALSE(settings.contains(kSectionMain, u"optUK"_s));
    const std::pair<const char*, const char*> stored[] = {
        {nullptr, "\\res\\"},  {"0", "\\res\\"},       {"False", "\\res\\"}, {"1", "\\resUK\\"},
        {"True", "\\resUK\\"}, {"false", "\\resUK\\"}, {"", "\\resUK\\"}};
    for (const auto& [value, folder] : stored) {
        if (value)
            settings.write(kSectionMain, u"optUK"_s, QLatin1String(value));
        checkEdition(install, settings, prompts, env);
        EXPECT_EQ(resFolder(install.edition), QLatin1String(folder)) << (value ? value : "absent");
    }
    EXPECT_TRUE(prompts.shown.empty());
}

TEST_F(GameInstall, DataFileSizeDecidesTheEditionOnce)
{
    writeIni("last oddball=C:\\Program Files\\Oddballz\\\r\n");
    const QString uk =
        u"Yolkwright has detected that your copy of Oddballz is the UK edition.\r\nIf this is "
        "incorrect, go to the View menu and choose Options, then click \"Use US Egg "
        "Information.\""_s;
    const QString us =
        u"Yolkwright has detected that your copy of Oddballz is the US edition.\r\nIf you are "
        "using the UK version, go to the View menu and choose Options, then click \"Use UK Egg "
        "Information.\""_s;
    for (const qint64 size : {kUkWadSize + 1, kUkWadSize - 1, kUkWadSize}) {
        SCOPED_TRACE(size);
        const bool isUk = size == kUkWadSize;
        settings = MemorySettingsStore();
        prompts.shown.clear();
        writeWad(size);
        checkEdition(install, settings, prompts, env);
        EXPECT_EQ(setting("CheckedCountry"), u"1"_s);
        EXPECT_EQ(setting("optUK"), isUk ? u"1"_s : u"0"_s);
        EXPECT_EQ(install.edition, isUk ? Edition::UK : Edition::US);
        prompts.expectOne(isUk ? uk : us, PromptIcon::Information);
    }
    // A later start neither checks nor tells again.
    writeWad(kUkWadSize + 1);
    checkEdition(install, settings, prompts, env);
    EXPECT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(install.edition, Edition::UK);
}

} // namespace yw
