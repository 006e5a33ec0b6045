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

const QString kHidden = QStringLiteral("-");

// The File menu's placeholder and four entries, with the settings behind them.
struct RecentMenu
{
    RecentMenu()
    {
        for (size_t i = 0; i < items.size(); ++i) {
            owned[i] = std::make_unique<QAction>();
            items[i] = owned[i].get();
        }
        recent = std::make_unique<RecentFiles>(settings, items);
    }
    QStringList shown() const
    {
        QStringList texts;
        for (QAction* item : items)
            texts << (item->isVisible() ? item->text() : kHidden);
        return texts;
    }
    std::array<std::unique_ptr<QAction>, 5> owned;
    std::array<QAction*, 5> items{};
    MemorySettingsStore settings;
    std::unique_ptr<RecentFiles> recent;
};

} // namespace

TEST(RecentFiles, NewestFirstOnlyTheTopComparedAndLetterCaseCounts)
{
    RecentMenu menu;
    for (const char* name : {"D", "A", "C", "B", "E"})
        menu.recent->CycleRecentFiles(p(name));
    EXPECT_EQ(menu.recent->entries(), QStringList({p("E"), p("B"), p("C"), p("A")}));
    EXPECT_EQ(menu.settings.read(kSectionRecent, QStringLiteral("1st"), QString()), p("E"));
    EXPECT_EQ(menu.settings.read(kSectionRecent, QStringLiteral("2nd"), QString()), p("B"));
    EXPECT_EQ(menu.settings.read(kSectionRecent, QStringLiteral("3rd"), QString()), p("C"));
    EXPECT_EQ(menu.settings.read(kSectionRecent, QStringLiteral("4th"), QString()), p("A"));

    // Only the first entry is compared, so a path can appear twice; the top again writes nothing.
    menu.recent->CycleRecentFiles(p("C"));
    EXPECT_EQ(menu.recent->entries(), QStringList({p("C"), p("E"), p("B"), p("C")}));
    const int writes = menu.settings.writeCount();
    menu.recent->CycleRecentFiles(p("C"));
    EXPECT_EQ(menu.settings.writeCount(), writes);
    menu.recent->CycleRecentFiles(p("c"));
    EXPECT_EQ(menu.recent->entry(1), p("c"));
    EXPECT_EQ(menu.recent->entry(2), p("C"));
}

TEST(RecentFiles, TheMenuShowsThePlaceholderOrTheEntriesReadAfreshEachTime)
{
    RecentMenu menu;
    for (QAction* item : menu.items)
        item->setVisible(true);
    menu.recent->ShowRecentFiles();
    EXPECT_TRUE(menu.items[0]->isVisible());
    EXPECT_EQ(menu.shown().mid(1), QStringList(4, kHidden));

    // Another editor wrote the settings meanwhile.
    menu.settings.write(kSectionRecent, QStringLiteral("3rd"), p("elsewhere"));
    EXPECT_EQ(menu.recent->entry(3), p("elsewhere"));
    menu.recent->CycleRecentFiles(p("first"));
    EXPECT_EQ(menu.recent->entries(),
              QStringList({p("first"), QString(), QString(), p("elsewhere")}));
    EXPECT_EQ(menu.shown(), QStringList({kHidden, p("first"), kHidden, kHidden, p("elsewhere")}));

    // The stored entry is the path unchanged; only the menu text escapes the access-key mark.
    const QString path = QStringLiteral("/home/pat/Salt & Pepper/S&P.opj");
    menu.recent->CycleRecentFiles(path);
    EXPECT_EQ(menu.recent->entry(1), path);
    EXPECT_EQ(menu.items[1]->text(), QStringLiteral("/home/pat/Salt && Pepper/S&&P.opj"));
    EXPECT_EQ(menu.items[1]->iconText(), path);
}

} // namespace yw
