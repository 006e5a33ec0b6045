#include "platform/settingsstore.h"
#include "shell/session/recentfiles.h"
#include "support/testsupport.h"

#include <QAction>
#include <gtest/gtest.h>
#include <memory>

namespace yw {

namespace {

QString p(const char* name)
{
    return QStringLiteral("/home/pat/breeds/") + QString::fromLatin1(name) + QStringLiteral(".opj");
}

QStringList list(std::initializer_list<QString> items)
{
    return QStringList(items);
}

struct Menu
{
    Menu()
    {
        for (auto& action : owned)
            action = std::make_unique<QAction>();
        for (size_t i = 0; i < items.size(); ++i)
            items[i] = owned[i].get();
    }
    std::array<std::unique_ptr<QAction>, 5> owned;
    std::array<QAction*, 5> items{};
};

} // namespace

TEST(RecentFiles, NewestFirstAndTheOldestFallsOff)
{
    MemorySettingsStore settings;
    RecentFiles recent(settings);
    for (const char* name : {"A", "B", "C", "D", "E"})
        recent.CycleRecentFiles(p(name));
    EXPECT_EQ(recent.entries(), list({p("E"), p("D"), p("C"), p("B")}));
    EXPECT_EQ(settings.read(kSectionRecent, QStringLiteral("1st"), QString()), p("E"));
    EXPECT_EQ(settings.read(kSectionRecent, QStringLiteral("4th"), QString()), p("B"));
}

TEST(RecentFiles, OnlyTheFirstEntryIsComparedSoAPathCanAppearTwice)
{
    MemorySettingsStore settings;
    RecentFiles recent(settings);
    for (const char* name : {"D", "A", "C", "B"})
        recent.CycleRecentFiles(p(name));
    ASSERT_EQ(recent.entries(), list({p("B"), p("C"), p("A"), p("D")}));

    recent.CycleRecentFiles(p("A"));
    EXPECT_EQ(recent.entries(), list({p("A"), p("B"), p("C"), p("A")}));

    const int writes = settings.writeCount();
    recent.CycleRecentFiles(p("A"));
    EXPECT_EQ(settings.writeCount(), writes);
    EXPECT_EQ(recent.entries(), list({p("A"), p("B"), p("C"), p("A")}));
}

TEST(RecentFiles, LetterCaseMakesADifferentPath)
{
    MemorySettingsStore settings;
    RecentFiles recent(settings);
    recent.CycleRecentFiles(QStringLiteral("/breeds/Zott.opj"));
    recent.CycleRecentFiles(QStringLiteral("/breeds/zott.opj"));
    EXPECT_EQ(recent.entries(), list({QStringLiteral("/breeds/zott.opj"),
                                      QStringLiteral("/breeds/Zott.opj"), QString(), QString()}));
}

TEST(RecentFiles, EmptyListShowsOnlyThePlaceholder)
{
    MemorySettingsStore settings;
    Menu menu;
    for (QAction* item : menu.items)
        item->setVisible(true);
    RecentFiles(settings, menu.items).ShowRecentFiles();
    EXPECT_TRUE(menu.items[0]->isVisible());
    for (int k = 1; k <= 4; ++k)
        EXPECT_FALSE(menu.items[size_t(k)]->isVisible()) << k;
}

TEST(RecentFiles, EntriesReplaceThePlaceholderInOrder)
{
    MemorySettingsStore settings;
    Menu menu;
    RecentFiles recent(settings, menu.items);
    recent.CycleRecentFiles(p("first"));
    recent.CycleRecentFiles(p("second"));

    EXPECT_FALSE(menu.items[0]->isVisible());
    EXPECT_TRUE(menu.items[1]->isVisible());
    EXPECT_EQ(menu.items[1]->text(), p("second"));
    EXPECT_TRUE(menu.items[2]->isVisible());
    EXPECT_EQ(menu.items[2]->text(), p("first"));
    EXPECT_FALSE(menu.items[3]->isVisible());
    EXPECT_FALSE(menu.items[4]->isVisible());
}

TEST(RecentFiles, TheListIsReadFromTheSettingsEachTime)
{
    MemorySettingsStore settings;
    Menu menu;
    RecentFiles recent(settings, menu.items);
    recent.ShowRecentFiles();
    // Another editor wrote the settings meanwhile.
    settings.write(kSectionRecent, QStringLiteral("3rd"), p("elsewhere"));
    EXPECT_EQ(recent.entry(3), p("elsewhere"));
    recent.CycleRecentFiles(p("mine"));
    EXPECT_EQ(recent.entries(), list({p("mine"), QString(), QString(), p("elsewhere")}));
    EXPECT_FALSE(menu.items[0]->isVisible());
    EXPECT_TRUE(menu.items[4]->isVisible());
}

TEST(RecentFiles, AnAmpersandIsShownAsItIs)
{
    MemorySettingsStore settings;
    Menu menu;
    RecentFiles recent(settings, menu.items);
    const QString path = QStringLiteral("/home/pat/Salt & Pepper/S&P.opj");
    recent.CycleRecentFiles(path);
    // The stored entry is the path unchanged; only the menu text escapes the access-key mark.
    EXPECT_EQ(recent.entry(1), path);
    EXPECT_EQ(menu.items[1]->text(), QStringLiteral("/home/pat/Salt && Pepper/S&&P.opj"));
    EXPECT_EQ(menu.items[1]->iconText(), path);
}

} // namespace yw
