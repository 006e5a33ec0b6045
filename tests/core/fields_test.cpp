// Ball lines, numbers, the code page, settings, and finding the game and its edition.
#include "model/eballrecord.h"
#include "model/edition.h"
#include "model/gameinstall.h"
#include "model/installation.h"
#include "platform/cp1252.h"
#include "platform/errors.h"
#include "platform/filesystem.h"
#include "platform/numbers.h"
#include "platform/setting.h"
#include "platform/settingsstore.h"
#include "platform/winpaths.h"
#include "support/testsupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

namespace yw {

using namespace Qt::StringLiterals;

namespace {

ParsedBallLine parse(const std::string& bytes, qint64 position = 1)
{
    return parseBallLine(QByteArrayView(bytes.data(), qsizetype(bytes.size())), position,
                         u"egg.odd"_s);
}

} // namespace

TEST(BallLines, NumbersFillTheirColumns)
{
    const std::pair<int16_t, const char*> numbers[] = {
        {0, "  0"},  {9, "  9"},   {10, "10"},     {255, "255"},       {-1, " -1"},
        {-9, " -9"}, {-10, "-10"}, {1000, "1000"}, {-32768, "-32768"}, {32767, "32767"}};
    for (const auto& [value, text] : numbers)
        EXPECT_EQ(formatBallNumber(value), text) << value;
}

TEST(BallLines, AnUnusedTextureIsWrittenAndReadAsMinusOne)
{
    // The 78-character example.
    EBallRecord r{5, 12, 255, 0, -1, 25, 0, 3, "abc", 0};
    const std::string sep = ",      ";
    const std::string line = "  5" + sep + "12" + sep + "255" + sep + "  0" + sep + " -1" + sep +
                             "25" + sep + "  0" + sep + " -1" + "    abc";
    EXPECT_EQ(formatBallLine(r), line);
    r.texture = 7;
    EXPECT_EQ(parse(formatBallLine(r) + ",\r\nX").record,
              (EBallRecord{5, 12, 255, 0, -1, 25, 0, -1, "abc", 0}));
    r.useTexture = 1;
    EXPECT_EQ(formatBallLine(r).substr(line.size() - 10), "  7    abc");
    EXPECT_EQ(parse(formatBallLine(r) + ",\r\n").record, r);
}

TEST(BallLines, TheCommentFollowsFourBlanksAndEndsAtTheNextFourOrAComma)
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
}

TEST(BallLines, ADiameterBelowMinus255ReadsAsMinus255)
{
    for (const auto& [text, diameter] : {std::pair{"-300", -255}, {"-255", -255}, {"-254", -254}})
        EXPECT_EQ(parse("1,2,3,0,1," + std::string(text) + ",0,  2    c,\r\n").record.diameter,
                  diameter);
}

TEST(BallLines, ABrokenLineIsRefusedNamingTheEggAndTheByte)
{
    for (const char* bad : {
             "1,2,3,0,1,20,0\r\n",              // seven fields
             "1,2,3,0,1,20,0,  2 abc,\r\n",     // no four blanks
             "1,x,3,0,1,20,0,  2    abc,\r\n",  // not a number
             "1,2,3,0,1,40000,0,  2    c,\r\n", // beyond 16 bits
             "1,2,3,0,1,20,0,  2    abc,",      // no line feed before the end
         })
        test::expectFormatError([&] { parse(bad); }, u"egg.odd"_s, u"byte 1"_s);
    EXPECT_THROW(parse("1,2\n", 0), FormatError);
    EXPECT_THROW(parse("1,2\n", 99), FormatError);
}

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
