#include "document/recentfiles.h"

#include "platform/setting.h"

#include <QAction>

namespace yw {

RecentFiles::RecentFiles(SettingsStore& settings, std::array<QAction*, 5> items)
    : m_settings(settings), m_items(items)
{}

QString RecentFiles::entry(int k) const
{
    if (k < 1 || k > kRecentFileCount)
        return QString();
    return setting::recentFiles[size_t(k - 1)].text(m_settings);
}

QStringList RecentFiles::entries() const
{
    QStringList list;
    for (int k = 1; k <= kRecentFileCount; ++k)
        list.append(entry(k));
    return list;
}

void RecentFiles::CycleRecentFiles(const QString& path)
{
    // Each file once: a listed path moves to the top and the ones above it move down a place.
    if (path != entry(1)) {
        const int listed = int(entries().indexOf(path)) + 1;
        for (int k = listed > 0 ? listed : kRecentFileCount; k >= 2; --k)
            setting::recentFiles[size_t(k - 1)].write(m_settings, entry(k - 1));
        setting::recentFiles[0].write(m_settings, path);
    }
    ShowRecentFiles();
}

void RecentFiles::ShowRecentFiles() const
{
    bool allEmpty = true;
    for (int k = 1; k <= kRecentFileCount; ++k) {
        const QString path = entry(k);
        QAction* item = m_items[size_t(k)];
        if (!path.isEmpty()) {
            allEmpty = false;
            if (m_items[0])
                m_items[0]->setVisible(false);
            if (item) {
                item->setText(menuText(path));
                item->setVisible(true);
            }
        } else if (item) {
            item->setVisible(false);
        }
    }
    if (allEmpty && m_items[0])
        m_items[0]->setVisible(true);
}

QString RecentFiles::menuText(const QString& path)
{
    QString text = path;
    text.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return text;
}

} // namespace yw
