#pragma once

#include "shell/help/weblinks.h"

#include <QObject>
#include <QPointer>
#include <functional>

class QMenu;
class QWidget;

namespace yw {

class HelpViewer;
class Prompts;
struct Installation;
struct ProjectState;

// The Help menu and the toolbar's Update, Help and About buttons.
class HelpCommands : public QObject
{
    Q_OBJECT
public:
    HelpCommands(const Installation& install, Prompts& prompts, QWidget* owner,
                 UrlOpener open = desktopUrlOpener());
    ~HelpCommands() override;

    // Fills the Help menu: "Oddballz Online", "&Update...", "Online &Help...", "Change &Log",
    // "About...".
    void populate(QMenu* mnuHelp);

    void goTo(WebPlace place);
    void checkForUpdate() { goTo(WebPlace::Update); }
    // The user guide at its first topic, in the program's own viewer.
    void showHelp();
    void showChangeLog();
    void showAbout();

    // The guide's folder: "help" in the program's data folder, else beside the program or in
    // the installed share folder (a per-user data folder holds resource files, not the guide).
    QString helpFolder() const;
    void setUrlOpener(UrlOpener open) { m_open = std::move(open); }
    HelpViewer* viewer() const;

private:
    const Installation& m_install;
    Prompts& m_prompts;
    QWidget* m_owner;
    UrlOpener m_open;
    QPointer<HelpViewer> m_viewer;
};

} // namespace yw
