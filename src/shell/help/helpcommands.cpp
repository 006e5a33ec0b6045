#include "shell/help/helpcommands.h"

#include "model/installation.h"
#include "shell/help/aboutdialog.h"
#include "shell/help/changelog.h"
#include "shell/help/helpviewer.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMenu>

namespace yw {

HelpCommands::HelpCommands(const Installation& install, Prompts& prompts, QWidget* owner,
                           UrlOpener open)
    : QObject(owner), m_install(install), m_prompts(prompts), m_owner(owner),
      m_open(std::move(open))
{}

HelpCommands::~HelpCommands()
{
    delete m_viewer;
}

void HelpCommands::populate(QMenu* mnuHelp)
{
    auto add = [this](QMenu* menu, const char* name, const QString& caption, auto slot) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    auto site = [this](WebPlace place) { return [this, place] { goTo(place); }; };

    QMenu* online = mnuHelp->addMenu(QStringLiteral("Oddballz Online"));
    online->setObjectName(QStringLiteral("mnuOO"));
    online->menuAction()->setObjectName(QStringLiteral("mnuOO"));
    add(online, "siteBrindle", QStringLiteral("Brindlecote"), site(WebPlace::Brindlecote));
    add(online, "mnuOddPlanet", QStringLiteral("The Odd Planet"), site(WebPlace::OddPlanet));
    online->addSeparator()->setObjectName(QStringLiteral("s2"));
    add(online, "siteNeo", QStringLiteral("Oddballz Neo"), site(WebPlace::OddballzNeo));
    add(online, "siteAmber", QStringLiteral("AmberOddballz"), site(WebPlace::AmberOddballz));
    add(online, "mnuHost", QStringLiteral("Host Your Oddballz..."),
        site(WebPlace::HostYourOddballz));
    add(mnuHelp, "mnuUpdate", QStringLiteral("&Update..."), site(WebPlace::Update));
    mnuHelp->addSeparator()->setObjectName(QStringLiteral("s1"));
    add(mnuHelp, "mnuHelpFile", QStringLiteral("Online &Help..."), [this] { showHelp(); });
    add(mnuHelp, "mnuLog", QStringLiteral("Change &Log"), [this] { showChangeLog(); });
    add(mnuHelp, "mnuAbout", QStringLiteral("About..."), [this] { showAbout(); });
}

void HelpCommands::goTo(WebPlace place)
{
    goOnline(place, QString::fromStdString(m_install.buildNo), m_install.askBeforeBrowsing,
             m_prompts, m_open);
}

QString HelpCommands::helpFolder() const
{
    const QString own = QDir(m_install.programFolder).filePath(QStringLiteral("help"));
    const QString program = QCoreApplication::applicationDirPath();
    for (const QString& folder : {own, program + QStringLiteral("/help"),
                                  program + QStringLiteral("/../share/yolkwright/help")})
        if (QFileInfo(folder).isDir())
            return QDir::cleanPath(folder);
    return own;
}

HelpViewer* HelpCommands::viewer() const
{
    return m_viewer;
}

void HelpCommands::showHelp()
{
    if (!m_viewer)
        m_viewer = new HelpViewer;
    m_viewer->showTopic(helpFolder(), 1);
}

void HelpCommands::showChangeLog()
{
    ChangeLogDialog log(m_owner);
    log.exec();
}

void HelpCommands::showAbout()
{
    AboutDialog about(QString::fromStdString(m_install.buildNo), m_owner);
    about.exec();
}

} // namespace yw
