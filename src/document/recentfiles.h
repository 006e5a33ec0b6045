#pragma once

#include <QString>
#include <QStringList>
#include <array>

class QAction;

namespace yw {

class SettingsStore;

inline constexpr int kRecentFileCount = 4;

// The four most recent project paths, kept in the settings under "1st" to "4th" and read afresh
// every time, so two running editors never show a stale list.
class RecentFiles
{
public:
    // items[0] is the disabled "No Recent Files" placeholder, items[1..4] the entries. Items may
    // be null (tests of the list alone).
    explicit RecentFiles(SettingsStore& settings, std::array<QAction*, 5> items = {});

    // Entry k (1 to 4); empty when that place is empty or k is out of range.
    QString entry(int k) const;
    QStringList entries() const;

    // Puts `path` on top (exact, case-sensitive comparison): a listed path moves up, so each file
    // is listed once; otherwise the oldest entry falls off. Then refreshes.
    void CycleRecentFiles(const QString& path);

    // Rebuilds the menu items from the settings.
    void ShowRecentFiles() const;

    // The action text that shows `path` as it is: "&" would otherwise mark an access key.
    static QString menuText(const QString& path);

private:
    SettingsStore& m_settings;
    std::array<QAction*, 5> m_items;
};

} // namespace yw
